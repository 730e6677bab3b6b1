#include "tests/support/UiDriver_win.h"

#include <climits>
#include <cstdlib>
#include <utility>

namespace tests {

Process::~Process() { Kill(); }

Process::Process(Process&& other) noexcept
    : m_process(std::exchange(other.m_process, nullptr)), m_id(std::exchange(other.m_id, 0)) {}

Process& Process::operator=(Process&& other) noexcept {
  if (this != &other) {
    Kill();
    m_process = std::exchange(other.m_process, nullptr);
    m_id = std::exchange(other.m_id, 0);
  }
  return *this;
}

bool Process::Start(const std::wstring& exe, const std::wstring& arguments) {
  Kill();
  std::wstring commandLine = L"\"" + exe + L"\"";
  if (!arguments.empty()) commandLine += L" " + arguments;
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
    return false;
  }
  CloseHandle(info.hThread);
  m_process = info.hProcess;
  m_id = info.dwProcessId;
  return true;
}

bool Process::Running() const { return m_process && WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT; }

bool Process::WaitExit(DWORD timeoutMs, DWORD* code) {
  if (!m_process) return false;
  if (WaitForSingleObject(m_process, timeoutMs) != WAIT_OBJECT_0) return false;
  if (code) GetExitCodeProcess(m_process, code);
  return true;
}

void Process::Kill() {
  if (!m_process) return;
  if (WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT) {
    TerminateProcess(m_process, 255);
    WaitForSingleObject(m_process, 5000);
  }
  CloseHandle(m_process);
  m_process = nullptr;
  m_id = 0;
}

std::wstring OwnFolder() {
  wchar_t path[MAX_PATH];
  const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, n);
  return folder.substr(0, folder.find_last_of(L'\\'));
}

namespace {

struct WindowSearch {
  DWORD processId;
  const wchar_t* className;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<WindowSearch*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->processId || !IsWindowVisible(window)) return TRUE;
  if (search->className && ClassOf(window) != search->className) return TRUE;
  search->found.push_back(window);
  return TRUE;
}

}  // namespace

std::vector<HWND> TopWindows(DWORD processId, const wchar_t* className) {
  WindowSearch search{processId, className, {}};
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND WaitForWindow(DWORD processId, const wchar_t* className, DWORD timeoutMs) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  for (;;) {
    std::vector<HWND> windows = TopWindows(processId, className);
    if (!windows.empty()) return windows.front();
    if (GetTickCount64() >= end) return nullptr;
    Sleep(20);
  }
}

bool WaitGone(HWND window, DWORD timeoutMs) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  while (IsWindow(window) && IsWindowVisible(window)) {
    if (GetTickCount64() >= end) return false;
    Sleep(20);
  }
  return true;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[256];
  const int n = GetClassNameW(window, name, 256);
  return std::wstring(name, n > 0 ? n : 0);
}

std::wstring TextOf(HWND window) {
  // No SMTO_ABORTIFHUNG: a program that has just finished a long piece of work (deleting a
  // large tree, say) counts as hung until its message loop runs again, and its first message
  // box would then read as empty. Waiting for the answer is what a test wants.
  constexpr UINT kWait = 10000;
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, kWait, &length)) return std::wstring();
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_NORMAL, kWait,
                           &copied)) {
    return std::wstring();
  }
  text.resize(copied);
  return text;
}

