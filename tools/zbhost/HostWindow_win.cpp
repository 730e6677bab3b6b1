#include "tools/zbhost/HostWindow_win.h"

#include <algorithm>

#include "tools/zbhost/Screenshot_win.h"
#include "tools/zbhost/TextConvert_win.h"

namespace tools {

namespace {

const wchar_t kWindowClass[] = L"ZBHOST";
const DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr UINT_PTR kExitTimer = 1;
constexpr int kMinClientWidth = 120;
constexpr int kMinClientHeight = 40;

bool RegisterOnce(WNDPROC proc) {
  static const bool registered = [proc] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kWindowClass;
    return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
  }();
  return registered;
}

COLORREF ToColorRef(uint32_t oleColor) { return COLORREF(oleColor & 0x00FFFFFF); }

}  // namespace

CHostWindow::~CHostWindow() {
  if (m_hwnd) DestroyWindow(m_hwnd);  // closes the buttons on its way (WM_DESTROY)
  CloseButtons();
}

bool CHostWindow::Create(const WindowSettings& settings, const std::wstring& title, bool userMode,
                         std::vector<ButtonSetup> buttons, std::string& error) {
  if (!RegisterOnce(&WindowProc)) {
    error = "cannot register the window class";
    return false;
  }
  m_background.Reset(CreateSolidBrush(ToColorRef(settings.backColor)));
  m_hwnd = CreateWindowExW(0, kWindowClass, title.c_str(), kStyle, CW_USEDEFAULT, CW_USEDEFAULT, kMinClientWidth,
                           kMinClientHeight, nullptr, nullptr, GetModuleHandleW(nullptr), this);
  if (!m_hwnd || !m_background) {
    error = "cannot create the window: " + CButtonClass::HResultText(HRESULT_FROM_WIN32(GetLastError()));
    return false;
  }
  for (const ButtonSetup& b : buttons)
    if (!AddButton(b, userMode, error)) return false;
  FitToButtons(settings);
  return true;
}

bool CHostWindow::AddButton(const ButtonSetup& setup, bool userMode, std::string& error) {
  auto button = std::make_unique<Button>();
  button->name = Wide(setup.place.name);
  const std::string where = "line " + std::to_string(setup.place.line) + ", button " + setup.place.name + ": ";

  common::ComPtr<IUnknown> control;
  if (FAILED(m_class.CreateObject(control, error))) return false;

  // Our own sink, connected before the control loads, so that what loading reports is logged too.
  button->sink = common::CEventSink::Create();
  if (!button->sink) {
    error = where + "out of memory";
    return false;
  }
  const std::wstring name = button->name;
  const CEventLog& log = m_log;
  button->sink->OnAny(
      [&log, name](DISPID id, const std::vector<VARIANT*>& args) { CEventLog::Write(log.EventLine(name, id, args)); });
  HRESULT hr = button->sink->Connect(control.Get());
  if (FAILED(hr)) CEventLog::Note(where + "its events cannot be heard: " + CButtonClass::HResultText(hr));

  const RECT rect{setup.place.left, setup.place.top, setup.place.left + setup.place.width,
                  setup.place.top + setup.place.height};
  common::CControlHost::Options options;
  options.userMode = userMode;
  common::ComPtr<common::CControlHost> host;
  hr = common::CControlHost::Attach(m_hwnd, rect, control.Get(), setup.bag.Get(), options, host);
  if (FAILED(hr)) {
    button->sink->Disconnect();
    error = where + "the control did not start: " + CButtonClass::HResultText(hr);
    return false;
  }
  button->host = common::HostedControl(std::move(host));
  // The container library listens too; one log line per event is enough.
  button->host->Events().Disconnect();
  if (FAILED(button->host->LoadResult()))
    CEventLog::Note(where + "loading its properties answered " + CButtonClass::HResultText(button->host->LoadResult()));
  if (setup.place.buttonMode >= 0) {
    VARIANT mode;
    VariantInit(&mode);
    mode.vt = VT_I2;
    mode.iVal = SHORT(setup.place.buttonMode);
    hr = button->host->Call(L"SetButtonMode", {mode});
    if (FAILED(hr)) {
      error = where + "SetButtonMode failed: " + CButtonClass::HResultText(hr);
      button->sink->Disconnect();
      return false;
    }
  }
  m_buttons.push_back(std::move(button));
  return true;
}

