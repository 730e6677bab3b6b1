#pragma once
namespace catalogue {

// The fixed texts of the main window: the help and shareware panels, the link labels and the
// buttons' tooltips. Lines of the panel texts end with CR LF, as a multi-line text box wants them.

extern const wchar_t kHelpText[];
extern const wchar_t kSharewareText[];

// The link labels: the support mailbox (opened with "mailto:" before it) and the web site.
inline constexpr wchar_t kSupportMail[] = L"info@quorvel.com";
inline constexpr wchar_t kWebSite[] = L"www.quorvel.com";

inline constexpr wchar_t kTipRun[] = L"Ejecuta el programa desde el CD";
inline constexpr wchar_t kTipCopy[] = L"Copia el juego seleccionado al disco r\u00EDgido";
inline constexpr wchar_t kTipShareware[] = L"Muestra informaci\u00F3n sobre el Shareware";
inline constexpr wchar_t kTipHelp[] = L"Muestra la ventana de ayuda";
inline constexpr wchar_t kTipExit[] = L"Cierra el programa";
inline constexpr wchar_t kTipClosePanel[] = L"Cierra esta ventana";
inline constexpr wchar_t kTipCopyHere[] = L"Copia el juego a la carpeta indicada";
inline constexpr wchar_t kCopyCaption[] = L"&Copiar en:";
inline constexpr wchar_t kTipMail[] = L"Mensajes al soporte t\u00E9cnico";
inline constexpr wchar_t kTipWeb[] = L"Visite nuestro sitio en internet";

}  // namespace catalogue
