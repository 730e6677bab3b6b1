#pragma once
// The screenshot file: a 24-bit BI_RGB Windows bitmap, rows bottom-up as the format stores them.
// Portable.
#include <cstdint>
#include <vector>

namespace tools {

// `pixels` are width x height words 0x00RRGGBB, rows top to bottom. Empty result when the sizes
// are not positive, the pixel count does not match, or the file would pass 2 GB.
std::vector<uint8_t> EncodeBmp24(int width, int height, const std::vector<uint32_t>& pixels);

}  // namespace tools
