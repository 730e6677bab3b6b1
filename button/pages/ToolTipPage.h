#pragma once
// The "ToolTip" page: the tooltip's text, times and animation, and a test tooltip shown with the
// values on the page (the colours, edited on the Colors page, ride along in hidden boxes).
#include "button/pages/PropertyPage.h"
#include "button/tooltip/TooltipWindow.h"

namespace button {

class CToolTipPage final : public CPropertyPage {
 public:
  CToolTipPage();

 private:
  void OnInitDialog() override;
  void OnValuesShown() override;
  void OnCommand(int id, int code, HWND control) override;
  bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
  void PickEffect(int effect);
  void ToggleSystemColors();
  void ShowTestTip();
  void KeepSettings();

  CTooltipWindow m_tip;
  // Page settings, not properties: they outlive the dialog between activations.
  bool m_noWait = true;
  bool m_systemColors = false;
};

}  // namespace button
