#pragma once
// Internal helpers of CImageDIB's pixel loops: rectangle clipping, colour packing and blocks of
// four pixels handled as GCC/Clang vectors (plain SSE2 code on x86-64, no intrinsics needed).
#include <cstddef>
#include <cstdint>
#include <cstring>

// The 32-byte vectors below live only inside inlined helpers of one translation unit, so the
// calling-convention note GCC gives for them without AVX does not apply.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wpsabi"
#endif

namespace zbpix {

typedef uint8_t U8x16 __attribute__((vector_size(16)));
typedef int8_t I8x16 __attribute__((vector_size(16)));
typedef uint16_t U16x16 __attribute__((vector_size(32)));
typedef uint32_t U32x4 __attribute__((vector_size(16)));
typedef int32_t I32x4 __attribute__((vector_size(16)));
typedef float F32x4 __attribute__((vector_size(16)));

// A clipped rectangle, always inside the buffer when Clip returned true.
struct Rect {
  int x, y, w, h;
};

// The buffer's clipping rule: cut at the right/top edge first, then at the left/bottom edge.
// Done in 64 bits so that no caller-supplied value can overflow.
inline bool Clip(int64_t x, int64_t y, int64_t w, int64_t h, int width, int height, Rect& out) {
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
  out = Rect{int(x), int(y), int(w), int(h)};
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
inline U8x16 SplatWord(uint32_t w) {
  return (U8x16)(U32x4{} + w);
}

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

// Widening and narrowing between bytes and 16-bit lanes.
inline U16x16 Widen(U8x16 v) { return __builtin_convertvector(v, U16x16); }
inline U8x16 Narrow(U16x16 v) { return __builtin_convertvector(v, U8x16); }

// (c × 256 + (k − c) × a) >> 8 per byte, written as (c × (256 − a) + k × a) >> 8 so that every
// term is non-negative and fits a 16-bit lane (at most 255 × 256). a is 0..255 per byte.
inline U8x16 BlendBytes(U8x16 c, U8x16 k, U8x16 a) {
  const U16x16 aw = Widen(a);
  return Narrow((Widen(c) * (U16x16{} + 256 - aw) + Widen(k) * aw) >> 8);
}
inline U8x16 BlendBytes(U8x16 c, U8x16 k, uint8_t a) {
  return Narrow((Widen(c) * uint16_t(256 - a) + Widen(k) * uint16_t(a)) >> 8);
}

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

}  // namespace zbpix
