#include "button/pages/TextPage.h"

#include <initializer_list>
#include <string>

#include "button/control/resource.h"
#include "button/pages/DialogControls.h"
#include "button/pages/PageResources.h"
#include "button/pages/TextPageRules.h"

namespace button {

namespace {

void FillList(HWND dialog, int id, std::initializer_list<const wchar_t*> items) {
  for (const wchar_t* item : items) SendDlgItemMessageW(dialog, id, CB_ADDSTRING, 0, LPARAM(item));
}

}  // namespace

CTextPage::CTextPage()
    : CPropertyPage({IDD_PAGE_TEXT, IDS_PAGE_TEXT, button::TextBindings(), button::TextBindingCount()}) {}

void CTextPage::OnInitDialog() {
  HWND dialog = Dialog();
  FillList(
      dialog, IDC_TEXT_APPLYTO,
      {L"ALL IMAGES", L"Normal image", L"Over image", L"Normal & Over", L"Down image", L"Disable image", L"On Focus"});
  FillList(dialog, IDC_TEXT_ALIGNVER, {L"Top", L"Center", L"Bottom"});
  FillList(dialog, IDC_TEXT_ALIGNHOR, {L"Left", L"Center", L"Right"});
}

void CTextPage::OnValuesShown() { UpdateVerticalAlign(); }

void CTextPage::OnCommand(int id, int code, HWND) {
  if (id == IDC_TEXT_WORDBREAK && code == BN_CLICKED) UpdateVerticalAlign();
}

bool CTextPage::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR&) {
  if (msg == WM_VSCROLL && lParam) StepBox(reinterpret_cast<HWND>(lParam), LOWORD(wParam));
  return false;
}

// Word-broken text fills the picture from the top: the vertical alignment has no say then.
void CTextPage::UpdateVerticalAlign() {
  TakeDialogValues(false);
  const PageValue* wordBreak = ValueOf(IDC_TEXT_WORDBREAK);
  EnableWindow(GetDlgItem(Dialog(), IDC_TEXT_ALIGNVER), wordBreak->number == 0);
}

void CTextPage::StepBox(HWND scrollBar, int code) {
  if (code != SB_LINEUP && code != SB_LINEDOWN) return;
  const int bar = GetDlgCtrlID(scrollBar);
  const int box = bar == IDC_TEXT_BLENDSPIN ? IDC_TEXT_BLEND : bar == IDC_TEXT_OFFSETSPIN ? IDC_TEXT_OFFSET : 0;
  if (!box) return;
  const std::wstring current = CDialogControls(Dialog()).Text(box);
  long next = 0;
  const bool stepped = box == IDC_TEXT_BLEND ? button::StepBlend(current, code == SB_LINEUP, next)
                                             : button::StepOffset(current, code == SB_LINEUP, next);
  // The box's change notification marks the page dirty.
  if (stepped && std::to_wstring(next) != current) SetDlgItemTextW(Dialog(), box, std::to_wstring(next).c_str());
}

}  // namespace button
