#pragma once
// The uninstaller's one window: what will be removed, and the buttons to go on or give up.
#include <windows.h>

#include "common/win/Handles.h"

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

  HWND AddControl(const wchar_t* className, int id, DWORD style, DWORD exStyle, int x, int y, int width,
                  int height, HFONT font);
  void CreateFonts();
  void Form_Load();
  void cmdDesinstal_Click();
  void cmdCancel_Click();
  void SetBusy(bool busy);

  HINSTANCE instance_ = nullptr;
  HWND hwnd_ = nullptr;
  HWND image1_ = nullptr;
  HWND lblTitulo_ = nullptr;
  HWND lblCerraApp_ = nullptr;
  HWND lblComent_ = nullptr;
  HWND cmdCancel_ = nullptr;
  HWND cmdDesinstal_ = nullptr;
  zb::GdiObject uiFont_;
  zb::GdiObject titleFont_;
  zb::GdiObject symbolFont_;
  zb::GdiObject picture_;
  bool busy_ = false;
};
