#include "button/imaging/UntrustedRules.h"

#include <cwctype>

#include "button/imaging/FontInstallRules.h"

namespace button {

const wchar_t kPictureRefusedText[] = L"Picture refused in safe mode: only HTTP addresses allowed.";
const wchar_t kAnimationRefusedText[] = L"Animation refused in safe mode: no local files allowed.";
const wchar_t kFontRefusedText[] = L"Font installing refused in safe mode.";

namespace {

bool StartsWithNoCase(const std::wstring& text, const wchar_t* prefix) {
  size_t i = 0;
  for (; prefix[i]; ++i)
    if (i >= text.size() || std::towlower(text[i]) != std::towlower(prefix[i])) return false;
  return true;
}

}  // namespace

bool IsHttpAddress(const std::wstring& url) {
  size_t start = 0;
  if (StartsWithNoCase(url, L"http://"))
    start = 7;
  else if (StartsWithNoCase(url, L"https://"))
    start = 8;
  else
    return false;
  for (wchar_t c : url)
    if (c <= 0x20 || c == 0x7F || c == L'\\') return false;
  const size_t end = url.find_first_of(L"/?#", start);
  std::wstring authority = url.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
  const size_t at = authority.rfind(L'@');
  if (at != std::wstring::npos) authority.erase(0, at + 1);
  return !authority.empty() && authority[0] != L':';
}

std::wstring TextForPage(const std::wstring& text, const std::wstring& url) {
  // Of the downloader's texts only this one names the local copy.
  if (StartsWithNoCase(text, button::kCantCreateText)) return button::kCantCreateText + url;
  return text;
}

}  // namespace button
