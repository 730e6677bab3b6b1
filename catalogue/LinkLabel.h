#pragma once
// CLinkLabel: a text label over the window's background picture, with a hand pointer. The
// panel's link labels (support mail, web site) change their look when the pointer is on them:
// text colour and underline are set by the window that owns them.
#include <windows.h>

#include <functional>
#include <string>

#include "common/win/Handles.h"

namespace catalogue {

class CLinkLabel {
 public:
  struct Handlers {
    std::function<void()> mouseMove;
    std::function<void()> click;
  };

  CLinkLabel() = default;
  CLinkLabel(const CLinkLabel&) = delete;
  CLinkLabel& operator=(const CLinkLabel&) = delete;
  ~CLinkLabel() = default;

  // `background` is the parent's background picture, drawn at the parent's 0,0: the label shows
  // its own part of it behind the text. It must outlive the label.
  bool Create(HINSTANCE instance, HWND parent, int id, const RECT& rect, const wchar_t* text, int weight,
              HBITMAP background, Handlers handlers);
  void SetLook(COLORREF colour, bool underline);
  bool Underlined() const { return m_underline; }
  std::wstring Text() const { return m_text; }
  HWND Window() const { return m_hwnd; }

  // For the window procedure.
  void Attach(HWND hwnd) { m_hwnd = hwnd; }
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  void Paint(HDC dc);

  HWND m_hwnd = nullptr;
  RECT m_rect = {};
  std::wstring m_text;
  HBITMAP m_background = nullptr;
  Handlers m_handlers;
  common::GdiFont m_plain;
  common::GdiFont m_underlined;
  COLORREF m_colour = RGB(0, 0, 0);
  bool m_underline = false;
};

// Draws the part of `picture` (placed at the parent's 0,0) that lies under `rect`.
void DrawBackgroundPart(HDC dc, HBITMAP picture, const RECT& rect);

}  // namespace catalogue
