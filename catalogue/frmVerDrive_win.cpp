#include "catalogue/frmVerDrive.h"

#include <shellapi.h>

#include <memory>

#include "catalogue/CatalogueIds.h"
#include "catalogue/CatalogueRules.h"
#include "catalogue/basGeneral.h"
#include "catalogue/basVerificarDrive.h"
#include "common/win/Handles.h"

namespace catalogue {

namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT | WS_EX_APPWINDOW;

// The one open dialog, if any. It deletes itself when its window is gone.
std::unique_ptr<frmVerDrive> g_open;

// Twips of the dialog's design to pixels (15 twips a pixel at 96 dpi).
int Px(int twips) { return twips / 15; }

std::wstring VolumeLabel(const std::wstring& root) {
  wchar_t label[MAX_PATH + 1] = {};
  // No "insert a disk" box for an empty drive.
  const UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS);
  const BOOL ok = GetVolumeInformationW(root.c_str(), label, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr, 0);
  SetErrorMode(oldMode);
  return ok ? std::wstring(label) : std::wstring();
}

// The system's CD-drive icon: its stock icon, or the shell library's icon of that place where the
// system answers the stock request without one (Wine does).
common::IconHandle CdDriveIcon() {
  SHSTOCKICONINFO stock = {};
  stock.cbSize = sizeof stock;
  if (SUCCEEDED(SHGetStockIconInfo(SIID_DRIVECD, SHGSI_ICON | SHGSI_LARGEICON, &stock)) && stock.hIcon) {
    return common::IconHandle(stock.hIcon);
  }
  constexpr int kShellCdDriveIndex = 11;
  HICON large = nullptr;
  if (ExtractIconExW(L"shell32.dll", kShellCdDriveIndex, &large, nullptr, 1) == 0) return common::IconHandle();
  return common::IconHandle(large);
}

// A one-line label keeps its place and grows to the right when the screen's font writes its text
// wider than the design allowed, rather than hiding its end.
void FitWidthToText(HWND label) {
  if (!label) return;
  const int length = GetWindowTextLengthW(label);
  if (length <= 0) return;
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(label, text.data(), length + 1)));
  RECT needed = {0, 0, 0, 0};
  {
    const common::WindowDC dc = common::TakeWindowDC(label);
    if (!dc) return;
    const common::SelectedObject selected =
        common::SelectInto(dc.Get(), reinterpret_cast<HGDIOBJ>(SendMessageW(label, WM_GETFONT, 0, 0)));
    DrawTextW(dc.Get(), text.c_str(), static_cast<int>(text.size()), &needed,
              DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  }
  RECT now;
  GetClientRect(label, &now);
  if (needed.right > now.right) {
    SetWindowPos(label, nullptr, 0, 0, needed.right, now.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

}  // namespace

HWND frmVerDrive::Current() { return g_open ? g_open->m_hwnd : nullptr; }

void frmVerDrive::ShowModeless(HINSTANCE instance) {
  if (!g_open) {
    std::unique_ptr<frmVerDrive> form(new frmVerDrive());
    g_open = std::move(form);
    if (!g_open->Create(instance)) {
      HWND failed = g_open->m_hwnd;
      if (failed) {
        DestroyWindow(failed);  // resets g_open
      } else {
        g_open.reset();
      }
      return;
    }
    ShowWindow(g_open->m_hwnd, SW_SHOW);
  }
  BringToFront();
}

void frmVerDrive::BringToFront() {
  HWND hwnd = Current();
  if (!hwnd) return;
  SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
  SetForegroundWindow(hwnd);
}

std::vector<std::wstring> frmVerDrive::DriveEntries() {
  std::vector<std::wstring> entries;
  const DWORD drives = GetLogicalDrives();
  for (int i = 0; i < 26; ++i) {
    if (!(drives & (1u << i))) continue;
    const wchar_t upper = static_cast<wchar_t>(L'A' + i);
    std::wstring entry(1, static_cast<wchar_t>(L'a' + i));
    entry += L':';
    const std::wstring label = VolumeLabel(std::wstring(1, upper) + L":\\");
    if (!label.empty()) entry += L" [" + label + L"]";
    entries.push_back(std::move(entry));
  }
  return entries;
}

bool frmVerDrive::Create(HINSTANCE instance) {
  m_instance = instance;
  if (!catalogue::RegisterFormClass(instance, catalogue::kVerDriveClass, WindowProc)) return false;

  RECT frame = {0, 0, catalogue::kVerDriveClientWidth, catalogue::kVerDriveClientHeight};
  AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  const int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  CreateWindowExW(kExStyle, catalogue::kVerDriveClass, L"Ubicaci\u00F3n del CD Rom", kStyle, x, y, width, height,
                  nullptr, nullptr, instance, this);
  if (!m_hwnd) return false;

  m_font.Reset(catalogue::MakeFont(8.25, FW_NORMAL, L"MS Sans Serif"));
  AddControl(L"STATIC", catalogue::kLblInfo, SS_LEFT, 120, 120, 4230, 195, L"");
  AddControl(L"STATIC", catalogue::kLblIndi, SS_LEFT, 120, 600, 4320, 585, L"");
  AddControl(L"STATIC", catalogue::kLabel3, SS_LEFT, 1020, 1560, 1530, 195, L"Unidad lectora de CD");
  // The drop-down's height is that of its closed box plus the opened list.
  m_drive1 = AddControl(L"COMBOBOX", catalogue::kDrive1, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 1020, 1800, 2835,
                        315 + 15 * 160, L"");
  AddControl(L"BUTTON", catalogue::kCmdAceptar, BS_DEFPUSHBUTTON | WS_TABSTOP, 1680, 2280, 1095, 375, L"&Aceptar");
  HWND image = AddControl(L"STATIC", catalogue::kImage1, SS_ICON | SS_CENTERIMAGE, 420, 1680, 480, 480, nullptr);
  m_cdIcon = CdDriveIcon();
  if (image && m_cdIcon) SendMessageW(image, STM_SETICON, reinterpret_cast<WPARAM>(m_cdIcon.Get()), 0);
  FitWidthToText(GetDlgItem(m_hwnd, catalogue::kLabel3));
  Form_Load();
  return true;
}

HWND frmVerDrive::AddControl(const wchar_t* className, int id, DWORD style, int left, int top, int width, int height,
                             const wchar_t* text) {
  HWND control =
      CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, Px(left), Px(top), Px(width), Px(height),
                      m_hwnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), m_instance, nullptr);
  if (control && m_font) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(m_font.Get()), FALSE);
  return control;
}

