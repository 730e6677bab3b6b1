#include "button/pages/PageToolTip.h"

#include <commctrl.h>

namespace button {

bool CPageToolTip::Create(HWND page) {
  Destroy();
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES};
  InitCommonControlsEx(&icc);
  m_page = page;
  m_tip =
      CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                      CW_USEDEFAULT, CW_USEDEFAULT, page, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!m_tip) return false;
  SendMessageW(m_tip, TTM_SETDELAYTIME, TTDT_AUTOPOP, MAKELPARAM(20000, 0));
  SendMessageW(m_tip, TTM_SETMAXTIPWIDTH, 0, 260);
  SendMessageW(m_tip, TTM_ACTIVATE, TRUE, 0);
  return true;
}

void CPageToolTip::Destroy() {
  if (m_tip) DestroyWindow(m_tip);
  m_tip = nullptr;
  m_page = nullptr;
}

bool CPageToolTip::Add(HWND tool, const wchar_t* text) {
  if (!m_tip || !tool) return false;
  TOOLINFOW ti{};
  // The smallest structure every version of the common controls accepts with these fields.
  ti.cbSize = TTTOOLINFOW_V2_SIZE;
  ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  ti.hwnd = m_page;
  ti.uId = UINT_PTR(tool);
  ti.lpszText = const_cast<wchar_t*>(text);
  return SendMessageW(m_tip, TTM_ADDTOOLW, 0, LPARAM(&ti)) != FALSE;
}

}  // namespace button
