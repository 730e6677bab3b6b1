#pragma once
// The uninstaller's one window: what will be removed, and the buttons to go on or give up.
#include <windows.h>

#include "common/win/Handles.h"

namespace uninstaller {

class frmPrincipal {
 public:
  frmPrincipal() = default;
  frmPrincipal(const frmPrincipal&) = delete;
  frmPrincipal& operator=(const frmPrincipal&) = delete;

  // Creates the window and its controls (hidden) and fills the labels.
  bool Create(HINSTANCE instance);
  void Show();
  // Runs until the window is gone; returns the exit code.
  int RunMessageLoop();

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  HWND AddControl(const wchar_t* className, int id, DWORD style, DWORD exStyle, int x, int y, int width, int height,
                  HFONT font);
  void CreateFonts();
  void Form_Load();
  void cmdDesinstal_Click();
  void cmdCancel_Click();
  void SetBusy(bool busy);

  HINSTANCE m_instance = nullptr;
  HWND m_hwnd = nullptr;
  HWND m_image1 = nullptr;
  HWND m_lblTitulo = nullptr;
  HWND m_lblCerraApp = nullptr;
  HWND m_lblComent = nullptr;
  HWND m_cmdCancel = nullptr;
  HWND m_cmdDesinstal = nullptr;
  common::GdiObject m_uiFont;
  common::GdiObject m_titleFont;
  common::GdiObject m_symbolFont;
  common::GdiObject m_picture;
  bool m_busy = false;
};

}  // namespace uninstaller
