#include "uninstaller/PathRules.h"

namespace uninstaller {

wchar_t FoldChar(wchar_t c) {
  const unsigned u = static_cast<unsigned>(c);
  if (u >= 'a' && u <= 'z') return static_cast<wchar_t>(u - 0x20);
  if (u < 0xE0) return c;
  if (u <= 0xFE) return u == 0xF7 ? c : static_cast<wchar_t>(u - 0x20);  // à..þ, but not ÷
  if (u == 0xFF) return static_cast<wchar_t>(0x178);                     // ÿ
  // Latin Extended-A pairs its capitals and small letters as even/odd neighbours, with two runs
  // (U+0139..U+0148, U+0179..U+017E) shifted by one; ı and ſ have no simple partner.
  if (u >= 0x100 && u <= 0x137 && u != 0x131) return static_cast<wchar_t>(u & ~1u);
  if ((u >= 0x139 && u <= 0x148) || (u >= 0x179 && u <= 0x17E)) return static_cast<wchar_t>((u & 1u) ? u : u - 1);
  if (u >= 0x14A && u <= 0x177) return static_cast<wchar_t>(u & ~1u);
  if (u >= 0x3B1 && u <= 0x3CB && u != 0x3C2) return static_cast<wchar_t>(u - 0x20);  // Greek
  if (u >= 0x430 && u <= 0x44F) return static_cast<wchar_t>(u - 0x20);                // Cyrillic а..я
  if (u >= 0x450 && u <= 0x45F) return static_cast<wchar_t>(u - 0x50);                // ѐ..џ
  return c;
}

std::wstring FoldCase(std::wstring_view text) {
  std::wstring out(text);
  for (wchar_t& c : out) c = FoldChar(c);
  return out;
}

std::wstring_view WithoutTrailingBackslash(std::wstring_view path) {
  while (!path.empty() && path.back() == L'\\') path.remove_suffix(1);
  return path;
}

bool SamePath(std::wstring_view a, std::wstring_view b) {
  a = WithoutTrailingBackslash(a);
  b = WithoutTrailingBackslash(b);
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (FoldChar(a[i]) != FoldChar(b[i])) return false;
  }
  return true;
}

bool IsBelow(std::wstring_view path, std::wstring_view folder) {
  path = WithoutTrailingBackslash(path);
  folder = WithoutTrailingBackslash(folder);
  if (folder.empty() || path.size() <= folder.size() + 1) return false;
  if (path[folder.size()] != L'\\') return false;
  return SamePath(path.substr(0, folder.size()), folder);
}

namespace {

bool IsDriveLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

}  // namespace

bool IsDriveRoot(std::wstring_view path) {
  return (path.size() == 2 || (path.size() == 3 && path[2] == L'\\')) && IsDriveLetter(path[0]) && path[1] == L':';
}

bool IsPlainName(std::wstring_view name) {
  if (name.empty() || name == L"." || name == L"..") return false;
  for (wchar_t c : name) {
    if (c < 0x20) return false;
    switch (c) {
      case L'\\':
      case L'/':
      case L':':
      case L'*':
      case L'?':
      case L'"':
      case L'<':
      case L'>':
      case L'|': return false;
      default: break;
    }
  }
  return name.back() != L'.' && name.back() != L' ';
}

bool IsRelativeNamePath(std::wstring_view path) {
  path = path.empty() || path.back() != L'\\' ? path : path.substr(0, path.size() - 1);
  if (path.empty()) return false;
  for (;;) {
    const size_t cut = path.find(L'\\');
    if (!IsPlainName(path.substr(0, cut))) return false;
    if (cut == std::wstring_view::npos) return true;
    path.remove_prefix(cut + 1);
  }
}

bool IsLocalFolderPath(std::wstring_view path) {
  if (path.size() < 4 || !IsDriveLetter(path[0]) || path[1] != L':' || path[2] != L'\\') return false;
  return IsRelativeNamePath(path.substr(3));
}

}  // namespace uninstaller
