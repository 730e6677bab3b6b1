#pragma once
namespace uninstaller {

// Window class and control identifiers of the uninstaller's window (the tests find them by these).

inline constexpr wchar_t kPrincipalClass[] = L"TRVUQV2.frmPrincipal";

enum PrincipalControl : int {
  kImage1 = 101,
  kLblTitulo = 102,
  kLbl = 103,
  kLblCerraApp = 104,
  kLabel1 = 105,
  kLblComent = 106,
  kCmdCancel = 107,
  kCmdDesinstal = 108,
};

// Client area of the window, in pixels at 96 dpi.
inline constexpr int kPrincipalClientWidth = 434;
inline constexpr int kPrincipalClientHeight = 135;

}  // namespace uninstaller
