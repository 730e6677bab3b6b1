#include "tools/zbhost/HostOptions.h"

#include <cstdint>

#include "tools/zbhost/HostValues.h"

namespace tools {

const char kUsage[] =
    "usage: ZBHOST.exe FILE [--screenshot OUT.bmp] [--wait MS] [--click BUTTON]... [--rclick BUTTON]...\n"
    "                   [--design] [--exit-after MS]\n"
    "  FILE            property file: [Button] sections of Name=Value lines (Left, Top, Width, Height,\n"
    "                  ButtonMode and the control's properties), optional [Window] Title/Width/Height/BackColor\n"
    "  --screenshot    save the window's client area as a 24-bit BMP once the buttons have painted, then exit\n"
    "  --wait          milliseconds to wait after showing the window, before clicks and screenshot (300)\n"
    "  --click         left click (press and release) on the button, in command-line order\n"
    "  --rclick        right click on the button\n"
    "  --design        host the buttons at design time (ambient user mode FALSE)\n"
    "  --exit-after    close the window after this many milliseconds\n"
    "Every event of every button is printed on stdout: BUTTON EVENT Arg=value ...\n"
    "Exit status: 0 done, 1 the control failed, 2 bad command line or property file.";

bool ParseHostOptions(const std::vector<std::string>& args, HostOptions& out, std::string& error) {
  HostOptions o;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&](std::string& v) {
      if (i + 1 >= args.size()) {
        error = a + " needs a value";
        return false;
      }
      v = args[++i];
      return true;
    };
    auto milliseconds = [&](int& ms) {
      std::string v;
      int64_t n = 0;
      if (!value(v)) return false;
      if (!ParseInteger(v, 0, 3600000, n, error)) {
        error = a + ": " + error;
        return false;
      }
      ms = int(n);
      return true;
    };
    if (a == "--help" || a == "-h" || a == "/?") {
      o.help = true;
    } else if (a == "--screenshot") {
      if (!value(o.screenshot)) return false;
      if (o.screenshot.empty()) {
        error = "--screenshot needs a file name";
        return false;
      }
    } else if (a == "--wait") {
      if (!milliseconds(o.waitMs)) return false;
    } else if (a == "--exit-after") {
      if (!milliseconds(o.exitAfterMs)) return false;
    } else if (a == "--design") {
      o.design = true;
    } else if (a == "--click" || a == "--rclick") {
      Action act;
      act.kind = a == "--click" ? Action::LeftClick : Action::RightClick;
      if (!value(act.button)) return false;
      o.actions.push_back(act);
    } else if (a.size() > 1 && a[0] == '-') {
      error = "unknown option " + a;
      return false;
    } else if (o.file.empty()) {
      o.file = a;
    } else {
      error = "more than one property file (" + o.file + ", " + a + ")";
      return false;
    }
  }
  if (o.file.empty() && !o.help) {
    error = "no property file given";
    return false;
  }
  out = std::move(o);
  return true;
}

}  // namespace tools
