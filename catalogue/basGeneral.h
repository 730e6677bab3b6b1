#pragma once
// Start-up of the panel and what its windows share for the whole run.
#include <windows.h>

#include <string>

namespace catalogue {

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

// Registers the window class of a panel window (the given system pointer, button-face
// background).
bool RegisterFormClass(HINSTANCE instance, const wchar_t* name, WNDPROC windowProc, LPCWSTR pointer = IDC_ARROW);

// The object behind a window's message: taken from the creation data at WM_NCCREATE and from the
// window afterwards; null before that.
template <typename Object>
Object* WindowObjectOf(HWND hwnd, UINT message, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* object = static_cast<Object*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
    return object;
  }
  return reinterpret_cast<Object*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

// The window procedure of a child window kept by an object: the object learns its window at
// WM_NCCREATE and loses it at WM_NCDESTROY (Attach), and answers the messages in between
// (HandleMessage). The busy pointer shows over it while it is on.
template <typename Object>
LRESULT CALLBACK ObjectWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Object* self = WindowObjectOf<Object>(hwnd, message, lParam);
  if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
  if (message == WM_NCCREATE) self->Attach(hwnd);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->Attach(nullptr);
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  if (message == WM_SETCURSOR && ApplyBusyPointer()) return TRUE;
  return self->HandleMessage(message, wParam, lParam);
}

// The form object behind a top-level window's message, as WindowObjectOf; the window is counted
// in at WM_NCCREATE. Null after ReleaseForm.
template <typename Form>
Form* FormOf(HWND hwnd, UINT message, LPARAM lParam) {
  Form* form = WindowObjectOf<Form>(hwnd, message, lParam);
  if (message == WM_NCCREATE) WindowOpened();
  return form;
}
// For WM_NCDESTROY: the window leads to its form no more and is counted out.
void ReleaseForm(HWND hwnd);

// What every panel window does with a message it does not handle itself: the busy pointer while
// it is on, closing destroys the window, the rest as the system does.
LRESULT DefaultFormMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Creates a font of the given point size for this screen.
HFONT MakeFont(double points, int weight, const wchar_t* face, bool underline = false);

// Plays a WAV file of the program's folder, asynchronously unless `wait`; a new sound cuts the
// one playing. A missing file or a machine without sound plays nothing and reports nothing.
void PlayPanelSound(const std::wstring& name, bool wait);

// Opens a document or address with the handler the system has for it (its default action),
// owned by `window`, from the folder "c:\\". What the handler does, or that none is there, is
// not reported.
void OpenWithShell(HWND window, const std::wstring& target);

}  // namespace catalogue
