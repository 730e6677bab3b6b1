#pragma once
// The button's paint: places the picture on show inside the control, draws the caption, mirrors the
// result, runs the effect pass and puts the composed pixels on the target device context. Keeps the
// composition buffer RenderDIB between paints (re-created only when the drawing size changes).
//
// A button is painted far more often than it changes (uncovered windows, container redraws), so the
// composed frame is kept with what it was made from: the picture's pixels, the caption font, the
// properties, the state and the size. A paint whose inputs all match only copies the frame out.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

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
  // Steps from the buffer's creation to the effect pass; false (after a report) when nothing was composed.
  bool Compose(HDC target, CImageDIB& picture, const zblayout::Placement& place, zblayout::Size area,
               const zblayout::ButtonPaintProps& props, const zblayout::ButtonPaintState& state, HFONT captionFont,
               const DebugErrorFn& debugError);
  bool ComposeThroughGdi(HDC target, CImageDIB& picture, const zblayout::Placement& place, CImageDIB& work,
                         const zblayout::ButtonPaintProps& props, const zblayout::ButtonPaintState& state,
                         HFONT captionFont, const DebugErrorFn& debugError);

  struct FrameInputs {
    zblayout::ButtonPaintProps props;
    zblayout::ButtonPaintState state;
    bool hasFont = false;
    LOGFONTW font{};
    int32_t pictureWidth = 0;
    int32_t pictureHeight = 0;
    std::vector<uint32_t> picture;
  };
  bool FrameIsCurrent(const CImageDIB& picture, const zblayout::ButtonPaintProps& props,
                      const zblayout::ButtonPaintState& state, bool hasFont, const LOGFONTW& font) const;
  void RememberFrame(const CImageDIB& picture, const zblayout::ButtonPaintProps& props,
                     const zblayout::ButtonPaintState& state, bool hasFont, const LOGFONTW& font);
  void RememberInputs(const CImageDIB& picture, const zblayout::ButtonPaintProps& props,
                      const zblayout::ButtonPaintState& state, bool hasFont, const LOGFONTW& font);

  CImageDIB m_RenderDIB;
  bool m_FrameValid = false;  // m_RenderDIB holds the frame m_Frame describes
  FrameInputs m_Frame;
};
