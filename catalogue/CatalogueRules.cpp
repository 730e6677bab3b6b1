#include "catalogue/CatalogueRules.h"

namespace catalogue {

namespace {

constexpr Category kCategories[kCategoryCount] = {
    {L"Acci\u00F3n", L"Accion"},    {L"3D", L"3D"},         {L"Aventuras", L"Aventuras"},
    {L"Arcades", L"Arcades"},       {L"Cartas", L"Cartas"}, {L"Estrategia", L"Estrategia"},
    {L"Educativos", L"Educativos"}, {L"Mesa", L"Mesa"},
};

bool IsAsciiLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

}  // namespace

const Category& CategoryAt(size_t index) { return kCategories[index < kCategoryCount ? index : 0]; }

std::wstring CategoryFolderFor(size_t index, const std::wstring& current) {
  return index < kCategoryCount ? std::wstring(kCategories[index].folder) : current;
}

std::wstring ListFileName(const std::wstring& categoryFolder) { return categoryFolder + L".LST"; }

std::wstring CDRootFromDrive(std::wstring_view stored) {
  const std::wstring_view letter = stored.size() == 1 && IsAsciiLetter(stored[0]) ? stored : kDefaultDrive;
  std::wstring root(letter);
  root += L":\\QVOL2\\";
  return root;
}

std::wstring GameFolderOf(const std::wstring& command) {
  const size_t cut = command.find(L'\\');
  return cut == std::wstring::npos ? std::wstring() : command.substr(0, cut);
}

std::wstring TitleFolderPath(const std::wstring& cdRoot, const std::wstring& categoryFolder,
                             const std::wstring& gameFolder) {
  return cdRoot + categoryFolder + L"\\" + gameFolder;
}

std::wstring TitleCommandLine(const std::wstring& cdRoot, const std::wstring& categoryFolder,
                              const std::wstring& gameCommand) {
  return cdRoot + categoryFolder + L"\\" + gameCommand;
}

std::wstring DescriptionPath(const std::wstring& cdRoot, const std::wstring& categoryFolder,
                             const std::wstring& gameFolder) {
  return TitleFolderPath(cdRoot, categoryFolder, gameFolder) + L"\\Nodt.txt";
}

std::wstring RunFailureText(const std::wstring& cause) { return L"El siguiente error ha ocurrido:\r\n" + cause; }

std::wstring DefaultCopyDestination(const std::wstring& gameFolder) { return L"C:\\QVOL2\\" + gameFolder + L"\\"; }

std::vector<std::wstring> FolderChain(const std::wstring& path) {
  std::wstring p = path;
  if (p.empty() || p.back() != L'\\') p += L'\\';
  std::vector<std::wstring> chain;
  size_t pos = p.find(L'\\');
  while ((pos = p.find(L'\\', pos + 1)) != std::wstring::npos) chain.push_back(p.substr(0, pos));
  return chain;
}

std::wstring CopyFailureText(const std::wstring& destination, const std::wstring& cause) {
  return L"No se pudo copiar el juego en '" + destination + L"':\r\n" + cause;
}

std::wstring MissingListText(const std::wstring& categoryFolder) {
  return L"No se encuentra el archivo '" + ListFileName(categoryFolder) + L"'.";
}

std::wstring DriveInfoText() { return std::wstring(L"No se encuentra el CD de ") + kAppTitle; }

std::wstring DriveHintText() {
  return std::wstring(L"Aseg\u00FArese que ") + kAppTitle +
         L" este buscando en la unidad de CD correcta o que el CD Rom de " + kAppTitle +
         L" este colocado en la siguiente unidad de CD.";
}

}  // namespace catalogue