void frmVerDrive::Form_Load() {
  SetDlgItemTextW(m_hwnd, catalogue::kLblInfo, catalogue::DriveInfoText().c_str());
  SetDlgItemTextW(m_hwnd, catalogue::kLblIndi, catalogue::DriveHintText().c_str());
  if (!m_drive1) return;
  // The list starts on the process's current drive, not on the stored one.
  wchar_t current[MAX_PATH] = {};
  const DWORD n = GetCurrentDirectoryW(MAX_PATH, current);
  const wchar_t currentLetter = n >= 2 && current[1] == L':' ? static_cast<wchar_t>(current[0] | 0x20) : 0;
  int selected = 0;
  for (const std::wstring& entry : DriveEntries()) {
    const LRESULT row = SendMessageW(m_drive1, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    if (row >= 0 && entry[0] == currentLetter) selected = static_cast<int>(row);
  }
  SendMessageW(m_drive1, CB_SETCURSEL, selected, 0);
}

void frmVerDrive::cmdAceptar_Click() {
  const LRESULT row = SendMessageW(m_drive1, CB_GETCURSEL, 0, 0);
  if (row != CB_ERR) {
    const LRESULT length = SendMessageW(m_drive1, CB_GETLBTEXTLEN, row, 0);
    if (length > 0) {
      std::wstring entry(static_cast<size_t>(length) + 1, L'\0');
      SendMessageW(m_drive1, CB_GETLBTEXT, row, reinterpret_cast<LPARAM>(entry.data()));
      catalogue::SaveDriveCD(entry.substr(0, 1));
      catalogue::Panel().CDRoot = catalogue::GetCDRoot();
    }
  }
  DestroyWindow(m_hwnd);
}

LRESULT CALLBACK frmVerDrive::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  frmVerDrive* self = catalogue::FormOf<frmVerDrive>(hwnd, message, lParam);
  if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
  if (message == WM_NCCREATE) self->m_hwnd = hwnd;
  if (message == WM_NCDESTROY) {
    const LRESULT result = DefWindowProcW(hwnd, message, wParam, lParam);
    catalogue::ReleaseForm(hwnd);
    if (g_open.get() == self) g_open.reset();  // `self` is gone from here on
    return result;
  }
  return self->HandleMessage(hwnd, message, wParam, lParam);
}

LRESULT frmVerDrive::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && LOWORD(wParam) == catalogue::kCmdAceptar && HIWORD(wParam) == BN_CLICKED) {
    cmdAceptar_Click();
    return 0;
  }
  // Closing the window otherwise discards the choice.
  return catalogue::DefaultFormMessage(hwnd, message, wParam, lParam);
}

}  // namespace catalogue
