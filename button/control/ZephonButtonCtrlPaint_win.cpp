// CZephonButtonCtrl: paint and size. The paint hands the picture on show, the properties and the
// interaction state to CButtonRenderer; sizing applies ButtonLayout's rules through the framework.
#include "button/control/ZephonButtonCtrl.h"

namespace button {

namespace {

ShownPicture ShownOf(int state) {
  switch (state) {
    case kNormal: return ShownPicture::Normal;
    case kOver: return ShownPicture::Over;
    case kDown: return ShownPicture::Down;
    case kDisable: return ShownPicture::Disable;
    default: return ShownPicture::Blank;
  }
}

}  // namespace

button::ButtonPaintProps CZephonButtonCtrl::PaintProps() const {
  const ButtonProperties& p = m_props;
  button::ButtonPaintProps out;
  EffectSettings& fx = out.effects;
  fx.EffectFilter = p.EffectFilter;
  fx.EffectApplyTo = p.EffectApplyTo;
  fx.BackGroundColor = p.BackGroundColor;
  fx.MaskColor = p.MaskColor;
  fx.EffectColorMask = p.EffectColorMask;
  fx.EffectColorMaskValue = p.EffectColorMaskValue;
  fx.EffectGlobalBlend = p.EffectGlobalBlend;
  fx.EffectGlobalBlendValue = p.EffectGlobalBlendValue;
  out.Stretch = p.Stretch;
  out.AlignHor = p.AlignHor;
  out.AlignVer = p.AlignVer;
  out.HideHelpers = p.HideHelpers;
  out.FastDraw = p.FastDraw;
  out.FlipVertical = p.FlipVertical;
  out.FlipHorisontal = p.FlipHorisontal;
  out.Text = GetText();
  out.TextColor = p.TextColor;
  out.TextAlignHor = p.TextAlignHor;
  out.TextAlignVer = p.TextAlignVer;
  out.TextWordBreak = p.TextWordBreak;
  out.TextBlendValue = p.TextBlendValue;
  out.TextApplyTo = p.TextApplyTo;
  out.TextVerticalOffset = p.TextVerticalOffset;
  return out;
}

button::ButtonPaintState CZephonButtonCtrl::PaintState() const {
  button::ButtonPaintState s;
  s.hasCurrent = m_current >= 0;
  if (s.hasCurrent) s.currentKind = int(m_states[m_current].ImageKind);
  s.picture.shown = ShownOf(m_current);
  s.picture.pressed = Ui.Pressed != 0;
  s.picture.hover = Ui.Hover != 0;
  s.picture.focus = Window() && GetFocus() == Window();
  s.picture.buttonMode = short(m_buttonMode);
  s.pressOffset = Ui.PressOffset;
  s.userMode = Ui.UserModeCopy != 0;
  s.anyPictureUrl = !m_props.PictureURL.empty() || !m_props.PictureOverURL.empty() || !m_props.PictureDownURL.empty() ||
                    !m_props.PictureDisableURL.empty();
  return s;
}

void CZephonButtonCtrl::OnDraw(HDC dc, const RECT& bounds, const RECT& invalid) {
  CImageDIB* picture = m_current < 0 ? nullptr : &m_states[m_current].ImageDIB;
  const HFONT font = m_textFont.HasFont() ? m_textFont.Handle() : nullptr;
  m_renderer.Paint(dc, bounds, invalid, picture, PaintProps(), PaintState(), font,
                   [this](const std::wstring& text) { FireDebugError(text); });
}

// ---- sizing ---------------------------------------------------------------------------------------

button::Size CZephonButtonCtrl::ControlSize() const {
  // The window knows best once there is one; the framework's extent before that.
  if (HWND w = Window()) {
    RECT rc{};
    GetClientRect(w, &rc);
    return {rc.right - rc.left, rc.bottom - rc.top};
  }
  int cx = 0, cy = 0;
  GetControlSize(&cx, &cy);
  return {cx, cy};
}

void CZephonButtonCtrl::ResizeToState() {
  // Moving the window sends messages that may show states again: one re-size at a time.
  if (m_current < 0 || m_resizing) return;
  struct Guard {
    bool& flag;
    ~Guard() { flag = false; }
  } guard{m_resizing};
  m_resizing = true;

  StateImage& current = m_states[m_current];
  const CImageDIB& normal = m_states[kNormal].ImageDIB;
  button::ResizeInput in;
  in.hasCurrent = true;
  in.stretch = m_props.Stretch;
  in.autoSize = m_props.AutoSize;
  in.control = ControlSize();
  HWND window = Window();
  HWND parent = window ? GetParent(window) : nullptr;
  in.hasWindow = window != nullptr;
  in.hasParent = parent != nullptr;
  if (parent) {
    RECT rc{};
    GetClientRect(parent, &rc);
    in.parentClient = {rc.right - rc.left, rc.bottom - rc.top};
  }
  button::AutoSizeInput& a = in.autoSizeInput;
  a.isNormal = m_current == kNormal;
  a.hasRemembered = current.SizeChange != 0;
  a.remembered = {current.ExplicitWidth, current.ExplicitHeight};
  a.picture = {current.ImageDIB.Width(), current.ImageDIB.Height()};
  a.normalHasPixels = normal.HasPixels();
  a.normalPicture = {normal.Width(), normal.Height()};

  const button::ResizeAction act = button::DecideResize(in);
  switch (act.kind) {
    case button::ResizeKind::None: return;
    case button::ResizeKind::FillParent:
      SetWindowPos(window, nullptr, 0, 0, act.size.cx, act.size.cy, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
      return;
    case button::ResizeKind::SetSize:
      if (act.remember) {
        const bool grown = !a.isNormal && (act.size.cx > a.picture.cx || act.size.cy > a.picture.cy);
        current.SizeChange = grown ? 1 : 2;
        current.ExplicitWidth = act.size.cx;
        current.ExplicitHeight = act.size.cy;
      }
      SetControlSize(act.size.cx, act.size.cy);
      return;
  }
}

void CZephonButtonCtrl::ApplyPositionRule(WINDOWPOS& pos) {
  HWND parent = Window() ? GetParent(Window()) : nullptr;
  button::Size parentClient;
  if (parent) {
    RECT rc{};
    GetClientRect(parent, &rc);
    parentClient = {rc.right - rc.left, rc.bottom - rc.top};
  }
  button::WindowProposal proposal{pos.x, pos.y, pos.cx, pos.cy};
  button::ApplyPositionRule(m_current >= 0, m_props.Stretch, parent != nullptr, parentClient, proposal);
  pos.x = proposal.x;
  pos.y = proposal.y;
  pos.cx = proposal.cx;
  pos.cy = proposal.cy;
}

void CZephonButtonCtrl::OnWindowCreated() {
  ResizeToState();
  m_animation->OnWindowCreated();
  m_access.WindowCreated();
}

// A container may size the control after creating its window (Wine's ATL host does, to its own
// window): the sizing rules apply at once, not only at the next change of state.
void CZephonButtonCtrl::OnContainerPlaced() { ResizeToState(); }

}  // namespace button
