#include "catalogue/frmCopiar.h"

#include "catalogue/CatalogueIds.h"
#include "catalogue/CatalogueResources.h"
#include "catalogue/CatalogueRules.h"
#include "catalogue/FolderCopy.h"
#include "catalogue/LinkLabel.h"
#include "catalogue/MainRegion.h"
#include "catalogue/PanelTexts.h"
#include "catalogue/TitleLauncher.h"
#include "catalogue/basGeneral.h"
#include "common/win/Handles.h"

namespace catalogue {

namespace {

using catalogue::PanelButtonDesign;

// Borderless, no caption: the outline and the picture are its frame. Not clipping its children:
// the label shows the picture through.
constexpr DWORD kStyle = WS_POPUP;
constexpr DWORD kExStyle = WS_EX_CONTROLPARENT;

constexpr PanelButtonDesign kBotCopiarDesign = {catalogue::kCopiarBotCopiar,
                                                108,
                                                120,
                                                78,
                                                62,
                                                L"Copi2_norm.bmp",
                                                L"Copi2_over.bmp",
                                                L"Copi2_pres.bmp",
                                                IDR_COPI2_NORM,
                                                IDR_COPI2_OVER,
                                                IDR_COPI2_PRES,
                                                true,
                                                catalogue::kTipCopyHere};
constexpr PanelButtonDesign kBotCancelarDesign = {
    catalogue::kBotCancelar, 139,         12,          21,          21,   L"x2_norm.bmp",           L"x2_over.bmp",
    L"x2_pres.bmp",          IDR_X2_NORM, IDR_X2_OVER, IDR_X2_PRES, true, catalogue::kTipClosePanel};

constexpr wchar_t kClickSound[] = L"CLICK.WAV";
constexpr wchar_t kHoverSound[] = L"HOSTPOT.WAV";

std::wstring TextOf(HWND control) {
  const int length = GetWindowTextLengthW(control);
  if (length <= 0) return std::wstring();
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(control, &text[0], length + 1)));
  return text;
}

