#include "catalogue/frmPrincipal.h"

#include "catalogue/CatalogueIds.h"
#include "catalogue/CatalogueRules.h"
#include "catalogue/ListFile.h"
#include "catalogue/MainRegion.h"
#include "catalogue/TextFile.h"
#include "catalogue/TextLines.h"
#include "catalogue/basGeneral.h"
#include "catalogue/frmVerDrive.h"

namespace catalogue {

namespace {

// Borderless, no caption or control box: the window's outline and picture are its frame.
constexpr DWORD kStyle = WS_POPUP | WS_CLIPCHILDREN | WS_MINIMIZEBOX;
constexpr DWORD kExStyle = WS_EX_CONTROLPARENT | WS_EX_APPWINDOW;

// The design's height of the closed category box; the control itself sets it from its font.
constexpr int kComboHeight = 21;
constexpr int kComboDropHeight = 200;

}  // namespace

frmPrincipal::~frmPrincipal() {
  if (m_hwnd) DestroyWindow(m_hwnd);
}

bool frmPrincipal::Create(HINSTANCE instance) {
  m_instance = instance;
  if (!catalogue::RegisterFormClass(instance, catalogue::kPrincipalClass, WindowProc)) return false;

  const int x = (GetSystemMetrics(SM_CXSCREEN) - catalogue::kPrincipalClientWidth) / 2;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - catalogue::kPrincipalClientHeight) / 2;
  CreateWindowExW(kExStyle, catalogue::kPrincipalClass, catalogue::kAppTitle, kStyle, x, y,
                  catalogue::kPrincipalClientWidth, catalogue::kPrincipalClientHeight, nullptr, nullptr, instance,
                  this);
  if (!m_hwnd) return false;

  m_font.Reset(catalogue::MakeFont(8.25, FW_NORMAL, L"MS Sans Serif"));
  m_cboTipoJuego = AddControl(L"COMBOBOX", catalogue::kCboTipoJuego, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0, 160,
                              20, 213, kComboHeight + kComboDropHeight);
  m_lstJuegos =
      AddControl(L"LISTBOX", catalogue::kLstJuegos, LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP,
                 WS_EX_CLIENTEDGE, 160, 44, 213, 186);
  m_txtDescripcion = AddControl(L"EDIT", catalogue::kTxtDescripcion,
                                ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL | WS_TABSTOP,
                                WS_EX_CLIENTEDGE, 180, 237, 188, 137);
  if (m_cboTipoJuego) {
    for (size_t i = 0; i < catalogue::kCategoryCount; ++i) {
      SendMessageW(m_cboTipoJuego, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(catalogue::CategoryAt(i).shown));
    }
  }
  // A description may be long: no limit below the control's own.
  if (m_txtDescripcion) SendMessageW(m_txtDescripcion, EM_SETLIMITTEXT, 0, 0);
  CreateShell();
  Form_Load();
  return true;
}

HWND frmPrincipal::AddControl(const wchar_t* className, int id, DWORD style, DWORD exStyle, int left, int top,
                              int width, int height) {
  // Clipped by its siblings: a pop-up panel shown over it stays whole.
  HWND control =
      CreateWindowExW(exStyle, className, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, left, top, width,
                      height, m_hwnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), m_instance, nullptr);
  if (control && m_font) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(m_font.Get()), FALSE);
  return control;
}

void frmPrincipal::Show() {
  ShowWindow(m_hwnd, SW_SHOW);
  UpdateWindow(m_hwnd);
}

void frmPrincipal::Form_Load() {
  // The window's shape; the window owns the region from here on (a failed one leaves it square).
  if (HRGN region = catalogue::BuildMainRegion(1, 1, 0, 0)) {
    if (!SetWindowRgn(m_hwnd, region, TRUE)) DeleteObject(region);
  }
  // The first category, which selects its first title and shows that description.
  if (m_cboTipoJuego && SendMessageW(m_cboTipoJuego, CB_SETCURSEL, 0, 0) != CB_ERR) cboTipoJuego_Click();
  SetWindowTextW(m_hwnd, catalogue::kAppTitle);
  for (catalogue::CPanelButton* button : {&m_botAyuda, &m_pctAyuda.CloseButton(), &m_pctSharware.CloseButton(),
                                          &m_botCopiar, &m_botRun, &m_botSalir1, &m_botSharware}) {
    button->SetAutoHandCursor(true);  // a button that could not be made has nothing to set
  }
  catalogue::SetBusyPointer(false);
}

void frmPrincipal::cboTipoJuego_Click() {
  const LRESULT index = SendMessageW(m_cboTipoJuego, CB_GETCURSEL, 0, 0);
  if (index == CB_ERR || index < 0 || index > 255) return;
  LoadCategoryList(static_cast<std::uint8_t>(index));
  // An empty list (its file missing or without records) has no first row: the description stays.
  if (SendMessageW(m_lstJuegos, LB_SETCURSEL, 0, 0) != LB_ERR) lstJuegos_Click();
}

