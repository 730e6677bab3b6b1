// CZephonButtonCtrl: the window's messages. Mouse, focus and timer messages go to the interaction
// and the animation; this file carries out what they ask of the control.
#include <windowsx.h>

#include "button/control/ZephonButtonCtrl.h"
#include "button/control/ZephonButtonCtrlRules.h"
#include "button/control/ZephonButtonIds.h"

namespace button {

bool CZephonButtonCtrl::OnWindowMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  if (m_access.OnWindowMessage(msg, wp, lp, result)) return true;
  const button::Mouse mouse{uint32_t(wp), GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
  // Handlers nest (a press takes the focus, an event handler moves the window): each level keeps
  // the message it handles.
  struct Scope {
    Message& current;
    Message saved;
    ~Scope() { current = saved; }
  } scope{m_message, m_message};
  m_message = Message{msg, wp, lp, true};
  result = 0;
  switch (msg) {
    case WM_MOUSEMOVE: m_input.MouseMove(mouse); break;
    case WM_MOUSELEAVE: m_input.MouseLeave(); break;
    case WM_LBUTTONDOWN: m_input.LeftDown(mouse); break;
    case WM_LBUTTONUP: m_input.LeftUp(mouse); break;
    case WM_RBUTTONDOWN: m_input.RightDown(mouse); return true;
    case WM_RBUTTONUP: m_input.RightUp(mouse); return true;
    case WM_SETFOCUS: m_input.FocusGained(); break;
    case WM_KILLFOCUS: m_input.FocusLost(); break;
    case WM_TIMER: return m_animation->OnTimer(unsigned(wp));
    case WM_WINDOWPOSCHANGING:
      if (lp) ApplyPositionRule(*reinterpret_cast<WINDOWPOS*>(lp));
      return false;  // the framework's default handling follows
    case WM_SETCURSOR:
      // The window class has no cursor: without this the container's cursor would replace the
      // control's own at the next move.
      if (LOWORD(lp) == HTCLIENT && m_cursor) {
        SetCursor(m_cursor);
        result = TRUE;
        return true;
      }
      return false;
    default: return false;
  }
  // Hovering, pressing, latching and the focus are what accessibility clients see of the state.
  m_access.StateMayHaveChanged();
  return true;
}

void CZephonButtonCtrl::DefaultHandling() {
  if (!m_message.active) return;
  m_message.active = false;  // once per message
  DefaultWindowMessage(m_message.msg, m_message.wp, m_message.lp);
}

void CZephonButtonCtrl::TrackLeave() {
  TRACKMOUSEEVENT track{};
  track.cbSize = sizeof(track);
  track.dwFlags = TME_LEAVE;
  track.hwndTrack = Window();
  TrackMouseEvent(&track);
}

void CZephonButtonCtrl::Changed() {
  SetModifiedFlag();
  Redraw();
}

bool CZephonButtonCtrl::FocusChangesPicture() const {
  constexpr short kOnFocus = 6;
  return m_props.EffectApplyTo == kOnFocus || m_props.TextApplyTo == kOnFocus;
}

void CZephonButtonCtrl::ApplyCursor(button::HandUse use) {
  if (!Window()) return;
  HCURSOR cursor = nullptr;
  if (m_props.AutoHandCursor) {
    cursor = m_cursors->SystemHand();
    if (!cursor) cursor = m_cursors->ModuleCursor(use == button::HandUse::Pressing ? IDC_ZB_HAND_PRESSED : IDC_ZB_HAND);
  } else {
    cursor = m_cursors->Arrow();
  }
  m_cursor = cursor;
  SetCursor(cursor);
}

void CZephonButtonCtrl::Fire(button::Event event, const button::EventArgs& a) {
  using button::Event;
  using button::EventArg;
  const DISPID id = DISPID(event);
  switch (event) {
    case Event::MouseDown:
    case Event::MouseUp:
    case Event::MouseRightDown:
    case Event::MouseRightUp:
      FireEvent(id, {EventArg::I2(a.button), EventArg::I2(a.shift), EventArg::I4(a.x), EventArg::I4(a.y)});
      return;
    case Event::MouseMoving: FireEvent(id, {EventArg::I4(a.flags), EventArg::I4(a.x), EventArg::I4(a.y)}); return;
    case Event::OnCheck: FireEvent(id, {EventArg::Bool(a.check)}); return;
    default: FireEvent(id); return;
  }
}

// ---- accessibility ------------------------------------------------------------------------------

long CZephonButtonCtrl::AccessibleRole() {
  return button::IsCheckMode(m_buttonMode) ? ROLE_SYSTEM_CHECKBUTTON : ROLE_SYSTEM_PUSHBUTTON;
}

std::wstring CZephonButtonCtrl::AccessibleName() { return button::ButtonName(GetText(), m_props.ToolTipString); }

long CZephonButtonCtrl::AccessibleState() {
  button::ButtonFacts facts;
  facts.enabled = Ui.EnabledCopy != 0;
  // Down while a left press on it is held; a latched check button is checked, not down.
  facts.pressed = Ui.Pressed && Ui.LeftPressSeen == 1;
  facts.checked = button::IsCheckMode(m_buttonMode) && GetCheck();
  facts.focused = Window() && GetFocus() == Window();
  facts.hot = Ui.Tracking != 0;  // from the pointer's entry to its leave
  return button::ButtonState(facts);
}

}  // namespace button