void CHostWindow::FitToButtons(const WindowSettings& settings) {
  // The controls may have sized themselves to their pictures: measure what they are now.
  int right = kMinClientWidth, bottom = kMinClientHeight;
  for (const auto& b : m_buttons) {
    const RECT r = b->host->Rect();
    right = std::max(right, int(r.right) + kMargin);
    bottom = std::max(bottom, int(r.bottom) + kMargin);
  }
  const int width = settings.width > 0 ? settings.width : right;
  const int height = settings.height > 0 ? settings.height : bottom;
  RECT rc{0, 0, width, height};
  AdjustWindowRectEx(&rc, kStyle, FALSE, 0);
  SetWindowPos(m_hwnd, nullptr, 0, 0, rc.right - rc.left, rc.bottom - rc.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  // The window system keeps windows within the screen: say so when that cuts buttons off.
  RECT client{};
  GetClientRect(m_hwnd, &client);
  if (client.right < width || client.bottom < height)
    CEventLog::Note("the window's client area is " + std::to_string(client.right) + "x" +
                    std::to_string(client.bottom) + ", smaller than the " + std::to_string(width) + "x" +
                    std::to_string(height) + " asked for: the screen is too small");
}

void CHostWindow::Show(bool forScreenshot, int exitAfterMs) {
  if (forScreenshot) SetWindowPos(m_hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE);
  ShowWindow(m_hwnd, SW_SHOWNORMAL);
  UpdateWindow(m_hwnd);
  if (exitAfterMs >= 0) SetTimer(m_hwnd, kExitTimer, UINT(exitAfterMs), nullptr);
}

void CHostWindow::CloseButtons() {
  for (auto& b : m_buttons) {
    if (b->sink) b->sink->Disconnect();
    b->host.Reset();
  }
  m_buttons.clear();
}

CHostWindow::Button* CHostWindow::Find(const std::string& name) {
  const std::wstring wide = Wide(name);
  for (auto& b : m_buttons)
    if (_wcsicmp(b->name.c_str(), wide.c_str()) == 0) return b.get();
  return nullptr;
}

bool CHostWindow::Act(const Action& action, std::string& error) {
  Button* button = Find(action.button);
  if (!button) {
    error = "no button named " + action.button;
    return false;
  }
  HWND target = button->host->ControlWindow();
  if (!target) {
    error = "button " + action.button + " has no window to click";
    return false;
  }
  if (!IsWindowEnabled(target)) {
    // The window system gives a disabled window no mouse input at all.
    CEventLog::Note(action.button + " is disabled: the click does not reach it");
    return true;
  }
  RECT rc{};
  GetClientRect(target, &rc);
  const LPARAM at = MAKELPARAM((rc.right - rc.left) / 2, (rc.bottom - rc.top) / 2);
  // Posted, as the window system delivers a real click: each message runs from the queue.
  if (action.kind == Action::LeftClick) {
    PostMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(target, WM_LBUTTONUP, 0, at);
  } else {
    PostMessageW(target, WM_RBUTTONDOWN, MK_RBUTTON, at);
    PostMessageW(target, WM_RBUTTONUP, 0, at);
  }
  return true;
}

bool CHostWindow::Screenshot(const std::wstring& path, std::string& error) {
  if (!m_hwnd || m_closed) {
    error = "the window is closed";
    return false;
  }
  RedrawWindow(m_hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  return SaveClientScreenshot(m_hwnd, path, error);
}

bool CHostWindow::Dispatch(MSG& msg) {
  for (auto& b : m_buttons)
    if (b->host && b->host->PreTranslateMessage(&msg)) return true;
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
  return true;
}

bool CHostWindow::Pump(DWORD ms) {
  const ULONGLONG deadline = GetTickCount64() + ms;
  for (;;) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        m_closed = true;
        return false;
      }
      Dispatch(msg);
    }
    if (m_closed) return false;
    const ULONGLONG now = GetTickCount64();
    if (now >= deadline) return true;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, DWORD(deadline - now), QS_ALLINPUT);
  }
}

void CHostWindow::Run() {
  if (m_closed) return;
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) Dispatch(msg);
  m_closed = true;
}

LRESULT CALLBACK CHostWindow::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
    auto* created = static_cast<CHostWindow*>(cs->lpCreateParams);
    created->m_hwnd = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
  }
  auto* self = reinterpret_cast<CHostWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
  return self->OnMessage(msg, wp, lp);
}

LRESULT CHostWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND: {
      RECT rc{};
      GetClientRect(m_hwnd, &rc);
      FillRect(reinterpret_cast<HDC>(wp), &rc, m_background.Get());
      return 1;
    }
    case WM_TIMER:
      if (wp == kExitTimer) {
        KillTimer(m_hwnd, kExitTimer);
        DestroyWindow(m_hwnd);
        return 0;
      }
      break;
    case WM_DESTROY:
      CloseButtons();
      PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY: {
      HWND hwnd = m_hwnd;
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
      m_hwnd = nullptr;
      m_closed = true;
      return DefWindowProcW(hwnd, msg, wp, lp);
    }
    default: break;
  }
  return DefWindowProcW(m_hwnd, msg, wp, lp);
}

}  // namespace tools
