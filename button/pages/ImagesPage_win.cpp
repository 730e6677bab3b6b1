#include "button/pages/ImagesPage.h"

#include <string>

#include "button/control/ZephonButtonCtrlPictureTable.h"
#include "button/framework/Module.h"
#include "button/control/resource.h"
#include "button/pages/ImagesPageRules.h"
#include "button/pages/PageBinding.h"
#include "button/pages/PageResources.h"
#include "button/pages/PreviewDrawing.h"
#include "button/pixels/ImageDIB.h"

namespace button {

namespace {

constexpr UINT_PTR kReloadTimer = 254;
constexpr UINT kReloadDelayMs = 500;  // time for the control to load what the page named
constexpr int kPreviewX = 8, kPreviewY = 20;

// The row of an id in a group of four ids spaced `step` apart from `first`; -1 when not in it.
int RowOf(int id, int first, int step) {
  for (int row = 0; row < button::kRows; ++row)
    if (id == first + row * step) return row;
  return -1;
}

int UrlBox(int row) { return IDC_IMG_URL_NORMAL + row * 3; }

long NumberIn(HWND dialog, int id) {
  wchar_t text[32] = {};
  GetDlgItemTextW(dialog, id, text, 32);
  int64_t value = 0;
  return ParseInteger(text, value) && value >= LONG_MIN && value <= LONG_MAX ? long(value) : 0;
}

}  // namespace

CImagesPage::CImagesPage()
    : CPropertyPage({IDD_PAGE_IMAGES, IDS_PAGE_IMAGES, button::ImagesBindings(), button::ImagesBindingCount()}) {}

CImagesPage::~CImagesPage() = default;

void CImagesPage::OnInitDialog() {
  const int ids[2] = {IDB_IMAGES_ROW, IDB_IMAGES_OTHER};
  for (int i = 0; i < 2; ++i)
    if (!m_marks[i])
      m_marks[i].Reset(
          static_cast<HBITMAP>(LoadImageW(button::ModuleInstance(), MAKEINTRESOURCEW(ids[i]), IMAGE_BITMAP, 0, 0, 0)));
  m_row = 0;  // the page opens on the normal picture
}

void CImagesPage::OnValuesShown() { Preview(m_row); }

void CImagesPage::OnCommand(int id, int code, HWND) {
  if (code != BN_CLICKED) return;
  int row = -1;
  if ((row = RowOf(id, IDC_IMG_ROW_FIRST, 1)) >= 0)
    Preview(row);
  else if ((row = RowOf(id, IDC_IMG_BROWSE_NORMAL, 3)) >= 0)
    Browse(row);
  else if ((row = RowOf(id, IDC_IMG_CLEAR_NORMAL, 3)) >= 0)
    Clear(row);
  else if ((row = RowOf(id, IDC_IMG_LINK_FIRST, 1)) >= 0)
    LinkClicked(row);
}

bool CImagesPage::OnMessage(UINT msg, WPARAM wParam, LPARAM, INT_PTR&) {
  switch (msg) {
    case WM_TIMER:
      if (wParam != kReloadTimer) return false;
      KillTimer(Dialog(), kReloadTimer);
      Preview(m_row);
      return true;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(Dialog(), &ps);
      if (dc) Paint(dc);
      EndPaint(Dialog(), &ps);
      return true;
    }
    case WM_DESTROY: KillTimer(Dialog(), kReloadTimer); return false;
    default: return false;
  }
}

long CImagesPage::HoldingFlag() const { return NumberIn(Dialog(), IDC_IMG_HOLDINGFLAG); }

void CImagesPage::SetHoldingFlag(long value) {
  // The box's change notification marks the page dirty.
  SetDlgItemTextW(Dialog(), IDC_IMG_HOLDINGFLAG, std::to_wstring(value).c_str());
}

