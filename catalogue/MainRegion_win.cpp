#include "catalogue/MainRegion.h"

#include <vector>

#include "catalogue/CopyOutline.h"
#include "catalogue/MainOutline.h"

namespace catalogue {

namespace {

// Twips a pixel of the screen on each axis (1440 twips an inch).
void ScreenTwipsPerPixel(double* x, double* y) {
  *x = *y = 15;
  HDC screen = GetDC(nullptr);
  if (!screen) return;
  const int dpiX = GetDeviceCaps(screen, LOGPIXELSX);
  const int dpiY = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  if (dpiX > 0) *x = 1440.0 / dpiX;
  if (dpiY > 0) *y = 1440.0 / dpiY;
}

// The region of an outline already scaled; null when the system could not make it.
HRGN RegionOf(const std::vector<OutlinePoint>& outline) {
  std::vector<POINT> points;
  for (const OutlinePoint& p : outline) points.push_back({p.x, p.y});
  HRGN shape = CreatePolygonRgn(points.data(), static_cast<int>(points.size()), ALTERNATE);
  if (!shape) return nullptr;
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  if (region && CombineRgn(region, shape, nullptr, RGN_COPY) == ERROR) {
    DeleteObject(region);
    region = nullptr;
  }
  DeleteObject(shape);
  return region;
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
