#pragma once
// The drive dialog: asks for the CD drive when a title's description cannot be found. Modeless
// and single: showing it while it is open only brings it to the front.
#include <windows.h>

#include <string>
#include <vector>

#include "common/win/Handles.h"

namespace catalogue {

class frmVerDrive {
 public:
  // Shows the dialog, creating it when it is not open.
  static void ShowModeless(HINSTANCE instance);
  static void BringToFront();
  static HWND Current();

  // The drive list's entries: lower-case letter, ":" and the volume label in brackets.
  static std::vector<std::wstring> DriveEntries();

  frmVerDrive(const frmVerDrive&) = delete;
  frmVerDrive& operator=(const frmVerDrive&) = delete;
  ~frmVerDrive() = default;

 private:
  frmVerDrive() = default;
  bool Create(HINSTANCE instance);
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  HWND AddControl(const wchar_t* className, int id, DWORD style, int left, int top, int width, int height,
                  const wchar_t* text);
  void Form_Load();
  void cmdAceptar_Click();

  HINSTANCE m_instance = nullptr;
  HWND m_hwnd = nullptr;
  HWND m_drive1 = nullptr;
  common::GdiFont m_font;
  common::IconHandle m_cdIcon;
};

}  // namespace catalogue
