#pragma once
// The font installer's decisions that need no network and no GDI: which local file an address
// becomes, which names are refused before anything is fetched, and whether downloaded bytes can be
// a font file at all.
#include <cstddef>
#include <string>

namespace button {

// The failure texts the control reports through InternetFontError.
extern const wchar_t kBadUrlText[];      // "Bad HTTP URL (Font name)."
extern const wchar_t kAddFailedText[];   // followed by the local path
extern const wchar_t kCantCreateText[];  // followed by the local path (the downloader's own text)

// The part of `url` after its last "\", "/" or ":"; the whole text when it has none. "" means the
// address names no file.
std::wstring FontFileName(const std::wstring& url);

// `tempFolder` (ending in a backslash) followed by `name`; "C:\" stands in for a folder that could
// not be had ("").
std::wstring LocalFontPath(const std::wstring& tempFolder, const std::wstring& name);

// False for names that would not give a plain file of that name in the temporary folder: "." and
// "..", characters Windows refuses in names, a trailing dot or blank (silently dropped by the
// platform) and the reserved device names (CON, NUL, COM1, LPT1 ..., with or without extension),
// which would send the download to a device.
bool IsPlainFileName(const std::wstring& name);

// The number of leading bytes LooksLikeFontFile needs.
constexpr size_t kFontSignatureBytes = 4;

// True when the first bytes are those of a font file the platform can add: TrueType/OpenType
// (sfnt versions 1.0, "true", "OTTO", "typ1"), a TrueType collection ("ttcf"), a .fon resource
// module ("MZ") or a raw .fnt (versions 2.0, 3.0). Anything else (an HTML error page, an
// empty file) is not worth handing over.
bool LooksLikeFontFile(const unsigned char* bytes, size_t size);

}  // namespace button
