#include "button/pages/DialogControls.h"

#include <vector>

namespace button {

bool CDialogControls::Checked(int id) const { return IsDlgButtonChecked(m_dialog, id) == BST_CHECKED; }

void CDialogControls::SetChecked(int id, bool checked) {
  CheckDlgButton(m_dialog, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

int CDialogControls::Selection(int id) const {
  LRESULT sel = SendDlgItemMessageW(m_dialog, id, CB_GETCURSEL, 0, 0);
  return sel == CB_ERR ? -1 : int(sel);
}

void CDialogControls::SetSelection(int id, int index) {
  // An index the list does not hold leaves it without selection.
  SendDlgItemMessageW(m_dialog, id, CB_SETCURSEL, WPARAM(index), 0);
}

std::wstring CDialogControls::Text(int id) const {
  HWND control = GetDlgItem(m_dialog, id);
  if (!control) return std::wstring();
  const int length = GetWindowTextLengthW(control);
  if (length <= 0) return std::wstring();
  std::vector<wchar_t> buffer(size_t(length) + 1);
  const int got = GetWindowTextW(control, buffer.data(), length + 1);
  return std::wstring(buffer.data(), size_t(got > 0 ? got : 0));
}

void CDialogControls::SetText(int id, const std::wstring& text) { SetDlgItemTextW(m_dialog, id, text.c_str()); }

}  // namespace button
