// CImageDIB: life cycle and the structural drawing operations (fills, lines, copies, flips).
#include "button/pixels/ImageDIB.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "button/pixels/PixelVectors.h"

using namespace zbpix;

CImageDIB::CImageDIB() : m_Width(0), m_Height(0), m_Bits(nullptr) { std::memset(&m_Info, 0, sizeof(m_Info)); }

CImageDIB::~CImageDIB() { Destroy(); }

void CImageDIB::Destroy() {
  std::free(m_Bits);
  m_Bits = nullptr;
  m_Width = 0;
  m_Height = 0;
  std::memset(&m_Info, 0, sizeof(m_Info));
}

bool CImageDIB::Create(int32_t width, int32_t height) {
  Destroy();
  // The block holds one spare row and column; negative or oversized requests fail like a failed allocation.
  const int64_t w1 = int64_t(width) + 1, h1 = int64_t(height) + 1;
  uint64_t bytes = 0;
  bool ok = width >= 0 && height >= 0 && uint64_t(w1) * uint64_t(h1) <= kMaxBytes / 4;
  if (ok) {
    bytes = uint64_t(w1) * uint64_t(h1) * 4;
    m_Bits = static_cast<uint32_t*>(std::malloc(size_t(bytes)));
  }
  if (!m_Bits) {
    ErrorText = "Allocate memory FAILED. m_Bits=0";
    Destroy();
    return false;
  }
  std::memset(m_Bits, 255, size_t(bytes));
  m_Info.bmiHeader.biSize = 40;
  m_Info.bmiHeader.biWidth = width;
  m_Info.bmiHeader.biHeight = height;
  m_Info.bmiHeader.biPlanes = 1;
  m_Info.bmiHeader.biBitCount = 32;
  m_Info.bmiHeader.biCompression = 0;
  m_Info.bmiHeader.biSizeImage = uint32_t(bytes);
  m_Width = width;
  m_Height = height;
  return true;
}

size_t CImageDIB::PixelCount() const { return HasPixels() ? size_t(m_Width) * size_t(m_Height) : 0; }

bool CImageDIB::SameSize(const CImageDIB& other) const {
  return HasPixels() && other.HasPixels() && other.m_Width == m_Width && other.m_Height == m_Height;
}

void CImageDIB::Fill(int r, int g, int b) { std::fill_n(m_Bits, PixelCount(), RgbWord(r, g, b)); }

void CImageDIB::FillRect(int x, int y, int w, int h, int r, int g, int b) {
  Rect c;
  if (!HasPixels() || !Clip(x, y, w, h, m_Width, m_Height, c)) return;
  const uint32_t v = RgbWord(r, g, b);
  for (int row = c.y; row < c.y + c.h; ++row) std::fill_n(Row(row) + c.x, c.w, v);
}

void CImageDIB::BlendRect(int x, int y, int w, int h, uint32_t colorref, int alpha) {
  Rect c;
  if (!HasPixels() || !Clip(x, y, w, h, m_Width, m_Height, c)) return;
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
  Rect c;
  if (!HasPixels() || !Clip(x, y, w, h, m_Width, m_Height, c)) return;
  const uint32_t v = RgbWord(r, g, b);
  for (int i = 0; i < c.h; ++i) {
    uint32_t* p = Row(c.y + i) + c.x;
    for (int j = 1 - (i & 1); j < c.w; j += 2) p[j] = v;
  }
}

// Lines are meant for coordinates inside the buffer; anything outside is cut off rather than
// written past the pixel block.
void CImageDIB::HLine(int x1, int y, int x2, int r, int g, int b) {
  if (!HasPixels() || y < 0 || y >= m_Height) return;
  const int from = std::max(x1, 0), to = std::min(x2, m_Width - 1);
  if (from <= to) std::fill_n(Row(y) + from, to - from + 1, RgbWord(r, g, b));
}

void CImageDIB::VLine(int x, int y1, int y2, int r, int g, int b) {
  if (!HasPixels() || x < 0 || x >= m_Width) return;
  const int from = std::max(y1, 0), to = std::min(y2, m_Height - 1);
  const uint32_t v = RgbWord(r, g, b);
  for (int row = from; row <= to; ++row) Row(row)[x] = v;
}

void CImageDIB::BlitFrom(const CImageDIB& source, int x, int y) {
  Rect c;
  if (!HasPixels() || !source.HasPixels() || !Clip(x, y, source.m_Width, source.m_Height, m_Width, m_Height, c))
    return;
  const int sx = c.x - x, sy = c.y - y;  // first source pixel that lands inside
  for (int i = 0; i < c.h; ++i)
    std::memmove(Row(c.y + i) + c.x, source.Row(sy + i) + sx, size_t(c.w) * 4);
}

// Both copies need buffers of one size; with any other pair nothing is copied.
void CImageDIB::CopyFrom(const CImageDIB& source) {
  if (SameSize(source) && &source != this) std::memcpy(m_Bits, source.m_Bits, PixelCount() * 4);
}

void CImageDIB::CopyTo(CImageDIB& target) const { target.CopyFrom(*this); }

void CImageDIB::Flip(int vertical, int horizontal) {
  if (!HasPixels() || (vertical != 1 && horizontal != 1)) return;
  if (vertical == 1)
    for (int i = 0, j = m_Height - 1; i < j; ++i, --j) std::swap_ranges(Row(i), Row(i) + m_Width, Row(j));
  if (horizontal == 1)
    for (int i = 0; i < m_Height; ++i) ReverseRow(Row(i), size_t(m_Width));
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
