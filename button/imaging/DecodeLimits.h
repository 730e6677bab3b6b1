#pragma once
// The largest picture a decoder agrees to produce. Hostile headers may claim any size; a decoder
// checks the claim against these limits before it allocates anything for the pixels.
#include <cstddef>
#include <cstdint>

namespace button {

struct DecodeLimits {
  int32_t maxDimension = 32768;             // pixels per side
  uint64_t maxPixels = uint64_t(64) << 20;  // width x height (64 Mi pixels, 256 MiB at 32 bits)

  // True when a width x height picture is positive and within the limits.
  bool Allows(int64_t width, int64_t height) const {
    return width > 0 && height > 0 && width <= maxDimension && height <= maxDimension &&
           uint64_t(width) * uint64_t(height) <= maxPixels;
  }
};

}  // namespace button
