#include "catalogue/PopupPanel.h"

#include "catalogue/basGeneral.h"

namespace catalogue {

namespace {

constexpr wchar_t kClass[] = L"QVOL2.Panel";

}  // namespace

bool CPopupPanel::Create(HINSTANCE instance, HWND parent, int left, int top, const Design& design, HFONT font) {
  if (!catalogue::RegisterFormClass(instance, kClass, WindowProc)) return false;
  CreateWindowExW(WS_EX_CONTROLPARENT, kClass, L"", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_BORDER, left, top,
                  design.width, design.height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(design.id)),
                  instance, this);
  if (!m_hwnd) return false;
  const RECT& r = design.textRect;
  // The close button may overlap the text box: the box must not paint over it.
  HWND text = CreateWindowExW(
      WS_EX_CLIENTEDGE, L"EDIT", design.text,
      WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_VSCROLL | WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY,
      r.left, r.top, r.right - r.left, r.bottom - r.top, m_hwnd,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(design.textId)), instance, nullptr);
  if (text && font) SendMessageW(text, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return text != nullptr;
}

void CPopupPanel::ShowAt(int left, int top) {
  if (!m_hwnd) return;
  // The close button, created after the text box, would lie under it where the two overlap and
  // clicks there would reach the text.
  if (HWND close = m_close.Window())
    SetWindowPos(close, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  SetWindowPos(m_hwnd, HWND_TOP, left, top, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
}

void CPopupPanel::Hide() {
  if (m_hwnd) ShowWindow(m_hwnd, SW_HIDE);
}

LRESULT CALLBACK CPopupPanel::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  CPopupPanel* self = catalogue::WindowObjectOf<CPopupPanel>(hwnd, message, lParam);
  if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
  switch (message) {
    case WM_NCCREATE: self->m_hwnd = hwnd; break;
    case WM_DESTROY:
      self->m_close.Close();  // the control goes before the window that holds it
      break;
    case WM_NCDESTROY:
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
      self->m_hwnd = nullptr;
      break;
    case WM_SETCURSOR:
      if (catalogue::ApplyBusyPointer()) return TRUE;
      break;
    default: break;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace catalogue
