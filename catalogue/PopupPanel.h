#pragma once
// CPopupPanel: a panel of fixed text laid over the main window (help, shareware information),
// hidden until its button shows it, with a close button of its own in the top right corner.
#include <windows.h>

#include "catalogue/PanelButton.h"

namespace catalogue {

class CPopupPanel {
 public:
  struct Design {
    int id;
    int width, height;
    int textId;
    RECT textRect;  // in the panel
    const wchar_t* text;
  };

  CPopupPanel() = default;
  CPopupPanel(const CPopupPanel&) = delete;
  CPopupPanel& operator=(const CPopupPanel&) = delete;
  ~CPopupPanel() = default;

  // Creates the panel hidden at `left`, `top` of `parent`; the text uses `font`.
  bool Create(HINSTANCE instance, HWND parent, int left, int top, const Design& design, HFONT font);
  // Moves the panel to `left`, `top`, shows it and puts it above its siblings, its close button
  // above its text.
  void ShowAt(int left, int top);
  void Hide();
  HWND Window() const { return m_hwnd; }
  // The panel's close button; the owner creates it in Window() and gives it its action.
  CPanelButton& CloseButton() { return m_close; }

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  HWND m_hwnd = nullptr;
  CPanelButton m_close;
};

}  // namespace catalogue
