#pragma once
#include <string>

namespace tools {

// Moves the file from over the file to, replacing it if it exists (in one step where the system
// allows). On failure returns false with a one-line reason.
bool MoveFileOver(const std::string& from, const std::string& to, std::string& error);

}  // namespace tools
