#pragma once
// CMoveHandle: the strip on the window's top edge that moves the borderless window. A press (any
// mouse button) records where the pointer is on the strip; while it is held, every move shifts
// the window by the pointer's distance from that spot, so the pointer keeps its place on the
// strip; the release ends the drag.
#include <windows.h>

namespace catalogue {

class CMoveHandle {
 public:
  CMoveHandle() = default;
  CMoveHandle(const CMoveHandle&) = delete;
  CMoveHandle& operator=(const CMoveHandle&) = delete;
  ~CMoveHandle() = default;

  // `picture` is the strip's picture; it must outlive the handle.
  bool Create(HINSTANCE instance, HWND parent, int id, const RECT& rect, HBITMAP picture);
  HWND Window() const { return m_hwnd; }

  // For the window procedure.
  void Attach(HWND hwnd) { m_hwnd = hwnd; }
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  HWND m_hwnd = nullptr;
  HBITMAP m_picture = nullptr;
  bool Dragging = false;
  // Where the press was, in the strip's own pixels.
  float DragStartX = 0;
  float DragStartY = 0;
};

}  // namespace catalogue
