#include "button/control/ButtonRenderer.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <memory>
#include <new>
#include <type_traits>

#include "button/pixels/EffectPass.h"

using namespace zblayout;

namespace {

// Owners of the paint's GDI objects; declared in creation order, so they unwind selections first,
// then bitmaps, then contexts.
struct DcDeleter {
  void operator()(HDC dc) const { ::DeleteDC(dc); }
};
struct BitmapDeleter {
  void operator()(HBITMAP bm) const { ::DeleteObject(bm); }
};
using ScopedDC = std::unique_ptr<std::remove_pointer_t<HDC>, DcDeleter>;
using ScopedBitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, BitmapDeleter>;

// An object selected into a context for the life of this holder; the previous one comes back after.
class ScopedSelect {
 public:
  ScopedSelect(HDC dc, HGDIOBJ obj) : m_Dc(dc), m_Obj(obj), m_Old(::SelectObject(dc, obj)) {}
  ~ScopedSelect() { Restore(); }
  ScopedSelect(const ScopedSelect&) = delete;
  ScopedSelect& operator=(const ScopedSelect&) = delete;
  void Restore() {
    if (m_Old && m_Old != HGDI_ERROR) ::SelectObject(m_Dc, m_Old);
    m_Old = nullptr;
  }
  void Reselect() {
    if (!m_Old) m_Old = ::SelectObject(m_Dc, m_Obj);
  }

 private:
  HDC m_Dc;
  HGDIOBJ m_Obj;
  HGDIOBJ m_Old;
};

// GetDIBits wants the bitmap out of every context while it reads, so the read steps it out and back.
void ReadBitmap(CImageDIB& into, HDC dc, HBITMAP bm, ScopedSelect& selection) {
  selection.Restore();
  into.GetFromBitmap(dc, bm);
  selection.Reselect();
}

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

  LOGFONTW font{};
  const bool hasFont = captionFont && ::GetObjectW(captionFont, sizeof font, &font) == sizeof font;
  if (!m_FrameValid || m_RenderDIB.Width() != area.cx || m_RenderDIB.Height() != area.cy ||
      !FrameIsCurrent(*picture, props, state, hasFont, font)) {
    m_FrameValid = false;
    if (!Compose(target, *picture, place, area, props, state, captionFont, debugError)) return;
    RememberFrame(*picture, props, state, hasFont, font);
  }

  if (props.FastDraw)
    DrawInvalidPart(m_RenderDIB, target, bounds, invalid);
  else
    m_RenderDIB.Draw(target, bounds.left, bounds.top);
}

bool CButtonRenderer::Compose(HDC target, CImageDIB& picture, const Placement& place, Size area,
                              const ButtonPaintProps& props, const ButtonPaintState& state, HFONT captionFont,
                              const DebugErrorFn& debugError) {
  if (m_RenderDIB.Width() != area.cx || m_RenderDIB.Height() != area.cy || !m_RenderDIB.HasPixels()) {
    if (!m_RenderDIB.Create(area.cx, area.cy)) {
      Report(debugError, L"RenderDIB create FALSE " + Widen(m_RenderDIB.ErrorText));
      return false;
    }
  }

  // A failed work buffer leaves it empty: the caption and the effect pass then simply do not run.
  CImageDIB work;
  if (NeedsWorkBuffer(props, state)) work.Create(area.cx, area.cy);

  const uint32_t back = props.effects.BackGroundColor;
  m_RenderDIB.Fill(back & 0xFF, (back >> 8) & 0xFF, (back >> 16) & 0xFF);

  if (props.Stretch == kStretchNone && props.Text.empty()) {
    m_RenderDIB.BlitFrom(picture, place.x, BottomUpRow(place.y, picture.Height(), area.cy));
  } else if (!ComposeThroughGdi(target, picture, place, work, props, state, captionFont, debugError)) {
    m_RenderDIB.Destroy();  // the next paint starts from a fresh buffer
    return false;
  }

  MirrorPicture(m_RenderDIB, props.FlipVertical, props.FlipHorisontal);
  RunEffectPass(m_RenderDIB, work, props.effects, state.picture);
  return true;
}