void frmPrincipal::LoadCategoryList(std::uint8_t index) {
  catalogue::PanelState& panel = catalogue::Panel();
  SendMessageW(m_lstJuegos, LB_RESETCONTENT, 0, 0);
  panel.CategoryFolder = catalogue::CategoryFolderFor(index, panel.CategoryFolder);
  const std::wstring path = catalogue::ProgramFolder() + L"\\" + catalogue::ListFileName(panel.CategoryFolder);
  std::string content;
  // A list file too large to be one is refused as unreadable, with the same message as a missing one.
  if (catalogue::ReadTextFile(path, catalogue::kMaxListFileBytes, &content) != catalogue::ReadResult::Ok) {
    MessageBoxW(m_hwnd, catalogue::MissingListText(panel.CategoryFolder).c_str(), catalogue::kAppTitle,
                MB_ICONERROR | MB_OK);
    return;  // the former commands stay; the empty list leads to none of them
  }
  GameCommands.clear();
  for (const catalogue::ListRecord& record : catalogue::ParseListFile(content)) {
    const std::wstring title = catalogue::DecodeSystemText(record.title);
    const LRESULT row = SendMessageW(m_lstJuegos, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(title.c_str()));
    if (row < 0) continue;  // the list refused it: the record is left out with its row
    SendMessageW(m_lstJuegos, LB_SETITEMDATA, row, static_cast<LPARAM>(GameCommands.size()));
    GameCommands.push_back(catalogue::DecodeSystemText(record.command));
  }
}

void frmPrincipal::lstJuegos_Click() {
  const LRESULT row = SendMessageW(m_lstJuegos, LB_GETCURSEL, 0, 0);
  if (row == LB_ERR) return;
  const LRESULT k = SendMessageW(m_lstJuegos, LB_GETITEMDATA, row, 0);
  if (k == LB_ERR || k < 0 || static_cast<size_t>(k) >= GameCommands.size()) return;
  catalogue::PanelState& panel = catalogue::Panel();
  panel.GameCommand = GameCommands[static_cast<size_t>(k)];
  panel.GameFolder = catalogue::GameFolderOf(panel.GameCommand);
  LoadDescription(catalogue::DescriptionPath(panel.CDRoot, panel.CategoryFolder, panel.GameFolder));
}

void frmPrincipal::LoadDescription(const std::wstring& path) {
  std::string content;
  switch (catalogue::ReadTextFile(path, catalogue::kMaxDescriptionBytes, &content)) {
    case catalogue::ReadResult::Ok:
      SetWindowTextW(m_txtDescripcion, catalogue::DecodeSystemText(catalogue::DescriptionText(content)).c_str());
      break;
    case catalogue::ReadResult::TooLarge: {
      const std::string_view start = catalogue::WholeLinesWithin(content, catalogue::kMaxDescriptionBytes);
      SetWindowTextW(m_txtDescripcion, catalogue::DecodeSystemText(catalogue::DescriptionText(start)).c_str());
      break;
    }
    case catalogue::ReadResult::Missing:
      // No description where the CD should be: the user is asked for the drive.
      SetWindowTextW(m_txtDescripcion, L"");
      frmVerDrive::ShowModeless(m_instance);
      break;
  }
}

LRESULT CALLBACK frmPrincipal::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  frmPrincipal* self = catalogue::FormOf<frmPrincipal>(hwnd, message, lParam);
  if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
  if (message == WM_NCCREATE) self->m_hwnd = hwnd;
  // The controls go while the windows that hold them are still there.
  if (message == WM_DESTROY) self->CloseButtons();
  if (message == WM_NCDESTROY) {
    catalogue::ReleaseForm(hwnd);
    self->m_hwnd = nullptr;
    self->m_cboTipoJuego = self->m_lstJuegos = self->m_txtDescripcion = nullptr;
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  return self->HandleMessage(hwnd, message, wParam, lParam);
}

LRESULT frmPrincipal::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: PaintBackground(reinterpret_cast<HDC>(wParam)); return 1;
    case WM_MOUSEMOVE:
      imgFondo_MouseMove();  // the background picture covers the whole shape
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: Form_MouseDown(lParam); return 0;
    default: break;
  }
  if (message == WM_COMMAND) {
    if (LOWORD(wParam) == catalogue::kCboTipoJuego && HIWORD(wParam) == CBN_SELCHANGE) {
      cboTipoJuego_Click();
      return 0;
    }
    if (LOWORD(wParam) == catalogue::kLstJuegos && HIWORD(wParam) == LBN_SELCHANGE) {
      lstJuegos_Click();
      return 0;
    }
  }
  return catalogue::DefaultFormMessage(hwnd, message, wParam, lParam);
}

}  // namespace catalogue
