#pragma once
// The "General" page: alignment, stretch mode, button mode (kept in HoldingFlag's high byte), the
// hand cursor, auto-size and the flips.
#include "button/pages/AboutDialog.h"
#include "button/pages/PageToolTip.h"
#include "button/pages/PropertyPage.h"

namespace button {

class CGeneralPage final : public CPropertyPage {
 public:
  CGeneralPage();

 private:
  void OnInitDialog() override;
  void OnValuesShown() override;
  void OnCommand(int id, int code, HWND control) override;
  bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
  void UpdateAutoSize();
  void ShowSystemSupport();
  void PickButtonMode();

  CPageToolTip m_tips;
  CAboutDialog m_about;
};

}  // namespace button
