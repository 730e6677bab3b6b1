#include "catalogue/LinkLabel.h"

#include <algorithm>
#include <cstdlib>

#include "catalogue/basGeneral.h"
#include "common/win/Handles.h"

namespace catalogue {

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
  const common::MemoryDC source(CreateCompatibleDC(dc));
  if (!source) return;
  const common::SelectedObject selected = common::SelectInto(source.Get(), picture);
  BitBlt(dc, 0, 0, width, height, source.Get(), rect.left, rect.top, SRCCOPY);
}

bool CLinkLabel::Create(HINSTANCE instance, HWND parent, int id, const RECT& rect, const wchar_t* text, int weight,
                        HBITMAP background, Handlers handlers) {
  if (!catalogue::RegisterFormClass(instance, kClass, catalogue::ObjectWindowProc<CLinkLabel>, IDC_HAND)) return false;
  m_rect = rect;
  m_text = text;
  m_background = background;
  m_handlers = std::move(handlers);
  m_plain.Reset(catalogue::MakeFont(8.25, weight, L"Arial"));
  m_underlined.Reset(catalogue::MakeFont(8.25, weight, L"Arial", true));
  CreateWindowExW(0, kClass, text, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, rect.left, rect.top, rect.right - rect.left,
                  rect.bottom - rect.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, this);
  return m_hwnd != nullptr;
}

void CLinkLabel::SetLook(COLORREF colour, bool underline) {
  if (colour == m_colour && underline == m_underline) return;
  m_colour = colour;
  m_underline = underline;
  if (m_hwnd) InvalidateRect(m_hwnd, nullptr, FALSE);
}

void CLinkLabel::Paint(HDC dc) {
  DrawBackgroundPart(dc, m_background, m_rect);
  RECT area{0, 0, m_rect.right - m_rect.left, m_rect.bottom - m_rect.top};
  HFONT font = m_underline ? m_underlined.Get() : m_plain.Get();
  HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, m_colour);
  DrawTextW(dc, m_text.c_str(), static_cast<int>(m_text.size()), &area, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
  if (old) SelectObject(dc, old);
}

LRESULT CLinkLabel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: return 1;  // the paint covers every pixel
    case WM_PAINT: {
      PAINTSTRUCT ps;
      if (HDC dc = BeginPaint(m_hwnd, &ps)) {
        Paint(dc);
        EndPaint(m_hwnd, &ps);
      }
      return 0;
    }
    case WM_MOUSEMOVE:
      if (m_handlers.mouseMove) m_handlers.mouseMove();
      return 0;
    case WM_LBUTTONUP:
      if (m_handlers.click) m_handlers.click();
      return 0;
    default: return DefWindowProcW(m_hwnd, message, wParam, lParam);
  }
}

}  // namespace catalogue
