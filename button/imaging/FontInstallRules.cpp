#include "button/imaging/FontInstallRules.h"

#include <cstring>
#include <cwctype>

namespace button {

const wchar_t kBadUrlText[] = L"Bad HTTP URL (Font name).";
const wchar_t kAddFailedText[] = L"Adding font to system fail fontname: ";
const wchar_t kCantCreateText[] = L"Internet Session - Cant Create temp file: ";

std::wstring FontFileName(const std::wstring& url) {
  const size_t cut = url.find_last_of(L"\\/:");
  return cut == std::wstring::npos ? url : url.substr(cut + 1);
}

std::wstring LocalFontPath(const std::wstring& tempFolder, const std::wstring& name) {
  return (tempFolder.empty() ? std::wstring(L"C:\\") : tempFolder) + name;
}

namespace {

bool IsDeviceName(const std::wstring& name) {
  // The platform ignores the extension and trailing blanks before a dot: "nul.ttf" is NUL.
  std::wstring base = name.substr(0, name.find(L'.'));
  while (!base.empty() && base.back() == L' ') base.pop_back();
  for (wchar_t& c : base) c = wchar_t(std::towupper(c));
  static const wchar_t* const kPlain[] = {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"};
  for (const wchar_t* d : kPlain)
    if (base == d) return true;
  // COM1..COM9, LPT1..LPT9 (COM0 and LPT0 are reserved too).
  return base.size() == 4 && (base.compare(0, 3, L"COM") == 0 || base.compare(0, 3, L"LPT") == 0) && base[3] >= L'0' &&
         base[3] <= L'9';
}

}  // namespace

bool IsPlainFileName(const std::wstring& name) {
  if (name.empty() || name == L"." || name == L"..") return false;
  for (wchar_t c : name)
    if (c < 0x20 || std::wcschr(L"<>:\"/\\|?*", c)) return false;
  if (name.back() == L'.' || name.back() == L' ') return false;
  return !IsDeviceName(name);
}

bool LooksLikeFontFile(const unsigned char* bytes, size_t size) {
  if (!bytes || size < kFontSignatureBytes) return false;
  if (bytes[0] == 'M' && bytes[1] == 'Z') return true;
  // A raw .fnt starts with its version word (2.0 or 3.0), little-endian.
  if (bytes[0] == 0x00 && (bytes[1] == 0x02 || bytes[1] == 0x03)) return true;
  static const unsigned char kSfnt[][4] = {
      {0x00, 0x01, 0x00, 0x00}, {'t', 'r', 'u', 'e'}, {'O', 'T', 'T', 'O'}, {'t', 'y', 'p', '1'}, {'t', 't', 'c', 'f'}};
  for (const auto& tag : kSfnt)
    if (std::memcmp(bytes, tag, 4) == 0) return true;
  return false;
}

}  // namespace button
