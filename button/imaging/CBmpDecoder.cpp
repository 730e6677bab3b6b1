#include "button/imaging/CBmpDecoder.h"

#include <cstring>
#include <limits>

#include "button/imaging/CTextException.h"

namespace button {

namespace {

constexpr uint32_t kOpaque = 0xFF000000u;

// Bytes of one uncompressed file row: padded to whole 32-bit words.
uint64_t FileRowBytes(int32_t width, int bpp) { return ((uint64_t(width) * uint64_t(bpp) + 31) / 32) * 4; }

// 24-bit blue, green, red to 32-bit words with 255 in the fourth byte, four pixels a step.
void ExpandBgr(const uint8_t* s, uint32_t* d, int32_t width) {
  int32_t x = 0;
  for (; x + 4 <= width; x += 4, s += 12, d += 4) {
    uint32_t a, b, c;
    std::memcpy(&a, s, 4);
    std::memcpy(&b, s + 4, 4);
    std::memcpy(&c, s + 8, 4);
    d[0] = a | kOpaque;
    d[1] = (a >> 24) | (b << 8) | kOpaque;
    d[2] = (b >> 16) | (c << 16) | kOpaque;
    d[3] = (c >> 8) | kOpaque;
  }
  for (; x < width; ++x, s += 3) *d++ = uint32_t(s[0]) | (uint32_t(s[1]) << 8) | (uint32_t(s[2]) << 16) | kOpaque;
}

}  // namespace

void CBmpDecoder::DecodeData() {
  CDataSource& src = *m_source;
  const size_t start = src.Position();
  const uint16_t type = src.ReadLE16();
  const uint32_t fileSize = src.ReadLE32();
  src.ReadLE16();
  src.ReadLE16();
  src.ReadLE32();  // pixel offset: the pixels follow the colour table
  if (type != 0x4D42) throw CTextException::Decoder(kDecodeNotBitmap, "Bitmap decoder: This isn't a bitmap.");
  Trace(2, "Bitmap file signature found\n");

  if (src.ReadLE32() != 40) {
    throw CTextException::Decoder(kDecodeBadHeader, "Bitmap decoder: BITMAPINFOHEADER has wrong size.");
  }
  const int32_t width = int32_t(src.ReadLE32());
  const int32_t rawHeight = int32_t(src.ReadLE32());
  src.ReadLE16();  // planes
  const int bpp = src.ReadLE16();
  const uint32_t compression = src.ReadLE32();
  src.ReadLE32();  // image size
  src.ReadLE32();  // resolutions
  src.ReadLE32();
  const uint32_t colorsUsed = src.ReadLE32();
  src.ReadLE32();  // colours important
  Trace(2, "Bitmap header is ok.\n");

  for (uint32_t& entry : m_palette) entry = kOpaque;
  if (bpp <= 8) {
    Trace(2, "Reading palette.\n");
    const uint64_t entries = colorsUsed ? colorsUsed : (1u << bpp);
    if (entries * 4 > src.Remaining()) throw CTextException::EndOfData();
    const uint8_t* table = src.ReadBytes(size_t(entries) * 4);
    // Only 256 entries can be addressed by a pixel; further ones are passed over.
    for (uint64_t i = 0; i < entries && i < 256; ++i) {
      const uint8_t* e = table + i * 4;
      m_palette[i] = uint32_t(e[0]) | (uint32_t(e[1]) << 8) | (uint32_t(e[2]) << 16) | kOpaque;
    }
  }
  // The declared file size must be there (a zero or tiny field asks for nothing).
  const uint64_t required = fileSize > 2 ? uint64_t(fileSize) - 2 : 0;
  if (src.Size() - start < required) throw CTextException::EndOfData();

  // The depth is judged only once the colour table and the declared size have been found, so a
  // short file of any depth reports its missing data first.
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32) {
    throw CTextException::Decoder(kDecodeBadHeader, "Decoding bmp: Illegal bpp value.");
  }
  // A negative height marks a top-down file; the most negative value has no positive counterpart.
  if (width <= 0 || rawHeight == 0 || rawHeight == std::numeric_limits<int32_t>::min()) {
    throw CTextException::Decoder(kDecodeBadHeader, "Bitmap decoder: Illegal image size.");
  }
  const bool topDown = rawHeight < 0;
  const int32_t height = topDown ? -rawHeight : rawHeight;

  const bool rle = compression != 0 && (bpp == 4 || bpp == 8);
  // Uncompressed pixels must all be present before anything is allocated for them.
  if (!rle && FileRowBytes(width, bpp) * uint64_t(height) > src.Remaining()) throw CTextException::EndOfData();

