#pragma once
// The tooltip's pixel work over CImageDIB: the gradient with its border, and the animation steps that
// move the finished picture into the one on show.
#include <cstdint>

#include "button/pixels/ImageDIB.h"

namespace button {

// The animation effects by number; any other number shows the picture in one step.
enum Effect : int { kBlend = 0, kUpToDown = 1, kLeftToRight = 2, kRightToLeft = 3, kNoEffect = 4 };

// The last animation step's number: steps run for k = 0 .. FrameTotal.
int32_t FrameTotal(int effect, int32_t width, int32_t height);

// Fills `image` column by column from `back` at column 0 toward `gradient` (OLE colours, red in the
// low byte): value(column) = back + column × (gradient − back) / width per channel, summed up in
// floating point and truncated.
void FillGradient(CImageDIB& image, uint32_t back, uint32_t gradient);

// A one-pixel frame round the image's edge in `border` (an OLE colour).
void DrawBorder(CImageDIB& image, uint32_t border);

// Animation step k: Blend moves `display` toward `final` by k/256 of what is left; the slides put
// `final` k pixels in from their edge; other effects put it in place at once.
void AnimationStep(CImageDIB& display, const CImageDIB& final, int effect, int32_t k);

}  // namespace button
