#pragma once
// CBmpDecoder: Windows bitmaps with a 40-byte information header: 1, 4, 8, 24 and 32 bits per pixel,
// RLE4 and RLE8. Bottom-up and top-down files both come out upright.
#include <cstdint>

#include "button/imaging/CPicDecoder.h"

namespace button {

class CBmpDecoder : public CPicDecoder {
 protected:
  void DecodeData() override;

 private:
  void DecodeUncompressed(int bpp, int32_t width, int32_t height, bool topDown);
  void DecodeRle(bool nibbles, int32_t width, int32_t height, bool topDown);

  // The file's colour table as blue, green, red, 255. Always 256 entries: the ones the file does not
  // give are opaque black, so any pixel index reads a defined colour.
  uint32_t m_palette[256] = {};
};

}  // namespace button
