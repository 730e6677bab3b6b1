#include "catalogue/MainRegion.h"

#include <vector>

#include "catalogue/CopyOutline.h"
#include "catalogue/MainOutline.h"
#include "common/win/Handles.h"
#include "common/win/ScreenDpi.h"

namespace catalogue {

namespace {

// Twips a pixel of the screen on each axis (1440 twips an inch).
void ScreenTwipsPerPixel(double* x, double* y) {
  *x = 1440.0 / common::ScreenDpi(LOGPIXELSX);
  *y = 1440.0 / common::ScreenDpi(LOGPIXELSY);
}

// The region of an outline already scaled; null when the system could not make it.
HRGN RegionOf(const std::vector<OutlinePoint>& outline) {
  std::vector<POINT> points;
  for (const OutlinePoint& p : outline) points.push_back({p.x, p.y});
  const common::GdiRegion shape(CreatePolygonRgn(points.data(), static_cast<int>(points.size()), ALTERNATE));
  if (!shape) return nullptr;
  common::GdiRegion region(CreateRectRgn(0, 0, 0, 0));
  if (region && CombineRgn(region.Get(), shape.Get(), nullptr, RGN_COPY) == ERROR) return nullptr;
  return region.Release();
}

}  // namespace

HRGN BuildMainRegion(float scaleX, float scaleY, std::int16_t offsetX, std::int16_t offsetY) {
  double twipsX = 15, twipsY = 15;
  ScreenTwipsPerPixel(&twipsX, &twipsY);
  return RegionOf(MainOutline(scaleX, scaleY, offsetX, offsetY, twipsX, twipsY));
}

HRGN BuildCopyRegion(float scaleX, float scaleY, std::int16_t offsetX, std::int16_t offsetY) {
  double twipsX = 15, twipsY = 15;
  ScreenTwipsPerPixel(&twipsX, &twipsY);
  return RegionOf(CopyOutline(scaleX, scaleY, offsetX, offsetY, twipsX, twipsY));
}

}  // namespace catalogue
