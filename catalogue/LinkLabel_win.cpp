#include "catalogue/LinkLabel.h"

#include <algorithm>
#include <cstdlib>

#include "catalogue/basGeneral.h"

namespace qvol2 {

namespace {

constexpr wchar_t kClass[] = L"QVOL2.Link";

}  // namespace

void DrawBackgroundPart(HDC dc, HBITMAP picture, const RECT& rect) {
  const RECT local{0, 0, rect.right - rect.left, rect.bottom - rect.top};
  FillRect(dc, &local, GetSysColorBrush(COLOR_BTNFACE));
  if (!picture) return;
  BITMAP size = {};
  if (!GetObjectW(picture, sizeof size, &size)) return;
  // Only what the picture covers: beyond it the surface stays plain.
  const LONG width = std::min<LONG>(local.right, size.bmWidth - rect.left);
  const LONG height = std::min<LONG>(local.bottom, std::abs(size.bmHeight) - rect.top);
  if (width <= 0 || height <= 0) return;
  HDC source = CreateCompatibleDC(dc);
  if (!source) return;
  HGDIOBJ old = SelectObject(source, picture);
  BitBlt(dc, 0, 0, width, height, source, rect.left, rect.top, SRCCOPY);
  SelectObject(source, old);
  DeleteDC(source);
}

bool CLinkLabel::Create(HINSTANCE instance, HWND parent, int id, const RECT& rect, const wchar_t* text, int weight,
                        HBITMAP background, Handlers handlers) {
  if (!basGeneral::RegisterFormClass(instance, kClass, basGeneral::ObjectWindowProc<CLinkLabel>, IDC_HAND)) return false;
  rect_ = rect;
  text_ = text;
  background_ = background;
  handlers_ = std::move(handlers);
  plain_.Reset(basGeneral::MakeFont(8.25, weight, L"Arial"));
  underlined_.Reset(basGeneral::MakeFont(8.25, weight, L"Arial", true));
  CreateWindowExW(0, kClass, text, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, rect.left, rect.top,
                  rect.right - rect.left, rect.bottom - rect.top, parent,
                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, this);
  return hwnd_ != nullptr;
}

void CLinkLabel::SetLook(COLORREF colour, bool underline) {
  if (colour == colour_ && underline == underline_) return;
  colour_ = colour;
  underline_ = underline;
  if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}

void CLinkLabel::Paint(HDC dc) {
  DrawBackgroundPart(dc, background_, rect_);
  RECT area{0, 0, rect_.right - rect_.left, rect_.bottom - rect_.top};
  HFONT font = underline_ ? underlined_.Get() : plain_.Get();
  HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, colour_);
  DrawTextW(dc, text_.c_str(), static_cast<int>(text_.size()), &area, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
  if (old) SelectObject(dc, old);
}

LRESULT CLinkLabel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // the paint covers every pixel
    case WM_PAINT: {
      PAINTSTRUCT ps;
      if (HDC dc = BeginPaint(hwnd_, &ps)) {
        Paint(dc);
        EndPaint(hwnd_, &ps);
      }
      return 0;
    }
    case WM_MOUSEMOVE:
      if (handlers_.mouseMove) handlers_.mouseMove();
      return 0;
    case WM_LBUTTONUP:
      if (handlers_.click) handlers_.click();
      return 0;
    default:
      return DefWindowProcW(hwnd_, message, wParam, lParam);
  }
}

}  // namespace qvol2
