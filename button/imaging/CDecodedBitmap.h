#pragma once
// CDecodedBitmap: what the decoder family produces: a device-independent bitmap of 8 or 32 bits per
// pixel in one allocation (header, colour table, pixel rows bottom-up as in any DIB). Row(0) is the top
// row of the picture. A 32-bit pixel is the bytes blue, green, red, fourth.
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "button/imaging/DecodeLimits.h"
#include "button/pixels/DibHeader.h"

class CDecodedBitmap {
 public:
  CDecodedBitmap();  // a 16 x 16, 8-bit bitmap

  // Allocates width x height at bpp bits (zeroed pixels). For 8 bits or fewer the colour table is a
  // grey ramp. Throws code 10 when the size is not positive or beyond `limits`.
  void Create(int32_t width, int32_t height, int bpp, bool alpha, const DecodeLimits& limits = DecodeLimits());

  int32_t Width() const { return m_Width; }
  int32_t Height() const { return m_Height; }
  int BitsPerPixel() const { return m_Bpp; }
  bool HasAlpha() const { return m_Alpha; }
  size_t Stride() const { return m_Stride; }

  const ZbBitmapInfoHeader* Header() const { return reinterpret_cast<const ZbBitmapInfoHeader*>(m_Block.get()); }
  // Colour table (blue, green, red, fourth per entry): 2^bpp entries for 8 bits or fewer, else none.
  uint8_t* Palette() { return m_Block.get() + sizeof(ZbBitmapInfoHeader); }
  const uint8_t* Palette() const { return m_Block.get() + sizeof(ZbBitmapInfoHeader); }
  int PaletteEntries() const { return m_PaletteEntries; }

  // The pixel rows as stored: the bottom row first.
  uint8_t* Bits() { return m_Block.get() + m_BitsOffset; }
  const uint8_t* Bits() const { return m_Block.get() + m_BitsOffset; }
  // Row y counted from the top of the picture.
  uint8_t* Row(int32_t y) { return Bits() + size_t(m_Height - 1 - y) * m_Stride; }
  const uint8_t* Row(int32_t y) const { return Bits() + size_t(m_Height - 1 - y) * m_Stride; }

 private:
  struct Free {
    void operator()(uint8_t* p) const { std::free(p); }
  };
  // Zeroed by calloc: large blocks come as fresh zero pages, not written twice.
  std::unique_ptr<uint8_t, Free> m_Block;
  int32_t m_Width = 0;
  int32_t m_Height = 0;
  int m_Bpp = 0;
  bool m_Alpha = false;
  size_t m_Stride = 0;
  size_t m_BitsOffset = 0;
  int m_PaletteEntries = 0;
};
