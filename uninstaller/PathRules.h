#pragma once
// Text rules for Windows folder paths, kept free of the platform so they are tested natively.
#include <string>
#include <string_view>

namespace uninstaller {

// Letter case as the file system ignores it (ASCII, Latin-1, Latin Extended-A, Greek, Cyrillic).
wchar_t FoldChar(wchar_t c);
std::wstring FoldCase(std::wstring_view text);

// The path without any final backslashes ("C:\Juegos\" -> "C:\Juegos", "C:\" -> "C:").
std::wstring_view WithoutTrailingBackslash(std::wstring_view path);

// Same folder by text: letter case and final backslashes do not matter.
bool SamePath(std::wstring_view a, std::wstring_view b);
// `path` lies strictly below `folder` (by text, as SamePath compares).
bool IsBelow(std::wstring_view path, std::wstring_view folder);

// "X:" or "X:\" (a drive letter and nothing else).
bool IsDriveRoot(std::wstring_view path);

// One name of a path: not empty, not "." or "..", no character Windows forbids in names or uses
// as a separator, and no final dot or space (Windows drops those, so the name would mean another).
bool IsPlainName(std::wstring_view name);

// "X:\name\name..." with one or more plain names, with or without a final backslash: the only form
// of folder this program deletes. Relative, UNC, device and "\\?\" paths are not of this form.
bool IsLocalFolderPath(std::wstring_view path);

// One or more plain names separated by backslashes (a final backslash is allowed).
bool IsRelativeNamePath(std::wstring_view path);

}  // namespace uninstaller
