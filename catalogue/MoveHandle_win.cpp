#include "catalogue/MoveHandle.h"

#include <windowsx.h>

#include "catalogue/LinkLabel.h"
#include "catalogue/basGeneral.h"

namespace catalogue {

namespace {

constexpr wchar_t kClass[] = L"QVOL2.Mover";

}  // namespace

bool CMoveHandle::Create(HINSTANCE instance, HWND parent, int id, const RECT& rect, HBITMAP picture) {
  if (!catalogue::RegisterFormClass(instance, kClass, catalogue::ObjectWindowProc<CMoveHandle>, IDC_SIZEALL))
    return false;
  m_picture = picture;
  CreateWindowExW(0, kClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, rect.left, rect.top, rect.right - rect.left,
                  rect.bottom - rect.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, this);
  return m_hwnd != nullptr;
}

LRESULT CMoveHandle::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      if (HDC dc = BeginPaint(m_hwnd, &ps)) {
        RECT own{};
        GetClientRect(m_hwnd, &own);
        DrawBackgroundPart(dc, m_picture, own);
        EndPaint(m_hwnd, &ps);
      }
      return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      DragStartX = static_cast<float>(GET_X_LPARAM(lParam));
      DragStartY = static_cast<float>(GET_Y_LPARAM(lParam));
      Dragging = true;
      // The moves keep coming here while the pointer runs ahead of the window.
      SetCapture(m_hwnd);
      return 0;
    case WM_MOUSEMOVE:
      if (Dragging) {
        HWND window = GetAncestor(m_hwnd, GA_ROOT);
        RECT r{};
        if (window && GetWindowRect(window, &r)) {
          const int dx = static_cast<int>(GET_X_LPARAM(lParam) - DragStartX);
          const int dy = static_cast<int>(GET_Y_LPARAM(lParam) - DragStartY);
          if (dx || dy) {
            SetWindowPos(window, nullptr, r.left + dx, r.top + dy, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
          }
        }
      }
      return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      Dragging = false;
      if (GetCapture() == m_hwnd) ReleaseCapture();
      return 0;
    case WM_CAPTURECHANGED:
      // The system took the pointer away (another window, a menu): the drag is over.
      Dragging = false;
      return 0;
    default: return DefWindowProcW(m_hwnd, message, wParam, lParam);
  }
}

}  // namespace catalogue
