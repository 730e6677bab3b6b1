// CImageDIB: the per-pixel colour operations (two-source blends, tint, desaturation, text and
// mask blending). Channel operations keep byte 3; operations that write whole words clear it.
#include <algorithm>
#include <cstdlib>

#include "button/pixels/ImageDIB.h"
#include "button/pixels/PixelVectors.h"

namespace button {

// Two-source operations need an equal-size partner; with any other they leave this buffer as it is.
namespace {
// (c × o) >> 8 per byte.
inline U8x16 MultiplyBytes(U8x16 c, U8x16 o) {
  const Wide cw = Widen(c), ow = Widen(o);
  return HighBytes(cw.lo * ow.lo, cw.hi * ow.hi);
}
}  // namespace

template <class Op>
void CImageDIB::CombineWith(const CImageDIB& other, Op op) {
  if (SameSize(other)) ForEachBlock(m_bits, other.m_bits, PixelCount(), op);
}

void CImageDIB::Difference(const CImageDIB& other) {
  CombineWith(other, [](U8x16 c, U8x16 o) { return KeepByte3(Max(c, o) - Min(c, o), c); });
}

void CImageDIB::Lighten(const CImageDIB& other) {
  CombineWith(other, [](U8x16 c, U8x16 o) { return KeepByte3(Max(c, o), c); });
}

void CImageDIB::Darken(const CImageDIB& other) {
  CombineWith(other, [](U8x16 c, U8x16 o) { return KeepByte3(Min(c, o), c); });
}

void CImageDIB::Multiply(const CImageDIB& other) {
  CombineWith(other, [](U8x16 c, U8x16 o) { return KeepByte3(MultiplyBytes(c, o), c); });
}

// 255 − (((255 − c) × (255 − o)) >> 8): a multiply of the complements (255 − x is ~x on a byte).
void CImageDIB::Screen(const CImageDIB& other) {
  CombineWith(other, [](U8x16 c, U8x16 o) { return KeepByte3(~MultiplyBytes(~c, ~o), c); });
}

void CImageDIB::Add(const CImageDIB& other) {
  CombineWith(other, [](U8x16 c, U8x16 o) {
    const U8x16 s = c + o;                    // wraps on overflow ...
    return KeepByte3(s | (U8x16)(s < c), c);  // ... which the all-ones compare mask turns into 255
  });
}

// Whole words halved with one mask; byte 3 comes out 0.
void CImageDIB::Blend50(const CImageDIB& other) {
  CombineWith(other, [](U8x16 c, U8x16 o) {
    return AsBytes(((AsWords(c) >> 1) & 0x7F7F7Fu) + ((AsWords(o) >> 1) & 0x7F7F7Fu));
  });
}

void CImageDIB::BlendWith(const CImageDIB& other, int amount) {
  const uint8_t a = uint8_t(amount);
  CombineWith(other, [a](U8x16 c, U8x16 o) { return KeepByte3(BlendBytes(c, o, a), c); });
}

void CImageDIB::Tint(int r, int g, int b, int amount) {
  if (!HasPixels()) return;
  const uint8_t a = uint8_t(amount);
  const Wide share = Share(SplatWord(RgbWord(r, g, b)), a);
  ForEachBlock(m_bits, PixelCount(), [&](U8x16 c) { return KeepByte3(BlendBytes(c, share, a), c); });
}

// Average of the chosen channels. s / k is the high half of s × (65536 / k rounded up), exact for
// every sum of up to three bytes (checked below); a single channel is doubled first so that its
// factor, 32768, fits 16 bits.
namespace {
constexpr uint32_t kAverageFactor[4] = {0, 32768, 32768, 21846};
constexpr uint32_t kAverageShift[4] = {0, 1, 0, 0};
constexpr bool AverageIsExact() {
  for (uint32_t k = 1; k <= 3; ++k)
    for (uint32_t s = 0; s <= 255 * k; ++s)
      if (((s << kAverageShift[k]) * kAverageFactor[k]) >> 16 != s / k) return false;
  return true;
}
static_assert(AverageIsExact(), "the multiply must match integer division");
}  // namespace

void CImageDIB::Desaturate(int useR, int useG, int useB) {
  const int k = (useR != 0) + (useG != 0) + (useB != 0);
  if (!HasPixels() || k == 0) return;
  // A channel counts only when its flag is exactly 1 (though every non-zero flag counts in k).
  const uint32_t mr = useR == 1 ? 0xFF : 0, mg = useG == 1 ? 0xFF : 0, mb = useB == 1 ? 0xFF : 0;
  const uint32_t shift = kAverageShift[k];
  const U16x8 factor = U16x8{} + uint16_t(kAverageFactor[k]);
  ForEachBlock(m_bits, PixelCount(), [&](U8x16 c) {
    const U32x4 p = AsWords(c);
    const U32x4 s = (((p >> 16) & mr) + ((p >> 8) & mg) + (p & mb)) << shift;  // below 2^16
    const U32x4 v = (U32x4)MulHigh((U16x8)s, factor);
    return AsBytes(v | (v << 8) | (v << 16));
  });
}

// Pixels where the text layer differs in the blue byte or the low four bits of green take the text
// at the given opacity (byte 3 cleared); the others stay.
void CImageDIB::BlendText(const CImageDIB& textLayer, int amount) {
  const uint8_t a = uint8_t(amount);
  CombineWith(textLayer, [a](U8x16 c, U8x16 t) {
    const U32x4 differs = (U32x4)(((AsWords(c) ^ AsWords(t)) & 0xFFFu) != 0);
    const U32x4 blended = AsWords(BlendBytes(c, t, a)) & 0x00FFFFFFu;
    return AsBytes((blended & differs) | (AsWords(c) & ~differs));
  });
}

bool CImageDIB::ColorMatch(int r, int g, int b, int kr, int kg, int kb, int tolerance) {
  const auto within = [tolerance](int v, int k) { return std::llabs(int64_t(v) - int64_t(k)) <= tolerance; };
  return within(r, kr) && within(g, kg) && within(b, kb);
}

void CImageDIB::MaskTransparent(const CImageDIB* source, int x, int y, int opacityOther, int opacityKey,
                                uint32_t keyColour, int tolerance) {
  ClipRect c;
  if (!source || !HasPixels() || !source->HasPixels() ||
      !Clip(x, y, source->m_width, source->m_height, m_width, m_height, c))
    return;
  const int sx = c.x - x, sy = c.y - y;
  const U8x16 key = SplatWord(ColorRefWord(keyColour));
  // A pixel matches when every channel lies in [key − tolerance, key + tolerance] (cut to 0..255).
  // A negative tolerance admits nothing, which a key opacity equal to the other one expresses.
  const uint8_t t = uint8_t(std::clamp(tolerance, 0, 255));
  // Byte 3 of the bounds admits any value, so only the three channels decide.
  const U8x16 low = SubSat(key, Splat8(t)) & ChannelMask(), high = ~SubSat(~key, Splat8(t)) | ~ChannelMask();
  // Twice the opacities, one pixel per four 16-bit lanes; 0 in byte 3's lane leaves that byte alone.
  const auto twice = [](int opacity) {
    const uint16_t v = uint16_t(2 * uint8_t(opacity));
    return U16x8{v, v, v, 0, v, v, v, 0};
  };
  const U16x8 other = twice(opacityOther), flip = other ^ twice(tolerance < 0 ? opacityOther : opacityKey);
  for (int i = 0; i < c.h; ++i) {
    ForEachBlock(Row(c.y + i) + c.x, source->Row(sy + i) + sx, size_t(c.w), [&](U8x16 d, U8x16 s) {
      const U32x4 outside = AsWords(SubSat(s, high) | SubSat(low, s));
      const U32x4 match = (U32x4)(outside == 0u);
      const U16x8 matchLo = (U16x8)__builtin_shufflevector(match, match, 0, 0, 1, 1);
      const U16x8 matchHi = (U16x8)__builtin_shufflevector(match, match, 2, 2, 3, 3);
      const Wide dw = Widen(d), sw = Widen(s);
      return Narrow(BlendLanesTwice(dw.lo, sw.lo, other ^ (matchLo & flip)),
                    BlendLanesTwice(dw.hi, sw.hi, other ^ (matchHi & flip)));
    });
  }
}

}  // namespace button
