#include "button/control/ButtonRenderer.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <cwchar>

#include "button/pixels/EffectPass.h"

namespace button {

namespace {

UINT CaptionFormat(const ButtonPaintProps& props) {
  UINT format = props.TextWordBreak ? DT_WORDBREAK : DT_SINGLELINE;
  switch (props.TextAlignHor) {
    case 1: format |= DT_CENTER; break;
    case 2: format |= DT_RIGHT; break;
    default: format |= DT_LEFT; break;
  }
  // Vertical placement is a single-line matter; a word-wrapped caption starts at the top.
  if (!props.TextWordBreak) {
    switch (props.TextAlignVer) {
      case 1: format |= DT_VCENTER; break;
      case 2: format |= DT_BOTTOM; break;
      default: format |= DT_TOP; break;
    }
  }
  return format;
}

void Report(const CButtonRenderer::DebugErrorFn& debugError, const std::wstring& text) {
  if (debugError) debugError(text);
}

std::wstring Widen(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

// The caption font's description, zero past the face name so that equal fonts compare equal. A handle
// whose description cannot be read is no font.
button::FontBytes FontOf(HFONT font) {
  static_assert(sizeof(LOGFONTW) <= button::FontBytes::kMax, "a font description fits the key");
  button::FontBytes out;
  LOGFONTW lf{};
  if (!font || ::GetObjectW(font, sizeof lf, &lf) != sizeof lf) return out;
  const size_t used = wcsnlen(lf.lfFaceName, LF_FACESIZE);
  std::fill(lf.lfFaceName + used, lf.lfFaceName + LF_FACESIZE, L'\0');
  out.present = true;
  std::memcpy(out.bytes.data(), &lf, sizeof lf);
  return out;
}

RECT ToRect(const Rect& r) { return RECT{LONG(r.left), LONG(r.top), LONG(r.right), LONG(r.bottom)}; }
Rect FromRect(const RECT& r) { return Rect{int32_t(r.left), int32_t(r.top), int32_t(r.right), int32_t(r.bottom)}; }

// Copies the part of `image` (drawn at the bounds' top-left) that lies in the invalid rectangle.
void DrawInvalidPart(CImageDIB& image, HDC target, const RECT& bounds, const RECT& invalid) {
  Rect part;
  if (!VisiblePart(FromRect(invalid), FromRect(bounds), Size{image.Width(), image.Height()}, part)) return;
  image.DrawPart(target, part.left - bounds.left, part.top - bounds.top, part.left, part.top, part.Width(),
                 part.Height());
}

}  // namespace

void CButtonRenderer::Paint(HDC target, const RECT& bounds, const RECT& invalid, CImageDIB* picture,
                            const ButtonPaintProps& props, const ButtonPaintState& state, HFONT captionFont,
                            const DebugErrorFn& debugError) {
  if (!picture || !picture->HasPixels() || !ShouldDraw(props, state)) return;
  const Size pic{picture->Width(), picture->Height()};
  const Rect b = FromRect(bounds);
  const Size area{b.Width(), b.Height()};
  if (area.cx <= 0 || area.cy <= 0) return;

  // Shortcut for a plain picture at its natural size: nothing to compose.
  if (IsDirectCopy(props, state, pic, area)) {
    if (props.FastDraw)
      DrawInvalidPart(*picture, target, bounds, invalid);
    else
      picture->Draw(target, bounds.left, bounds.top);
    return;
  }

  Placement place;
  if (!Place(props, pic, area, state.pressOffset, place)) return;

  const button::FrameSetting setting{area, FontOf(captionFont), CCompositionSurfaces::KindOf(target)};
  const button::FrameInputs inputs{props, state, setting, button::PictureView{picture->m_bits, pic.cx, pic.cy}};
  Frame* frame = m_frames.Find(inputs);
  if (!frame) {
    m_shown = nullptr;  // the frame on show may make room for the new one
    std::unique_ptr<Frame> fresh = m_frames.TakeForNew();
    if (!fresh) {
      Report(debugError, L"RenderDIB create FALSE");
      return;
    }
    const bool composed = Compose(target, setting.surface, *picture, place, area, fresh->pixels, props, state,
                                  setting.font.present ? captionFont : nullptr, debugError);
    m_surfaces.Trim();
    TrimWork();
    if (!composed) return;
    frame = &m_frames.Add(std::move(fresh), inputs);
  }
  m_shown = frame;

  if (props.FastDraw)
    DrawInvalidPart(frame->pixels, target, bounds, invalid);
  else
    frame->pixels.Draw(target, bounds.left, bounds.top);
}

bool CButtonRenderer::Compose(HDC target, const button::SurfaceKind& kind, CImageDIB& picture, const Placement& place,
                              Size area, CImageDIB& frame, const ButtonPaintProps& props, const ButtonPaintState& state,
                              HFONT captionFont, const DebugErrorFn& debugError) {
  if (frame.Width() != area.cx || frame.Height() != area.cy || !frame.HasPixels()) {
    if (!frame.Create(area.cx, area.cy)) {
      Report(debugError, L"RenderDIB create FALSE " + Widen(frame.ErrorText));
      return false;
    }
  }

  // A failed work buffer stays empty: the caption and the effect pass then simply do not run. Whatever
  // it held from an earlier paint is overwritten before it is read.
  CImageDIB none;
  CImageDIB& work = NeedsWorkBuffer(props, state) ? m_work : none;
  if (&work == &m_work && (m_work.Width() != area.cx || m_work.Height() != area.cy || !m_work.HasPixels()))
    m_work.Create(area.cx, area.cy);

  const uint32_t back = props.effects.BackGroundColor;
  frame.Fill(back & 0xFF, (back >> 8) & 0xFF, (back >> 16) & 0xFF);

  if (props.Stretch == kStretchNone && props.Text.empty()) {
    frame.BlitFrom(picture, place.x, BottomUpRow(place.y, picture.Height(), area.cy));
  } else if (!ComposeThroughGdi(target, kind, picture, place, frame, work, props, state, captionFont, debugError)) {
    return false;
  }

  MirrorPicture(frame, props.FlipVertical, props.FlipHorisontal);
  RunEffectPass(frame, work, props.effects, state.picture);
  return true;
}

void CButtonRenderer::TrimWork() {
  if (int64_t(m_work.Width()) * m_work.Height() > CCompositionSurfaces::kKeptPixels) m_work.Destroy();
}

bool CButtonRenderer::ComposeThroughGdi(HDC target, const button::SurfaceKind& kind, CImageDIB& picture,
                                        const Placement& place, CImageDIB& frame, CImageDIB& work,
                                        const ButtonPaintProps& props, const ButtonPaintState& state, HFONT captionFont,
                                        const DebugErrorFn& debugError) {
  const int W = frame.Width(), H = frame.Height();
  if (const wchar_t* failed = m_surfaces.Prepare(target, kind, Size{picture.Width(), picture.Height()}, Size{W, H})) {
    Report(debugError, failed);
    return false;
  }
  if (!m_surfaces.PutPicture(picture) || !m_surfaces.PutFrame(frame)) {
    Report(debugError, L"SetDIBitsToDevice FALSE");
    return false;
  }
  HDC dc1 = m_surfaces.PictureDC(), dc2 = m_surfaces.FrameDC();
  ::SetStretchBltMode(dc2, COLORONCOLOR);
  ::StretchBlt(dc2, place.x, place.y, place.dw, place.dh, dc1, 0, 0, place.sw, place.sh, SRCCOPY);

  bool read = true, blended = false;
  if (captionFont && work.HasPixels() && CaptionWanted(props, state)) {
    const int opacity = std::clamp<int>(props.TextBlendValue, 0, 255);
    // The picture without its caption is needed only to blend the caption in; an opaque caption is
    // read back with the picture at the end.
    if (opacity < 254) read = m_surfaces.ReadFrame(frame);
    common::SelectedObject font = common::SelectInto(dc2, captionFont);
    ::SetBkMode(dc2, TRANSPARENT);
    ::SetTextColor(dc2, props.TextColor & 0x00FFFFFF);
    RECT rect = ToRect(CaptionRect(Size{W, H}, state.pressOffset, props.TextVerticalOffset));
    const int length = int(std::min<size_t>(props.Text.size(), INT_MAX));
    ::DrawTextW(dc2, props.Text.c_str(), length, &rect, CaptionFormat(props));
    font.Reset();
    if (read && opacity < 254) {
      read = m_surfaces.ReadFrame(work);  // the same picture with its caption
      if (read) frame.BlendText(work, opacity);
      blended = true;
    }
  }
  if (read && !blended) read = m_surfaces.ReadFrame(frame);
  if (!read) Report(debugError, L"GetFromBitmap FALSE");
  return read;
}

}  // namespace button