void CImagesPage::Preview(int row) {
  HWND dialog = Dialog();
  if (!dialog || row < 0 || row >= button::kRows) return;
  m_row = row;
  const long flag = HoldingFlag();
  for (int i = 0; i < button::kRows; ++i) {
    CheckDlgButton(dialog, IDC_IMG_LINK_FIRST + i, button::LinkBit(flag, i) ? BST_CHECKED : BST_UNCHECKED);
    if (HBITMAP mark = m_marks[i == row ? 0 : 1].Get())
      SendDlgItemMessageW(dialog, IDC_IMG_ROW_FIRST + i, BM_SETIMAGE, IMAGE_BITMAP, LPARAM(mark));
  }

  // The control's picture, read at once: the table is only valid while the control lives.
  const ZbPictureTable* table = button::Lookup(int32_t(NumberIn(dialog, IDC_IMG_PREVPOINTER)));
  const CImageDIB* picture = table ? table->Images[row] : nullptr;
  const bool has = picture && picture->HasPixels();

  {
    const common::WindowDC screen = common::TakeWindowDC(dialog);
    if (!m_preview && screen)
      m_preview.Reset(CreateCompatibleBitmap(screen.Get(), button::kPageSquare, button::kPageSquare));
    const common::MemoryDC dc(m_preview && screen ? CreateCompatibleDC(screen.Get()) : nullptr);
    if (dc) {
      const common::SelectedObject selected = common::SelectInto(dc.Get(), m_preview.Get());
      RECT square{0, 0, button::kPageSquare, button::kPageSquare};
      FillRect(dc.Get(), &square, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
      if (has)
        DrawPictureScaled(dc.Get(), *picture, button::PagePreviewPlacement(picture->Width(), picture->Height()), 0, 0);
      DrawEdge(dc.Get(), &square, EDGE_SUNKEN, BF_RECT | BF_MONO);
    }
  }
  SetDlgItemTextW(dialog, IDC_IMG_SIZE,
                  button::PageSizeText(has, has ? picture->Width() : 0, has ? picture->Height() : 0).c_str());
  RECT area{kPreviewX, kPreviewY, kPreviewX + button::kPageSquare, kPreviewY + button::kPageSquare};
  InvalidateRect(dialog, &area, FALSE);
}

void CImagesPage::Paint(HDC dc) const {
  if (!m_preview) return;
  const common::MemoryDC source(CreateCompatibleDC(dc));
  if (!source) return;
  const common::SelectedObject selected = common::SelectInto(source.Get(), m_preview.Get());
  BitBlt(dc, kPreviewX, kPreviewY, button::kPageSquare, button::kPageSquare, source.Get(), 0, 0, SRCCOPY);
}

void CImagesPage::Browse(int row) {
  std::wstring path;
  if (m_fileDialog.Run(Dialog(), button::DialogTitle(row), path)) SetDlgItemTextW(Dialog(), UrlBox(row), path.c_str());
  AfterPictureChange(row);
}

void CImagesPage::Clear(int row) {
  const long flag = HoldingFlag();
  const button::ClearAction action = button::ClearRow(flag, row);
  if (action.unlink) {
    CheckDlgButton(Dialog(), IDC_IMG_LINK_FIRST + row, BST_UNCHECKED);
    SetHoldingFlag(button::WithLinkBit(flag, row, false));
  }
  if (action.emptyUrl) SetDlgItemTextW(Dialog(), UrlBox(row), L"");
  AfterPictureChange(row);
}

void CImagesPage::LinkClicked(int row) {
  const bool on = IsDlgButtonChecked(Dialog(), IDC_IMG_LINK_FIRST + row) == BST_CHECKED;
  SetHoldingFlag(button::WithLinkBit(HoldingFlag(), row, on));
}

void CImagesPage::AfterPictureChange(int row) {
  Preview(row);
  // Once more when the control has had time to load the new picture.
  SetTimer(Dialog(), kReloadTimer, kReloadDelayMs, nullptr);
}

}  // namespace button
