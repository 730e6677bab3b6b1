#include "catalogue/basGeneral.h"

#include "catalogue/CatalogueIds.h"
#include <mmsystem.h>
#include <ole2.h>
#include <shellapi.h>

#include "common/win/Handles.h"
#include "catalogue/TextFile.h"
#include "catalogue/basVerificarDrive.h"
#include "catalogue/frmPrincipal.h"
#include "catalogue/frmVerDrive.h"
#include "common/win/ScreenDpi.h"

namespace catalogue {

namespace {

bool g_busy = false;
int g_openWindows = 0;

}  // namespace

PanelState& Panel() {
  static PanelState state;
  return state;
}

void SetBusyPointer(bool busy) {
  g_busy = busy;
  SetCursor(LoadCursorW(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}

bool BusyPointer() { return g_busy; }

bool ApplyBusyPointer() {
  if (!g_busy) return false;
  SetCursor(LoadCursorW(nullptr, IDC_WAIT));
  return true;
}

void WindowOpened() { ++g_openWindows; }

void WindowClosed() {
  if (--g_openWindows <= 0) PostQuitMessage(0);
}

bool RegisterFormClass(HINSTANCE instance, const wchar_t* name, WNDPROC windowProc, LPCWSTR pointer) {
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = windowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, pointer);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = name;
  return RegisterClassExW(&wc) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

void ReleaseForm(HWND hwnd) {
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
  WindowClosed();
}

LRESULT DefaultFormMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SETCURSOR && ApplyBusyPointer()) return TRUE;
  if (message == WM_CLOSE) {
    DestroyWindow(hwnd);
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

HFONT MakeFont(double points, int weight, const wchar_t* face, bool underline) {
  const int height = -static_cast<int>(points * common::ScreenDpi(LOGPIXELSY) / 72.0 + 0.5);
  return CreateFontW(height, 0, 0, 0, weight, FALSE, underline ? TRUE : FALSE, FALSE, DEFAULT_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face);
}

void PlayPanelSound(const std::wstring& name, bool wait) {
  const std::wstring path = catalogue::ProgramFolder() + L"\\" + name;
  // By file name only, and no system default sound in place of a missing file.
  const DWORD flags = SND_FILENAME | SND_NODEFAULT | (wait ? SND_SYNC : SND_ASYNC);
  PlaySoundW(path.c_str(), nullptr, flags);
}

void OpenWithShell(HWND window, const std::wstring& target) {
  ShellExecuteW(window, nullptr, target.c_str(), nullptr, L"c:\\", SW_SHOWNORMAL);
}

int Main(HINSTANCE instance) {
  // A second start while one runs ends at once, without a word.
  common::KernelHandle running(CreateMutexW(nullptr, FALSE, catalogue::kInstanceMutex));
  const DWORD status = GetLastError();
  if (status == ERROR_ALREADY_EXISTS || (!running && status == ERROR_ACCESS_DENIED)) return 0;

  // The window's buttons are controls: the thread is a single-threaded apartment with OLE.
  const HRESULT ole = OleInitialize(nullptr);
  struct OleSession {
    bool on;
    ~OleSession() {
      if (on) OleUninitialize();
    }
  } session{SUCCEEDED(ole)};

  SetBusyPointer(true);
  Panel().CDRoot = catalogue::GetCDRoot();

  frmPrincipal form;
  if (!form.Create(instance)) {
    SetBusyPointer(false);
    return 1;
  }
  form.Show();
  // A drive dialog opened while the window loaded stays in sight above it.
  frmVerDrive::BringToFront();

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    // Tab, Enter and the arrows move between the controls of whichever window has them.
    HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    if (root && IsDialogMessageW(root, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}

}  // namespace catalogue
