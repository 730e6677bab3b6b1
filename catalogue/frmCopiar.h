#pragma once
// The copy window: asks where to copy the selected title and copies its folder there. Small,
// borderless and cut to its own outline over its picture; it keeps its owner window from input
// while it is open, and closes when the copy has run or on its cancel button.
#include <windows.h>

#include <string>

#include "catalogue/PanelButton.h"
#include "common/win/Handles.h"

namespace catalogue {

class frmCopiar {
 public:
  frmCopiar() = default;
  frmCopiar(const frmCopiar&) = delete;
  frmCopiar& operator=(const frmCopiar&) = delete;
  ~frmCopiar();

  // Creates and shows the window over `owner`, which takes no input until the window closes.
  bool Show(HINSTANCE instance, HWND owner);
  HWND Handle() const { return m_hwnd; }

  // Makes every missing folder along `path`, the current folder unchanged afterwards. True when
  // the whole chain exists at the end; otherwise false, with the system's error code in `error`.
  bool MakePathAux(const std::wstring& path, DWORD* error = nullptr);

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void Form_Load();
  void CreateButtons();
  void CloseForm();
  void botCopiar_MouseClick();
  void botCancelar_MouseClick();

  HINSTANCE m_instance = nullptr;
  HWND m_hwnd = nullptr;
  HWND m_owner = nullptr;
  HWND m_lbl = nullptr;
  HWND m_txtDestino = nullptr;
  common::GdiFont m_font;
  common::GdiBitmap m_imgFondo;
  catalogue::CPanelButton m_botCopiar;
  catalogue::CPanelButton m_botCancelar;
};

}  // namespace catalogue
