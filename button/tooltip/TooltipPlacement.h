#pragma once
// Where the tooltip goes: just below the visible part of the mouse pointer, kept on the screen.
#include <cstdint>

#include "button/pixels/ImageDIB.h"

namespace button {

// How far below the pointer's hot spot the tooltip starts, from the cursor's mask read into `mask`
// (n × m pixels, rows counted from the bottom): the mask's blank rows at the bottom (rows equal
// throughout to pixel (0, 0)) are not part of the visible pointer. A square mask is the AND mask of
// a colour cursor; one twice as high holds the AND and XOR masks of a monochrome one, and only its
// lower half (the bottom rows in memory) is counted against half the height. Any other shape gives
// 0. The result lies within 0 .. maxOffset (the system's cursor height).
int32_t PointerOffset(const CImageDIB& mask, int32_t hotspotY, int32_t maxOffset);

struct TooltipPosition {
  int32_t x = 0;
  int32_t y = 0;
};

// Keeps a width × height window anchored at `anchor` on a screenWidth × screenHeight screen. A window
// that would run off the bottom moves up and then to the left of the anchor, so that it does not
// cover the pointer; then it is pushed in from the right and left edges.
TooltipPosition KeepOnScreen(TooltipPosition anchor, int32_t width, int32_t height, int32_t screenWidth,
                             int32_t screenHeight);

}  // namespace button
