#include "tests/support/TestPaths.h"

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace tests {

std::string MakeTempDir(const std::string& tag) {
  static std::atomic<int> counter{0};
  namespace fs = std::filesystem;
  fs::path base = fs::temp_directory_path() / "zbtest";
  for (;;) {
    fs::path dir = base / (tag + "-" + std::to_string(std::rand()) + "-" + std::to_string(counter++));
    std::error_code ec;
    fs::create_directories(base, ec);
    if (fs::create_directory(dir, ec)) return dir.string();
  }
}

std::string BinDir() {
  const char* d = std::getenv("ZB_BIN_DIR");
  return d ? d : ".";
}

}  // namespace tests
