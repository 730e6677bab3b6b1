// CImageDIB: the neighbourhood and gradient filters (Blur, Gradient4, Buttonize).
#include <algorithm>
#include <climits>

#include "button/pixels/ImageDIB.h"
#include "button/pixels/PixelVectors.h"

using namespace zbpix;

namespace {

// Blur sums a channel over 1..5 pixels. Channels are spread into 21-bit lanes of a 64-bit word,
// summed together, and divided lane by lane with one multiply: (s × scale[count]) >> 13. Every
// lane product stays below 2^21, so lanes never spill into each other (checked below).
constexpr uint64_t kBlurScale[6] = {0, 8192, 4096, 2731, 2048, 1639};
constexpr uint64_t kLane8 = 0xFFull | (0xFFull << 21) | (0xFFull << 42);

constexpr bool BlurDivisionIsExact() {
  for (uint64_t count = 1; count <= 5; ++count)
    for (uint64_t s = 0; s <= 255 * count; ++s)
      if ((s * kBlurScale[count]) >> 13 != s / count || s * kBlurScale[count] >= (1u << 21)) return false;
  return true;
}
static_assert(BlurDivisionIsExact(), "lane division must match integer division without spilling");

inline uint64_t Spread21(uint32_t p) {
  return (p & 0xFFull) | (uint64_t(p & 0xFF00) << 13) | (uint64_t(p & 0xFF0000) << 26);
}
inline uint32_t Pack21(uint64_t q) {
  return uint32_t(q & 0xFF) | uint32_t((q >> 13) & 0xFF00) | uint32_t((q >> 26) & 0xFF0000);
}

// float to int truncating toward zero, saturated instead of undefined outside the int range.
inline int TruncToInt(float f) {
  if (!(f > float(INT_MIN))) return INT_MIN;
  if (f >= 2147483648.0f) return INT_MAX;
  return int(f);
}

// A corner of Gradient4 as (blue, green, red, opacity) lanes, the pixel word's byte order.
inline F32x4 Corner(uint32_t colorref, int alpha) {
  return F32x4{float((colorref >> 16) & 255), float((colorref >> 8) & 255), float(colorref & 255),
               float(alpha & 255)};
}
inline I32x4 TruncClamp(F32x4 v) {
  I32x4 i = __builtin_convertvector(v, I32x4);  // truncates toward zero
  i = i < 0 ? I32x4{} : i;
  return i > 255 ? I32x4{} + 255 : i;
}

}  // namespace

void CImageDIB::Blur(int n) {
  if (!HasPixels()) return;
  for (int64_t pass = 0; pass <= int64_t(n); ++pass) BlurPass();
}

// One in-place pass, bottom row first, left to right: the left neighbour and the row below already
// hold this pass's values, the right neighbour and the row above the previous ones.
void CImageDIB::BlurPass() {
  const int W = m_Width, H = m_Height;
  constexpr int kChunk = 256;
  uint64_t rest[kChunk];  // per pixel: the sum of everything but the left neighbour
  for (int y = 0; y < H; ++y) {
    uint32_t* row = Row(y);
    const uint32_t* below = y > 0 ? Row(y - 1) : nullptr;
    const uint32_t* above = y + 1 < H ? Row(y + 1) : nullptr;
    const int vertical = 1 + (below != nullptr) + (above != nullptr);
    uint64_t left = 0;  // the new left neighbour, spread
    for (int x0 = 0; x0 < W; x0 += kChunk) {
      const int n = std::min(kChunk, W - x0);
      for (int k = 0; k < n; ++k) {
        const int x = x0 + k;
        uint64_t s = Spread21(row[x]);
        if (x + 1 < W) s += Spread21(row[x + 1]);
        if (below) s += Spread21(below[x]);
        if (above) s += Spread21(above[x]);
        rest[k] = s;
      }
      for (int k = 0; k < n; ++k) {
        const int x = x0 + k;
        const int count = vertical + (x > 0) + (x + 1 < W);
        left = (((left + rest[k]) * kBlurScale[count]) >> 13) & kLane8;
        row[x] = Pack21(left);
      }
    }
  }
}

// Four-corner gradient. Colours and opacities run down the left and right edges in single-precision
// steps added once per displayed row, then across each row the same way; the last row and column
// therefore stop one step short of the far corners.
void CImageDIB::Gradient4(int x, int y, int w, int h, uint32_t c1, uint32_t c2, uint32_t c3, uint32_t c4, int a1,
                          int a2, int a3, int a4) {
  if (!HasPixels()) return;
  if (w == -1) w = m_Width;
  if (h == -1) h = m_Height;
  Rect c;
  if (!Clip(x, y, w, h, m_Width, m_Height, c)) return;
  const F32x4 topLeft = Corner(c1, a1), bottomLeft = Corner(c2, a2);
  const F32x4 topRight = Corner(c3, a3), bottomRight = Corner(c4, a4);
  const float rows = float(c.h), cols = float(c.w);
  const F32x4 leftStep = (bottomLeft - topLeft) / rows, rightStep = (bottomRight - topRight) / rows;
  F32x4 left = topLeft, right = topRight;
  for (int r = 0; r < c.h; ++r) {  // displayed rows, from the top
    const F32x4 from = __builtin_convertvector(TruncClamp(left), F32x4);
    const F32x4 step = (__builtin_convertvector(TruncClamp(right), F32x4) - from) / cols;
    F32x4 v = from;
    uint32_t* p = Row(c.y + c.h - 1 - r) + c.x;
    for (int i = 0; i < c.w; ++i) {
      const I32x4 q = TruncClamp(v);
      p[i] = BlendPixel(p[i], uint32_t(q[0]) | uint32_t(q[1]) << 8 | uint32_t(q[2]) << 16, uint32_t(q[3]));
      v += step;
    }
    left += leftStep;
    right += rightStep;
  }
}

// Bevel: colourA fades in from the left and top edges, colourB from the right and bottom ones, over
// n pixels; the bottom-left and top-right corners are split along a diagonal.
void CImageDIB::Buttonize(int n, uint32_t colourA, uint32_t colourB, int intensity) {
  if (!HasPixels() || n <= 0) return;
  const int W = m_Width, H = m_Height;
  const float step = float(intensity) / float(n);
  float v = float(intensity);
  // Past the larger side nothing is inside the buffer any more.
  const int last = std::min(n, std::max(W, H));
  for (int i = 0; i < last; ++i) {
    const int alpha = TruncToInt(v);
    BlendRect(i, n, 1, H - n, colourA, alpha);
    BlendRect(0, H - 1 - i, W - n, 1, colourA, alpha);
    BlendRect(W - 1 - i, 0, 1, H - n, colourB, alpha);
    BlendRect(n, i, W - n, 1, colourB, alpha);
    v -= step;
    float u = v + step * 0.5f;
    const float du = u / float(n - i);
    for (int j = 0; j <= n - 1 - i; ++j) {
      const int r = n - 1 - j;
      const int beta = TruncToInt(u);
      BlendRect(i, r, 1, 1, colourA, beta);
      BlendRect(W - 1 - i, H - n + j, 1, 1, colourB, beta);
      BlendRect(W - n + j, H - 1 - i, 1, 1, colourA, beta);
      BlendRect(r, i, 1, 1, colourB, beta);
      u -= du;
    }
  }
}
