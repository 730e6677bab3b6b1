#include "button/imaging/CDecodedBitmap.h"

#include <cstring>
#include <string>

#include "button/imaging/CTextException.h"

namespace button {

CDecodedBitmap::CDecodedBitmap() { Create(16, 16, 8, false); }

void CDecodedBitmap::Create(int32_t width, int32_t height, int bpp, bool alpha, const DecodeLimits& limits) {
  if (!limits.Allows(width, height) || bpp < 1 || bpp > 32) {
    throw CTextException::Decoder(
        kDecodeNoMemory, "Image size " + std::to_string(width) + " x " + std::to_string(height) + " is not supported.");
  }
  // Rows are padded to whole 32-bit words; the limits keep every product below well within 64 bits.
  const size_t stride = ((size_t(width) * size_t(bpp) + 31) / 32) * 4;
  const int entries = bpp <= 15 ? 1 << bpp : 0;
  const size_t bitsOffset = sizeof(ZbBitmapInfoHeader) + size_t(entries) * 4;
  const size_t total = bitsOffset + stride * size_t(height);
  std::unique_ptr<uint8_t, Free> block(static_cast<uint8_t*>(std::calloc(total, 1)));
  if (!block) throw CTextException::Decoder(kDecodeNoMemory, "Out of memory allocating the picture buffer.");
  ZbBitmapInfoHeader header{};
  header.biSize = sizeof(ZbBitmapInfoHeader);
  header.biWidth = width;
  header.biHeight = height;
  header.biPlanes = 1;
  header.biBitCount = uint16_t(bpp);
  std::memcpy(block.get(), &header, sizeof(header));
  uint8_t* table = block.get() + sizeof(ZbBitmapInfoHeader);
  for (int i = 0; i < entries; ++i) {
    const uint8_t grey = uint8_t((256 / entries) * i);
    table[i * 4 + 0] = table[i * 4 + 1] = table[i * 4 + 2] = grey;
    table[i * 4 + 3] = 255;
  }
  m_block = std::move(block);
  m_width = width;
  m_height = height;
  m_bpp = bpp;
  m_alpha = alpha;
  m_stride = stride;
  m_bitsOffset = bitsOffset;
  m_paletteEntries = entries;
}

}  // namespace button
