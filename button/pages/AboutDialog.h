#pragma once
// The module's about box, opened from the General page. One instance per page; it opens modally
// and only once at a time.
#include <windows.h>

namespace button {

class CAboutDialog {
 public:
  void Open(HWND owner);
  bool IsOpen() const { return m_open; }

 private:
  static INT_PTR CALLBACK Proc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);
  bool m_open = false;
};

}  // namespace button
