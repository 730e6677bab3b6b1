#include "button/pages/PreviewDrawing.h"

#include "button/pixels/ImageDIB.h"

namespace button {

bool DrawPictureScaled(HDC dc, const CImageDIB& picture, const button::PreviewPlacement& at, int originX, int originY) {
  if (!dc || !picture.HasPixels() || at.w <= 0 || at.h <= 0) return false;
  HBITMAP bitmap = CreateCompatibleBitmap(dc, picture.Width(), picture.Height());
  if (!bitmap) return false;  // a picture too large for a device bitmap previews as nothing
  bool drawn = false;
  HDC source = CreateCompatibleDC(dc);
  if (source) {
    // SetToBitmap only reads the pixels; the buffer's GDI calls are not marked const.
    if (const_cast<CImageDIB&>(picture).SetToBitmap(source, bitmap) > 0) {
      HGDIOBJ old = SelectObject(source, bitmap);
      const int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
      drawn = StretchBlt(dc, originX + at.x, originY + at.y, at.w, at.h, source, 0, 0, picture.Width(),
                         picture.Height(), SRCCOPY) != FALSE;
      if (oldMode) SetStretchBltMode(dc, oldMode);
      SelectObject(source, old);
    }
    DeleteDC(source);
  }
  DeleteObject(bitmap);
  return drawn;
}

}  // namespace button
