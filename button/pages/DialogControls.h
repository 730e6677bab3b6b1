#pragma once
// IPageControls over a real dialog's child controls.
#include <windows.h>

#include "button/pages/PageBinding.h"

namespace button {

class CDialogControls final : public IPageControls {
 public:
  explicit CDialogControls(HWND dialog) : m_dialog(dialog) {}
  bool Checked(int id) const override;
  void SetChecked(int id, bool checked) override;
  int Selection(int id) const override;
  void SetSelection(int id, int index) override;
  std::wstring Text(int id) const override;
  void SetText(int id, const std::wstring& text) override;

 private:
  HWND m_dialog;
};

}  // namespace button
