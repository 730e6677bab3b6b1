#include "common/settings/RegValue.h"

#include <vector>

namespace common {

long ReadRegValue(HKEY key, const wchar_t* name, RegValueData& out) {
  out = RegValueData();
  // The value may change between the size query and the read: try again a few times.
  for (int attempt = 0; attempt < 4; ++attempt) {
    DWORD type = REG_NONE;
    DWORD size = 0;
    LSTATUS status = RegQueryValueExW(key, name, nullptr, &type, nullptr, &size);
    if (status != ERROR_SUCCESS) return status;
    out.type = type;
    if (type == REG_DWORD) {
      DWORD number = 0;
      DWORD got = sizeof number;
      status = RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&number), &got);
      if (status == ERROR_MORE_DATA || (status == ERROR_SUCCESS && type != REG_DWORD)) continue;
      if (status != ERROR_SUCCESS) return status;
      if (got != sizeof number) return ERROR_INVALID_DATA;
      out.number = number;
      return ERROR_SUCCESS;
    }
    if (type != REG_SZ && type != REG_EXPAND_SZ) return ERROR_UNSUPPORTED_TYPE;
    // Room for the data rounded up to whole characters, plus a terminator the data may lack.
    std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 2, L'\0');
    DWORD got = size;
    status = RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &got);
    if (status == ERROR_MORE_DATA || (status == ERROR_SUCCESS && type != out.type)) continue;
    if (status != ERROR_SUCCESS) return status;
    size_t chars = got / sizeof(wchar_t);
    if (chars > buffer.size() - 1) chars = buffer.size() - 1;
    buffer[chars] = L'\0';
    out.text.assign(buffer.data());
    return ERROR_SUCCESS;
  }
  return ERROR_MORE_DATA;
}

}  // namespace common
