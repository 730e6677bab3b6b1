#include "button/imaging/DownloadRules.h"

namespace button {

std::wstring LocalNameForUrl(const std::wstring& tempName, const std::wstring& url) {
  const size_t dot = tempName.find_last_of(L'.');
  std::wstring name = dot == std::wstring::npos ? tempName + L"." : tempName.substr(0, dot + 1);
  const size_t urlDot = url.find_last_of(L'.');
  return name + (urlDot == std::wstring::npos ? url : url.substr(urlDot + 1));
}

std::wstring StatusErrorText(unsigned long status, const std::wstring& url) {
  switch (status) {
    case 200: return std::wstring();
    case 400: return L"Unintelligble request: " + url;
    case 403: return L"Requested URL forbidden: " + url;
    case 404: return L"Requested URL not found: " + url;
    case 405: return L"Server does not support requested method: " + url;
    default: return L"Unknown server error.";
  }
}

}  // namespace button
