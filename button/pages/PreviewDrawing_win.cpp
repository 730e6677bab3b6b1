#include "button/pages/PreviewDrawing.h"

#include "button/pixels/ImageDIB.h"
#include "common/win/Handles.h"

namespace button {

bool DrawPictureScaled(HDC dc, const CImageDIB& picture, const button::PreviewPlacement& at, int originX, int originY) {
  if (!dc || !picture.HasPixels() || at.w <= 0 || at.h <= 0) return false;
  const common::GdiBitmap bitmap(CreateCompatibleBitmap(dc, picture.Width(), picture.Height()));
  if (!bitmap) return false;  // a picture too large for a device bitmap previews as nothing
  const common::MemoryDC source(CreateCompatibleDC(dc));
  if (!source) return false;
  // SetToBitmap only reads the pixels; the buffer's GDI calls are not marked const.
  if (const_cast<CImageDIB&>(picture).SetToBitmap(source.Get(), bitmap.Get()) <= 0) return false;
  const common::SelectedObject selected = common::SelectInto(source.Get(), bitmap.Get());
  const int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
  const bool drawn = StretchBlt(dc, originX + at.x, originY + at.y, at.w, at.h, source.Get(), 0, 0, picture.Width(),
                                picture.Height(), SRCCOPY) != FALSE;
  if (oldMode) SetStretchBltMode(dc, oldMode);
  return drawn;
}

}  // namespace button
