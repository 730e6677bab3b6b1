#include "button/pages/ToolTipPage.h"

#include <string>

#include "button/control/resource.h"
#include "button/pages/PageResources.h"
#include "button/pages/ToolTipPageRules.h"

namespace button {

CToolTipPage::CToolTipPage()
    : CPropertyPage({IDD_PAGE_TOOLTIP, IDS_PAGE_TOOLTIP, button::ToolTipBindings(), button::ToolTipBindingCount()}) {}

void CToolTipPage::OnInitDialog() { CheckDlgButton(Dialog(), IDC_TIP_NOWAIT, m_noWait ? BST_CHECKED : BST_UNCHECKED); }

void CToolTipPage::OnValuesShown() {
  // "System colors" follows the mark in the text the page holds.
  m_systemColors = button::AsksForSystemColors(ValueOf(IDC_TIP_STRING)->text);
  CheckDlgButton(Dialog(), IDC_TIP_SYSCOLORS, m_systemColors ? BST_CHECKED : BST_UNCHECKED);
}

void CToolTipPage::OnCommand(int id, int code, HWND) {
  if (code != BN_CLICKED) return;
  if (id >= IDC_TIP_EFFECT_FIRST && id <= IDC_TIP_EFFECT_LAST) PickEffect(id - IDC_TIP_EFFECT_FIRST);
  if (id == IDC_TIP_SYSCOLORS) ToggleSystemColors();
  if (id == IDC_TIP_NOWAIT) m_noWait = IsDlgButtonChecked(Dialog(), IDC_TIP_NOWAIT) == BST_CHECKED;
  if (id == IDC_TIP_SHOWTIP) ShowTestTip();
}

bool CToolTipPage::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR&) {
  switch (msg) {
    case WM_SHOWWINDOW:
      if (!wParam) m_tip.Hide();
      break;
    case WM_WINDOWPOSCHANGED: {
      const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
      if (!pos || !(pos->flags & SWP_NOMOVE) || (pos->flags & SWP_HIDEWINDOW)) m_tip.Hide();
      break;
    }
    case WM_DESTROY:
      // The children still exist here: keep the page settings for the next activation.
      KeepSettings();
      m_tip.Hide();
      break;
    default: break;
  }
  return false;
}

void CToolTipPage::KeepSettings() {
  m_noWait = IsDlgButtonChecked(Dialog(), IDC_TIP_NOWAIT) == BST_CHECKED;
  m_systemColors = IsDlgButtonChecked(Dialog(), IDC_TIP_SYSCOLORS) == BST_CHECKED;
}

// Each animation gets a period that suits it; NONE gets 0, which shows the tooltip at once.
void CToolTipPage::PickEffect(int effect) {
  const long period = button::PeriodForEffect(effect);
  if (period >= 0) SetDlgItemTextW(Dialog(), IDC_TIP_ANIM, std::to_wstring(period).c_str());
}

void CToolTipPage::ToggleSystemColors() {
  // The text box may hold edits the page has not taken yet: start from them, not from what was read.
  TakeDialogValues(false);
  const bool on = IsDlgButtonChecked(Dialog(), IDC_TIP_SYSCOLORS) == BST_CHECKED;
  m_systemColors = on;
  const std::wstring text = button::WithSystemColors(ValueOf(IDC_TIP_STRING)->text, on);
  SetDlgItemTextW(Dialog(), IDC_TIP_STRING, text.c_str());
}

void CToolTipPage::ShowTestTip() {
  TakeDialogValues(false);
  button::Settings settings;
  settings.text = button::TestText(ValueOf(IDC_TIP_STRING)->text);
  settings.showTime = ValueOf(IDC_TIP_SHOW)->number;
  settings.animTime = ValueOf(IDC_TIP_ANIM)->number;
  settings.waitTime = m_noWait ? 0 : ValueOf(IDC_TIP_WAIT)->number;
  const long effect = ValueOf(IDC_TIP_EFFECT_FIRST)->number;
  settings.effect = effect >= button::kBlend && effect <= button::kNoEffect ? int(effect) : button::kNoEffect;
  settings.colors.back = uint32_t(ValueOf(IDC_TIP_BACKCOLOR)->number);
  settings.colors.gradient = uint32_t(ValueOf(IDC_TIP_GRADIENTCOLOR)->number);
  settings.colors.text = uint32_t(ValueOf(IDC_TIP_TEXTCOLOR)->number);
  settings.colors.border = uint32_t(ValueOf(IDC_TIP_BORDERCOLOR)->number);
  m_tip.Hide();
  m_tip.Configure(settings);
  m_tip.Start(Dialog());
}

}  // namespace button
