#include "tools/zbhost/BmpFile.h"

namespace tools {

namespace {

void Put16(std::vector<uint8_t>& b, std::size_t at, uint32_t v) {
  b[at] = uint8_t(v);
  b[at + 1] = uint8_t(v >> 8);
}
void Put32(std::vector<uint8_t>& b, std::size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + std::size_t(i)] = uint8_t(v >> (8 * i));
}

}  // namespace

std::vector<uint8_t> EncodeBmp24(int width, int height, const std::vector<uint32_t>& pixels) {
  constexpr uint64_t kHeader = 14 + 40;
  constexpr uint64_t kLimit = 0x7FFFFFFF;
  if (width <= 0 || height <= 0) return {};
  const uint64_t w = uint64_t(width), h = uint64_t(height);
  if (w * h != pixels.size()) return {};
  const uint64_t stride = (w * 3 + 3) & ~uint64_t(3);  // rows padded to 4 bytes
  if (stride > kLimit / h || stride * h > kLimit - kHeader) return {};
  const uint64_t imageBytes = stride * h;

  std::vector<uint8_t> b(std::size_t(kHeader + imageBytes), 0);
  b[0] = 'B';
  b[1] = 'M';
  Put32(b, 2, uint32_t(kHeader + imageBytes));
  Put32(b, 10, uint32_t(kHeader));
  Put32(b, 14, 40);
  Put32(b, 18, uint32_t(width));
  Put32(b, 22, uint32_t(height));  // positive: bottom-up
  Put16(b, 26, 1);
  Put16(b, 28, 24);
  Put32(b, 30, 0);  // BI_RGB
  Put32(b, 34, uint32_t(imageBytes));
  Put32(b, 38, 3780);  // 96 dpi
  Put32(b, 42, 3780);
  for (uint64_t y = 0; y < h; ++y) {
    const uint32_t* src = pixels.data() + (h - 1 - y) * w;
    uint8_t* dst = b.data() + kHeader + y * stride;
    for (uint64_t x = 0; x < w; ++x) {
      dst[x * 3] = uint8_t(src[x]);            // blue
      dst[x * 3 + 1] = uint8_t(src[x] >> 8);   // green
      dst[x * 3 + 2] = uint8_t(src[x] >> 16);  // red
    }
  }
  return b;
}

}  // namespace tools
