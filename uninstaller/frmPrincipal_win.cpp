#include "uninstaller/frmPrincipal.h"

#include <exception>
#include <string>
#include <vector>

#include "common/settings/AppSettings.h"
#include "uninstaller/PathRules.h"
#include "uninstaller/SystemFolders.h"
#include "uninstaller/UninstallReport.h"
#include "uninstaller/UninstallTexts.h"
#include "uninstaller/basGeneral.h"
#include "uninstaller/basRegistry.h"
#include "uninstaller/frmPrincipalIds.h"
#include "uninstaller/resource.h"
#include "common/win/ScreenDpi.h"

namespace uninstaller {

namespace {

constexpr wchar_t kShellFolders[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr wchar_t kUninstallKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kWindowExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT | WS_EX_APPWINDOW;

// A point size as a font height in pixels on this screen.
int FontHeight(double points) { return -static_cast<int>(points * common::ScreenDpi(LOGPIXELSY) / 72.0 + 0.5); }

HFONT MakeFont(double points, int weight, const wchar_t* face, BYTE charset) {
  return CreateFontW(FontHeight(points), 0, 0, 0, weight, FALSE, FALSE, FALSE, charset, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face);
}

// A registry key that a step could not delete is one of the things the closing message names.
void NoteKeyLeft(std::vector<uninstaller::LeftItem>& left, const wchar_t* rootName, const std::wstring& subkey,
                 long status) {
  if (status != ERROR_SUCCESS) left.push_back({std::wstring(rootName) + L"\\" + subkey, uninstaller::ReasonOf(status)});
}

// Runs one step of the uninstall; a step that fails is passed over and the next one runs.
template <typename Step>
void RunStep(Step&& step) {
  try {
    step();
  } catch (const std::exception&) {
  }
}

}  // namespace

bool frmPrincipal::Create(HINSTANCE instance) {
  m_instance = instance;
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_TRVUQV2));
  wc.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_TRVUQV2), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = uninstaller::kPrincipalClass;
  if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;

  // A fixed dialog of the given client size, centred on the screen.
  RECT frame = {0, 0, uninstaller::kPrincipalClientWidth, uninstaller::kPrincipalClientHeight};
  AdjustWindowRectEx(&frame, kWindowStyle, FALSE, kWindowExStyle);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  const int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  const std::wstring title = uninstaller::AppTitle();
  m_hwnd = CreateWindowExW(kWindowExStyle, uninstaller::kPrincipalClass, title.c_str(), kWindowStyle, x, y, width,
                           height, nullptr, nullptr, instance, this);
  if (!m_hwnd) return false;
  Form_Load();
  return true;
}

void frmPrincipal::CreateFonts() {
  m_uiFont.Reset(MakeFont(8.25, FW_NORMAL, L"MS Sans Serif", DEFAULT_CHARSET));
  m_titleFont.Reset(MakeFont(8.25, FW_BOLD, L"Arial", DEFAULT_CHARSET));
  m_symbolFont.Reset(MakeFont(9, FW_NORMAL, L"Symbol", SYMBOL_CHARSET));
}

HWND frmPrincipal::AddControl(const wchar_t* className, int id, DWORD style, DWORD exStyle, int x, int y, int width,
                              int height, HFONT font) {
  HWND control = CreateWindowExW(exStyle, className, L"", WS_CHILD | WS_VISIBLE | style, x, y, width, height, m_hwnd,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), m_instance, nullptr);
  if (control && font) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return control;
}

