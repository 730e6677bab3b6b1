#pragma once
// Window classes, control identifiers and sizes of the panel's windows (the tests find them by
// these).

#include <cstddef>

namespace catalogue {

inline constexpr wchar_t kPrincipalClass[] = L"QVOL2.frmPrincipal";
inline constexpr wchar_t kVerDriveClass[] = L"QVOL2.frmVerDrive";
inline constexpr wchar_t kCopiarClass[] = L"QVOL2.frmCopiar";
// The window class of the button control's windows.
inline constexpr wchar_t kButtonControlClass[] = L"ZephonButtonProCtrl";
// Held while the panel runs: a second start sees it and ends.
inline constexpr wchar_t kInstanceMutex[] = L"Local\\Quorvel.Vol2.Panel";

enum PrincipalControl : int {
  kCboTipoJuego = 201,
  kLstJuegos = 202,
  kTxtDescripcion = 203,
  kImgMMover = 204,
  kBotRun = 210,
  kBotCopiar = 211,
  kBotAyuda = 212,
  kBotSharware = 213,
  kBotSalir1 = 214,
  kLblLink0 = 220,  // the support mail
  kLblLink1 = 221,  // the web site
  kPctSharware = 230,
  kPctAyuda = 231,
};

// Inside the pop-up panels.
enum PanelControl : int {
  kTxtSharware = 240,
  kBotCerrarSW = 241,
  kTxtAyuda = 242,
  kBotCerrarAyuda = 243,
};

enum VerDriveControl : int {
  kCmdAceptar = 1,  // IDOK: Enter presses it
  kLblInfo = 301,
  kLblIndi = 302,
  kLabel3 = 303,
  kDrive1 = 304,
  kImage1 = 305,
};

enum CopiarControl : int {
  kCopiarLbl = 401,
  kTxtDestino = 402,
  kCopiarBotCopiar = 403,
  kBotCancelar = 404,
};

// Client areas in pixels at 96 dpi.
inline constexpr int kPrincipalClientWidth = 535;
inline constexpr int kPrincipalClientHeight = 472;
inline constexpr int kVerDriveClientWidth = 298;
inline constexpr int kVerDriveClientHeight = 187;
inline constexpr int kCopiarClientWidth = 299;
inline constexpr int kCopiarClientHeight = 227;

// Limits of what the panel reads. A list file is far below the first; a longer one is refused
// whole. A description longer than the second (the most a multi-line text box of the systems the
// collection was made for could hold) shows its first 64 KB: a text box slows down beyond
// measure with more.
inline constexpr size_t kMaxListFileBytes = 16u << 20;
inline constexpr size_t kMaxDescriptionBytes = 64u << 10;

}  // namespace catalogue
