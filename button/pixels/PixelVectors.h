#pragma once
// Internal helpers of CImageDIB's pixel loops: rectangle clipping, colour packing and blocks of
// four pixels handled as GCC/Clang vectors (SSE2 code on x86-64; elsewhere the generic forms).
#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>  // two narrowing steps the generic vectors cannot say directly
#endif

namespace button {

typedef uint8_t U8x16 __attribute__((vector_size(16)));
typedef int8_t I8x16 __attribute__((vector_size(16)));
typedef uint16_t U16x8 __attribute__((vector_size(16)));
typedef uint32_t U32x4 __attribute__((vector_size(16)));
typedef int16_t I16x8 __attribute__((vector_size(16)));
typedef uint32_t U32x8 __attribute__((vector_size(32)));  // generic fallbacks only
typedef int32_t I32x8 __attribute__((vector_size(32)));
typedef uint64_t U64x2 __attribute__((vector_size(16)));
typedef int32_t I32x4 __attribute__((vector_size(16)));
typedef float F32x4 __attribute__((vector_size(16)));

// A clipped rectangle, always inside the buffer when Clip returned true.
struct ClipRect {
  int x, y, w, h;
};

// The buffer's clipping rule: cut at the right/top edge first, then at the left/bottom edge.
// Done in 64 bits so that no caller-supplied value can overflow.
inline bool Clip(int64_t x, int64_t y, int64_t w, int64_t h, int width, int height, ClipRect& out) {
  if (x + w >= width) w = width - x;
  if (x < 0) {
    w += x;
    x = 0;
  }
  if (y + h >= height) h = height - y;
  if (y < 0) {
    h += y;
    y = 0;
  }
  if (w <= 0 || h <= 0) return false;
  out = ClipRect{int(x), int(y), int(w), int(h)};
  return true;
}

// (r, g, b) channel bytes to a pixel word; only the low 8 bits of each count.
inline uint32_t RgbWord(int r, int g, int b) {
  return (uint32_t(r & 255) << 16) | (uint32_t(g & 255) << 8) | uint32_t(b & 255);
}
// COLORREF / OLE colour 0x00BBGGRR to a pixel word 0x00RRGGBB.
inline uint32_t ColorRefWord(uint32_t c) { return ((c & 255) << 16) | (c & 0xFF00) | ((c >> 16) & 255); }

// Bytes 0..2 of every pixel set, byte 3 clear.
inline U8x16 ChannelMask() {
  const U32x4 m = {0x00FFFFFFu, 0x00FFFFFFu, 0x00FFFFFFu, 0x00FFFFFFu};
  return (U8x16)m;
}
inline U8x16 Splat8(uint8_t v) { return U8x16{} + v; }
inline U8x16 SplatWord(uint32_t w) { return (U8x16)(U32x4{} + w); }

inline U8x16 Load(const uint32_t* p) {
  U8x16 v;
  std::memcpy(&v, p, 16);
  return v;
}
inline void Store(uint32_t* p, U8x16 v) { std::memcpy(p, &v, 16); }

// Vector casts reinterpret the bits.
inline U8x16 AsBytes(U32x4 v) { return (U8x16)v; }
inline U32x4 AsWords(U8x16 v) { return (U32x4)v; }
inline U8x16 Max(U8x16 a, U8x16 b) { return a > b ? a : b; }
inline U8x16 Min(U8x16 a, U8x16 b) { return a < b ? a : b; }

// Widening and narrowing between bytes and 16-bit lanes (little-endian lane order).
struct Wide {
  U16x8 lo, hi;  // bytes 0..7 and 8..15
};
inline Wide Widen(U8x16 v) {
  const U8x16 z = {};
  return {(U16x8)__builtin_shufflevector(v, z, 0, 16, 1, 17, 2, 18, 3, 19, 4, 20, 5, 21, 6, 22, 7, 23),
          (U16x8)__builtin_shufflevector(v, z, 8, 24, 9, 25, 10, 26, 11, 27, 12, 28, 13, 29, 14, 30, 15, 31)};
}
// Bytes from 16-bit lanes that hold 0..255.
inline U8x16 Narrow(U16x8 lo, U16x8 hi) {
#if defined(__SSE2__)
  return (U8x16)_mm_packus_epi16((__m128i)lo, (__m128i)hi);
#else
  return __builtin_shufflevector((U8x16)lo, (U8x16)hi, 0, 2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22, 24, 26, 28, 30);
#endif
}
inline U8x16 Narrow(Wide w) { return Narrow(w.lo, w.hi); }
// The high byte of each 16-bit lane.
inline U8x16 HighBytes(U16x8 lo, U16x8 hi) { return Narrow(lo >> 8, hi >> 8); }
// (a × b) >> 16 per 16-bit lane, unsigned and signed (rounding down).
inline U16x8 MulHigh(U16x8 a, U16x8 b) {
#if defined(__SSE2__)
  return (U16x8)_mm_mulhi_epu16((__m128i)a, (__m128i)b);
#else
  return __builtin_convertvector((__builtin_convertvector(a, U32x8) * __builtin_convertvector(b, U32x8)) >> 16, U16x8);
#endif
}
inline U16x8 MulHighSigned(U16x8 a, U16x8 b) {
#if defined(__SSE2__)
  return (U16x8)_mm_mulhi_epi16((__m128i)a, (__m128i)b);
#else
  return (U16x8) __builtin_convertvector(
      (__builtin_convertvector((I16x8)a, I32x8) * __builtin_convertvector((I16x8)b, I32x8)) >> 16, I16x8);
#endif
}
// Two vectors of ints 0..32767 as one vector of 16-bit lanes.
inline U16x8 PackInts(I32x4 a, I32x4 b) {
#if defined(__SSE2__)
  return (U16x8)_mm_packs_epi32((__m128i)a, (__m128i)b);
#else
  return __builtin_convertvector(__builtin_shufflevector(a, b, 0, 1, 2, 3, 4, 5, 6, 7), U16x8);
#endif
}
// Truncation toward zero of floats held to 0..255 first.
inline I32x4 TruncTo255(F32x4 v) {
#if defined(__SSE2__)
  v = (F32x4)_mm_min_ps(_mm_max_ps((__m128)v, _mm_setzero_ps()), _mm_set1_ps(255.0f));
#else
  v = v < 0.0f ? F32x4{} : v;
  v = v > 255.0f ? F32x4{} + 255.0f : v;
#endif
  return __builtin_convertvector(v, I32x4);
}
// max(a − b, 0) per byte.
inline U8x16 SubSat(U8x16 a, U8x16 b) {
#if defined(__SSE2__)
  return (U8x16)_mm_subs_epu8((__m128i)a, (__m128i)b);
#else
  return (a > b ? a : b) - b;
#endif
}

// (c × 256 + (k − c) × a) >> 8 per lane, that is c + floor((k − c) × a / 256): the signed high
// half of ((k − c) << 7) × 2a, both factors within 16 bits. Lanes hold 0..255; where a is 0 the
// lane of c comes out unchanged.
inline U16x8 BlendLanesTwice(U16x8 c, U16x8 k, U16x8 twiceA) { return c + MulHighSigned((k - c) << 7, twiceA); }
inline U16x8 BlendLanes(U16x8 c, U16x8 k, U16x8 a) { return BlendLanesTwice(c, k, a << 1); }
inline U8x16 BlendBytes(U8x16 c, U8x16 k, U8x16 a) {
  const Wide cw = Widen(c), kw = Widen(k), aw = Widen(a);
  return Narrow(BlendLanes(cw.lo, kw.lo, aw.lo), BlendLanes(cw.hi, kw.hi, aw.hi));
}
// With one amount for every byte the same value is (c × (256 − a) + k × a) >> 8, all terms
// non-negative and within 16 bits; k's share, Widen(k) × a, can be worked out once.
inline U8x16 BlendBytes(U8x16 c, Wide kShare, uint8_t a) {
  const Wide cw = Widen(c);
  const uint16_t keep = uint16_t(256 - a);
  return HighBytes(cw.lo * keep + kShare.lo, cw.hi * keep + kShare.hi);
}
inline Wide Share(U8x16 k, uint8_t a) {
  const Wide kw = Widen(k);
  return {kw.lo * uint16_t(a), kw.hi * uint16_t(a)};
}
inline U8x16 BlendBytes(U8x16 c, U8x16 k, uint8_t a) { return BlendBytes(c, Share(k, a), a); }

// The same blend for one pixel's three channels, byte 3 kept: channels spread into 16-bit lanes
// of a 64-bit word and blended together.
inline uint64_t Spread16(uint32_t p) {
  return (p & 0xFFull) | (uint64_t(p & 0xFF00) << 8) | (uint64_t(p & 0xFF0000) << 16);
}
inline uint32_t BlendPixel(uint32_t p, uint32_t k, uint32_t a) {
  const uint64_t r = ((Spread16(p) * (256 - a) + Spread16(k) * a) >> 8) & 0x000000FF00FF00FFull;
  return (p & 0xFF000000u) | uint32_t(r & 0xFF) | uint32_t((r >> 8) & 0xFF00) | uint32_t((r >> 16) & 0xFF0000);
}

// Runs op over n pixels, four at a time; a short tail is staged through a local block so no word
// beyond the n-th is touched. op(d) returns the new block.
template <class Op>
inline void ForEachBlock(uint32_t* dst, size_t n, Op op) {
  size_t i = 0;
  for (; i + 4 <= n; i += 4) Store(dst + i, op(Load(dst + i)));
  if (i < n) {
    uint32_t d[4] = {0, 0, 0, 0};
    std::memcpy(d, dst + i, (n - i) * 4);
    Store(d, op(Load(d)));
    std::memcpy(dst + i, d, (n - i) * 4);
  }
}
// Two-source form: op(d, s) with s read from src.
template <class Op>
inline void ForEachBlock(uint32_t* dst, const uint32_t* src, size_t n, Op op) {
  size_t i = 0;
  for (; i + 4 <= n; i += 4) Store(dst + i, op(Load(dst + i), Load(src + i)));
  if (i < n) {
    uint32_t d[4] = {0, 0, 0, 0}, s[4] = {0, 0, 0, 0};
    std::memcpy(d, dst + i, (n - i) * 4);
    std::memcpy(s, src + i, (n - i) * 4);
    Store(d, op(Load(d), Load(s)));
    std::memcpy(dst + i, d, (n - i) * 4);
  }
}

// Keeps byte 3 of the original pixels: channel operations never change it.
inline U8x16 KeepByte3(U8x16 result, U8x16 original) {
  const U8x16 m = ChannelMask();
  return (result & m) | (original & ~m);
}

}  // namespace button
