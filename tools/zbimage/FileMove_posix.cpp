#include <cerrno>
#include <cstdio>
#include <cstring>

#include "tools/zbimage/FileMove.h"

namespace tools {

bool MoveFileOver(const std::string& from, const std::string& to, std::string& error) {
  if (std::rename(from.c_str(), to.c_str()) == 0) return true;
  error = "cannot write " + to + ": " + std::strerror(errno);
  return false;
}

}  // namespace tools
