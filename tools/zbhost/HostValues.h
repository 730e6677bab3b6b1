#pragma once
// The value syntax of ZBHOST's property files. Each parser takes the text after '=' (already
// trimmed) and either gives the value or a short reason. Portable; texts are UTF-8.
#include <cstdint>
#include <string>

namespace tools {

// True, False, Yes, No, On, Off, 1, 0, -1 (any letter case).
bool ParseBool(const std::string& text, bool& out, std::string& error);

// Decimal, or hexadecimal as 0x1F or &H1F (a trailing '&' allowed); must lie in [min, max].
// Hexadecimal digits give a bit pattern: with min < 0 and max up to 0x7FFFFFFF, eight hex digits
// read as a 32-bit two's complement number (0xFFFFFFFF is -1).
bool ParseInteger(const std::string& text, int64_t min, int64_t max, int64_t& out, std::string& error);

// A colour as the control takes it (0x00BBGGRR): a number as above, or #RRGGBB in the usual web
// order, or R,G,B with three numbers 0..255.
bool ParseColor(const std::string& text, uint32_t& out, std::string& error);

// Text as written, or in double quotes to keep blanks at either end; inside quotes \" \\ \n \t.
bool ParseText(const std::string& text, std::string& out, std::string& error);

struct FontSpec {
  std::string face;
  int64_t sizeTenths = 100;  // points x 10; 10 points unless given
  bool bold = false, italic = false, underline = false, strikethrough = false;
};
// Face[,size[,bold][,italic][,underline][,strikethrough]]: size in points (one decimal allowed).
bool ParseFont(const std::string& text, FontSpec& out, std::string& error);

// An internet address the control fetches itself: it begins with "http" (any case), as the control
// decides, or holds "://".
bool IsInternetAddress(const std::string& path);
// A picture path of the property file: relative names are taken from `folder` (the file's own,
// with or without a trailing separator); absolute paths and internet addresses stay as they are.
std::string ResolvePath(const std::string& folder, const std::string& path);

}  // namespace tools
