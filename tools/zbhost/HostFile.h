#pragma once
// The property file ZBHOST reads: plain UTF-8 text, one `Name=Value` a line.
//
//   ; a comment (also '#'), whole lines only: values may hold ';' and '#'
//   [Window]              optional: Title, Width, Height (client area), BackColor
//   [Play]                a button named Play; names are letters, digits, '_', '-', '.'
//   Left=10               the button's place in the window (pixels); Width and Height too
//   PictureURL=play.bmp   any property of the control, by its name
//
// Settings before the first section belong to a button named "Button1", so a one-button file
// needs no section. Portable: no Win32 here; texts stay UTF-8.
#include <cstddef>
#include <string>
#include <vector>

namespace tools {

struct Setting {
  std::string name;
  std::string value;
  int line = 0;
};

struct ButtonSection {
  std::string name;
  int line = 0;                   // where the section starts (its first setting for the implicit "Button1")
  std::vector<Setting> settings;  // in file order, names unique (case-insensitive)
};

struct HostFile {
  std::vector<Setting> window;
  std::vector<ButtonSection> buttons;  // at least one
};

// Where and why a file was refused.
struct FileError {
  int line = 0;
  std::string message;
};

inline constexpr std::size_t kMaxFileBytes = 1 << 20;
inline constexpr std::size_t kMaxButtons = 256;

// Parses all or nothing: on failure `out` is untouched.
bool ParseHostFile(const std::string& text, HostFile& out, FileError& error);

// Case-insensitive comparison of ASCII names.
bool SameName(const std::string& a, const std::string& b);
// Button names appear in the event log as one word.
bool ValidButtonName(const std::string& name);

}  // namespace tools
