// CImageDIB: the neighbourhood and gradient filters (Blur, Gradient4, Buttonize).
#include <algorithm>
#include <climits>

#include "button/pixels/ImageDIB.h"
#include "button/pixels/PixelVectors.h"

namespace button {

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
// Four 16-bit lanes (the last one dropped) to 21-bit lanes, for two pixels at once.
inline U64x2 Spread16To21(U64x2 t) {
  return (t & 0xFFFFu) | ((t & 0xFFFF0000u) << 5) | ((t & 0xFFFF00000000ull) << 10);
}
inline uint32_t Pack21(uint64_t q) {
  return uint32_t(q & 0xFF) | uint32_t((q >> 13) & 0xFF00) | uint32_t((q >> 26) & 0xFF0000);
}

constexpr int kBlurChunk = 256;

// For n pixels from x of a row: the spread sums of each pixel, its right neighbour (if inside the
// row) and the pixels below and above (where given) -- everything but the left neighbour.
void RestSums(uint64_t* rest, const uint32_t* row, const uint32_t* below, const uint32_t* above, int x, int n, int W) {
  int k = 0;
  for (; k + 4 <= n && x + k + 4 < W; k += 4) {  // the right neighbours are all inside
    const int at = x + k;
    Wide s = Widen(Load(row + at)), t = Widen(Load(row + at + 1));
    s.lo += t.lo, s.hi += t.hi;
    if (below) t = Widen(Load(below + at)), s.lo += t.lo, s.hi += t.hi;
    if (above) t = Widen(Load(above + at)), s.lo += t.lo, s.hi += t.hi;
    const U64x2 lo = Spread16To21((U64x2)s.lo), hi = Spread16To21((U64x2)s.hi);
    std::memcpy(rest + k, &lo, 16);
    std::memcpy(rest + k + 2, &hi, 16);
  }
  for (; k < n; ++k) {
    const int at = x + k;
    uint64_t s = Spread21(row[at]);
    if (at + 1 < W) s += Spread21(row[at + 1]);
    if (below) s += Spread21(below[at]);
    if (above) s += Spread21(above[at]);
    rest[k] = s;
  }
}

// The divisor for a pixel: itself, its vertical neighbours and the horizontal ones inside the row.
inline uint64_t BlurScale(int vertical, int x, int W) { return kBlurScale[vertical + (x > 0) + (x + 1 < W)]; }
inline uint64_t BlurDivide(uint64_t sum, uint64_t scale) { return ((sum * scale) >> 13) & kLane8; }

// Writes n chain results back as pixel words, two at a time.
void PackRow(uint32_t* row, const uint64_t* q, int n) {
  int i = 0;
  for (; i + 4 <= n; i += 4) {
    U64x2 a, b;
    std::memcpy(&a, q + i, 16);
    std::memcpy(&b, q + i + 2, 16);
    a = (a & 0xFFu) | ((a >> 13) & 0xFF00u) | ((a >> 26) & 0xFF0000u);
    b = (b & 0xFFu) | ((b >> 13) & 0xFF00u) | ((b >> 26) & 0xFF0000u);
    const U32x4 words = __builtin_shufflevector((U32x4)a, (U32x4)b, 0, 2, 4, 6);
    std::memcpy(row + i, &words, 16);
  }
  for (; i < n; ++i) row[i] = Pack21(q[i]);
}

// One row on its own (the top row of an odd height).
void BlurRow(uint32_t* row, const uint32_t* below, const uint32_t* above, int W) {
  const int vertical = 1 + (below != nullptr) + (above != nullptr);
  uint64_t rest[kBlurChunk], left = 0;  // left: the new left neighbour, spread
  for (int x0 = 0; x0 < W; x0 += kBlurChunk) {
    const int n = std::min(kBlurChunk, W - x0);
    RestSums(rest, row, below, above, x0, n, W);
    for (int i = 0; i < n; ++i) rest[i] = left = BlurDivide(left + rest[i], BlurScale(vertical, x0 + i, W));
    PackRow(row + x0, rest, n);
  }
}

// Two rows r0 (below) and r1 (above it). r1's pixel x - 1 follows r0's pixel x, taking r0's new
// value there as its lower neighbour straight from the chain. Results wait in the sum arrays until
// a stretch is done, so the rows keep their old values for the sums of the next stretch.
void BlurRowPair(uint32_t* r0, uint32_t* r1, const uint32_t* below, const uint32_t* above, int W) {
  const int vertical0 = 2 + (below != nullptr), vertical1 = 2 + (above != nullptr);
  const uint64_t inner0 = kBlurScale[vertical0 + 2], inner1 = kBlurScale[vertical1 + 2];
  uint64_t rest0[kBlurChunk], rest1[kBlurChunk];  // rest1[i] belongs to pixel x0 - 1 + i of r1
  uint64_t left0 = 0, left1 = 0, down = 0;        // down: r0's new value under r1's next pixel
  for (int x0 = 0; x0 < W; x0 += kBlurChunk) {
    const int n = std::min(kBlurChunk, W - x0);
    // r1 is still old from x0 - 1 on, so both stretches read old values where they must.
    RestSums(rest0, r0, below, r1, x0, n, W);
    if (x0 == 0)
      RestSums(rest1 + 1, r1, nullptr, above, 0, n - 1, W);
    else
      RestSums(rest1, r1, nullptr, above, x0 - 1, n, W);
    const auto step = [&](int i, uint64_t scale0, uint64_t scale1) {
      rest0[i] = BlurDivide(left0 + rest0[i], scale0);
      rest1[i] = left1 = BlurDivide(left1 + rest1[i] + down, scale1);
      left0 = down = rest0[i];
    };
    // Both rows' pixels have two horizontal neighbours for x in [2, W - 2].
    const int from = std::max(x0, 2), to = std::min(x0 + n, W - 1);
    int x = x0;
    for (; x < from && x < x0 + n; ++x) {
      if (x == 0) {
        rest0[0] = left0 = down = BlurDivide(rest0[0], BlurScale(vertical0, 0, W));
      } else {
        step(x - x0, BlurScale(vertical0, x, W), BlurScale(vertical1, x - 1, W));
      }
    }
    for (; x < to; ++x) step(x - x0, inner0, inner1);
    for (; x < x0 + n; ++x) step(x - x0, BlurScale(vertical0, x, W), BlurScale(vertical1, x - 1, W));
    PackRow(r0 + x0, rest0, n);
    if (x0 == 0)
      PackRow(r1, rest1 + 1, n - 1);
    else
      PackRow(r1 + x0 - 1, rest1, n);
  }
  const uint64_t last = Spread21(r1[W - 1]) + (above ? Spread21(above[W - 1]) : 0);
  r1[W - 1] = Pack21(BlurDivide(left1 + last + down, BlurScale(vertical1, W - 1, W)));
}

// float to int truncating toward zero, saturated instead of undefined outside the int range.
inline int TruncToInt(float f) {
  if (!(f > float(INT_MIN))) return INT_MIN;
  if (f >= 2147483648.0f) return INT_MAX;
  return int(f);
}

// A corner of Gradient4 as (blue, green, red, opacity) lanes, the pixel word's byte order.
inline F32x4 Corner(uint32_t colorref, int alpha) {
  return F32x4{float((colorref >> 16) & 255), float((colorref >> 8) & 255), float(colorref & 255), float(alpha & 255)};
}

// Blends n pixels toward per-pixel colours and opacities given as (blue, green, red, opacity) ints.
void BlendGradientRow(uint32_t* p, const I32x4* values, int n) {
  const U16x8 noByte3 = {0xFFFF, 0xFFFF, 0xFFFF, 0, 0xFFFF, 0xFFFF, 0xFFFF, 0};
  ForEachBlock(p, size_t(n), [&](U8x16 d) {
    const U16x8 k01 = PackInts(values[0], values[1]), k23 = PackInts(values[2], values[3]);
    values += 4;
    const U16x8 a01 = __builtin_shufflevector(k01, k01, 3, 3, 3, 3, 7, 7, 7, 7) & noByte3;
    const U16x8 a23 = __builtin_shufflevector(k23, k23, 3, 3, 3, 3, 7, 7, 7, 7) & noByte3;
    const Wide dw = Widen(d);
    return Narrow(BlendLanes(dw.lo, k01, a01), BlendLanes(dw.hi, k23, a23));
  });
}

}  // namespace

