#pragma once
// Saving what a window shows: its client area read back from the window's own device context
// (child windows included) and written as a 24-bit BMP file.
#include <windows.h>

#include <string>

namespace tools {

// Writes the client area of `window` to `path`. The file appears whole or not at all (written
// under a temporary name, then moved over). On failure `error` says why in one line.
bool SaveClientScreenshot(HWND window, const std::wstring& path, std::string& error);

}  // namespace tools
