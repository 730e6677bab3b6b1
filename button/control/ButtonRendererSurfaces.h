#pragma once
// The GDI objects of the button's scaled composition and caption: two memory contexts compatible with
// the target, each with a compatible bitmap selected for the bitmap's whole life (dc1 holds the
// picture, dc2 the frame), and a 32-bit DIB section in a third context that the frame is read back
// through.
//
// Under Wine creating a context or a bitmap, and selecting a device bitmap into a context, each cost
// tens of BitBlts of a small button, so all of it is kept between paints and re-made only when a size
// or the kind of target changes. Pixels go in with SetDIBitsToDevice and come out with a BitBlt into
// the DIB section: neither needs a bitmap out of its context, as GetDIBits and SetDIBits would.
// Bitmaps of large sizes are let go after each paint (their creation is cheap beside their pixel
// work), as is everything made for a target of no known kind.
#include <windows.h>

#include <cstdint>

#include "button/control/ButtonLayout.h"
#include "button/control/ButtonRendererFrames.h"
#include "button/pixels/ImageDIB.h"
#include "common/win/Handles.h"

namespace button {

class CCompositionSurfaces {
 public:
  // Bitmaps of more pixels than this are not kept after a paint.
  static constexpr int64_t kKeptPixels = int64_t(512) * 512;

  CCompositionSurfaces() = default;
  CCompositionSurfaces(const CCompositionSurfaces&) = delete;
  CCompositionSurfaces& operator=(const CCompositionSurfaces&) = delete;

  // The kind of target `target` is, as far as compatible objects care.
  static button::SurfaceKind KindOf(HDC target);

  // Makes the objects ready for a composition on `target` (of kind `kind`): keeps what still fits and
  // creates the rest in the order dc1, dc2, bm1 (picture-sized), bm2 (frame-sized), then the read-back
  // pair. Returns null, or the failed step's report text; after a failure nothing is kept.
  const wchar_t* Prepare(HDC target, const button::SurfaceKind& kind, button::Size picture, button::Size frame);

  HDC PictureDC() const { return m_picture.dc.Get(); }
  HDC FrameDC() const { return m_frame.dc.Get(); }

  // Pixel transfers; false when GDI did not take or give every row. Sizes as prepared.
  bool PutPicture(CImageDIB& picture) const;
  bool PutFrame(CImageDIB& frame) const;
  bool ReadFrame(CImageDIB& into) const;

  // After a paint: lets go of what is not worth keeping (large bitmaps, objects for unknown targets).
  void Trim();
  void Release();

 private:
  // A memory context and the bitmap selected into it; the context's own first bitmap goes back in
  // before the bitmap is deleted.
  struct Slot {
    common::MemoryDC dc;
    common::GdiBitmap bm;
    HGDIOBJ first = nullptr;
    button::Size size;
    void* bits = nullptr;  // a DIB section's pixels
    ~Slot() { DropBitmap(); }
    bool Select(HBITMAP made, button::Size madeSize, void* madeBits = nullptr);  // takes `made` over
    void DropBitmap();
    void Drop();
  };

  static bool Keepable(const button::SurfaceKind& kind);

  button::SurfaceKind m_kind;
  Slot m_picture;   // dc1, bm1
  Slot m_frame;     // dc2, bm2
  Slot m_readback;  // a 32-bit bottom-up DIB section the frame's size
};

}  // namespace button
