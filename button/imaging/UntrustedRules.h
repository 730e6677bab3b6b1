#pragma once
// What the control lets an untrusted page do (a host that asked for safety for untrusted callers or
// data): pictures only from http and https addresses, never from a file of the machine, and no text
// that names a file of the machine. No Win32 here, so the rules build and test natively.
#include <string>

namespace button {

// The refusals' texts: fixed, so that they name no path.
extern const wchar_t kPictureRefusedText[];    // PictureError for a picture address of the machine
extern const wchar_t kAnimationRefusedText[];  // PictureError for AnimationDirectory
extern const wchar_t kFontRefusedText[];       // InternetFontError for InstallFontFromInternet

// "http://" or "https://" (any letter case), a host, and nothing a file path could hide behind: no
// backslash, blank or control character anywhere. Drive paths, \\server\share and \\?\ paths, file:
// addresses, relative paths and every other scheme are not.
bool IsHttpAddress(const std::wstring& url);

// A picture address an untrusted page may give: "" (no picture) or an internet address.
inline bool MayLoadPicture(const std::wstring& url) { return url.empty() || IsHttpAddress(url); }

// A downloader's failure text about `url` as an untrusted page is told it: a text that names the
// local copy (in the temporary folder, whose path tells the user's name) names `url` instead.
std::wstring TextForPage(const std::wstring& text, const std::wstring& url);

}  // namespace button
