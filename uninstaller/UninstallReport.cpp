#include "uninstaller/UninstallReport.h"

#include "uninstaller/UninstallTexts.h"

namespace uninstaller {

namespace {

bool Refused(const FolderOutcome& o) {
  return o.target.verdict != FolderVerdict::Allowed && o.target.verdict != FolderVerdict::Empty;
}

const wchar_t* RefusalReason(FolderVerdict verdict) {
  switch (verdict) {
    case FolderVerdict::DriveRoot: return L"es la ra\u00EDz de una unidad";  // raíz
    case FolderVerdict::ListedFolder:
    case FolderVerdict::SystemFolder: return L"es una carpeta del sistema";
    case FolderVerdict::HoldsSystemFolder: return L"contiene carpetas del sistema";
    case FolderVerdict::InsideSystemTree: return L"est\u00E1 dentro de la carpeta de Windows";  // está
    case FolderVerdict::BadName: return L"su nombre no es v\u00E1lido";                         // válido
    case FolderVerdict::NotLocalFolder:
    default: return L"no es una carpeta local v\u00E1lida";
  }
}

const wchar_t* ReasonSuffix(LeftReason reason) {
  switch (reason) {
    case LeftReason::InUse: return L" (en uso)";
    case LeftReason::AccessDenied: return L" (acceso denegado)";
    case LeftReason::Link: return L" (enlace)";
    case LeftReason::Other:
    default: return L"";
  }
}

void AppendLeftItems(std::wstring& text, const std::vector<LeftItem>& left) {
  const size_t shown = left.size() < kLeftItemsShown ? left.size() : kLeftItemsShown;
  for (size_t i = 0; i < shown; ++i) {
    text += L"\n    ";
    text += left[i].path;
    text += ReasonSuffix(left[i].reason);
  }
  if (left.size() > shown) {
    text += L"\n    ... y " + std::to_wstring(left.size() - shown) + L" m\u00E1s.";  // más
  }
}

}  // namespace

FinalMessage ComposeFinalMessage(const FolderOutcome& installFolder, const FolderOutcome& startMenuGroup,
                                 const std::vector<LeftItem>& registryLeft) {
  const bool folderIncomplete = Refused(installFolder) || !installFolder.left.empty();
  const bool groupIncomplete = Refused(startMenuGroup) || !startMenuGroup.left.empty();
  if (!folderIncomplete && !groupIncomplete && registryLeft.empty()) return FinalMessage{DoneMessage(), false};

  std::wstring text = std::wstring(L"No se pudo quitar por completo ") + kProductName + L" de su PC.";
  if (Refused(installFolder)) {
    text += L"\n\nNo se borr\u00F3 la carpeta \"" + installFolder.target.shown + L"\" porque " +
            RefusalReason(installFolder.target.verdict) + L".";
  } else if (!installFolder.left.empty()) {
    text += L"\n\nNo se pudo borrar todo el contenido de la carpeta \"" + installFolder.target.shown + L"\". Quedaron:";
    AppendLeftItems(text, installFolder.left);
  }
  // "menú Inicio"
  if (Refused(startMenuGroup)) {
    text += L"\n\nNo se borr\u00F3 el grupo \"" + startMenuGroup.target.shown + L"\" del men\u00FA Inicio porque " +
            RefusalReason(startMenuGroup.target.verdict) + L".";
  } else if (!startMenuGroup.left.empty()) {
    text +=
        L"\n\nNo se pudo borrar todo el grupo \"" + startMenuGroup.target.shown + L"\" del men\u00FA Inicio. Quedaron:";
    AppendLeftItems(text, startMenuGroup.left);
  }
  if (!installFolder.left.empty() || !startMenuGroup.left.empty()) {
    // "Puede borrarlos usted mismo después de cerrar los programas que los estén usando."
    text += L"\n\nPuede borrarlos usted mismo despu\u00E9s de cerrar los programas que los est\u00E9n usando.";
  }
  // Last, so that the advice above stays next to the files it is about.
  if (!registryLeft.empty()) {
    text += L"\n\nNo se pudieron borrar estas claves del registro:";
    AppendLeftItems(text, registryLeft);
  }
  return FinalMessage{std::move(text), true};
}

}  // namespace uninstaller
