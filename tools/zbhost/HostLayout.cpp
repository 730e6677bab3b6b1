#include "tools/zbhost/HostLayout.h"

#include "tools/zbhost/HostValues.h"

namespace tools {

namespace {

bool Number(const Setting& s, int64_t min, int64_t max, int& out, FileError& error) {
  int64_t v = 0;
  std::string why;
  if (!ParseInteger(s.value, min, max, v, why)) {
    error.line = s.line;
    error.message = s.name + ": " + why;
    return false;
  }
  out = int(v);
  return true;
}

}  // namespace

bool ReadWindowSettings(const std::vector<Setting>& settings, WindowSettings& out, FileError& error) {
  WindowSettings w;
  for (const Setting& s : settings) {
    std::string why;
    bool ok = true;
    if (SameName(s.name, "Title")) {
      ok = ParseText(s.value, w.title, why);
    } else if (SameName(s.name, "Width")) {
      if (!Number(s, 1, kMaxWindowSize, w.width, error)) return false;
    } else if (SameName(s.name, "Height")) {
      if (!Number(s, 1, kMaxWindowSize, w.height, error)) return false;
    } else if (SameName(s.name, "BackColor")) {
      ok = ParseColor(s.value, w.backColor, why);
    } else {
      error.line = s.line;
      error.message = "[Window] has no setting " + s.name + " (Title, Width, Height, BackColor)";
      return false;
    }
    if (!ok) {
      error.line = s.line;
      error.message = s.name + ": " + why;
      return false;
    }
  }
  out = std::move(w);
  return true;
}

bool PlaceButtons(const std::vector<ButtonSection>& sections, std::vector<ButtonPlacement>& out, FileError& error) {
  std::vector<ButtonPlacement> placed;
  int nextTop = kMargin;
  for (const ButtonSection& section : sections) {
    ButtonPlacement b;
    b.name = section.name;
    b.line = section.line;
    b.left = kMargin;
    b.top = nextTop;
    b.width = b.height = kDefaultButtonSize;
    for (const Setting& s : section.settings) {
      bool ok = true;
      if (SameName(s.name, "Left")) {
        ok = Number(s, -kMaxWindowSize, kMaxWindowSize, b.left, error);
      } else if (SameName(s.name, "Top")) {
        ok = Number(s, -kMaxWindowSize, kMaxWindowSize, b.top, error);
      } else if (SameName(s.name, "Width")) {
        ok = Number(s, 1, kMaxWindowSize, b.width, error);
      } else if (SameName(s.name, "Height")) {
        ok = Number(s, 1, kMaxWindowSize, b.height, error);
      } else if (SameName(s.name, "ButtonMode")) {
        ok = Number(s, 0, 5, b.buttonMode, error);
      } else {
        b.properties.push_back(s);
      }
      if (!ok) return false;
    }
    nextTop = b.top + b.height + kMargin;
    placed.push_back(std::move(b));
  }
  out = std::move(placed);
  return true;
}

}  // namespace tools
