#pragma once
// Registry access of the uninstaller.
#include <windows.h>

#include <string>

namespace uninstaller {

// Returned by QueryRegistryValueEx for a value that is neither a string nor a 32-bit number.
inline constexpr long kUnsupportedType = -1;

// Opens `subkey` for reading, reads `valueName` and closes the key. Empty when anything failed.
std::wstring QueryRegistryValue(HKEY root, const std::wstring& subkey, const std::wstring& valueName);

// Reads a string value (without its terminator) or a 32-bit number (as decimal text) of an open
// key. Returns the registry's status, or kUnsupportedType.
long QueryRegistryValueEx(HKEY key, const std::wstring& valueName, std::wstring& value);

// Deletes `subkey` (which must have no subkeys of its own) from both the 64-bit and the 32-bit view
// of the registry. Returns success when neither view holds it any more (a view that never had it
// counts as done), else the registry's status for the view that kept it.
long DeleteRegistryKey(HKEY root, const std::wstring& subkey);

}  // namespace uninstaller
