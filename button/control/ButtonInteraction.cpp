#include "button/control/ButtonInteraction.h"

#include "button/control/ButtonLayout.h"
#include "button/control/ZephonButtonCtrlProps.h"
#include "button/control/ZephonButtonCtrlRules.h"

namespace zbinput {

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

bool CButtonInteraction::Unlatched() const {
  return !zbrules::IsCheckMode(m_Host.ButtonMode()) || m_S.CheckValue == 0;
}

void CButtonInteraction::MouseMove(const Mouse& m) {
  if (m_Host.HasWindow() && !m_S.Tracking) {
    // Nobody captures the mouse, so a release outside goes unseen: a press that left with the pointer
    // still counts when the pointer comes back only if its button is still held.
    if (m_S.LeftPressSeen == 2) m_S.LeftPressSeen = (m.keyFlags & kKeyLeft) ? 1 : 0;
    if (m_S.RightPressed == 2) m_S.RightPressed = (m.keyFlags & kKeyRight) ? 1 : 0;
    m_Host.TrackLeave();
    m_S.Tracking = 1;
    if (Unlatched()) {
      m_S.Hover = 1;
      m_Host.Show(kOver);
      m_Host.Changed();
    }
    m_Host.ApplyCursor(HandUse::Pointing);
    m_Host.StartTooltip();
    Fire(Event::MouseEnter);
  }
  m_Host.DefaultHandling();
  EventArgs a;
  a.flags = int32_t(m.keyFlags);
  a.x = m.x;
  a.y = m.y;
  Fire(Event::MouseMoving, a);
}

void CButtonInteraction::MouseLeave() {
  if (!m_Host.HasWindow()) return;
  m_S.Tracking = 0;
  m_Host.HideTooltip();
  Fire(Event::MouseLeave);
  m_S.Hover = 0;
  if (m_S.LeftPressSeen) m_S.LeftPressSeen = 2;
  if (m_S.RightPressed) m_S.RightPressed = 2;
  if (Unlatched()) {
    m_S.Pressed = 0;
    m_S.PressOffset = 0;
    m_S.PressOffsetActive = 0;
    m_Host.Show(kNormal);
  }
  m_Host.Changed();
}

void CButtonInteraction::LeftDown(const Mouse& m) {
  m_Host.ApplyCursor(HandUse::Pressing);
  if (m_S.EnabledCopy) {
    const int mode = m_Host.ButtonMode();
    if (zblayout::ModeHasClickOffset(mode)) {
      m_S.PressOffset = zblayout::kPressOffset;
      m_S.PressOffsetActive = 1;
    }
    m_S.Pressed = 1;
    m_S.Hover = 0;
    m_Host.Show(kDown);
    m_Host.Changed();
    if (zbrules::IsCheckMode(mode) && m_S.CheckValue == 0) {
      m_S.CheckValue = 1;
      EventArgs a;
      a.check = true;
      Fire(Event::OnCheck, a);
    }
  }
  m_S.LeftPressSeen = 1;
  m_Host.DefaultHandling();
  Fire(Event::MouseDown, ButtonArgs(m));
}

void CButtonInteraction::LeftUp(const Mouse& m) {
  m_Host.ApplyCursor(HandUse::Pointing);
  // A release is a click only after a press on the control: one that began elsewhere (the control
  // does not capture the mouse) neither clicks nor toggles a check. A press that went out and came
  // back with its button held still clicks.
  const bool click = m_S.LeftPressSeen != 0;
  m_S.LeftPressSeen = 0;
  if (m_S.EnabledCopy && click) {
    const int mode = m_Host.ButtonMode();
    if (!zbrules::IsCheckMode(mode) || m_S.CheckValue == 2) {
      if (m_S.PressOffsetActive) {
        m_S.PressOffset = 0;
        m_S.PressOffsetActive = 0;
      }
      m_S.Pressed = 0;
      m_S.Hover = 1;
      if (m_S.CheckValue == 2) Fire(Event::OnCheck, EventArgs());
      m_S.CheckValue = 0;
      m_Host.Show(kOver);
      m_Host.Changed();
    }
    if (zbrules::IsCheckMode(mode) && m_S.CheckValue == 1) m_S.CheckValue = 2;
  }
  m_Host.DefaultHandling();
  if (click) Fire(Event::MouseClick);
  Fire(Event::MouseUp, ButtonArgs(m));
}

void CButtonInteraction::RightDown(const Mouse& m) {
  m_S.RightPressed = 1;
  m_Host.DefaultHandling();
  Fire(Event::MouseRightDown, ButtonArgs(m));
}

void CButtonInteraction::RightUp(const Mouse& m) {
  m_Host.DefaultHandling();
  Fire(Event::MouseRightUp, ButtonArgs(m));
  const bool click = m_S.RightPressed != 0;
  m_S.RightPressed = 0;
  if (click) Fire(Event::MouseRightClick);
}

void CButtonInteraction::FocusGained() {
  m_Host.DefaultHandling();
  Fire(Event::SetFocus);
  if (m_Host.OverOnFocus()) {
    // Focus that comes with a left press keeps the pressed picture up until the release.
    if (Unlatched()) m_Host.Show(m_S.Pressed ? kDown : kOver);
    m_Host.Changed();
  } else if (m_Host.FocusChangesPicture()) {
    m_Host.Changed();
  }
}

void CButtonInteraction::FocusLost() {
  m_Host.DefaultHandling();
  Fire(Event::LeaveFocus);
  if (m_Host.OverOnFocus()) {
    if (Unlatched()) m_Host.Show(m_S.Hover ? kOver : m_S.Pressed ? kDown : kNormal);
    m_Host.Changed();
  } else if (m_Host.FocusChangesPicture()) {
    m_Host.Changed();
  }
}

void CButtonInteraction::EnabledChanged(bool enabled) {
  m_S.EnabledCopy = enabled ? 1 : 0;
  m_Host.Show(enabled ? kNormal : kDisable);
  m_Host.Changed();
}

void CButtonInteraction::SetCheck(bool check) {
  const int mode = m_Host.ButtonMode();
  if (!zbrules::IsCheckMode(mode) || (check ? 1 : 0) == m_S.CheckValue) return;
  m_S.CheckValue = check ? 2 : 0;
  EventArgs a;
  a.check = check;
  Fire(Event::OnCheck, a);
  m_S.Pressed = check ? 1 : 0;
  // The press offset belongs to the checked look: a click leaves it on, so unchecking takes it off
  // and checking puts it on, whichever way the check changed.
  if (zblayout::ModeHasClickOffset(mode)) {
    m_S.PressOffset = check ? short(zblayout::kPressOffset) : short(0);
    m_S.PressOffsetActive = check ? 1 : 0;
  }
  m_Host.Show(check ? kDown : m_S.Hover ? kOver : kNormal);
  m_Host.Changed();
}

void CButtonInteraction::WindowDestroyed() {
  m_S.Tracking = 0;
  m_S.Hover = 0;
  m_S.LeftPressSeen = 0;
  m_S.RightPressed = 0;
}

}  // namespace zbinput
