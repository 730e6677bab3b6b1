// CImageDIB: life cycle and the structural drawing operations (fills, lines, copies, flips).
#include "button/pixels/ImageDIB.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "button/pixels/PixelVectors.h"

namespace button {

CImageDIB::CImageDIB() : m_width(0), m_height(0), m_bits(nullptr) { std::memset(&m_info, 0, sizeof(m_info)); }

CImageDIB::~CImageDIB() { Destroy(); }

void CImageDIB::Destroy() {
  std::free(m_bits);
  m_bits = nullptr;
  m_width = 0;
  m_height = 0;
  std::memset(&m_info, 0, sizeof(m_info));
}

bool CImageDIB::Create(int32_t width, int32_t height) {
  Destroy();
  // The block holds one spare row and column; negative or oversized requests fail like a failed allocation.
  const int64_t w1 = int64_t(width) + 1, h1 = int64_t(height) + 1;
  uint64_t bytes = 0;
  bool ok = width >= 0 && height >= 0 && uint64_t(w1) * uint64_t(h1) <= kMaxBytes / 4;
  if (ok) {
    bytes = uint64_t(w1) * uint64_t(h1) * 4;
    m_bits = static_cast<uint32_t*>(std::malloc(size_t(bytes)));
  }
  if (!m_bits) {
    ErrorText = "Allocate memory FAILED. m_bits=0";
    Destroy();
    return false;
  }
  std::memset(m_bits, 255, size_t(bytes));
  m_info.bmiHeader.biSize = 40;
  m_info.bmiHeader.biWidth = width;
  m_info.bmiHeader.biHeight = height;
  m_info.bmiHeader.biPlanes = 1;
  m_info.bmiHeader.biBitCount = 32;
  m_info.bmiHeader.biCompression = 0;
  m_info.bmiHeader.biSizeImage = uint32_t(bytes);
  m_width = width;
  m_height = height;
  return true;
}

size_t CImageDIB::PixelCount() const { return HasPixels() ? size_t(m_width) * size_t(m_height) : 0; }

bool CImageDIB::SameSize(const CImageDIB& other) const {
  return HasPixels() && other.HasPixels() && other.m_width == m_width && other.m_height == m_height;
}

void CImageDIB::Fill(int r, int g, int b) { std::fill_n(m_bits, PixelCount(), RgbWord(r, g, b)); }

void CImageDIB::FillRect(int x, int y, int w, int h, int r, int g, int b) {
  ClipRect c;
  if (!HasPixels() || !Clip(x, y, w, h, m_width, m_height, c)) return;
  const uint32_t v = RgbWord(r, g, b);
  for (int row = c.y; row < c.y + c.h; ++row) std::fill_n(Row(row) + c.x, c.w, v);
}

void CImageDIB::BlendRect(int x, int y, int w, int h, uint32_t colorref, int alpha) {
  ClipRect c;
  if (!HasPixels() || !Clip(x, y, w, h, m_width, m_height, c)) return;
  const uint32_t k = ColorRefWord(colorref);
  const uint32_t a = uint32_t(alpha) & 255;
  if (c.w < 4) {  // the bevels blend many single pixels
    for (int row = c.y; row < c.y + c.h; ++row)
      for (uint32_t *p = Row(row) + c.x, *e = p + c.w; p != e; ++p) *p = BlendPixel(*p, k, a);
    return;
  }
  const Wide share = Share(SplatWord(k), uint8_t(a));
  for (int row = c.y; row < c.y + c.h; ++row)
    ForEachBlock(Row(row) + c.x, size_t(c.w), [&](U8x16 d) { return KeepByte3(BlendBytes(d, share, uint8_t(a)), d); });
}

void CImageDIB::DitherRect(int x, int y, int w, int h, int r, int g, int b) {
  ClipRect c;
  if (!HasPixels() || !Clip(x, y, w, h, m_width, m_height, c)) return;
  const uint32_t v = RgbWord(r, g, b);
  for (int i = 0; i < c.h; ++i) {
    uint32_t* p = Row(c.y + i) + c.x;
    for (int j = 1 - (i & 1); j < c.w; j += 2) p[j] = v;
  }
}

// Lines are meant for coordinates inside the buffer; anything outside is cut off rather than
// written past the pixel block.
void CImageDIB::HLine(int x1, int y, int x2, int r, int g, int b) {
  if (!HasPixels() || y < 0 || y >= m_height) return;
  const int from = std::max(x1, 0), to = std::min(x2, m_width - 1);
  if (from <= to) std::fill_n(Row(y) + from, to - from + 1, RgbWord(r, g, b));
}

void CImageDIB::VLine(int x, int y1, int y2, int r, int g, int b) {
  if (!HasPixels() || x < 0 || x >= m_width) return;
  const int from = std::max(y1, 0), to = std::min(y2, m_height - 1);
  const uint32_t v = RgbWord(r, g, b);
  for (int row = from; row <= to; ++row) Row(row)[x] = v;
}

void CImageDIB::BlitFrom(const CImageDIB& source, int x, int y) {
  ClipRect c;
  if (!HasPixels() || !source.HasPixels() || !Clip(x, y, source.m_width, source.m_height, m_width, m_height, c)) return;
  const int sx = c.x - x, sy = c.y - y;  // first source pixel that lands inside
  for (int i = 0; i < c.h; ++i) std::memmove(Row(c.y + i) + c.x, source.Row(sy + i) + sx, size_t(c.w) * 4);
}

// Both copies need buffers of one size; with any other pair nothing is copied.
void CImageDIB::CopyFrom(const CImageDIB& source) {
  if (SameSize(source) && &source != this) std::memcpy(m_bits, source.m_bits, PixelCount() * 4);
}

void CImageDIB::CopyTo(CImageDIB& target) const { target.CopyFrom(*this); }

void CImageDIB::Flip(int vertical, int horizontal) {
  if (!HasPixels() || (vertical != 1 && horizontal != 1)) return;
  if (vertical == 1)
    for (int i = 0, j = m_height - 1; i < j; ++i, --j) std::swap_ranges(Row(i), Row(i) + m_width, Row(j));
  if (horizontal == 1)
    for (int i = 0; i < m_height; ++i) ReverseRow(Row(i), size_t(m_width));
}

// Mirrors one row: whole blocks of four swap ends with their order reversed, the middle goes by word.
void CImageDIB::ReverseRow(uint32_t* p, size_t n) {
  uint32_t* q = p + n;
  while (q - p >= 8) {
    q -= 4;
    const U32x4 a = AsWords(Load(p)), b = AsWords(Load(q));
    Store(p, AsBytes(__builtin_shufflevector(b, b, 3, 2, 1, 0)));
    Store(q, AsBytes(__builtin_shufflevector(a, a, 3, 2, 1, 0)));
    p += 4;
  }
  std::reverse(p, q);
}

}  // namespace button
