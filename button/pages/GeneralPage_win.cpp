#include "button/pages/GeneralPage.h"

#include <initializer_list>
#include <string>

#include "button/control/resource.h"
#include "button/pages/GeneralPageRules.h"
#include "button/pages/PageResources.h"

namespace button {

namespace {

PageDescription Description() {
  return {IDD_PAGE_GENERAL, IDS_PAGE_GENERAL, button::GeneralBindings(), button::GeneralBindingCount()};
}

void FillList(HWND dialog, int id, std::initializer_list<const wchar_t*> items) {
  for (const wchar_t* item : items) SendDlgItemMessageW(dialog, id, CB_ADDSTRING, 0, LPARAM(item));
}

bool SystemNewerThan4() {
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof(info);
  if (!GetVersionExW(&info)) return false;
  return button::SystemNewerThan4(info.dwMajorVersion, info.dwMinorVersion);
}

}  // namespace

CGeneralPage::CGeneralPage() : CPropertyPage(Description()) {}

void CGeneralPage::OnInitDialog() {
  HWND dialog = Dialog();
  FillList(dialog, IDC_GEN_ALIGNHOR, {L"Left", L"Center", L"Right"});
  FillList(dialog, IDC_GEN_ALIGNVER, {L"Top", L"Center", L"Bottom"});
  FillList(dialog, IDC_GEN_STRETCH, {L"NONE", L"Aspect Ratio", L"Full stretch", L"Align to Parent", L"Fixed 96x96"});
  FillList(dialog, IDC_GEN_BUTTONMODE,
           {L"FlatButton (pictures)", L"FlatButton and  ClickOffset", L"AutoButtonize (pictures + bevel)",
            L"Check+FlatButton", L"Check+FlatButton and  ClickOffset", L"Check+AutoButtonize"});
  if (m_tips.Create(dialog)) {
    m_tips.Add(GetDlgItem(dialog, IDC_GEN_BUTTONMODE),
               L"Set of styles of imaging of the button: (Flat,Bevel,Offset,Check style)");
    m_tips.Add(GetDlgItem(dialog, IDC_GEN_EXTENSIONS),
               L"This flag whether shows the various extensions in OS will be supported. (in hand-operated is not "
               L"installed)");
  }
}

void CGeneralPage::OnValuesShown() {
  const PageValue* flag = ValueOf(IDC_GEN_HOLDINGFLAG);
  SendDlgItemMessageW(Dialog(), IDC_GEN_BUTTONMODE, CB_SETCURSEL, WPARAM(button::ButtonModeOf(flag->number)), 0);
  ShowSystemSupport();
  UpdateAutoSize();
}

void CGeneralPage::OnCommand(int id, int code, HWND) {
  if (id == IDC_GEN_BUTTONMODE && code == CBN_SELCHANGE) PickButtonMode();
  if (id == IDC_GEN_STRETCH && code == CBN_SELCHANGE) UpdateAutoSize();
  if (id == IDC_GEN_EXTENSIONS && code == BN_CLICKED) ShowSystemSupport();
  if (id == IDC_GEN_ABOUT && code == BN_CLICKED) m_about.Open(Dialog());
}

bool CGeneralPage::OnMessage(UINT msg, WPARAM, LPARAM, INT_PTR&) {
  if (msg == WM_DESTROY) m_tips.Destroy();
  return false;
}

void CGeneralPage::PickButtonMode() {
  const LRESULT mode = SendDlgItemMessageW(Dialog(), IDC_GEN_BUTTONMODE, CB_GETCURSEL, 0, 0);
  if (mode == CB_ERR) return;
  // Take what the dialog holds first, so the hidden HoldingFlag box is current before its high
  // byte is replaced; the low byte (the picture hold bits) stays.
  TakeDialogValues(false);
  const long flag = button::WithButtonMode(ValueOf(IDC_GEN_HOLDINGFLAG)->number, int(mode));
  SetDlgItemTextW(Dialog(), IDC_GEN_HOLDINGFLAG, std::to_wstring(flag).c_str());
}

void CGeneralPage::UpdateAutoSize() {
  const LRESULT stretch = SendDlgItemMessageW(Dialog(), IDC_GEN_STRETCH, CB_GETCURSEL, 0, 0);
  EnableWindow(GetDlgItem(Dialog(), IDC_GEN_AUTOSIZE), button::AutoSizeAllowed(int(stretch)));
}

// The box reports the system, not a setting: every click puts the answer back.
void CGeneralPage::ShowSystemSupport() {
  CheckDlgButton(Dialog(), IDC_GEN_EXTENSIONS, SystemNewerThan4() ? BST_CHECKED : BST_UNCHECKED);
}

}  // namespace button