void CImageDIB::Blur(int n) {
  if (!HasPixels()) return;
  for (int64_t pass = 0; pass <= int64_t(n); ++pass) BlurPass();
}

// One in-place pass, bottom row first, left to right: the left neighbour and the row below already
// hold this pass's values, the right neighbour and the row above the previous ones. Rows go in
// pairs so that two left-to-right chains run side by side, the upper row one pixel behind.
void CImageDIB::BlurPass() {
  const int W = m_width, H = m_height;
  for (int y = 0; y < H; y += 2) {
    uint32_t* below = y > 0 ? Row(y - 1) : nullptr;
    if (y + 1 == H)
      BlurRow(Row(y), below, nullptr, W);
    else
      BlurRowPair(Row(y), Row(y + 1), below, y + 2 < H ? Row(y + 2) : nullptr, W);
  }
}

// Four-corner gradient. Colours and opacities run down the left and right edges in single-precision
// steps added once per displayed row, then across each row the same way; the last row and column
// therefore stop one step short of the far corners. Values are (blue, green, red, opacity) lanes.
// Four rows advance together (their sums are independent), their truncated values are collected
// for a stretch of columns, and then blended four pixels at a time.
void CImageDIB::Gradient4(int x, int y, int w, int h, uint32_t c1, uint32_t c2, uint32_t c3, uint32_t c4, int a1,
                          int a2, int a3, int a4) {
  if (!HasPixels()) return;
  if (w == -1) w = m_width;
  if (h == -1) h = m_height;
  ClipRect c;
  if (!Clip(x, y, w, h, m_width, m_height, c)) return;
  const F32x4 topLeft = Corner(c1, a1), bottomLeft = Corner(c2, a2);
  const F32x4 topRight = Corner(c3, a3), bottomRight = Corner(c4, a4);
  const float rows = float(c.h), cols = float(c.w);
  const F32x4 leftStep = (bottomLeft - topLeft) / rows, rightStep = (bottomRight - topRight) / rows;
  F32x4 left = topLeft, right = topRight;
  constexpr int kRows = 4, kChunk = 128;
  I32x4 values[kRows][kChunk + 3] = {};      // room to read whole blocks of four
  for (int r0 = 0; r0 < c.h; r0 += kRows) {  // displayed rows, from the top
    const int n = std::min(kRows, c.h - r0);
    F32x4 v[kRows], step[kRows];
    uint32_t* row[kRows];
    for (int k = 0; k < kRows; ++k) {
      const F32x4 from = __builtin_convertvector(TruncTo255(left), F32x4);
      v[k] = from;
      step[k] = (__builtin_convertvector(TruncTo255(right), F32x4) - from) / cols;
      row[k] = k < n ? Row(c.y + c.h - 1 - (r0 + k)) + c.x : nullptr;
      if (k < n) left += leftStep, right += rightStep;
    }
    for (int x0 = 0; x0 < c.w; x0 += kChunk) {
      const int m = std::min(kChunk, c.w - x0);
      for (int i = 0; i < m; ++i) {  // rows beyond n are computed and not used
        values[0][i] = TruncTo255(v[0]);
        values[1][i] = TruncTo255(v[1]);
        values[2][i] = TruncTo255(v[2]);
        values[3][i] = TruncTo255(v[3]);
        v[0] += step[0];
        v[1] += step[1];
        v[2] += step[2];
        v[3] += step[3];
      }
      for (int k = 0; k < n; ++k) BlendGradientRow(row[k] + x0, values[k], m);
    }
  }
}

// Bevel: colourA fades in from the left and top edges, colourB from the right and bottom ones, over
// n pixels; the bottom-left and top-right corners are split along a diagonal.
void CImageDIB::Buttonize(int n, uint32_t colourA, uint32_t colourB, int intensity) {
  if (!HasPixels() || n <= 0) return;
  const int W = m_width, H = m_height;
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

}  // namespace button
