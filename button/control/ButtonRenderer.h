#pragma once
// The button's paint: places the picture on show inside the control, draws the caption, mirrors the
// result, runs the effect pass and puts the composed pixels on the target device context. Keeps the
// composition buffer RenderDIB between paints (re-created only when the drawing size changes).
#include <windows.h>

#include <functional>
#include <string>

#include "button/control/ButtonLayout.h"
#include "button/pixels/ImageDIB.h"

class CButtonRenderer {
 public:
  using DebugErrorFn = std::function<void(const std::wstring&)>;

  // Paints `picture` (the current state image's pixels, only read; null when there is none) into `bounds` of
  // `target`. `invalid` limits what reaches the target when FastDraw is on. `captionFont` may be null
  // (no caption then). Internal failures go to `debugError` and leave the target untouched.
  void Paint(HDC target, const RECT& bounds, const RECT& invalid, CImageDIB* picture,
             const zblayout::ButtonPaintProps& props, const zblayout::ButtonPaintState& state, HFONT captionFont,
             const DebugErrorFn& debugError);

  // The last composed frame (empty after a failed paint or before the first composed one).
  const CImageDIB& RenderDIB() const { return m_RenderDIB; }

 private:
  bool ComposeThroughGdi(HDC target, CImageDIB& picture, const zblayout::Placement& place, CImageDIB& work,
                         const zblayout::ButtonPaintProps& props, const zblayout::ButtonPaintState& state,
                         HFONT captionFont, const DebugErrorFn& debugError);

  CImageDIB m_RenderDIB;
};
