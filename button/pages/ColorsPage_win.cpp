#include "button/pages/ColorsPage.h"

#include <windowsx.h>

#include <string>

#include "button/framework/Module.h"
#include "button/control/resource.h"
#include "button/pages/ColorsPageRules.h"
#include "button/pages/PageResources.h"
#include "button/pixels/ImageDIB.h"
#include "common/win/Handles.h"

namespace button {

namespace {

constexpr int kNumberBoxes[3] = {IDC_COL_RED, IDC_COL_GREEN, IDC_COL_BLUE};
constexpr int kSliderRadios[3] = {IDC_COL_SLIDER_R, IDC_COL_SLIDER_G, IDC_COL_SLIDER_B};
constexpr int kButtons[3] = {IDC_COL_SET, IDC_COL_SELECT, IDC_COL_LOCK};
constexpr int kButtonBitmaps[3] = {IDB_COLOR_SET, IDB_COLOR_SELECT, IDB_COLOR_LOCK};

void Swatch(HDC dc, int x, int y, const PickerColor& c) {
  HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  RECT frame{x - 1, y - 1, x + 41, y + 21};
  FrameRect(dc, &frame, black);
  const common::GdiBrush fill(CreateSolidBrush(RGB(c.r, c.g, c.b)));
  if (!fill) return;
  RECT inner{x, y, x + 40, y + 20};
  FillRect(dc, &inner, fill.Get());
}

}  // namespace

CColorsPage::CColorsPage()
    : CPropertyPage({IDD_PAGE_COLOR, IDS_PAGE_COLOR, button::ColorsBindings(), button::ColorsBindingCount()}) {}

CColorsPage::~CColorsPage() = default;

void CColorsPage::OnInitDialog() {
  HWND dialog = Dialog();
  for (int i = 0; i < 3; ++i) {
    if (!m_bitmaps[i])
      m_bitmaps[i].Reset(static_cast<HBITMAP>(
          LoadImageW(button::ModuleInstance(), MAKEINTRESOURCEW(kButtonBitmaps[i]), IMAGE_BITMAP, 0, 0, 0)));
    if (m_bitmaps[i]) SendDlgItemMessageW(dialog, kButtons[i], BM_SETIMAGE, IMAGE_BITMAP, LPARAM(m_bitmaps[i].Get()));
  }
  for (int id : kNumberBoxes) SendDlgItemMessageW(dialog, id, EM_LIMITTEXT, 3, 0);
  if (m_tips.Create(dialog)) {
    m_tips.Add(GetDlgItem(dialog, IDC_COL_SET), L"Set color");
    m_tips.Add(GetDlgItem(dialog, IDC_COL_SELECT), L"Select color to color picker");
    m_tips.Add(GetDlgItem(dialog, IDC_COL_LOCK), L"Lock/Unlock select mode");
    m_tips.Add(GetDlgItem(dialog, IDC_COL_ITEM_BACK),
               L"[BACK] Is used as colour of a substrate, for various effects, and is colour which occurs for want "
               L"of offset of the image for want of pressing by the mouse.");
    m_tips.Add(GetDlgItem(dialog, IDC_COL_ITEM_MASK),
               L"[COLOR MASK] Is used as colour for a mode ColorMask on page of properties 'Effects'.");
    m_tips.Add(GetDlgItem(dialog, IDC_COL_RESET), L"Reset Back color to system 3D Face color");
  }
  // Opening: not fine, locked, the Back item loaded into the picker.
  if (m_picker.FineMode()) m_picker.SetFineMode(false);
  m_lock = true;
  m_item = 0;
  CheckDlgButton(dialog, IDC_COL_FINE, BST_UNCHECKED);
  EnableWindow(GetDlgItem(dialog, IDC_COL_MORE), FALSE);
  CheckDlgButton(dialog, IDC_COL_LOCK, BST_CHECKED);
  CheckRadioButton(dialog, IDC_COL_SLIDER_R, IDC_COL_SLIDER_B, kSliderRadios[m_picker.SliderChannel()]);
}

void CColorsPage::OnValuesShown() {
  CheckRadioButton(Dialog(), IDC_COL_ITEM_BACK, IDC_COL_ITEM_TEXT, button::ItemRadio(m_item));
  SelectItemColor();
}

void CColorsPage::OnCommand(int id, int code, HWND) {
  for (int c = 0; c < 3; ++c) {
    if (id == kNumberBoxes[c] && code == EN_CHANGE) NumberEdited(c, id);
    if (id == kSliderRadios[c] && code == BN_CLICKED) {
      m_picker.ChooseSliderChannel(c);
      Redraw();
    }
  }
  if (code != BN_CLICKED) return;
  const int item = button::ItemOfRadio(id);
  if (item >= 0) {
    ChooseItem(item);
    return;
  }
  switch (id) {
    case IDC_COL_FINE:
      m_picker.SetFineMode(IsDlgButtonChecked(Dialog(), IDC_COL_FINE) == BST_CHECKED);
      EnableWindow(GetDlgItem(Dialog(), IDC_COL_MORE), m_picker.FineMode());
      ShowNumbers();
      Redraw();
      break;
    case IDC_COL_MORE:
      m_picker.Recentre();
      ShowNumbers();
      Redraw();
      break;
    case IDC_COL_SET: SetItemColor(); break;
    case IDC_COL_SELECT: SelectItemColor(); break;
    case IDC_COL_LOCK: m_lock = IsDlgButtonChecked(Dialog(), IDC_COL_LOCK) == BST_CHECKED; break;
    case IDC_COL_RESET: ResetBack(); break;
  }
}

bool CColorsPage::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR&) {
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(Dialog(), &ps);
      if (dc) Paint(dc);
      EndPaint(Dialog(), &ps);
      return true;
    }
    case WM_LBUTTONDOWN:
      SetCapture(Dialog());
      Track(lParam);
      return true;
    case WM_MOUSEMOVE:
      if (wParam & MK_LBUTTON) Track(lParam);
      return true;
    case WM_LBUTTONUP:
      m_picker.EndDrag();
      if (GetCapture() == Dialog()) ReleaseCapture();
      return true;
    case WM_CAPTURECHANGED: m_picker.EndDrag(); return false;
    case WM_DESTROY: m_tips.Destroy(); return false;
  }
  return false;
}

