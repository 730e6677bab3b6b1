#pragma once
// ZBHOST's command line. Portable; arguments are UTF-8.
#include <string>
#include <vector>

namespace tools {

extern const char kUsage[];

struct Action {
  enum Kind { LeftClick, RightClick };
  Kind kind = LeftClick;
  std::string button;
};

struct HostOptions {
  std::string file;
  std::string screenshot;  // empty: no screenshot
  int waitMs = 300;        // after showing, before the actions and the screenshot
  int exitAfterMs = -1;    // -1: run until the window is closed (or the screenshot is taken)
  bool design = false;     // ambient user mode FALSE
  bool help = false;
  std::vector<Action> actions;  // in command-line order
};

// False with a one-line reason for unknown options, missing or bad values, or no file.
bool ParseHostOptions(const std::vector<std::string>& args, HostOptions& out, std::string& error);

}  // namespace tools