// A label at least as wide as its caption in the font it got: a screen font wider than the
// design's would otherwise wrap the caption's last word out of sight.
void FitLabel(HWND label, HFONT font) {
  if (!label) return;
  RECT text = {0, 0, 0, 0};
  {
    const common::WindowDC dc = common::TakeWindowDC(label);
    if (!dc) return;
    const common::SelectedObject selected = font ? common::SelectInto(dc.Get(), font) : common::SelectedObject();
    DrawTextW(dc.Get(), catalogue::kCopyCaption, -1, &text, DT_CALCRECT | DT_SINGLELINE);
  }
  RECT now{};
  GetClientRect(label, &now);
  if (text.right > now.right) {
    SetWindowPos(label, nullptr, 0, 0, text.right, now.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

}  // namespace

frmCopiar::~frmCopiar() {
  if (m_hwnd) DestroyWindow(m_hwnd);
}

bool frmCopiar::Show(HINSTANCE instance, HWND owner) {
  m_instance = instance;
  m_owner = owner;
  if (!catalogue::RegisterFormClass(instance, catalogue::kCopiarClass, WindowProc)) return false;
  RECT over{};
  GetWindowRect(owner, &over);
  const int x = over.left + (over.right - over.left - catalogue::kCopiarClientWidth) / 2;
  const int y = over.top + (over.bottom - over.top - catalogue::kCopiarClientHeight) / 2;
  CreateWindowExW(kExStyle, catalogue::kCopiarClass, catalogue::kAppTitle, kStyle, x, y, catalogue::kCopiarClientWidth,
                  catalogue::kCopiarClientHeight, owner, nullptr, instance, this);
  if (!m_hwnd) return false;

  m_imgFondo.Reset(static_cast<HBITMAP>(
      LoadImageW(m_instance, MAKEINTRESOURCEW(IDB_COPIAR_FONDO), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  m_font.Reset(catalogue::MakeFont(8.25, FW_NORMAL, L"MS Sans Serif"));
  m_lbl =
      CreateWindowExW(0, L"STATIC", catalogue::kCopyCaption, WS_CHILD | WS_VISIBLE | SS_LEFT, 12, 68, 48, 13, m_hwnd,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(catalogue::kCopiarLbl)), m_instance, nullptr);
  m_txtDestino = CreateWindowExW(
      WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 12, 84, 273, 21, m_hwnd,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(catalogue::kTxtDestino)), m_instance, nullptr);
  for (HWND control : {m_lbl, m_txtDestino}) {
    if (control && m_font) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(m_font.Get()), FALSE);
  }
  FitLabel(m_lbl, m_font.Get());
  CreateButtons();
  Form_Load();
  // The owner takes no input while the copy window is open.
  EnableWindow(m_owner, FALSE);
  ShowWindow(m_hwnd, SW_SHOW);
  UpdateWindow(m_hwnd);
  if (m_txtDestino) SetFocus(m_txtDestino);
  return true;
}

void frmCopiar::CreateButtons() {
  const auto hover = [] { catalogue::PlayPanelSound(kHoverSound, false); };
  // Without the control module the window still takes its destination; it only lacks buttons.
  m_botCopiar.Create(
      m_instance, m_hwnd, kBotCopiarDesign, [this] { botCopiar_MouseClick(); }, hover);
  m_botCancelar.Create(
      m_instance, m_hwnd, kBotCancelarDesign, [this] { botCancelar_MouseClick(); }, hover);
}

void frmCopiar::Form_Load() {
  if (HRGN region = catalogue::BuildCopyRegion(1, 1, 0, 0)) {
    if (!SetWindowRgn(m_hwnd, region, TRUE)) DeleteObject(region);
  }
  m_botCancelar.SetAutoHandCursor(true);
  m_botCopiar.SetAutoHandCursor(true);
  // Proposed afresh from the selected title each time the window opens.
  SetWindowTextW(m_txtDestino, catalogue::DefaultCopyDestination(catalogue::Panel().GameFolder).c_str());
  catalogue::SetBusyPointer(false);
}

bool frmCopiar::MakePathAux(const std::wstring& path, DWORD* error) {
  const DWORD failure = catalogue::MakeFolderChain(path);
  if (error) *error = failure;
  return failure == 0;
}

void frmCopiar::botCopiar_MouseClick() {
  catalogue::PlayPanelSound(kClickSound, false);
  const std::wstring destination = TextOf(m_txtDestino);
  if (destination.empty()) return;

  const catalogue::PanelState& panel = catalogue::Panel();
  DWORD error = 0;
  if (MakePathAux(destination, &error)) {
    error = catalogue::CopyFolderContents(
        catalogue::TitleFolderPath(panel.CDRoot, panel.CategoryFolder, panel.GameFolder), destination);
  }
  if (error != 0) {
    // The window stays open: the user may name another folder or put the CD in and try again.
    MessageBoxW(m_hwnd, catalogue::CopyFailureText(destination, catalogue::SystemErrorText(error)).c_str(),
                catalogue::kAppTitle, MB_ICONERROR | MB_OK);
    return;
  }
  // Posted: the window and the button go once the button's own message is done with it.
  PostMessageW(m_hwnd, WM_CLOSE, 0, 0);
}

void frmCopiar::botCancelar_MouseClick() {
  catalogue::PlayPanelSound(kClickSound, false);
  PostMessageW(m_hwnd, WM_CLOSE, 0, 0);
}

void frmCopiar::CloseForm() {
  // The owner takes input again before this window goes, so that it is the one activated.
  if (m_owner) EnableWindow(m_owner, TRUE);
  m_botCopiar.Close();
  m_botCancelar.Close();
}

LRESULT CALLBACK frmCopiar::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  frmCopiar* self = catalogue::FormOf<frmCopiar>(hwnd, message, lParam);
  if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
  if (message == WM_NCCREATE) self->m_hwnd = hwnd;
  if (message == WM_DESTROY) self->CloseForm();
  if (message == WM_NCDESTROY) {
    catalogue::ReleaseForm(hwnd);
    self->m_hwnd = self->m_lbl = self->m_txtDestino = nullptr;
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  return self->HandleMessage(hwnd, message, wParam, lParam);
}

LRESULT frmCopiar::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: {
      RECT client{};
      GetClientRect(hwnd, &client);
      catalogue::DrawBackgroundPart(reinterpret_cast<HDC>(wParam), m_imgFondo.Get(), client);
      return 1;
    }
    case WM_CTLCOLORSTATIC:
      if (reinterpret_cast<HWND>(lParam) == m_lbl) {
        // Black text straight on the picture.
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
      }
      break;
    case WM_LBUTTONDOWN:
      // The window's surface moves it, as a caption bar would.
      ReleaseCapture();
      SendMessageW(hwnd, WM_NCLBUTTONDOWN, HTCAPTION, 0);
      return 0;
    case WM_CLOSE:
      CloseForm();
      DestroyWindow(hwnd);
      return 0;
    default: break;
  }
  return catalogue::DefaultFormMessage(hwnd, message, wParam, lParam);
}

}  // namespace catalogue
