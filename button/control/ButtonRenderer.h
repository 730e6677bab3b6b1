#pragma once
// The button's paint: places the picture on show inside the control, draws the caption, mirrors the
// result, runs the effect pass and puts the composed pixels on the target device context.
//
// A button is painted far more often than it changes (uncovered windows, container redraws, the
// pointer moving on and off it), so the renderer keeps its last few composed frames with what each
// was made from: the picture's pixels, the caption font, the properties, the state, the size and the
// kind of target. A paint whose inputs all equal a kept frame's only copies that frame out. Composing
// a new frame reuses the GDI objects and the work buffer of the previous composition.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "button/control/ButtonLayout.h"
#include "button/control/ButtonRendererFrames.h"
#include "button/control/ButtonRendererSurfaces.h"
#include "button/pixels/ImageDIB.h"

namespace button {

class CButtonRenderer {
 public:
  using DebugErrorFn = std::function<void(const std::wstring&)>;

  // Paints `picture` (the current state image's pixels, only read; null when there is none) into `bounds` of
  // `target`. `invalid` limits what reaches the target when FastDraw is on. `captionFont` may be null
  // (no caption then). Internal failures go to `debugError` and leave the target untouched.
  void Paint(HDC target, const RECT& bounds, const RECT& invalid, CImageDIB* picture,
             const button::ButtonPaintProps& props, const button::ButtonPaintState& state, HFONT captionFont,
             const DebugErrorFn& debugError);

  // The composed frame last put on the target (empty after a failed paint or before the first composed one).
  const CImageDIB& RenderDIB() const { return m_shown ? m_shown->pixels : m_noFrame; }

  // Kept frames, for tests of the cache's bounds.
  const button::CButtonFrameCache& Frames() const { return m_frames; }

 private:
  using Frame = button::CButtonFrameCache::Frame;

  // Steps from the buffer's creation to the effect pass; false (after a report) when nothing was composed.
  bool Compose(HDC target, const button::SurfaceKind& kind, CImageDIB& picture, const button::Placement& place,
               button::Size area, CImageDIB& frame, const button::ButtonPaintProps& props,
               const button::ButtonPaintState& state, HFONT captionFont, const DebugErrorFn& debugError);
  bool ComposeThroughGdi(HDC target, const button::SurfaceKind& kind, CImageDIB& picture,
                         const button::Placement& place, CImageDIB& frame, CImageDIB& work,
                         const button::ButtonPaintProps& props, const button::ButtonPaintState& state,
                         HFONT captionFont, const DebugErrorFn& debugError);
  // After a composition: lets go of a work buffer too large to keep.
  void TrimWork();

  button::CButtonFrameCache m_frames;
  Frame* m_shown = nullptr;  // owned by m_frames, which always keeps its newest frame
  CImageDIB m_noFrame;
  CCompositionSurfaces m_surfaces;
  CImageDIB m_work;  // the effect pass's second source and the caption layer; its content never carries over
};

}  // namespace button