  const int destBpp = DestinationBpp(bpp);
  m_bitmap->Create(width, height, destBpp, false, m_limits);
  if (destBpp == 8) std::memcpy(m_bitmap->Palette(), m_palette, sizeof(m_palette));

  if (rle) {
    Trace(2, bpp == 4 ? "Decoding RLE4-compressed bitmap.\n" : "Decoding RLE8-compressed bitmap.\n");
    DecodeRle(bpp == 4, width, height, topDown);
  } else {
    DecodeUncompressed(bpp, width, height, topDown);
  }
  Trace(2, "Decoding finished.\n");
}

void CBmpDecoder::DecodeUncompressed(int bpp, int32_t width, int32_t height, bool topDown) {
  switch (bpp) {
    case 1: Trace(2, "Decoding 1 bit per pixel bitmap.\n"); break;
    case 4: Trace(2, "Decoding uncompressed 4 bit per pixel bitmap.\n"); break;
    case 8: Trace(2, "Decoding uncompressed 8 bit per pixel bitmap.\n"); break;
    case 24: Trace(2, "Decoding 24 bit per pixel bitmap.\n"); break;
    default: Trace(2, "Decoding 32 bit per pixel bitmap.\n"); break;
  }
  const size_t rowBytes = size_t(FileRowBytes(width, bpp));
  const bool wide = m_bitmap->BitsPerPixel() == 32;
  for (int32_t i = 0; i < height; ++i) {
    const uint8_t* s = m_source->ReadBytes(rowBytes);
    uint8_t* row = m_bitmap->Row(topDown ? i : height - 1 - i);
    uint32_t* words = reinterpret_cast<uint32_t*>(row);
    switch (bpp) {
      case 1:
        // A set bit is white and a clear one black, whatever the colour table says.
        for (int32_t x = 0; x < width; ++x) {
          const int bit = (s[x >> 3] >> (7 - (x & 7))) & 1;
          if (wide)
            words[x] = bit ? 0xFFFFFFFFu : kOpaque;
          else
            row[x] = uint8_t(bit);
        }
        break;
      case 4:
        for (int32_t x = 0; x < width; ++x) {
          const uint8_t index = (x & 1) ? (s[x >> 1] & 0x0F) : (s[x >> 1] >> 4);
          if (wide)
            words[x] = m_palette[index];
          else
            row[x] = index;
        }
        break;
      case 8:
        if (wide) {
          for (int32_t x = 0; x < width; ++x) words[x] = m_palette[s[x]];
        } else {
          std::memcpy(row, s, size_t(width));
        }
        break;
      case 24: ExpandBgr(s, words, width); break;
      default: std::memcpy(row, s, size_t(width) * 4); break;
    }
  }
}

void CBmpDecoder::DecodeRle(bool nibbles, int32_t width, int32_t height, bool topDown) {
  CDataSource& src = *m_source;
  const bool wide = m_bitmap->BitsPerPixel() == 32;
  const size_t start = src.Position();
  for (int32_t i = 0; i < height; ++i) {
    uint8_t* row = m_bitmap->Row(topDown ? i : height - 1 - i);
    uint32_t* words = reinterpret_cast<uint32_t*>(row);
    auto put = [&](int32_t x, uint8_t index) {
      if (wide)
        words[x] = m_palette[index];
      else
        row[x] = index;
    };
    int32_t x = 0;
    for (;;) {
      const uint8_t count = src.ReadByte();
      const uint8_t value = src.ReadByte();
      if (count != 0) {
        // An encoded run; the part beyond the row's end is dropped.
        for (int k = 0; k < count && x < width; ++k, ++x) {
          put(x, nibbles ? ((k & 1) ? (value & 0x0F) : (value >> 4)) : value);
        }
        continue;
      }
      if (value == 0) break;   // end of row
      if (value == 1) return;  // end of bitmap: later rows stay unwritten
      if (value == 2) throw CTextException::Decoder(kDecodeNoDecoder, "Encountered delta escape.");
      // An absolute run of `value` pixels, padded to an even number of bytes.
      const size_t bytes = nibbles ? (size_t(value) + 1) / 2 : value;
      const uint8_t* s = src.ReadBytes(bytes);
      for (int k = 0; k < value && x < width; ++k, ++x) {
        put(x, nibbles ? ((k & 1) ? (s[k >> 1] & 0x0F) : (s[k >> 1] >> 4)) : s[k]);
      }
      if ((src.Position() - start) & 1) src.ReadByte();
    }
  }
}

}  // namespace button
