#pragma once
// Every text the uninstaller shows. Non-ASCII letters are written as \u escapes so that the
// texts do not depend on how a compiler reads the source file.
#include <string>
#include <string_view>

namespace uninstaller {

// The product as the user knows it, and the name its settings, INI section and uninstall key use.
inline constexpr wchar_t kProductName[] = L"Quorvel V2";
inline constexpr wchar_t kProductKey[] = L"Quorvel Vol. 2";

inline constexpr wchar_t kSettingsSection[] = L"General";
inline constexpr wchar_t kPathSetting[] = L"Path";
inline constexpr wchar_t kGroupSetting[] = L"GrupName";

// Caption of the window and of every message box.
std::wstring AppTitle();
std::wstring FirstQuestion();
std::wstring FolderWarning(std::wstring_view path);
std::wstring DoneMessage();

std::wstring TituloLabel();
std::wstring CerraAppLabel();
std::wstring ComentLabel();
// The bullet of the Symbol font (its character 0xB7).
inline constexpr wchar_t kBulletLabel[] = L"\u00B7";
inline constexpr wchar_t kCancelButton[] = L"&Cancelar";
inline constexpr wchar_t kUninstallButton[] = L"&Desinstalar";

}  // namespace uninstaller