void frmPrincipal::Form_Load() {
  CreateFonts();
  HFONT ui = static_cast<HFONT>(m_uiFont.Get());
  // Created in tab order: the uninstall button first, so it has the focus.
  m_cmdDesinstal =
      AddControl(L"BUTTON", uninstaller::kCmdDesinstal, WS_TABSTOP | BS_PUSHBUTTON, 0, 320, 104, 109, 25, ui);
  m_cmdCancel = AddControl(L"BUTTON", uninstaller::kCmdCancel, WS_TABSTOP | BS_PUSHBUTTON, 0, 232, 104, 81, 25, ui);
  // The picture sits in a sunken 2-pixel edge: 140 x 111 inside a 144 x 115 control.
  m_image1 = AddControl(L"STATIC", uninstaller::kImage1, SS_BITMAP | SS_REALSIZECONTROL, WS_EX_CLIENTEDGE, 4, 4, 144,
                        115, nullptr);
  m_lblTitulo = AddControl(L"STATIC", uninstaller::kLblTitulo, SS_LEFT | SS_NOPREFIX, 0, 168, 4, 263, 16,
                           static_cast<HFONT>(m_titleFont.Get()));
  HWND lbl = AddControl(L"STATIC", uninstaller::kLbl, SS_LEFT | SS_NOPREFIX, 0, 168, 24, 5, 15,
                        static_cast<HFONT>(m_symbolFont.Get()));
  m_lblCerraApp = AddControl(L"STATIC", uninstaller::kLblCerraApp, SS_LEFT | SS_NOPREFIX, 0, 180, 24, 251, 29, ui);
  HWND label1 = AddControl(L"STATIC", uninstaller::kLabel1, SS_LEFT | SS_NOPREFIX, 0, 168, 64, 5, 15,
                           static_cast<HFONT>(m_symbolFont.Get()));
  m_lblComent = AddControl(L"STATIC", uninstaller::kLblComent, SS_LEFT | SS_NOPREFIX, 0, 180, 64, 253, 26, ui);

  SetWindowTextW(m_cmdDesinstal, uninstaller::kUninstallButton);
  SetWindowTextW(m_cmdCancel, uninstaller::kCancelButton);
  SetWindowTextW(lbl, uninstaller::kBulletLabel);
  SetWindowTextW(label1, uninstaller::kBulletLabel);
  SetWindowTextW(m_lblTitulo, uninstaller::TituloLabel().c_str());
  SetWindowTextW(m_lblCerraApp, uninstaller::CerraAppLabel().c_str());
  SetWindowTextW(m_lblComent, uninstaller::ComentLabel().c_str());

  m_picture.Reset(LoadImageW(m_instance, MAKEINTRESOURCEW(IDB_IMAGE1), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (m_image1 && m_picture) {
    SendMessageW(m_image1, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(m_picture.Get()));
    SetWindowPos(m_image1, nullptr, 4, 4, 144, 115, SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void frmPrincipal::Show() {
  ShowWindow(m_hwnd, SW_SHOWNORMAL);
  UpdateWindow(m_hwnd);
  SetForegroundWindow(m_hwnd);
  SetFocus(m_cmdDesinstal);
}

int frmPrincipal::RunMessageLoop() {
  MSG msg;
  BOOL got;
  while ((got = GetMessageW(&msg, nullptr, 0, 0)) != 0) {
    if (got == -1) return 1;
    if (m_hwnd && IsDialogMessageW(m_hwnd, &msg)) continue;  // tab order, Enter and Space on buttons
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}

void frmPrincipal::SetBusy(bool busy) {
  m_busy = busy;
  SetCursor(LoadCursorW(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}

void frmPrincipal::cmdDesinstal_Click() {
  const std::wstring title = uninstaller::AppTitle();
  common::AppSettings settings(uninstaller::kProductKey);
  std::wstring path;
  RunStep([&] { path = settings.Get(uninstaller::kSettingsSection, uninstaller::kPathSetting, L""); });
  if (MessageBoxW(m_hwnd, uninstaller::FolderWarning(path).c_str(), title.c_str(), MB_ICONEXCLAMATION | MB_OKCANCEL) !=
      IDOK) {
    return;  // nothing has changed; the window stays
  }
  SetBusy(true);
  // The Programs folder as recorded now: asking the system for its folders (below) writes a missing
  // Shell Folders value back, and a missing value must leave the Start menu alone.
  std::wstring programs;
  RunStep([&] { programs = uninstaller::QueryRegistryValue(HKEY_CURRENT_USER, kShellFolders, L"Programs"); });
  uninstaller::ProtectedFolders protectedFolders;
  RunStep([&] { protectedFolders = uninstaller::SystemProtectedFolders(); });

  uninstaller::FolderOutcome folder;
  RunStep([&] {
    folder.target = uninstaller::InstallFolderTarget(path, protectedFolders);
    uninstaller::RecheckLongName(folder.target, protectedFolders);
    if (folder.target.verdict == uninstaller::FolderVerdict::Allowed) {
      folder.left = uninstaller::DeleteFolderTree(folder.target.folder).left;
    }
  });
  RunStep([&] { uninstaller::ClearIniPath(nullptr); });

  uninstaller::FolderOutcome group;
  RunStep([&] {
    const std::wstring groupName = settings.Get(uninstaller::kSettingsSection, uninstaller::kGroupSetting, L"");
    if (!programs.empty() && programs.back() == L'\0') programs.pop_back();
    group.target = uninstaller::StartMenuGroupTarget(programs, groupName, protectedFolders);
    uninstaller::RecheckLongName(group.target, protectedFolders);
    if (group.target.verdict == uninstaller::FolderVerdict::Allowed) {
      group.left = uninstaller::DeleteFolderTree(group.target.folder).left;
    }
  });
  std::vector<uninstaller::LeftItem> registryLeft;
  RunStep([&] {
    NoteKeyLeft(registryLeft, L"HKEY_CURRENT_USER",
                std::wstring(common::AppSettings::kRoot) + L"\\" + uninstaller::kProductKey,
                settings.DeleteApplication());
  });
  RunStep([&] {
    const std::wstring key = std::wstring(kUninstallKey) + L"\\" + uninstaller::kProductKey;
    NoteKeyLeft(registryLeft, L"HKEY_LOCAL_MACHINE", key, uninstaller::DeleteRegistryKey(HKEY_LOCAL_MACHINE, key));
  });
  SetBusy(false);

  uninstaller::FinalMessage message{uninstaller::DoneMessage(), false};
  RunStep([&] { message = uninstaller::ComposeFinalMessage(folder, group, registryLeft); });
  MessageBoxW(m_hwnd, message.text.c_str(), title.c_str(),
              MB_OK | (message.warning ? MB_ICONWARNING : MB_ICONINFORMATION));
  DestroyWindow(m_hwnd);
}

void frmPrincipal::cmdCancel_Click() { DestroyWindow(m_hwnd); }

LRESULT CALLBACK frmPrincipal::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  frmPrincipal* self;
  if (message == WM_NCCREATE) {
    self = static_cast<frmPrincipal*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->m_hwnd = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<frmPrincipal*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  }
  return self ? self->HandleMessage(hwnd, message, wParam, lParam) : DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT frmPrincipal::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      if (id == IDOK) {  // Enter: the focused button is the one meant
        HWND focus = GetFocus();
        if (focus == m_cmdDesinstal || focus == m_cmdCancel) PostMessageW(focus, BM_CLICK, 0, 0);
        return 0;
      }
      if (HIWORD(wParam) != BN_CLICKED) break;
      if (id == uninstaller::kCmdDesinstal)
        cmdDesinstal_Click();
      else if (id == uninstaller::kCmdCancel)
        cmdCancel_Click();
      return 0;
    }
    case WM_SETCURSOR:
      if (m_busy) {
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        return TRUE;
      }
      break;
    case WM_DESTROY:
      // The picture control lets go of the bitmap before the bitmap is deleted.
      if (m_image1) SendMessageW(m_image1, STM_SETIMAGE, IMAGE_BITMAP, 0);
      PostQuitMessage(0);
      m_hwnd = nullptr;
      return 0;
    default: break;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace uninstaller
