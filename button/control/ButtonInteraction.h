#pragma once
// CButtonInteraction: how the button answers the mouse, the keyboard focus, its Enabled property and
// the check methods - which state it shows, how the check modes latch, and which events it fires in
// which order. No window-system calls: the control carries the steps out through IInteractionHost,
// so the order of every step is unit-tested natively.
#include <cstdint>

namespace button {

// Key-state flags of a mouse message (the window system's MK_ values).
constexpr uint32_t kKeyLeft = 0x0001;
constexpr uint32_t kKeyRight = 0x0002;
constexpr uint32_t kKeyShift = 0x0004;
constexpr uint32_t kKeyControl = 0x0008;
constexpr uint32_t kKeyMiddle = 0x0010;

// Button argument of the mouse-button events: 1 left + 2 right + 4 middle, as the flags say after
// the change (so a left release reports no left bit).
short MouseButton(uint32_t keyFlags);
// Shift argument: 1 Shift + 2 Ctrl (no Alt bit).
short MouseShift(uint32_t keyFlags);

// Events the interaction fires, by their DISPIDs in the event interface.
enum class Event : int32_t {
  MouseLeave = 1,
  MouseClick = 2,
  MouseEnter = 3,
  MouseRightClick = 5,
  MouseRightDown = 6,
  MouseRightUp = 7,
  MouseMoving = 8,
  SetFocus = 9,
  LeaveFocus = 10,
  OnCheck = 14,
  MouseDown = -605,
  MouseUp = -607,
};

// Arguments of one event: MouseDown/MouseUp/MouseRightDown/MouseRightUp take button, shift, x, y;
// MouseMoving takes flags, x, y; OnCheck takes check; the others none.
struct EventArgs {
  short button = 0;
  short shift = 0;
  int32_t flags = 0;
  int32_t x = 0;
  int32_t y = 0;
  bool check = false;
};

// A mouse message: its key-state flags and the pointer's position in the control.
struct Mouse {
  uint32_t keyFlags = 0;
  int32_t x = 0;
  int32_t y = 0;
};

// Which cursor the cursor rule asks for when AutoHandCursor is on: the pointing hand (mouse move,
// left release) or the pressed hand (left press).
enum class HandUse { Pointing, Pressing };

struct InteractionState {
  int Hover = 0;          // between the first move inside and the next leave; also set by a left release
  int Pressed = 0;        // from a left press until the release (check modes: until unchecking)
  int RightPressed = 0;   // from a right press until the right release (2: the pointer left meanwhile)
  int Tracking = 0;       // leave notification requested
  int CheckValue = 0;     // 0 unchecked, 1 checked by a press still held, 2 latched
  short PressOffset = 0;  // 0, or 2 while pressed in the offset and bevel modes
  int PressOffsetActive = 0;
  int EnabledCopy = 1;    // the stock Enabled as last seen
  int UserModeCopy = 1;   // the container's user mode as last read
  int LeftPressSeen = 0;  // a left press on the control not released yet (2: the pointer left meanwhile)
};

// What the interaction needs from its control.
class IInteractionHost {
 public:
  virtual ~IInteractionHost() = default;
  virtual bool HasWindow() const = 0;
  virtual int ButtonMode() const = 0;
  virtual bool OverOnFocus() const = 0;
  // EffectApplyTo or TextApplyTo is 6 ("On Focus"): focus changes change the picture.
  virtual bool FocusChangesPicture() const = 0;
  virtual void TrackLeave() = 0;              // ask for a leave notification
  virtual void Show(int state) = 0;           // show a state image and make it current
  virtual void Changed() = 0;                 // mark modified, redraw
  virtual void ApplyCursor(HandUse use) = 0;  // the cursor rule
  virtual void StartTooltip() = 0;
  virtual void HideTooltip() = 0;
  virtual void DefaultHandling() = 0;  // the framework's handling of the message being handled
  virtual void Fire(Event event, const EventArgs& args) = 0;
};

class CButtonInteraction {
 public:
  CButtonInteraction(InteractionState& state, IInteractionHost& host) : m_s(state), m_host(host) {}

  void MouseMove(const Mouse& m);
  void MouseLeave();
  void LeftDown(const Mouse& m);
  void LeftUp(const Mouse& m);
  void RightDown(const Mouse& m);
  void RightUp(const Mouse& m);
  void FocusGained();
  void FocusLost();
  void EnabledChanged(bool enabled);
  void SetCheck(bool check);
  bool GetCheck() const { return m_s.CheckValue != 0; }
  // The window went away: its leave notification and any press on it went with it.
  void WindowDestroyed();

 private:
  // Not a check mode, or a check mode that is not checked: hover and leave change the picture.
  bool Unlatched() const;
  void Fire(Event e, const EventArgs& args = EventArgs()) { m_host.Fire(e, args); }
  static EventArgs ButtonArgs(const Mouse& m);

  InteractionState& m_s;
  IInteractionHost& m_host;
};

}  // namespace button
