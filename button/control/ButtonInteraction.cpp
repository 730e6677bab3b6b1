#include "button/control/ButtonInteraction.h"

#include "button/control/ButtonLayout.h"
#include "button/control/ZephonButtonCtrlProps.h"
#include "button/control/ZephonButtonCtrlRules.h"

namespace button {

short MouseButton(uint32_t keyFlags) {
  short b = 0;
  if (keyFlags & kKeyLeft) b |= 1;
  if (keyFlags & kKeyRight) b |= 2;
  if (keyFlags & kKeyMiddle) b |= 4;
  return b;
}

short MouseShift(uint32_t keyFlags) {
  short s = 0;
  if (keyFlags & kKeyShift) s |= 1;
  if (keyFlags & kKeyControl) s |= 2;
  return s;
}

EventArgs CButtonInteraction::ButtonArgs(const Mouse& m) {
  EventArgs a;
  a.button = MouseButton(m.keyFlags);
  a.shift = MouseShift(m.keyFlags);
  a.x = m.x;
  a.y = m.y;
  return a;
}

bool CButtonInteraction::Unlatched() const { return !button::IsCheckMode(m_host.ButtonMode()) || m_s.CheckValue == 0; }

void CButtonInteraction::MouseMove(const Mouse& m) {
  if (m_host.HasWindow() && !m_s.Tracking) {
    // Nobody captures the mouse, so a release outside goes unseen: a press that left with the pointer
    // still counts when the pointer comes back only if its button is still held.
    if (m_s.LeftPressSeen == 2) m_s.LeftPressSeen = (m.keyFlags & kKeyLeft) ? 1 : 0;
    if (m_s.RightPressed == 2) m_s.RightPressed = (m.keyFlags & kKeyRight) ? 1 : 0;
    m_host.TrackLeave();
    m_s.Tracking = 1;
    if (Unlatched()) {
      m_s.Hover = 1;
      m_host.Show(kOver);
      m_host.Changed();
    }
    m_host.ApplyCursor(HandUse::Pointing);
    m_host.StartTooltip();
    Fire(Event::MouseEnter);
  }
  m_host.DefaultHandling();
  EventArgs a;
  a.flags = int32_t(m.keyFlags);
  a.x = m.x;
  a.y = m.y;
  Fire(Event::MouseMoving, a);
}

void CButtonInteraction::MouseLeave() {
  if (!m_host.HasWindow()) return;
  m_s.Tracking = 0;
  m_host.HideTooltip();
  Fire(Event::MouseLeave);
  m_s.Hover = 0;
  if (m_s.LeftPressSeen) m_s.LeftPressSeen = 2;
  if (m_s.RightPressed) m_s.RightPressed = 2;
  if (Unlatched()) {
    m_s.Pressed = 0;
    m_s.PressOffset = 0;
    m_s.PressOffsetActive = 0;
    m_host.Show(kNormal);
  }
  m_host.Changed();
}

void CButtonInteraction::LeftDown(const Mouse& m) {
  m_host.ApplyCursor(HandUse::Pressing);
  if (m_s.EnabledCopy) {
    const int mode = m_host.ButtonMode();
    if (button::ModeHasClickOffset(mode)) {
      m_s.PressOffset = button::kPressOffset;
      m_s.PressOffsetActive = 1;
    }
    m_s.Pressed = 1;
    m_s.Hover = 0;
    m_host.Show(kDown);
    m_host.Changed();
    if (button::IsCheckMode(mode) && m_s.CheckValue == 0) {
      m_s.CheckValue = 1;
      EventArgs a;
      a.check = true;
      Fire(Event::OnCheck, a);
    }
  }
  m_s.LeftPressSeen = 1;
  m_host.DefaultHandling();
  Fire(Event::MouseDown, ButtonArgs(m));
}

void CButtonInteraction::LeftUp(const Mouse& m) {
  m_host.ApplyCursor(HandUse::Pointing);
  // A release is a click only after a press on the control: one that began elsewhere (the control
  // does not capture the mouse) neither clicks nor toggles a check. A press that went out and came
  // back with its button held still clicks.
  const bool click = m_s.LeftPressSeen != 0;
  m_s.LeftPressSeen = 0;
  if (m_s.EnabledCopy && click) {
    const int mode = m_host.ButtonMode();
    if (!button::IsCheckMode(mode) || m_s.CheckValue == 2) {
      if (m_s.PressOffsetActive) {
        m_s.PressOffset = 0;
        m_s.PressOffsetActive = 0;
      }
      m_s.Pressed = 0;
      m_s.Hover = 1;
      if (m_s.CheckValue == 2) Fire(Event::OnCheck, EventArgs());
      m_s.CheckValue = 0;
      m_host.Show(kOver);
      m_host.Changed();
    }
    if (button::IsCheckMode(mode) && m_s.CheckValue == 1) m_s.CheckValue = 2;
  }
  m_host.DefaultHandling();
  if (click) Fire(Event::MouseClick);
  Fire(Event::MouseUp, ButtonArgs(m));
}

void CButtonInteraction::RightDown(const Mouse& m) {
  m_s.RightPressed = 1;
  m_host.DefaultHandling();
  Fire(Event::MouseRightDown, ButtonArgs(m));
}

void CButtonInteraction::RightUp(const Mouse& m) {
  m_host.DefaultHandling();
  Fire(Event::MouseRightUp, ButtonArgs(m));
  const bool click = m_s.RightPressed != 0;
  m_s.RightPressed = 0;
  if (click) Fire(Event::MouseRightClick);
}

void CButtonInteraction::FocusGained() {
  m_host.DefaultHandling();
  Fire(Event::SetFocus);
  if (m_host.OverOnFocus()) {
    // Focus that comes with a left press keeps the pressed picture up until the release.
    if (Unlatched()) m_host.Show(m_s.Pressed ? kDown : kOver);
    m_host.Changed();
  } else if (m_host.FocusChangesPicture()) {
    m_host.Changed();
  }
}

void CButtonInteraction::FocusLost() {
  m_host.DefaultHandling();
  Fire(Event::LeaveFocus);
  if (m_host.OverOnFocus()) {
    if (Unlatched()) m_host.Show(m_s.Hover ? kOver : m_s.Pressed ? kDown : kNormal);
    m_host.Changed();
  } else if (m_host.FocusChangesPicture()) {
    m_host.Changed();
  }
}

void CButtonInteraction::EnabledChanged(bool enabled) {
  m_s.EnabledCopy = enabled ? 1 : 0;
  m_host.Show(enabled ? kNormal : kDisable);
  m_host.Changed();
}

void CButtonInteraction::SetCheck(bool check) {
  const int mode = m_host.ButtonMode();
  if (!button::IsCheckMode(mode) || (check ? 1 : 0) == m_s.CheckValue) return;
  m_s.CheckValue = check ? 2 : 0;
  EventArgs a;
  a.check = check;
  Fire(Event::OnCheck, a);
  m_s.Pressed = check ? 1 : 0;
  // The press offset belongs to the checked look: a click leaves it on, so unchecking takes it off
  // and checking puts it on, whichever way the check changed.
  if (button::ModeHasClickOffset(mode)) {
    m_s.PressOffset = check ? short(button::kPressOffset) : short(0);
    m_s.PressOffsetActive = check ? 1 : 0;
  }
  m_host.Show(check ? kDown : m_s.Hover ? kOver : kNormal);
  m_host.Changed();
}

void CButtonInteraction::WindowDestroyed() {
  m_s.Tracking = 0;
  m_s.Hover = 0;
  m_s.LeftPressSeen = 0;
  m_s.RightPressed = 0;
}

}  // namespace button
