#pragma once
// CButtonAccessibility: the button's side of its accessibility. It answers WM_GETOBJECT with the
// button's accessible object (ButtonAccessible.h) while the window lives, carries out the object's
// default action as a click through the window's own mouse messages, and tells accessibility
// clients when the button's state or name changed (EVENT_OBJECT_STATECHANGE / NAMECHANGE for the
// window's client object). The rules for the name and the state bits are here too.
#include <windows.h>

#include <string>

#include "button/control/ButtonAccessible.h"

namespace button {

// The name a button shows clients: its caption, else its tooltip text as the tooltip shows it
// (without the leading "&" of the system colours); a "script:" command is no text. Empty: none.
std::wstring ButtonName(const std::wstring& text, const std::wstring& toolTipString);

struct ButtonFacts {
  bool enabled = true;
  bool pressed = false;  // the left button is held down on it
  bool checked = false;  // a check mode, checked
  bool focused = false;
  bool hot = false;  // the pointer is over it
};
// STATE_SYSTEM_ bits of those facts.
long ButtonState(const ButtonFacts& facts);

class CButtonAccessibility {
 public:
  explicit CButtonAccessibility(IButtonAccessibleSite& site) : m_site(site) {}
  ~CButtonAccessibility() { Disconnect(); }
  CButtonAccessibility(const CButtonAccessibility&) = delete;
  CButtonAccessibility& operator=(const CButtonAccessibility&) = delete;

  // WM_GETOBJECT for the client object, the default action's message, and the window's end; false
  // for every other message (and when the platform has no standard object to build on).
  bool OnWindowMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
  // A new window: what clients will be told about changes is measured from here.
  void WindowCreated();
  // Clients keep their references but reach nothing any more (the window or the button goes).
  void Disconnect();
  // After something that may have changed the button's state bits or its name.
  void StateMayHaveChanged();
  void NameMayHaveChanged();

 private:
  void Click();

  IButtonAccessibleSite& m_site;
  common::ComPtr<CButtonAccessible> m_object;
  long m_state = 0;
  std::wstring m_name;
};

}  // namespace button
