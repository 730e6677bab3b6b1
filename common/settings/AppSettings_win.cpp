#include "common/settings/AppSettings.h"

#include <windows.h>

#include <utility>

#include "common/win/Handles.h"
#include "common/settings/RegValue.h"

namespace common {

const wchar_t* const AppSettings::kRoot = L"Software\\VB and VBA Program Settings";

namespace {

// An empty name or one with a backslash would address the parent key or another key.
bool UsableName(const std::wstring& name) { return !name.empty() && name.find(L'\\') == std::wstring::npos; }

}  // namespace

AppSettings::AppSettings(std::wstring application) : m_application(std::move(application)) {}

std::wstring AppSettings::ApplicationPath() const { return std::wstring(kRoot) + L"\\" + m_application; }

std::wstring AppSettings::SectionPath(const std::wstring& section) const { return ApplicationPath() + L"\\" + section; }

std::wstring AppSettings::Get(const std::wstring& section, const std::wstring& key,
                              const std::wstring& fallback) const {
  if (!UsableName(m_application) || !UsableName(section)) return fallback;
  RegKey k;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, SectionPath(section).c_str(), 0, KEY_QUERY_VALUE, k.Put()) != ERROR_SUCCESS) {
    return fallback;
  }
  RegValueData value;
  if (ReadRegValue(k.Get(), key.c_str(), value) != ERROR_SUCCESS || value.type != REG_SZ) {
    return fallback;
  }
  return value.text;
}

long AppSettings::Save(const std::wstring& section, const std::wstring& key, const std::wstring& value) {
  if (!UsableName(m_application) || !UsableName(section) || key.empty()) return ERROR_INVALID_NAME;
  // The registry counts bytes in a DWORD, terminator included.
  if (value.size() >= (MAXDWORD / sizeof(wchar_t)) - 1) return ERROR_INVALID_DATA;
  RegKey k;
  LSTATUS status = RegCreateKeyExW(HKEY_CURRENT_USER, SectionPath(section).c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                                   nullptr, k.Put(), nullptr);
  if (status != ERROR_SUCCESS) return status;
  const DWORD bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
  return RegSetValueExW(k.Get(), key.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), bytes);
}

long AppSettings::DeleteKey(const std::wstring& section, const std::wstring& key) {
  if (!UsableName(m_application) || !UsableName(section) || key.empty()) return ERROR_INVALID_NAME;
  RegKey k;
  LSTATUS status = RegOpenKeyExW(HKEY_CURRENT_USER, SectionPath(section).c_str(), 0, KEY_SET_VALUE, k.Put());
  if (status != ERROR_SUCCESS) return status;
  return RegDeleteValueW(k.Get(), key.c_str());
}

long AppSettings::DeleteSection(const std::wstring& section) {
  if (!UsableName(m_application) || !UsableName(section)) return ERROR_INVALID_NAME;
  RegKey app;
  LSTATUS status = RegOpenKeyExW(HKEY_CURRENT_USER, ApplicationPath().c_str(), 0,
                                 DELETE | KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE | KEY_SET_VALUE, app.Put());
  if (status != ERROR_SUCCESS) return status;
  return RegDeleteTreeW(app.Get(), section.c_str());
}

long AppSettings::DeleteApplication() {
  if (!UsableName(m_application)) return ERROR_INVALID_NAME;
  RegKey root;
  LSTATUS status = RegOpenKeyExW(HKEY_CURRENT_USER, kRoot, 0,
                                 DELETE | KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE | KEY_SET_VALUE, root.Put());
  if (status == ERROR_FILE_NOT_FOUND) return ERROR_SUCCESS;
  if (status != ERROR_SUCCESS) return status;
  status = RegDeleteTreeW(root.Get(), m_application.c_str());
  return status == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : status;
}

}  // namespace common
