#include "button/imaging/CGifDecoder.h"

#include <cstring>

#include "button/imaging/CFileSource.h"
#include "button/pixels/ImageDIB.h"

namespace button {

namespace {

constexpr uint32_t kOpaqueBlack = 0xFF000000u;
constexpr int kMaxCodes = 4096;  // 12-bit codes

}  // namespace

// Bounds-checked reading of the file bytes: every read fails softly at the end of the data.
class CGifDecoder::Reader {
 public:
  Reader(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
  bool Byte(int& v) {
    if (m_pos >= m_size) return false;
    v = m_data[m_pos++];
    return true;
  }
  bool Word(int& v) {
    if (m_size - m_pos < 2) return false;
    v = m_data[m_pos] | (m_data[m_pos + 1] << 8);
    m_pos += 2;
    return true;
  }
  const uint8_t* Bytes(size_t n) {
    if (m_size - m_pos < n) return nullptr;
    const uint8_t* p = m_data + m_pos;
    m_pos += n;
    return p;
  }
  // Passes over data sub-blocks up to and including the empty one.
  bool SkipSubBlocks() {
    int n;
    while (Byte(n) && n != 0) {
      if (!Bytes(size_t(n))) return false;
    }
    return true;
  }

  // LZW codes, least significant bit first, gathered across the data sub-blocks.
  void BeginCodes() {
    m_bits = 0;
    m_bitCount = 0;
    m_blockLeft = 0;
    m_codesEnded = false;
  }
  bool Code(int width, int& code) {
    while (m_bitCount < width) {
      if (m_blockLeft == 0) {
        int n;
        if (m_codesEnded || !Byte(n) || n == 0) {
          m_codesEnded = true;
          return false;
        }
        m_blockLeft = n;
      }
      int b;
      if (!Byte(b)) {
        m_codesEnded = true;
        return false;
      }
      --m_blockLeft;
      m_bits |= uint32_t(b) << m_bitCount;
      m_bitCount += 8;
    }
    code = int(m_bits & ((1u << width) - 1));
    m_bits >>= width;
    m_bitCount -= width;
    return true;
  }

 private:
  const uint8_t* m_data;
  size_t m_size;
  size_t m_pos = 0;
  uint32_t m_bits = 0;
  int m_bitCount = 0;
  int m_blockLeft = 0;
  bool m_codesEnded = false;
};

int CGifDecoder::Decode(CImageDIB* target, uint32_t background, const std::string& path) {
  if (!target) return kUnreadable;
  CFileSource file;
  if (file.Open(path) != CFileSource::kOpened) return kUnreadable;
  return DecodeMemory(target, background, file.Data(), file.Size());
}

int CGifDecoder::DecodeMemory(CImageDIB* target, uint32_t background, const uint8_t* data, size_t size) {
  if (!target || (!data && size)) return kUnreadable;
  if (size < 3 || (data[0] | 0x20) != 'g' || (data[1] | 0x20) != 'i' || (data[2] | 0x20) != 'f') return kNotGif;
  m_target = target;
  m_background = background;
  m_transparentIndex = -1;
  m_delay = 0;
  m_packed = 0;
  m_rowsDecoded = 0;
  m_targetFresh = false;
  Reader in(data, size);
  in.Bytes(6);  // "GIF87a" or "GIF89a"
  DecodeStream(in);
  m_indices.clear();
  m_indices.shrink_to_fit();
  m_target = nullptr;
  return kDecoded;
}

bool CGifDecoder::SizeTarget(int width, int height) {
  if (!m_limits.Allows(width, height)) return false;
  if (m_targetFresh && m_target->Width() == width && m_target->Height() == height) return true;
  m_targetFresh = m_target->Create(width, height);
  return m_targetFresh;
}

void CGifDecoder::DecodeStream(Reader& in) {
  int screenWidth, screenHeight, packed, backgroundIndex, aspect;
  if (!in.Word(screenWidth) || !in.Word(screenHeight) || !in.Byte(packed) || !in.Byte(backgroundIndex) ||
      !in.Byte(aspect)) {
    return;
  }
  // A screen of no or absurd size is passed over; the image's own size decides the target.
  SizeTarget(screenWidth, screenHeight);
  for (uint32_t& c : m_global) c = kOpaqueBlack;
  if (packed & 0x80) {
    const int entries = 2 << (packed & 7);
    const uint8_t* table = in.Bytes(size_t(entries) * 3);
    if (!table) return;
    for (int i = 0; i < entries; ++i) {
      m_global[i] =
          uint32_t(table[i * 3 + 2]) | (uint32_t(table[i * 3 + 1]) << 8) | (uint32_t(table[i * 3]) << 16) | 0xFF000000u;
    }
  }
  for (;;) {
    int block;
    if (!in.Byte(block)) return;
    if (block == 0x3B) return;  // trailer: no image
    if (block == 0x2C) {
      DecodeImage(in);
      return;  // only the first image
    }
    if (block != 0x21) return;  // not a GIF block
    int label;
    if (!in.Byte(label)) return;
    if (label == 0xF9) {
      int n, flags, delay, index;
      if (!in.Byte(n)) return;
      if (n >= 4) {
        if (!in.Byte(flags) || !in.Word(delay) || !in.Byte(index) || !in.Bytes(size_t(n - 4))) return;
        m_packed = flags;
        m_delay = delay;
        m_transparentIndex = (flags & 1) ? index : -1;
      } else if (n > 0 && !in.Bytes(size_t(n))) {
        return;
      }
      if (n == 0) continue;  // the extension's terminator was already read
    }
    if (!in.SkipSubBlocks()) return;
  }
}

void CGifDecoder::DecodeImage(Reader& in) {
  int left, top, width, height, packed;
  if (!in.Word(left) || !in.Word(top) || !in.Word(width) || !in.Word(height) || !in.Byte(packed)) return;
  std::memcpy(m_colors, m_global, sizeof(m_colors));
  if (packed & 0x80) {
    const int entries = 2 << (packed & 7);
    const uint8_t* table = in.Bytes(size_t(entries) * 3);
    if (!table) return;
    for (int i = 0; i < 256; ++i) {
      m_colors[i] = i < entries ? uint32_t(table[i * 3 + 2]) | (uint32_t(table[i * 3 + 1]) << 8) |
                                      (uint32_t(table[i * 3]) << 16) | 0xFF000000u
                                : kOpaqueBlack;
    }
  }
  if (m_transparentIndex >= 0) {
    // 0x00BBGGRR becomes a pixel with red and blue swapped and 0 in the fourth byte.
    const uint32_t bg = m_background;
    m_colors[m_transparentIndex] = ((bg & 0xFF) << 16) | (bg & 0xFF00) | ((bg >> 16) & 0xFF);
  }
  // A zero-sized or over-large image leaves nothing decoded.
  if (!SizeTarget(width, height)) return;
  int minCodeSize;
  if (!in.Byte(minCodeSize)) return;
  const size_t total = size_t(width) * size_t(height);
  m_indices.resize(total);
  const size_t decoded = DecodeLzw(in, minCodeSize, m_indices.data(), total);
  WriteRows(m_indices.data(), width, height, (packed & 0x40) != 0, decoded);
}

// Decodes up to `total` pixel indices into `out`. Every string of the table is a stretch of the
// output already written, so the table keeps only its position and length and decoding is copying.
// Ends at the end code, at a code that cannot be valid, when the data runs out or the image is full.
size_t CGifDecoder::DecodeLzw(Reader& in, int minCodeSize, uint8_t* out, size_t total) {
  // Sizes above 8 cannot address a 256-entry colour table, so no valid file has them.
  if (minCodeSize < 1 || minCodeSize > 8) return 0;
  std::vector<uint32_t> startTable(kMaxCodes), lengthTable(kMaxCodes);
  uint32_t* const start = startTable.data();
  uint32_t* const length = lengthTable.data();
  const int clear = 1 << minCodeSize, end = clear + 1;
  int next = clear + 2, width = minCodeSize + 1;
  size_t pos = 0, prevPos = 0, prevLen = 0;
  bool havePrev = false;
  in.BeginCodes();
  int code;
  while (pos < total && in.Code(width, code)) {
    if (code == clear) {
      next = clear + 2;
      width = minCodeSize + 1;
      havePrev = false;
      continue;
    }
    if (code == end) break;
    size_t curLen;
    if (code < clear) {
      out[pos] = uint8_t(code);
      curLen = 1;
    } else if (code > end && code < next) {
      curLen = length[code];
      const size_t n = curLen <= total - pos ? curLen : total - pos;
      std::memcpy(out + pos, out + start[code], n);
    } else if (code == next && havePrev) {
      // The string being defined: the previous one and its own first index.
      curLen = prevLen + 1;
      const size_t n = prevLen <= total - pos ? prevLen : total - pos;
      std::memcpy(out + pos, out + prevPos, n);
      if (pos + prevLen < total) out[pos + prevLen] = out[prevPos];
    } else {
      break;  // beyond the table
    }
    if (havePrev && next < kMaxCodes) {
      // A full table takes no more strings until the next clear code.
      start[next] = uint32_t(prevPos);
      length[next] = uint32_t(prevLen + 1);
      if (++next == (1 << width) && width < 12) ++width;
    }
    if (curLen >= total - pos) return total;  // a string longer than the rest of the image is cut
    havePrev = true;
    prevPos = pos;
    prevLen = curLen;
    pos += curLen;
  }
  return pos;
}

void CGifDecoder::WriteRows(const uint8_t* indices, int width, int height, bool interlaced, size_t decoded) {
  // Only complete rows reach the picture; the target is bottom-up.
  const int rows = int(decoded / size_t(width));
  static const int kPassStart[4] = {0, 4, 2, 1};
  static const int kPassStep[4] = {8, 8, 4, 2};
  int pass = 0, y = 0;
  for (int i = 0; i < rows; ++i) {
    if (interlaced) {
      while (y >= height && pass < 3) {
        ++pass;
        y = kPassStart[pass];
      }
    } else {
      y = i;
    }
    const uint8_t* s = indices + size_t(i) * size_t(width);
    uint32_t* d = m_target->m_bits + size_t(height - 1 - y) * size_t(width);
    for (int x = 0; x < width; ++x) d[x] = m_colors[s[x]];
    if (interlaced) y += kPassStep[pass];
  }
  m_rowsDecoded = rows;
}

}  // namespace button
