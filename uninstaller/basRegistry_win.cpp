#include "uninstaller/basRegistry.h"

#include "common/win/Handles.h"
#include "common/settings/RegValue.h"

namespace uninstaller {

std::wstring QueryRegistryValue(HKEY root, const std::wstring& subkey, const std::wstring& valueName) {
  common::RegKey key;
  // Read access only: reading must work for users who may not change the key.
  if (RegOpenKeyExW(root, subkey.c_str(), 0, KEY_READ, key.Put()) != ERROR_SUCCESS) return std::wstring();
  std::wstring value;
  if (QueryRegistryValueEx(key.Get(), valueName, value) != ERROR_SUCCESS) return std::wstring();
  return value;
}

long QueryRegistryValueEx(HKEY key, const std::wstring& valueName, std::wstring& value) {
  value.clear();
  common::RegValueData data;
  const long status = common::ReadRegValue(key, valueName.c_str(), data);
  if (status == ERROR_UNSUPPORTED_TYPE) return kUnsupportedType;
  if (status != ERROR_SUCCESS) return status;
  if (data.type == REG_SZ) {
    value = std::move(data.text);
    return ERROR_SUCCESS;
  }
  if (data.type == REG_DWORD) {
    value = std::to_wstring(data.number);
    return ERROR_SUCCESS;
  }
  return kUnsupportedType;  // REG_EXPAND_SZ: not read as a plain string
}

long DeleteRegistryKey(HKEY root, const std::wstring& subkey) {
  // A 32-bit installer records itself in the 32-bit view of the machine's keys, a 64-bit one in the
  // 64-bit view; the key goes from both (where a key is shared by the views, the second finds none).
  for (REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY}) {
    const long status = RegDeleteKeyExW(root, subkey.c_str(), view, 0);
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) return status;
  }
  return ERROR_SUCCESS;
}

}  // namespace uninstaller
