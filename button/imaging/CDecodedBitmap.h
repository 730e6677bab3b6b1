#pragma once
// CDecodedBitmap: what the decoder family produces: a device-independent bitmap of 8 or 32 bits per
// pixel in one allocation (header, colour table, pixel rows bottom-up as in any DIB). Row(0) is the top
// row of the picture. A 32-bit pixel is the bytes blue, green, red, fourth.
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "button/imaging/DecodeLimits.h"
#include "button/pixels/DibHeader.h"

namespace button {

class CDecodedBitmap {
 public:
  CDecodedBitmap();  // a 16 x 16, 8-bit bitmap

  // Allocates width x height at bpp bits (zeroed pixels). For 8 bits or fewer the colour table is a
  // grey ramp. Throws code 10 when the size is not positive or beyond `limits`.
  void Create(int32_t width, int32_t height, int bpp, bool alpha, const DecodeLimits& limits = DecodeLimits());

  int32_t Width() const { return m_width; }
  int32_t Height() const { return m_height; }
  int BitsPerPixel() const { return m_bpp; }
  bool HasAlpha() const { return m_alpha; }
  size_t Stride() const { return m_stride; }

  const ZbBitmapInfoHeader* Header() const { return reinterpret_cast<const ZbBitmapInfoHeader*>(m_block.get()); }
  // Colour table (blue, green, red, fourth per entry): 2^bpp entries for 8 bits or fewer, else none.
  uint8_t* Palette() { return m_block.get() + sizeof(ZbBitmapInfoHeader); }
  const uint8_t* Palette() const { return m_block.get() + sizeof(ZbBitmapInfoHeader); }
  int PaletteEntries() const { return m_paletteEntries; }

  // The pixel rows as stored: the bottom row first.
  uint8_t* Bits() { return m_block.get() + m_bitsOffset; }
  const uint8_t* Bits() const { return m_block.get() + m_bitsOffset; }
  // Row y counted from the top of the picture.
  uint8_t* Row(int32_t y) { return Bits() + size_t(m_height - 1 - y) * m_stride; }
  const uint8_t* Row(int32_t y) const { return Bits() + size_t(m_height - 1 - y) * m_stride; }

 private:
  struct Free {
    void operator()(uint8_t* p) const { std::free(p); }
  };
  // Zeroed by calloc: large blocks come as fresh zero pages, not written twice.
  std::unique_ptr<uint8_t, Free> m_block;
  int32_t m_width = 0;
  int32_t m_height = 0;
  int m_bpp = 0;
  bool m_alpha = false;
  size_t m_stride = 0;
  size_t m_bitsOffset = 0;
  int m_paletteEntries = 0;
};

}  // namespace button
