#pragma once
// Reading one registry value whatever its size, for the settings store and the uninstaller.
#include <windows.h>

#include <string>

namespace common {

struct RegValueData {
  DWORD type = REG_NONE;
  std::wstring text;  // REG_SZ / REG_EXPAND_SZ: the text up to its first NUL (the terminator)
  DWORD number = 0;   // REG_DWORD
};

// Reads value `name` of an open key. Returns ERROR_SUCCESS, the registry's error, or
// ERROR_UNSUPPORTED_TYPE for a type other than a string or a 32-bit number (its data is not read).
long ReadRegValue(HKEY key, const wchar_t* name, RegValueData& out);

}  // namespace common
