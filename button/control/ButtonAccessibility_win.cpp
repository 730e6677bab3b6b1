#include "button/control/ButtonAccessibility.h"

#include "button/control/ZephonButtonCtrlRules.h"
#include "button/tooltip/TooltipCore.h"

namespace button {

namespace {

// The caption as it is drawn: an "&" marks the next character (underlined), so "&&" is one "&".
std::wstring DrawnCaption(const std::wstring& text) {
  std::wstring out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'&' && i + 1 < text.size()) ++i;
    out += text[i];
  }
  return out;
}

}  // namespace

std::wstring ButtonName(const std::wstring& text, const std::wstring& toolTipString) {
  if (!text.empty()) return DrawnCaption(text);
  if (button::ClassifyToolTipString(toolTipString) != button::ToolTipCommand::Text) return std::wstring();
  return button::ShownText(toolTipString);
}

long ButtonState(const ButtonFacts& facts) {
  long state = facts.enabled ? STATE_SYSTEM_FOCUSABLE : STATE_SYSTEM_UNAVAILABLE;
  if (facts.pressed) state |= STATE_SYSTEM_PRESSED;
  if (facts.checked) state |= STATE_SYSTEM_CHECKED;
  if (facts.focused) state |= STATE_SYSTEM_FOCUSED;
  if (facts.hot) state |= STATE_SYSTEM_HOTTRACKED;
  return state;
}

bool CButtonAccessibility::OnWindowMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  switch (msg) {
    case WM_GETOBJECT: {
      // The object id is 32 bits: a 64-bit sender may pass OBJID_CLIENT without its sign.
      if (DWORD(lp) != DWORD(OBJID_CLIENT)) return false;
      if (!m_object) m_object = CButtonAccessible::Create(m_site);
      if (!m_object) return false;
      const LRESULT reference = LresultFromObject(kIidAccessible, wp, static_cast<IAccessible*>(m_object.Get()));
      // Without a reference the client still gets the standard object.
      if (reference < 0) return false;
      result = reference;
      return true;
    }
    case kPressMessage:
      Click();
      result = 0;
      return true;
    case WM_DESTROY: Disconnect(); return false;
    default: return false;
  }
}

void CButtonAccessibility::Click() {
  HWND window = m_site.AccessibleWindow();
  // Disabled since the request was posted: no click, as for the mouse.
  if (!window || (m_site.AccessibleState() & STATE_SYSTEM_UNAVAILABLE)) return;
  RECT client{};
  GetClientRect(window, &client);
  const LPARAM middle = MAKELPARAM(client.right / 2, client.bottom / 2);
  // A press and a release through the window's own mouse handling: the steps, events and order of a
  // click with the mouse.
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, middle);
  SendMessageW(window, WM_LBUTTONUP, 0, middle);
}

void CButtonAccessibility::WindowCreated() {
  m_state = m_site.AccessibleState();
  m_name = m_site.AccessibleName();
}

void CButtonAccessibility::Disconnect() {
  common::ComPtr<CButtonAccessible> object = std::move(m_object);
  if (object) object->Disconnect();
}

void CButtonAccessibility::StateMayHaveChanged() {
  HWND window = m_site.AccessibleWindow();
  if (!window) return;
  const long state = m_site.AccessibleState();
  if (state == m_state) return;
  m_state = state;
  NotifyWinEvent(EVENT_OBJECT_STATECHANGE, window, OBJID_CLIENT, CHILDID_SELF);
}

void CButtonAccessibility::NameMayHaveChanged() {
  HWND window = m_site.AccessibleWindow();
  if (!window) return;
  std::wstring name = m_site.AccessibleName();
  if (name == m_name) return;
  m_name = std::move(name);
  NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, window, OBJID_CLIENT, CHILDID_SELF);
}

}  // namespace button