RECT ChildRect(HWND child) {
  RECT rect = {};
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

void Click(HWND button) { PostMessageW(button, BM_CLICK, 0, 0); }

void PointerClick(POINT screen) {
  SetCursorPos(screen.x, screen.y);
  INPUT press[2] = {};
  press[0].type = press[1].type = INPUT_MOUSE;
  press[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  press[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, press, sizeof(INPUT));
}

namespace {

struct Capture {
  int width = 0;
  int height = 0;
  std::vector<DWORD> pixels;  // top-down 0x00RRGGBB
};

// Copies a rectangle of a device context into memory.
Capture Grab(HDC source, int x, int y, int width, int height, COLORREF fill, HICON icon) {
  Capture out;
  out.width = width;
  out.height = height;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HDC memory = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  if (icon) {
    HBRUSH brush = CreateSolidBrush(fill);
    RECT all = {0, 0, width, height};
    FillRect(memory, &all, brush);
    DeleteObject(brush);
    DrawIconEx(memory, 0, 0, icon, width, height, 0, nullptr, DI_NORMAL);
  } else {
    BitBlt(memory, 0, 0, width, height, source, x, y, SRCCOPY);
  }
  GdiFlush();
  const DWORD* p = static_cast<const DWORD*>(bits);
  out.pixels.assign(p, p + static_cast<size_t>(width) * height);
  for (DWORD& px : out.pixels) px &= 0x00FFFFFF;
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  return out;
}

long long Distance(const Capture& a, const Capture& b) {
  long long sum = 0;
  for (size_t i = 0; i < a.pixels.size() && i < b.pixels.size(); ++i) {
    for (int shift = 0; shift < 24; shift += 8) {
      sum +=
          std::abs(static_cast<int>((a.pixels[i] >> shift) & 0xFF) - static_cast<int>((b.pixels[i] >> shift) & 0xFF));
    }
  }
  return sum;
}

BoxIcon IdentifyIcon(HWND iconControl) {
  RECT rect;
  GetWindowRect(iconControl, &rect);
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return BoxIcon::Unknown;
  HDC screen = GetDC(nullptr);
  const Capture shown = Grab(screen, rect.left, rect.top, width, height, 0, nullptr);
  ReleaseDC(nullptr, screen);
  const DWORD corner = shown.pixels.front();  // icons leave their corners clear
  const COLORREF background = RGB((corner >> 16) & 0xFF, (corner >> 8) & 0xFF, corner & 0xFF);

  const std::pair<BoxIcon, LPCWSTR> candidates[] = {{BoxIcon::Error, IDI_HAND},
                                                    {BoxIcon::Question, IDI_QUESTION},
                                                    {BoxIcon::Warning, IDI_EXCLAMATION},
                                                    {BoxIcon::Information, IDI_ASTERISK}};
  BoxIcon best = BoxIcon::Unknown;
  long long bestDistance = LLONG_MAX;
  for (const auto& [kind, id] : candidates) {
    const Capture drawn = Grab(nullptr, 0, 0, width, height, background, LoadIconW(nullptr, id));
    const long long d = Distance(shown, drawn);
    if (d < bestDistance) {
      bestDistance = d;
      best = kind;
    }
  }
  // A match must be close: an average difference of a few levels per channel.
  return bestDistance <= 6LL * 3 * width * height ? best : BoxIcon::Unknown;
}

}  // namespace

std::vector<DWORD> ScreenPixels(const RECT& rect) {
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return {};
  HDC screen = GetDC(nullptr);
  Capture shown = Grab(screen, rect.left, rect.top, width, height, 0, nullptr);
  ReleaseDC(nullptr, screen);
  return std::move(shown.pixels);
}

MessageBoxView ReadMessageBox(HWND box, DWORD timeoutMs) {
  MessageBoxView view;
  view.window = box;
  view.caption = TextOf(box);
  HWND iconControl = nullptr;
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    const std::wstring cls = ClassOf(child);
    const LONG style = GetWindowLongW(child, GWL_STYLE);
    if (_wcsicmp(cls.c_str(), L"Button") == 0) {
      if (style & WS_VISIBLE) view.buttons.push_back(GetDlgCtrlID(child));
    } else if (_wcsicmp(cls.c_str(), L"Static") == 0) {
      if ((style & SS_TYPEMASK) == SS_ICON) {
        if (style & WS_VISIBLE) iconControl = child;
      } else if (view.text.empty()) {
        view.text = TextOf(child);
      }
    }
  }
  if (!iconControl) return view;
  // The box may not be painted yet, or be covered for a moment: look again until it is clear.
  SetWindowPos(box, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  do {
    view.icon = IdentifyIcon(iconControl);
    if (view.icon != BoxIcon::Unknown) break;
    Sleep(50);
  } while (GetTickCount64() < end);
  return view;
}

void PressMessageBoxButton(const MessageBoxView& box, int id) { Click(GetDlgItem(box.window, id)); }

const char* BoxIconName(BoxIcon icon) {
  switch (icon) {
    case BoxIcon::None: return "none";
    case BoxIcon::Error: return "error";
    case BoxIcon::Question: return "question";
    case BoxIcon::Warning: return "warning";
    case BoxIcon::Information: return "information";
    default: return "unknown";
  }
}

}  // namespace tests
