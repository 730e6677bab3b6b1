#pragma once
#include <string>

namespace tests {

// A fresh, empty folder for one test (under the system's temporary folder).
std::string MakeTempDir(const std::string& tag);
// Folder of the built binaries (set by CTest as ZB_BIN_DIR), or the test program's own folder.
std::string BinDir();

}  // namespace tests
