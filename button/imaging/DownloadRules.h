#pragma once
// The downloader's decisions that need no network: the local name of a temporary copy and the
// error text of an HTTP status.
#include <string>

namespace button {

// A temporary file name ("...\ZPX3F.TMP") with its extension replaced by the URL's: the characters
// after the URL's last "." (the whole URL when it has none), so that the local copy of ".../logo.gif"
// ends in ".gif" and is decoded like the original.
std::wstring LocalNameForUrl(const std::wstring& tempName, const std::wstring& url);

// "" for 200 (the body follows); otherwise the failure text for `url`.
std::wstring StatusErrorText(unsigned long status, const std::wstring& url);

}  // namespace button
