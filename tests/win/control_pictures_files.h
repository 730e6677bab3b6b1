#pragma once
// Picture files for the control's tests, written by the tests themselves: BMP and GIF by hand,
// JPEG through libjpeg, TIFF through libtiff. Every picture is a w × h image whose pixel (x, y),
// y counted from the top, is Colour(x, y) (0x00RRGGBB); JPEG is lossy, so compare it with a tolerance.
#include <cstdint>
#include <string>

namespace tests {

inline uint32_t Colour(int x, int y) { return (uint32_t(x * 40 % 256) << 16) | (uint32_t(y * 60 % 256) << 8) | 0x80; }

// Each returns false if the file could not be written.
bool WriteBmp24(const std::wstring& path, int w, int h);
bool WriteJpeg(const std::wstring& path, int w, int h);
bool WriteTiff(const std::wstring& path, int w, int h);
// A two-colour GIF: column x is red (0x00FF0000) when x is even, blue (0x000000FF) when odd; with
// `transparentBlue` the blue entry is marked transparent.
bool WriteGif(const std::wstring& path, int w, int h, bool transparentBlue);
bool WriteText(const std::wstring& path, const std::string& text);

}  // namespace tests
