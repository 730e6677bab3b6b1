#pragma once
// Drawing a picture buffer scaled into a preview, as the Images page and its file dialog do.
#include <windows.h>

#include "button/pages/ImagesPageRules.h"

namespace button {

class CImageDIB;

// Draws `picture` into `dc` at `at` (offset by originX, originY): the buffer goes into a device
// bitmap of its size, then StretchBlt in colour-on-colour mode. False when nothing was drawn.
bool DrawPictureScaled(HDC dc, const CImageDIB& picture, const button::PreviewPlacement& at, int originX, int originY);

}  // namespace button
