#pragma once
// The copy window's outline: 154 points in pixels at 96 dots per inch, relative to the window's
// top-left corner, traced in order and closed from the last back to the first; scaled for the
// screen as the main window's outline is (MainOutline.h).
#include <cstdint>
#include <vector>

#include "catalogue/MainOutline.h"

namespace catalogue {

inline constexpr int kCopyOutlinePoints = 154;
// Bounding box of the outline: the background picture covers it exactly.
inline constexpr int kCopyOutlineWidth = 299;
inline constexpr int kCopyOutlineHeight = 193;

// The point's coordinate; 0 for an index outside 0 .. 153.
std::int16_t CopyOutlineX(std::int16_t index);
std::int16_t CopyOutlineY(std::int16_t index);

std::vector<OutlinePoint> CopyOutline(float scaleX, float scaleY, std::int16_t offsetX, std::int16_t offsetY,
                                      double twipsPerPixelX, double twipsPerPixelY);

}  // namespace catalogue
