#pragma once
// The main window's outline: 292 points in pixels at 96 dots per inch, relative to the window's
// top-left corner, traced in order and closed from the last back to the first. Portable: the
// region itself is made from these points on Windows (MainRegion).
#include <cstdint>
#include <vector>

namespace catalogue {

inline constexpr int kMainOutlinePoints = 292;
// Bounding box of the outline: the background picture covers it exactly.
inline constexpr int kMainOutlineWidth = 532;
inline constexpr int kMainOutlineHeight = 426;

// The point's coordinate; 0 for an index outside 0 .. 291.
std::int16_t MainOutlineX(std::int16_t index);
std::int16_t MainOutlineY(std::int16_t index);

struct OutlinePoint {
  int x;
  int y;
};

// The outline for a screen of `twipsPerPixelX` by `twipsPerPixelY` twips a pixel (15 at 96 dpi,
// 12 at 120 dpi): each coordinate times its scale times 15 / twips per pixel, plus the offset,
// rounded to the closest integer with halves to even.
std::vector<OutlinePoint> MainOutline(float scaleX, float scaleY, std::int16_t offsetX, std::int16_t offsetY,
                                      double twipsPerPixelX, double twipsPerPixelY);

// The same arithmetic over any outline table, read through its two coordinate functions.
using OutlineCoordinate = std::int16_t (*)(std::int16_t index);
std::vector<OutlinePoint> ScaleOutline(OutlineCoordinate x, OutlineCoordinate y, int count, float scaleX, float scaleY,
                                       std::int16_t offsetX, std::int16_t offsetY, double twipsPerPixelX,
                                       double twipsPerPixelY);

}  // namespace catalogue
