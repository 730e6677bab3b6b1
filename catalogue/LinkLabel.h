#pragma once
// CLinkLabel: a text label over the window's background picture, with a hand pointer. The
// panel's link labels (support mail, web site) change their look when the pointer is on them:
// text colour and underline are set by the window that owns them.
#include <windows.h>

#include <functional>
#include <string>

#include "common/win/Handles.h"

namespace qvol2 {

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
  bool Underlined() const { return underline_; }
  std::wstring Text() const { return text_; }
  HWND Window() const { return hwnd_; }

  // For the window procedure.
  void Attach(HWND hwnd) { hwnd_ = hwnd; }
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  void Paint(HDC dc);

  HWND hwnd_ = nullptr;
  RECT rect_ = {};
  std::wstring text_;
  HBITMAP background_ = nullptr;
  Handlers handlers_;
  zb::GdiFont plain_;
  zb::GdiFont underlined_;
  COLORREF colour_ = RGB(0, 0, 0);
  bool underline_ = false;
};

// Draws the part of `picture` (placed at the parent's 0,0) that lies under `rect`.
void DrawBackgroundPart(HDC dc, HBITMAP picture, const RECT& rect);

}  // namespace qvol2