bool CButtonRenderer::FrameIsCurrent(const CImageDIB& picture, const ButtonPaintProps& props,
                                     const ButtonPaintState& state, bool hasFont, const LOGFONTW& font) const {
  const FrameInputs& f = m_Frame;
  if (!SameFrameInputs(f.props, props) || !SameFrameInputs(f.state, state) || f.hasFont != hasFont) return false;
  if (hasFont && std::memcmp(&f.font, &font, sizeof font) != 0) return false;
  if (f.pictureWidth != picture.Width() || f.pictureHeight != picture.Height()) return false;
  return std::memcmp(f.picture.data(), picture.m_Bits, f.picture.size() * sizeof(uint32_t)) == 0;
}

void CButtonRenderer::RememberFrame(const CImageDIB& picture, const ButtonPaintProps& props,
                                    const ButtonPaintState& state, bool hasFont, const LOGFONTW& font) {
  // Keeping the inputs is an optimisation only: without memory for them the next paint composes again.
  try {
    RememberInputs(picture, props, state, hasFont, font);
    m_FrameValid = true;
  } catch (const std::bad_alloc&) {
    m_Frame.picture.clear();
    m_Frame.picture.shrink_to_fit();
  }
}

void CButtonRenderer::RememberInputs(const CImageDIB& picture, const ButtonPaintProps& props,
                                     const ButtonPaintState& state, bool hasFont, const LOGFONTW& font) {
  FrameInputs& f = m_Frame;
  f.props = props;
  f.state = state;
  f.hasFont = hasFont;
  f.font = font;
  f.pictureWidth = picture.Width();
  f.pictureHeight = picture.Height();
  const size_t words = size_t(picture.Width()) * size_t(picture.Height());
  f.picture.assign(picture.m_Bits, picture.m_Bits + words);
}

bool CButtonRenderer::ComposeThroughGdi(HDC target, CImageDIB& picture, const Placement& place,
                                        CImageDIB& work, const ButtonPaintProps& props,
                                        const ButtonPaintState& state, HFONT captionFont,
                                        const DebugErrorFn& debugError) {
  const int W = m_RenderDIB.Width(), H = m_RenderDIB.Height();
  ScopedDC dc1(::CreateCompatibleDC(target));
  if (!dc1.get()) {
    Report(debugError, L"dc1.CreateCompatibleDC create FALSE");
    return false;
  }
  ScopedDC dc2(::CreateCompatibleDC(target));
  if (!dc2.get()) {
    Report(debugError, L"dc2.CreateCompatibleDC create FALSE");
    return false;
  }
  ScopedBitmap bm1(::CreateCompatibleBitmap(target, picture.Width(), picture.Height()));
  if (!bm1.get()) {
    Report(debugError, L"bm1.CreateCompatibleBitmap  create FALSE");
    return false;
  }
  ScopedBitmap bm2(::CreateCompatibleBitmap(target, W, H));
  if (!bm2.get()) {
    Report(debugError, L"bm2.CreateCompatibleBitmap  create FALSE");
    return false;
  }

  // Pixels go in while the bitmaps belong to no context.
  picture.SetToBitmap(dc1.get(), bm1.get());
  m_RenderDIB.SetToBitmap(dc2.get(), bm2.get());
  ScopedSelect sel1(dc1.get(), bm1.get());
  ScopedSelect sel2(dc2.get(), bm2.get());

  ::SetStretchBltMode(dc2.get(), COLORONCOLOR);
  ::StretchBlt(dc2.get(), place.x, place.y, place.dw, place.dh, dc1.get(), 0, 0, place.sw, place.sh, SRCCOPY);

  bool blended = false;
  if (captionFont && work.HasPixels() && CaptionWanted(props, state)) {
    ReadBitmap(m_RenderDIB, dc2.get(), bm2.get(), sel2);  // the picture without its caption
    ScopedSelect font(dc2.get(), captionFont);
    ::SetBkMode(dc2.get(), TRANSPARENT);
    ::SetTextColor(dc2.get(), props.TextColor & 0x00FFFFFF);
    RECT rect = ToRect(CaptionRect(Size{W, H}, state.pressOffset, props.TextVerticalOffset));
    const int length = int(std::min<size_t>(props.Text.size(), INT_MAX));
    ::DrawTextW(dc2.get(), props.Text.c_str(), length, &rect, CaptionFormat(props));
    font.Restore();
    const int opacity = std::clamp<int>(props.TextBlendValue, 0, 255);
    if (opacity < 254) {
      ReadBitmap(work, dc2.get(), bm2.get(), sel2);  // the same picture with its caption
      m_RenderDIB.BlendText(work, opacity);
      blended = true;
    }
  }
  if (!blended) ReadBitmap(m_RenderDIB, dc2.get(), bm2.get(), sel2);
  return true;
}