void CColorsPage::Paint(HDC dc) const {
  {
    CImageDIB picture;
    if (m_picker.Draw(picture)) picture.Draw(dc, CColorPicker::kLeft, CColorPicker::kTop);
  }  // released at once
  Swatch(dc, 155, 100, m_picker.Current());
  Swatch(dc, 155, 121, m_picker.Loaded());
}

void CColorsPage::Redraw() {
  if (!Dialog()) return;
  const common::WindowDC dc = common::TakeWindowDC(Dialog());
  if (dc) Paint(dc.Get());
}

void CColorsPage::ShowNumbers() {
  const PickerColor c = m_picker.Current();
  m_updating = true;
  for (int i = 0; i < 3; ++i) SetDlgItemInt(Dialog(), kNumberBoxes[i], UINT(c.Channel(i)), FALSE);
  m_updating = false;
}

void CColorsPage::NumberEdited(int channel, int id) {
  if (m_updating) return;
  BOOL ok = FALSE;
  const UINT value = GetDlgItemInt(Dialog(), id, &ok, FALSE);
  m_picker.SetChannel(channel, ok ? long(value > 255 ? 255 : value) : 0);
  Redraw();
  SendDlgItemMessageW(Dialog(), id, EM_SETSEL, 3, 3);
}

void CColorsPage::SelectItemColor() {
  if (!ValueOf(button::ItemEdit(m_item))) return;
  m_picker.Load(ColorShown(button::ItemEdit(m_item)));
  CheckRadioButton(Dialog(), IDC_COL_SLIDER_R, IDC_COL_SLIDER_B, kSliderRadios[m_picker.SliderChannel()]);
  ShowNumbers();
  Redraw();
}

void CColorsPage::SetItemColor() {
  // The hidden box's change notification marks the page dirty.
  SetDlgItemTextW(Dialog(), button::ItemEdit(m_item), std::to_wstring(m_picker.Current().ColorRef()).c_str());
}

void CColorsPage::ChooseItem(int item) {
  m_item = item;
  if (m_lock) SelectItemColor();
}

void CColorsPage::ResetBack() {
  SetDlgItemTextW(Dialog(), IDC_COL_BACKCOLOR, std::to_wstring(uint32_t(GetSysColor(COLOR_BTNFACE))).c_str());
  TakeDialogValues(false);
  SelectItemColor();
}

void CColorsPage::Track(LPARAM lParam) {
  if (m_picker.Track(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))) {
    ShowNumbers();
    Redraw();
  }
}

}  // namespace button
