// The main window's skin: its shape, background, picture buttons, move handle, link labels, the
// help and shareware panels, and their sounds.
#include <windows.h>

#include <commctrl.h>
#include <windowsx.h>

#include "catalogue/CatalogueIds.h"
#include "catalogue/CatalogueResources.h"
#include "catalogue/CatalogueRules.h"
#include "catalogue/MainOutline.h"
#include "catalogue/MainRegion.h"
#include "catalogue/PanelTexts.h"
#include "catalogue/TitleLauncher.h"
#include "catalogue/basGeneral.h"
#include "catalogue/frmPrincipal.h"

namespace catalogue {

namespace {

using catalogue::PanelButtonDesign;

constexpr wchar_t kClickSound[] = L"CLICK.WAV";
constexpr wchar_t kHoverSound[] = L"HOSTPOT.WAV";
constexpr wchar_t kCloseSound[] = L"CERRAR.WAV";

constexpr PanelButtonDesign kBotRunDesign = {
    catalogue::kBotRun, 67,          37,           78,           62,   L"Eje_nor.bmp",    L"Eje_over.bmp",
    L"Eje_pres.bmp",    IDR_EJE_NOR, IDR_EJE_OVER, IDR_EJE_PRES, true, catalogue::kTipRun};
constexpr PanelButtonDesign kBotCopiarDesign = {catalogue::kBotCopiar,
                                                17,
                                                104,
                                                78,
                                                62,
                                                L"Copi_norm.bmp",
                                                L"Copi_over.bmp",
                                                L"Copi_pres.bmp",
                                                IDR_COPI_NORM,
                                                IDR_COPI_OVER,
                                                IDR_COPI_PRES,
                                                true,
                                                catalogue::kTipCopy};
// botAyuda opens the shareware panel and wears its pictures; botSharware opens the help.
constexpr PanelButtonDesign kBotAyudaDesign = {catalogue::kBotAyuda,
                                               20,
                                               180,
                                               78,
                                               62,
                                               L"Share_norm.bmp",
                                               L"Share_over.bmp",
                                               L"Share_pres.bmp",
                                               IDR_SHARE_NORM,
                                               IDR_SHARE_OVER,
                                               IDR_SHARE_PRES,
                                               true,
                                               catalogue::kTipShareware};
constexpr PanelButtonDesign kBotSharwareDesign = {catalogue::kBotSharware,
                                                  50,
                                                  252,
                                                  78,
                                                  62,
                                                  L"Ayuda_norm.bmp",
                                                  L"Ayuda_over.bmp",
                                                  L"Ayuda_pres.bmp",
                                                  IDR_AYUDA_NORM,
                                                  IDR_AYUDA_OVER,
                                                  IDR_AYUDA_PRES,
                                                  true,
                                                  catalogue::kTipHelp};
constexpr PanelButtonDesign kBotSalir1Design = {
    catalogue::kBotSalir1, 256,        388,        21,         21,    L"x_norm.bmp",      L"x_over.bmp",
    L"x_pres.bmp",         IDR_X_NORM, IDR_X_OVER, IDR_X_PRES, false, catalogue::kTipExit};
constexpr PanelButtonDesign kBotCerrarSWDesign = {catalogue::kBotCerrarSW,
                                                  406,
                                                  4,
                                                  21,
                                                  21,
                                                  L"Cerrar_norm.bmp",
                                                  L"Cerrar_over.bmp",
                                                  L"Cerrar_pres.bmp",
                                                  IDR_CERRAR_NORM,
                                                  IDR_CERRAR_OVER,
                                                  IDR_CERRAR_PRES,
                                                  false,
                                                  catalogue::kTipClosePanel};
constexpr PanelButtonDesign kBotCerrarAyudaDesign = {catalogue::kBotCerrarAyuda,
                                                     426,
                                                     4,
                                                     21,
                                                     21,
                                                     L"Cerrar_norm.bmp",
                                                     L"Cerrar_over.bmp",
                                                     L"Cerrar_pres.bmp",
                                                     IDR_CERRAR_NORM,
                                                     IDR_CERRAR_OVER,
                                                     IDR_CERRAR_PRES,
                                                     false,
                                                     catalogue::kTipClosePanel};

// The panels wait beyond the window's shape until shown.
constexpr int kPanelParkX = catalogue::kPrincipalClientWidth;
constexpr POINT kSharwareShown = {48, 56};
constexpr POINT kAyudaShown = {40, 64};
const catalogue::CPopupPanel::Design kPctSharwareDesign = {
    catalogue::kPctSharware, 433, 233, catalogue::kTxtSharware, {24, 4, 24 + 401, 4 + 225}, catalogue::kSharewareText};
const catalogue::CPopupPanel::Design kPctAyudaDesign = {
    catalogue::kPctAyuda, 453, 213, catalogue::kTxtAyuda, {24, 4, 24 + 397, 4 + 201}, catalogue::kHelpText};

constexpr RECT kImgMMoverBounds = {164, 8, 164 + 206, 8 + 5};
constexpr RECT kLblLink0Bounds = {396, 212, 396 + 102, 212 + 14};
constexpr RECT kLblLink1Bounds = {400, 200, 400 + 93, 200 + 14};

// The background picture's place: the window's surface outside it is bare.
bool OnBackground(int x, int y) {
  return x >= 0 && y >= 0 && x < catalogue::kMainOutlineWidth && y < catalogue::kMainOutlineHeight;
}

// The buttons are controls of the module the installer registers: without it the panel still
// lists and describes the titles, and says once why its buttons are missing.
const wchar_t kNoButtonsText[] =
    L"No se pueden mostrar los botones del panel: el control ZEPHONBUTTONPRO.OCX no est\u00E1 "
    L"registrado en este equipo. Vuelva a instalar el programa.";

}  // namespace

void frmPrincipal::CreateShell() {
  m_imgFondo.Reset(static_cast<HBITMAP>(
      LoadImageW(m_instance, MAKEINTRESOURCEW(IDB_FONDO), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  m_moverPicture.Reset(static_cast<HBITMAP>(
      LoadImageW(m_instance, MAKEINTRESOURCEW(IDB_MMOVER), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  m_imgMMover.Create(m_instance, m_hwnd, catalogue::kImgMMover, kImgMMoverBounds, m_moverPicture.Get());

  m_lblLink[0].Create(m_instance, m_hwnd, catalogue::kLblLink0, kLblLink0Bounds, catalogue::kSupportMail, FW_NORMAL,
                      m_imgFondo.Get(), {[this] { lblLink_MouseMove(0); }, [this] { lblLink_Click(0); }});
  m_lblLink[1].Create(m_instance, m_hwnd, catalogue::kLblLink1, kLblLink1Bounds, catalogue::kWebSite, FW_BOLD,
                      m_imgFondo.Get(), {[this] { lblLink_MouseMove(1); }, [this] { lblLink_Click(1); }});
  // The labels' tooltips come from the system's tooltip window.
  INITCOMMONCONTROLSEX common = {sizeof common, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&common);
  HWND tips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_hwnd, nullptr, m_instance, nullptr);
  const wchar_t* tipTexts[2] = {catalogue::kTipMail, catalogue::kTipWeb};
  for (int k = 0; tips && k < 2; ++k) {
    TOOLINFOW tool = {};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = m_hwnd;
    tool.uId = reinterpret_cast<UINT_PTR>(m_lblLink[k].Window());
    tool.lpszText = const_cast<wchar_t*>(tipTexts[k]);
    if (tool.uId) SendMessageW(tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }

  m_pctSharware.Create(m_instance, m_hwnd, kPanelParkX, kSharwareShown.y, kPctSharwareDesign, m_font.Get());
  m_pctAyuda.Create(m_instance, m_hwnd, kPanelParkX, kAyudaShown.y, kPctAyudaDesign, m_font.Get());
  CreateButtons();
}

void frmPrincipal::CreateButtons() {
  const auto hover = [this] { HoverSound(); };
  HRESULT failure = S_OK;
  const auto add = [&](catalogue::CPanelButton& button, HWND parent, const PanelButtonDesign& design,
                       std::function<void()> click, std::function<void()> enter) {
    const HRESULT hr =
        parent ? button.Create(m_instance, parent, design, std::move(click), std::move(enter)) : E_HANDLE;
    if (FAILED(hr) && SUCCEEDED(failure)) failure = hr;
  };
  add(
      m_botRun, m_hwnd, kBotRunDesign, [this] { botRun_MouseClick(); }, hover);
  add(
      m_botCopiar, m_hwnd, kBotCopiarDesign, [this] { botCopiar_MouseClick(); }, hover);
  add(
      m_botAyuda, m_hwnd, kBotAyudaDesign, [this] { botAyuda_MouseClick(); }, hover);
  add(
      m_botSharware, m_hwnd, kBotSharwareDesign, [this] { botSharware_MouseClick(); }, hover);
  add(
      m_botSalir1, m_hwnd, kBotSalir1Design, [this] { botSalir1_MouseClick(); }, hover);
  // The panels' close buttons have no hover sound.
  add(
      m_pctSharware.CloseButton(), m_pctSharware.Window(), kBotCerrarSWDesign, [this] { botCerrarSW_MouseClick(); },
      nullptr);
  add(
      m_pctAyuda.CloseButton(), m_pctAyuda.Window(), kBotCerrarAyudaDesign, [this] { botCerrarAyuda_MouseClick(); },
      nullptr);
  if (FAILED(failure)) MessageBoxW(m_hwnd, kNoButtonsText, catalogue::kAppTitle, MB_ICONERROR | MB_OK);
}

void frmPrincipal::CloseButtons() {
  for (catalogue::CPanelButton* button : {&m_botRun, &m_botCopiar, &m_botAyuda, &m_botSharware, &m_botSalir1,
                                          &m_pctSharware.CloseButton(), &m_pctAyuda.CloseButton()}) {
    button->Close();
  }
}

void frmPrincipal::PaintBackground(HDC dc) {
  RECT client{};
  GetClientRect(m_hwnd, &client);
  catalogue::DrawBackgroundPart(dc, m_imgFondo.Get(), client);
}

void frmPrincipal::Form_MouseDown(LPARAM lParam) {
  // The background picture takes the presses on it; the bare surface moves the window as its
  // caption bar would.
  if (OnBackground(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))) return;
  ReleaseCapture();
  SendMessageW(m_hwnd, WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

void frmPrincipal::SetLinkLook(std::int16_t index, bool underline) {
  if (index >= 0 && index < 2) m_lblLink[index].SetLook(RGB(0, 0, 0), underline);
}

void frmPrincipal::imgFondo_MouseMove() {
  if (HoverLink == -1) return;
  SetLinkLook(HoverLink, false);
  HoverLink = -1;
}

void frmPrincipal::lblLink_MouseMove(std::int16_t index) {
  if (index == HoverLink) return;
  if (HoverLink != -1) SetLinkLook(HoverLink, false);
  SetLinkLook(index, true);
  HoverLink = index;
}

void frmPrincipal::lblLink_Click(std::int16_t index) {
  if (index < 0 || index > 1) return;
  // The web label holds an address without scheme, handed over as it is; the other is a mailbox.
  const std::wstring caption = m_lblLink[index].Text();
  catalogue::OpenWithShell(m_hwnd, index == 1 ? caption : L"mailto:" + caption);
}

void frmPrincipal::HoverSound() { catalogue::PlayPanelSound(kHoverSound, false); }

void frmPrincipal::botRun_MouseClick() {
  catalogue::PlayPanelSound(kClickSound, false);
  const catalogue::PanelState& panel = catalogue::Panel();
  const catalogue::TitleStart title = {
      catalogue::TitleFolderPath(panel.CDRoot, panel.CategoryFolder, panel.GameFolder),
      catalogue::TitleCommandLine(panel.CDRoot, panel.CategoryFolder, panel.GameCommand)};
  // The current folder stays at the title's after the start.
  const DWORD error = catalogue::StartTitle(title);
  if (error != 0) {
    MessageBoxW(m_hwnd, catalogue::RunFailureText(catalogue::SystemErrorText(error)).c_str(), catalogue::kAppTitle,
                MB_ICONERROR | MB_OK);
  }
}

void frmPrincipal::botCopiar_MouseClick() {
  catalogue::PlayPanelSound(kClickSound, false);
  if (m_copiar && m_copiar->Handle()) return;  // already open (this window takes no input then)
  m_copiar = std::make_unique<frmCopiar>();
  if (!m_copiar->Show(m_instance, m_hwnd)) m_copiar.reset();
}

void frmPrincipal::botAyuda_MouseClick() {
  catalogue::PlayPanelSound(kClickSound, false);
  m_pctSharware.ShowAt(kSharwareShown.x, kSharwareShown.y);
}

void frmPrincipal::botSharware_MouseClick() {
  catalogue::PlayPanelSound(kClickSound, false);
  m_pctAyuda.ShowAt(kAyudaShown.x, kAyudaShown.y);
}

void frmPrincipal::botCerrarSW_MouseClick() {
  catalogue::PlayPanelSound(kCloseSound, false);
  m_pctSharware.Hide();
}

void frmPrincipal::botCerrarAyuda_MouseClick() {
  catalogue::PlayPanelSound(kCloseSound, false);
  m_pctAyuda.Hide();
}

void frmPrincipal::botSalir1_MouseClick() {
  catalogue::PlayPanelSound(kClickSound, false);
  // Posted: the window and the button go once the button's own message is done with it.
  PostMessageW(m_hwnd, WM_CLOSE, 0, 0);
}

}  // namespace catalogue
