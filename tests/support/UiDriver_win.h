#pragma once
// Drives another process's real windows from a test: start the program, find its windows and
// message boxes, read their texts, press their buttons.
#include <windows.h>

#include <string>
#include <vector>

namespace tests {

class Process {
 public:
  Process() = default;
  ~Process();
  Process(Process&& other) noexcept;
  Process& operator=(Process&& other) noexcept;
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  // Starts `exe` (a full Windows path); false when it could not be started.
  bool Start(const std::wstring& exe, const std::wstring& arguments = std::wstring());
  DWORD Id() const { return m_id; }
  bool Running() const;
  // Waits for the end; the exit code goes to `code`. False on timeout.
  bool WaitExit(DWORD timeoutMs, DWORD* code = nullptr);
  void Kill();

 private:
  HANDLE m_process = nullptr;
  DWORD m_id = 0;
};

// The folder of the running test program (where the programs under test are built too).
std::wstring OwnFolder();

// Visible top-level windows of a process, optionally of one class.
std::vector<HWND> TopWindows(DWORD processId, const wchar_t* className = nullptr);
// Waits until the process shows a visible top-level window of that class (any class when null).
HWND WaitForWindow(DWORD processId, const wchar_t* className, DWORD timeoutMs);
bool WaitGone(HWND window, DWORD timeoutMs);

std::wstring ClassOf(HWND window);
std::wstring TextOf(HWND window);
// Position of a child in its parent's client area.
RECT ChildRect(HWND child);
// Posts a button click (a posted click lets the target run modal loops of its own).
void Click(HWND button);
// Moves the real pointer to a screen point and clicks the left button there: the system, not the
// test, decides which window gets the click.
void PointerClick(POINT screen);

// What the screen shows in `rect` (screen coordinates), top-down rows of 0x00RRGGBB.
std::vector<DWORD> ScreenPixels(const RECT& rect);

enum class BoxIcon { None, Error, Question, Warning, Information, Unknown };

struct MessageBoxView {
  HWND window = nullptr;
  std::wstring caption;
  std::wstring text;
  std::vector<int> buttons;  // control ids (IDOK, IDCANCEL, ...) in creation order
  BoxIcon icon = BoxIcon::None;
};

// Reads a message box; its icon is told from what the screen shows, compared with the system's
// own icons drawn here (icon handles are not shared between processes).
MessageBoxView ReadMessageBox(HWND box, DWORD timeoutMs = 3000);
void PressMessageBoxButton(const MessageBoxView& box, int id);

const char* BoxIconName(BoxIcon icon);

}  // namespace tests
