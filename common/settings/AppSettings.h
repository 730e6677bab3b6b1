#pragma once
// Per-user string settings of one application, addressed by section and key. They live under
// HKEY_CURRENT_USER\Software\VB and VBA Program Settings\<application>\<section> as string values,
// where the collection's installer, the catalogue panel and the uninstaller all meet.
#include <string>

namespace common {

class AppSettings {
 public:
  // The registry path below HKEY_CURRENT_USER that holds every application's settings.
  static const wchar_t* const kRoot;

  explicit AppSettings(std::wstring application);

  const std::wstring& Application() const { return m_application; }

  // The stored value, or `fallback` when the application, section or key is missing, the value is
  // not a string, or a name is unusable.
  std::wstring Get(const std::wstring& section, const std::wstring& key,
                   const std::wstring& fallback = std::wstring()) const;

  // The results below are Win32 error codes: ERROR_SUCCESS, ERROR_INVALID_NAME for an empty name or
  // one holding a backslash (it would address another key), or what the registry answered.
  long Save(const std::wstring& section, const std::wstring& key, const std::wstring& value);
  long DeleteKey(const std::wstring& section, const std::wstring& key);
  long DeleteSection(const std::wstring& section);
  // Deletes the application with every section and key. A missing application is not an error.
  long DeleteApplication();

 private:
  std::wstring ApplicationPath() const;
  std::wstring SectionPath(const std::wstring& section) const;

  std::wstring m_application;
};

}  // namespace common
