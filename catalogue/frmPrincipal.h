#pragma once
// The panel's main window: the category list, the title list and the description of the
// selected title.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "catalogue/PanelHandles.h"

class frmPrincipal {
 public:
  frmPrincipal() = default;
  frmPrincipal(const frmPrincipal&) = delete;
  frmPrincipal& operator=(const frmPrincipal&) = delete;
  ~frmPrincipal();

  // Creates the window hidden and runs its load: first category, first title, its description.
  bool Create(HINSTANCE instance);
  void Show();
  HWND Handle() const { return hwnd_; }

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  HWND AddControl(const wchar_t* className, int id, DWORD style, DWORD exStyle, int left, int top, int width,
                  int height);
  void Form_Load();
  void cboTipoJuego_Click();
  void lstJuegos_Click();
  void LoadCategoryList(std::uint8_t index);
  void LoadDescription(const std::wstring& path);

  HINSTANCE instance_ = nullptr;
  HWND hwnd_ = nullptr;
  HWND cboTipoJuego_ = nullptr;
  HWND lstJuegos_ = nullptr;
  HWND txtDescripcion_ = nullptr;
  qvol2::FontHandle font_;
  // The command paths of the current category, in file order; each title row's item data is
  // its index here.
  std::vector<std::wstring> GameCommands;
};
