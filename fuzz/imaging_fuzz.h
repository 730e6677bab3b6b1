#pragma once
// Limits for the fuzz targets: small enough that a hostile header costs milliseconds, large enough
// for every seed picture.
#include "button/imaging/DecodeLimits.h"

inline button::DecodeLimits FuzzLimits() {
  button::DecodeLimits limits;
  limits.maxDimension = 4096;
  limits.maxPixels = uint64_t(1) << 20;
  return limits;
}
