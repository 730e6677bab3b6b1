#pragma once
// CPictureHolder: owns one of the platform's standard picture objects (IPicture / IPictureDisp),
// renders it, measures it, and persists it through the picture's own IPersistStream.
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include "common/win/ComPtr.h"

namespace button {

class CPictureHolder {
 public:
  CPictureHolder() = default;
  CPictureHolder(const CPictureHolder&) = delete;
  CPictureHolder& operator=(const CPictureHolder&) = delete;

  // An empty picture object (type PICTYPE_NONE).
  HRESULT CreateEmpty();
  // A bitmap picture. The holder's picture owns what it is given when `takeOwnership` (the bitmap is
  // deleted even when creation fails). Bitmaps deeper than 24 bits are stored as a 24-bit DIB copy,
  // because the platform's picture objects do not load a saved 32-bit bitmap back.
  HRESULT CreateFromBitmap(HBITMAP bitmap, HPALETTE palette = nullptr, bool takeOwnership = true);
  // Holds the given picture object itself (not a copy); null makes the holder empty.
  HRESULT SetPictureDispatch(IPictureDisp* picture);

  common::ComPtr<IPictureDisp> Dispatch() const;
  IPicture* Picture() const { return m_picture.Get(); }
  // PICTYPE_UNINITIALIZED when there is no object at all.
  short Type() const;
  // True when there is nothing to draw (no object, PICTYPE_NONE or PICTYPE_UNINITIALIZED).
  bool IsEmpty() const;
  // Natural size in HIMETRIC; false for an empty picture.
  bool SizeHimetric(SIZEL& size) const;
  // Natural size in pixels of `dc` (the screen when null).
  bool SizePixels(SIZE& size, HDC dc = nullptr) const;
  // Draws the whole picture into rc (bounds passed on for metafiles).
  HRESULT Render(HDC dc, const RECT& rc, const RECT& bounds) const;
  void Release() { m_picture.Reset(); }

  // The picture object's own persistence. Save of an empty holder writes an empty picture.
  HRESULT Save(IStream* stream) const;
  HRESULT Load(IStream* stream);

 private:
  common::ComPtr<IPicture> m_picture;
};

}  // namespace button
