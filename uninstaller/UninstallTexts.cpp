#include "uninstaller/UninstallTexts.h"

namespace uninstaller {

std::wstring AppTitle() { return std::wstring(L"Desinstalador de ") + kProductName; }

std::wstring FirstQuestion() {
  // "¿Está seguro que quiere desinstalar ... de su PC?"
  return std::wstring(L"\u00BFEst\u00E1 seguro que quiere desinstalar ") + kProductName + L" de su PC?";
}

std::wstring FolderWarning(std::wstring_view path) {
  // "A continuación se borrará todo el contenido dentro de la carpeta: "
  std::wstring text = L"A continuaci\u00F3n se borrar\u00E1 todo el contenido dentro de la carpeta: \"";
  text.append(path);
  text += L'"';
  return text;
}

std::wstring DoneMessage() { return std::wstring(kProductName) + L" ha sido quitado de su PC."; }

std::wstring TituloLabel() { return AppTitle(); }

std::wstring CerraAppLabel() {
  return std::wstring(L"Recuerde cerrar el programa de ") + kProductName + L", antes de desinstalarlo.";
}

std::wstring ComentLabel() {
  // "Presione el botón Desinstalar para quitar de su PC el programa "
  return std::wstring(L"Presione el bot\u00F3n Desinstalar para quitar de su PC el programa ") + kProductName + L".";
}

}  // namespace uninstaller
