#include "button/tooltip/TooltipPlacement.h"

#include <algorithm>

namespace button {

namespace {

int32_t Clamp64(int64_t v) { return int32_t(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

}  // namespace

int32_t PointerOffset(const CImageDIB& mask, int32_t hotspotY, int32_t maxOffset) {
  if (!mask.HasPixels()) return 0;
  const int32_t n = mask.Width(), m = mask.Height();
  const uint32_t blank = mask.Pixel(0, 0);
  int32_t blankRows = 0;
  for (; blankRows < m; ++blankRows) {
    bool same = true;
    for (int32_t x = 0; x < n && same; ++x) same = mask.Pixel(x, blankRows) == blank;
    if (!same) break;
  }
  int64_t visible = 0;
  if (m == n) {
    visible = m;
  } else if (int64_t(m) == 2 * int64_t(n)) {
    visible = m / 2;
  } else {
    return 0;
  }
  const int64_t offset = visible - blankRows - int64_t(hotspotY) + 1;
  return Clamp64(std::clamp<int64_t>(offset, 0, std::max<int64_t>(maxOffset, 0)));
}

TooltipPosition KeepOnScreen(TooltipPosition anchor, int32_t width, int32_t height, int32_t screenWidth,
                             int32_t screenHeight) {
  int64_t x = anchor.x, y = anchor.y;
  const bool movedUp = y + height > screenHeight;
  if (movedUp) y = int64_t(screenHeight) - height;
  if (y < 0) y = 0;
  if (movedUp) x -= width;
  if (x + width > screenWidth) x = int64_t(screenWidth) - width;
  if (x < 0) x = 0;
  return {Clamp64(x), Clamp64(y)};
}

}  // namespace button
