#pragma once
// The Windows bitmap header that travels with every pixel buffer. The Windows build uses the
// platform's own types; the native build has layout-identical stand-ins so the arithmetic builds there.
#include <cstdint>

#ifdef _WIN32
#include <windows.h>
#endif

namespace button {

#ifdef _WIN32
using ZbBitmapInfo = BITMAPINFO;
using ZbBitmapInfoHeader = BITMAPINFOHEADER;
#else
struct ZbBitmapInfoHeader {
  uint32_t biSize;
  int32_t biWidth;
  int32_t biHeight;
  uint16_t biPlanes;
  uint16_t biBitCount;
  uint32_t biCompression;
  uint32_t biSizeImage;
  int32_t biXPelsPerMeter;
  int32_t biYPelsPerMeter;
  uint32_t biClrUsed;
  uint32_t biClrImportant;
};
struct ZbRgbQuad {
  uint8_t rgbBlue, rgbGreen, rgbRed, rgbReserved;
};
struct ZbBitmapInfo {
  ZbBitmapInfoHeader bmiHeader;
  ZbRgbQuad bmiColors[1];
};
#endif
static_assert(sizeof(ZbBitmapInfoHeader) == 40, "BITMAPINFOHEADER is 40 bytes");

}  // namespace button
