#pragma once
// What ZBHOST itself takes from a property file: the window's settings and each button's place
// and mode. Everything else in a button section is a property of the control. Portable.
#include <cstdint>
#include <string>
#include <vector>

#include "tools/zbhost/HostFile.h"

namespace tools {

struct WindowSettings {
  std::string title;  // empty: "ZBHOST - " and the file's name
  int width = 0;      // client size; 0: large enough for every button
  int height = 0;
  uint32_t backColor = 0x00F0F0F0;  // 0x00BBGGRR
};

struct ButtonPlacement {
  std::string name;
  int line = 0;
  int left = 0, top = 0, width = 0, height = 0;
  int buttonMode = -1;              // -1: as the properties leave it; else SetButtonMode after loading
  std::vector<Setting> properties;  // the control's, in file order
};

inline constexpr int kMaxWindowSize = 4096;
inline constexpr int kDefaultButtonSize = 64;
inline constexpr int kMargin = 10;

bool ReadWindowSettings(const std::vector<Setting>& settings, WindowSettings& out, FileError& error);
// Places every button: Left and Top default to 10 and to 10 below the previous button, Width and
// Height to 64.
bool PlaceButtons(const std::vector<ButtonSection>& sections, std::vector<ButtonPlacement>& out, FileError& error);

}  // namespace tools
