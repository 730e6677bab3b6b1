#include "button/pages/EffectsPage.h"

#include <string>

#include "button/framework/Module.h"
#include "button/control/resource.h"
#include "button/pages/EffectsPageRules.h"
#include "button/pages/PageResources.h"
#include "button/pixels/EffectPass.h"
#include "button/pixels/ImageDIB.h"
#include "common/win/Handles.h"

namespace button {

namespace {

constexpr int kPreviewLeft = 16, kPreviewTop = 16, kPreviewHeight = 78;

std::wstring Wide(const char* text) {
  std::wstring out;
  for (; text && *text; ++text) out.push_back(wchar_t(static_cast<unsigned char>(*text)));
  return out;
}

common::GdiBitmap LoadDibSection(int id) {
  return common::GdiBitmap(static_cast<HBITMAP>(
      LoadImageW(button::ModuleInstance(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

}  // namespace

CEffectsPage::CEffectsPage()
    : CPropertyPage({IDD_PAGE_EFFECTS, IDS_PAGE_EFFECTS, button::EffectsBindings(), button::EffectsBindingCount()}) {}

void CEffectsPage::OnInitDialog() {
  HWND dialog = Dialog();
  for (int i = 0; i < kEffectFilterCount; ++i)
    SendDlgItemMessageW(dialog, IDC_EFF_FILTERLIST, CB_ADDSTRING, 0, LPARAM(Wide(EffectFilterLabel(i)).c_str()));
  for (int i = 0; i < kEffectApplyToCount; ++i)
    SendDlgItemMessageW(dialog, IDC_EFF_APPLYTO, CB_ADDSTRING, 0, LPARAM(Wide(EffectApplyToLabel(i)).c_str()));
  // The preview is placed in pixels, the label under it in dialog units: with a dialog font smaller
  // than the layout's, the label would paint its background over the preview's last rows.
  HWND label = GetDlgItem(dialog, IDC_EFF_APPLYLABEL);
  RECT r{};
  if (!label || !GetWindowRect(label, &r)) return;
  POINT corner{r.left, r.top};
  if (ScreenToClient(dialog, &corner) && corner.y < kPreviewTop + kPreviewHeight)
    SetWindowPos(label, nullptr, corner.x, kPreviewTop + kPreviewHeight, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CEffectsPage::OnValuesShown() {
  m_blendOn = ValueOf(IDC_EFF_BLEND)->number != 0;
  m_maskOn = ValueOf(IDC_EFF_MASK)->number != 0;
  Redraw();
}

void CEffectsPage::OnCommand(int id, int code, HWND) {
  switch (id) {
    case IDC_EFF_FILTERLIST:
      if (code == CBN_SELCHANGE) {
        const LRESULT sel = SendDlgItemMessageW(Dialog(), IDC_EFF_FILTERLIST, CB_GETCURSEL, 0, 0);
        if (sel != CB_ERR) PickFilter(int(sel));
      }
      break;
    case IDC_EFF_RESET:
      if (code == BN_CLICKED) PickFilter(0);
      break;
    case IDC_EFF_BLEND:
      if (code == BN_CLICKED) {
        m_blendOn = !m_blendOn;
        Redraw();
      }
      break;
    case IDC_EFF_MASK:
      if (code == BN_CLICKED) {
        m_maskOn = !m_maskOn;
        Redraw();
      }
      break;
    case IDC_EFF_BLENDVALUE:
    case IDC_EFF_MASKVALUE:
      if (code == EN_CHANGE) Redraw();
      break;
  }
}

bool CEffectsPage::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR&) {
  if (msg == WM_VSCROLL && lParam) {
    Step(reinterpret_cast<HWND>(lParam), LOWORD(wParam));
    return true;
  }
  if (msg == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(Dialog(), &ps);
    if (dc) DrawPreview(dc);
    EndPaint(Dialog(), &ps);
    return true;
  }
  return false;
}

void CEffectsPage::PickFilter(int filter) {
  // The hidden box's change notification marks the page dirty; the preview follows it.
  SetDlgItemTextW(Dialog(), IDC_EFF_FILTER, std::to_wstring(filter).c_str());
  Redraw();
}

void CEffectsPage::Step(HWND scrollBar, int action) {
  if (action != SB_LINEUP && action != SB_LINEDOWN) return;
  const int id = GetDlgCtrlID(scrollBar);
  const int box = id == IDC_EFF_BLENDSCROLL ? IDC_EFF_BLENDVALUE : id == IDC_EFF_MASKSCROLL ? IDC_EFF_MASKVALUE : 0;
  if (!box) return;
  const long value = button::StepAmount(Number(box), action == SB_LINEUP);
  SetDlgItemTextW(Dialog(), box, std::to_wstring(value).c_str());
}

long CEffectsPage::Number(int id) const {
  wchar_t text[32] = {};
  GetDlgItemTextW(Dialog(), id, text, 32);
  int64_t value = 0;
  if (!ParseInteger(text, value)) return 0;
  return value < -2147483647 ? -2147483647 : value > 2147483647 ? 2147483647 : long(value);
}

void CEffectsPage::DrawPreview(HDC dc) {
  HWND dialog = Dialog();
  const long filter = Number(IDC_EFF_FILTER);
  const int listed = filter >= 0 && filter < kEffectFilterCount ? int(filter) : -1;
  SendDlgItemMessageW(dialog, IDC_EFF_FILTERLIST, CB_SETCURSEL, WPARAM(listed), 0);
  SetDlgItemTextW(dialog, IDC_EFF_HELP, Wide(EffectFilterHelp(listed)).c_str());

  const common::GdiBitmap sample = LoadDibSection(IDB_EFFECTS_SAMPLE);
  if (!sample) return;
  BITMAP size{};
  CImageDIB picture;
  if (!GetObjectW(sample.Get(), sizeof(size), &size) || !picture.Create(size.bmWidth, size.bmHeight) ||
      !picture.GetFromBitmap(dc, sample.Get()))
    return;
  button::PreviewValues v;
  v.filter = filter;
  v.back = ColorShown(IDC_EFF_BACKCOLOR);
  v.mask = ColorShown(IDC_EFF_MASKCOLOR);
  v.maskValue = Number(IDC_EFF_MASKVALUE);
  v.blendValue = Number(IDC_EFF_BLENDVALUE);
  v.maskOn = m_maskOn;
  v.blendOn = m_blendOn;
  if (button::RunPreview(picture, v)) picture.Draw(dc, kPreviewLeft, kPreviewTop);
}

void CEffectsPage::Redraw() {
  if (!Dialog()) return;
  const common::WindowDC dc = common::TakeWindowDC(Dialog());
  if (dc) DrawPreview(dc.Get());
}

}  // namespace button
