#pragma once
// Start-up of the panel and what its windows share for the whole run.
#include <windows.h>

#include <string>

namespace basGeneral {

// The program-wide strings: the CD root (always ending in a backslash), the selected category's
// folder, the selected title's command path and its folder.
struct PanelState {
  std::wstring CDRoot;
  std::wstring CategoryFolder;
  std::wstring GameCommand;
  std::wstring GameFolder;
};
PanelState& Panel();

// The start-up procedure: one instance only, busy pointer, CD root, the main window, then the
// messages until the last window has closed. Returns the exit code.
int Main(HINSTANCE instance);

// The screen-wide busy pointer: while on, every window of the panel shows the hourglass.
void SetBusyPointer(bool busy);
bool BusyPointer();
// For a window's WM_SETCURSOR: true when the busy pointer was set (the message is then handled).
bool ApplyBusyPointer();

// Each top-level window of the panel counts itself in when created and out when destroyed; the
// program ends when none is left.
void WindowOpened();
void WindowClosed();

// Registers the window class of a panel window (arrow pointer, button-face background).
bool RegisterFormClass(HINSTANCE instance, const wchar_t* name, WNDPROC windowProc);

// The form object behind a window's message: taken from the creation data at WM_NCCREATE, where
// the window is counted in, and from the window afterwards; null before that and after
// ReleaseForm.
template <typename Form>
Form* FormOf(HWND hwnd, UINT message, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* form = static_cast<Form*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    WindowOpened();
    return form;
  }
  return reinterpret_cast<Form*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}
// For WM_NCDESTROY: the window leads to its form no more and is counted out.
void ReleaseForm(HWND hwnd);

// What every panel window does with a message it does not handle itself: the busy pointer while
// it is on, closing destroys the window, the rest as the system does.
LRESULT DefaultFormMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Creates a font of the given point size for this screen.
HFONT MakeFont(double points, int weight, const wchar_t* face);

}  // namespace basGeneral
