#include "button/pages/AboutDialog.h"

#include "button/framework/Module.h"
#include "button/pages/PageResources.h"

namespace button {

void CAboutDialog::Open(HWND owner) {
  if (m_open) return;
  m_open = true;
  DialogBoxParamW(button::ModuleInstance(), MAKEINTRESOURCEW(IDD_PAGE_ABOUT), owner, &CAboutDialog::Proc, 0);
  m_open = false;
}

INT_PTR CALLBACK CAboutDialog::Proc(HWND dialog, UINT msg, WPARAM wParam, LPARAM) {
  switch (msg) {
    case WM_INITDIALOG: return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
      }
      return FALSE;
    default: return FALSE;
  }
}

}  // namespace button
