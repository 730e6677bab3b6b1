#include "button/pages/PictureFileDialog.h"

#include <commdlg.h>

#include <vector>

#include "button/imaging/PictureDecode.h"
#include "button/pages/GeneralPageRules.h"
#include "button/pages/ImagesPageRules.h"
#include "button/pages/PreviewDrawing.h"
#include "common/win/TextConvert.h"
#include "common/win/Handles.h"

namespace button {

namespace {

constexpr UINT kRedrawPreview = WM_APP + 41;
constexpr int kPreviewTop = 36;
constexpr COLORREF kSizeTextColour = 0xE60000;

// The dialog whose frame the thread's window-procedure hook watches (one modal dialog a thread).
thread_local CPictureFileDialog* t_watched = nullptr;

bool SystemNewerThan4() {
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof(info);
  if (!GetVersionExW(&info)) return false;
  return button::SystemNewerThan4(info.dwMajorVersion, info.dwMinorVersion);
}

bool IsFile(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

CPictureFileDialog::~CPictureFileDialog() { Unhook(); }

bool CPictureFileDialog::Run(HWND owner, const std::wstring& title, std::wstring& path) {
  const std::wstring filter = button::FilterList();
  std::vector<wchar_t> file(32768, L'\0');  // room for any long path
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = DWORD(file.size());
  ofn.lpstrTitle = title.c_str();
  ofn.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
  if (SystemNewerThan4()) {
    ofn.Flags |= OFN_ENABLEHOOK;
    ofn.lpfnHook = &CPictureFileDialog::HookProc;
    ofn.lCustData = LPARAM(this);
  }
  m_picture.Destroy();
  const BOOL chosen = GetOpenFileNameW(&ofn);
  Unhook();
  m_hook = m_frame = nullptr;
  if (!chosen) return false;
  path = file.data();
  return !path.empty();
}

UINT_PTR CALLBACK CPictureFileDialog::HookProc(HWND hook, UINT msg, WPARAM, LPARAM lParam) {
  if (msg == WM_INITDIALOG) {
    const auto* ofn = reinterpret_cast<const OPENFILENAMEW*>(lParam);
    auto* self = ofn ? reinterpret_cast<CPictureFileDialog*>(ofn->lCustData) : nullptr;
    SetWindowLongPtrW(hook, GWLP_USERDATA, LONG_PTR(self));
    if (self) self->Initialise(hook);
    return TRUE;
  }
  auto* self = reinterpret_cast<CPictureFileDialog*>(GetWindowLongPtrW(hook, GWLP_USERDATA));
  if (!self) return 0;
  switch (msg) {
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header && header->code == CDN_SELCHANGE) self->SelectionChanged();
      break;
    }
    case kRedrawPreview: self->RedrawFrame(); break;
    case WM_DESTROY: self->Unhook(); break;
    default: break;
  }
  return 0;
}

void CPictureFileDialog::Initialise(HWND hook) {
  m_hook = hook;
  m_frame = GetParent(hook);
  if (!m_frame) return;
  RECT r{};
  GetWindowRect(m_frame, &r);
  m_frameWidth = (r.right - r.left) + button::kDialogPreviewW + 20;
  SetWindowPos(m_frame, nullptr, 0, 0, m_frameWidth, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  t_watched = this;
  m_watch = SetWindowsHookExW(WH_CALLWNDPROC, &CPictureFileDialog::WatchProc, nullptr, GetCurrentThreadId());
}

void CPictureFileDialog::Unhook() {
  if (m_watch) UnhookWindowsHookEx(m_watch);
  m_watch = nullptr;
  if (t_watched == this) t_watched = nullptr;
}

LRESULT CALLBACK CPictureFileDialog::WatchProc(int code, WPARAM wParam, LPARAM lParam) {
  CPictureFileDialog* self = t_watched;
  const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && self && call && call->hwnd == self->m_frame) {
    switch (call->message) {
      case WM_WINDOWPOSCHANGED:
      case WM_ERASEBKGND:
        // The frame paints over its client area after this message: draw once it has.
        PostMessageW(self->m_hook, kRedrawPreview, 0, 0);
        break;
      case WM_SIZING:
        // The width stays the widened one; the height is the user's.
        if (auto* rect = reinterpret_cast<RECT*>(call->lParam)) rect->right = rect->left + self->m_frameWidth;
        break;
      default: break;
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void CPictureFileDialog::SelectionChanged() {
  if (!m_frame) return;
  const LRESULT needed = SendMessageW(m_frame, CDM_GETFILEPATH, 0, 0);
  std::wstring path;
  if (needed > 0 && needed < 32768) {
    std::vector<wchar_t> buffer(size_t(needed) + 1, L'\0');
    SendMessageW(m_frame, CDM_GETFILEPATH, WPARAM(buffer.size()), LPARAM(buffer.data()));
    path = buffer.data();
  }
  LoadPreview(path);
  RedrawFrame();
}

bool CPictureFileDialog::LoadPreview(const std::wstring& path) {
  m_picture.Destroy();
  if (path.empty() || !IsFile(path)) return false;
  if (DecodePictureFile(common::Utf8(path), 0x00FFFFFF, m_picture).Ok() && m_picture.HasPixels()) return true;
  m_picture.Destroy();  // a GIF that is no GIF leaves the buffer as it was
  return false;
}

void CPictureFileDialog::RedrawFrame() const {
  if (!m_frame) return;
  RECT client{};
  GetClientRect(m_frame, &client);
  const common::WindowDC dc = common::TakeWindowDC(m_frame);
  if (dc) DrawPreview(dc.Get(), client.right - button::kDialogPreviewW - 10, kPreviewTop);
}

void CPictureFileDialog::DrawPreview(HDC dc, int x, int y) const {
  const int w = button::kDialogPreviewW, h = button::kDialogPreviewH;
  {
    const common::SelectedObject pen = common::SelectInto(dc, GetStockObject(BLACK_PEN));
    const common::SelectedObject brush = common::SelectInto(dc, GetStockObject(WHITE_BRUSH));
    Rectangle(dc, x, y, x + w, y + h);
  }
  RECT band{x, y + h + 4, x + w, y + h + 24};
  FillRect(dc, &band, GetSysColorBrush(COLOR_BTNFACE));
  if (!m_picture.HasPixels()) return;
  DrawPictureScaled(dc, m_picture, button::DialogPreviewPlacement(m_picture.Width(), m_picture.Height()), x, y);

  const common::GdiFont font(CreateFontW(-MulDiv(9, GetDeviceCaps(dc, LOGPIXELSY), 72), 0, 0, 0, FW_NORMAL, FALSE,
                                         FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                         DEFAULT_QUALITY, DEFAULT_PITCH, L"Tahoma"));
  const common::SelectedObject selected = font ? common::SelectInto(dc, font.Get()) : common::SelectedObject();
  const COLORREF oldColour = SetTextColor(dc, kSizeTextColour);
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const std::wstring text = button::DialogSizeText(m_picture.Width(), m_picture.Height());
  DrawTextW(dc, text.c_str(), int(text.size()), &band, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
  SetBkMode(dc, oldMode);
  SetTextColor(dc, oldColour);
}

}  // namespace button
