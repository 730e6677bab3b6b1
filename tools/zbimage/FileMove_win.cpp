#include <windows.h>

#include "tools/zbimage/FileMove.h"

namespace tools {

// The C library's rename refuses an existing target on Windows; MoveFileEx replaces it.
bool MoveFileOver(const std::string& from, const std::string& to, std::string& error) {
  if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
  error = "cannot write " + to + ": system error " + std::to_string(GetLastError());
  return false;
}

}  // namespace tools
