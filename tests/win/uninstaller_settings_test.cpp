#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "common/settings/AppSettings.h"
#include "common/win/Handles.h"
#include "tests/support/Utf8Text.h"
#include "uninstaller/basRegistry.h"

namespace {

using tests::FromUtf8;

// Each test works on an application of its own, removed again at the end.
class AppSettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_app = L"zbtest settings " + std::to_wstring(GetCurrentProcessId());
    m_other = m_app + L" other";
  }
  void TearDown() override {
    RegDeleteTreeW(HKEY_CURRENT_USER, Path(m_app).c_str());
    RegDeleteTreeW(HKEY_CURRENT_USER, Path(m_other).c_str());
  }
  static std::wstring Path(const std::wstring& app) { return std::wstring(common::AppSettings::kRoot) + L"\\" + app; }
  static bool KeyExists(const std::wstring& path) {
    common::RegKey key;
    return RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, key.Put()) == ERROR_SUCCESS;
  }
  void WriteRaw(const std::wstring& section, const wchar_t* name, DWORD type, const void* data, DWORD bytes) {
    common::RegKey key;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, (Path(m_app) + L"\\" + section).c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                              nullptr, key.Put(), nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExW(key.Get(), name, 0, type, static_cast<const BYTE*>(data), bytes), ERROR_SUCCESS);
  }

  std::wstring m_app;
  std::wstring m_other;
};

TEST_F(AppSettingsTest, StoresStringsWhereInstallerPanelAndUninstallerMeet) {
  common::AppSettings settings(m_app);
  EXPECT_EQ(settings.Get(L"General", L"Path", L"por omisión"), L"por omisión");
  const std::wstring path = FromUtf8("C:\\Juegos\\Ñandú €\\");
  ASSERT_EQ(settings.Save(L"General", L"Path", path), ERROR_SUCCESS);
  EXPECT_EQ(settings.Get(L"General", L"Path", L"x"), path);

  // A plain REG_SZ value at HKCU\Software\VB and VBA Program Settings\<application>\<section>.
  wchar_t raw[MAX_PATH] = {};
  DWORD bytes = sizeof raw;
  DWORD type = 0;
  ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, (L"Software\\VB and VBA Program Settings\\" + m_app + L"\\General").c_str(),
                         L"Path", RRF_RT_ANY, &type, raw, &bytes),
            ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(std::wstring(raw), path);

  // An empty value is a value, not a missing one; a long one comes back whole.
  ASSERT_EQ(settings.Save(L"General", L"Vacio", L""), ERROR_SUCCESS);
  EXPECT_EQ(settings.Get(L"General", L"Vacio", L"x"), L"");
  const std::wstring big(100000, L'q');
  ASSERT_EQ(settings.Save(L"General", L"Grande", big), ERROR_SUCCESS);
  EXPECT_EQ(settings.Get(L"General", L"Grande"), big);
}

TEST_F(AppSettingsTest, ReadsWhatOtherWritersLeaveAndFallsBackOnOtherTypes) {
  // Written by another program without the terminating NUL, or with an odd byte count.
  const wchar_t text[] = L"C:\\Juegos";
  ASSERT_NO_FATAL_FAILURE(WriteRaw(L"General", L"SinFin", REG_SZ, text, 9 * sizeof(wchar_t)));
  ASSERT_NO_FATAL_FAILURE(WriteRaw(L"General", L"Impar", REG_SZ, text, 9 * sizeof(wchar_t) + 1));
  const DWORD number = 7;
  ASSERT_NO_FATAL_FAILURE(WriteRaw(L"General", L"Numero", REG_DWORD, &number, sizeof number));
  common::AppSettings settings(m_app);
  EXPECT_EQ(settings.Get(L"General", L"SinFin"), L"C:\\Juegos");
  EXPECT_EQ(settings.Get(L"General", L"Impar"), L"C:\\Juegos");
  EXPECT_EQ(settings.Get(L"General", L"Numero", L"x"), L"x");
}

TEST_F(AppSettingsTest, DeletesKeysSectionsAndTheWholeApplicationOnly) {
  common::AppSettings settings(m_app);
  common::AppSettings other(m_other);
  ASSERT_EQ(settings.Save(L"General", L"Path", L"a"), ERROR_SUCCESS);
  ASSERT_EQ(settings.Save(L"General", L"DriveCD", L"D"), ERROR_SUCCESS);
  ASSERT_EQ(settings.Save(L"Otra", L"Clave", L"b"), ERROR_SUCCESS);
  ASSERT_EQ(other.Save(L"General", L"Path", L"c"), ERROR_SUCCESS);

  EXPECT_EQ(settings.DeleteKey(L"General", L"Path"), ERROR_SUCCESS);
  EXPECT_EQ(settings.Get(L"General", L"Path", L"-"), L"-");
  EXPECT_EQ(settings.Get(L"General", L"DriveCD"), L"D");
  EXPECT_EQ(settings.DeleteSection(L"Otra"), ERROR_SUCCESS);
  EXPECT_FALSE(KeyExists(Path(m_app) + L"\\Otra"));

  EXPECT_EQ(settings.DeleteApplication(), ERROR_SUCCESS);
  EXPECT_FALSE(KeyExists(Path(m_app)));
  EXPECT_EQ(other.Get(L"General", L"Path"), L"c");
  EXPECT_EQ(settings.DeleteApplication(), ERROR_SUCCESS);  // already gone: nothing to do
}

TEST_F(AppSettingsTest, RefusesNamesThatWouldAddressOtherKeys) {
  common::AppSettings other(m_other);
  ASSERT_EQ(other.Save(L"General", L"Path", L"c"), ERROR_SUCCESS);
  // An empty application name would delete every application's settings.
  common::AppSettings unnamed(L"");
  EXPECT_EQ(unnamed.DeleteApplication(), ERROR_INVALID_NAME);
  EXPECT_EQ(unnamed.Save(L"General", L"Path", L"x"), ERROR_INVALID_NAME);
  EXPECT_EQ(unnamed.Get(L"General", L"Path", L"-"), L"-");
  common::AppSettings nested(m_other + L"\\General");
  EXPECT_EQ(nested.DeleteApplication(), ERROR_INVALID_NAME);
  common::AppSettings settings(m_app);
  EXPECT_EQ(settings.Save(L"", L"Path", L"x"), ERROR_INVALID_NAME);
  EXPECT_EQ(settings.Save(L"General\\Sub", L"Path", L"x"), ERROR_INVALID_NAME);
  EXPECT_EQ(settings.DeleteSection(L""), ERROR_INVALID_NAME);
  EXPECT_EQ(other.Get(L"General", L"Path"), L"c");
  EXPECT_FALSE(KeyExists(Path(m_app)));
}

TEST_F(AppSettingsTest, RegistryQueriesReadStringsAndNumbersOnly) {
  const wchar_t text[] = L"C:\\Menú";
  ASSERT_NO_FATAL_FAILURE(WriteRaw(L"R", L"Texto", REG_SZ, text, sizeof text));
  const DWORD number = 4000000000u;
  ASSERT_NO_FATAL_FAILURE(WriteRaw(L"R", L"Numero", REG_DWORD, &number, sizeof number));
  const BYTE blob[] = {1, 2, 3};
  ASSERT_NO_FATAL_FAILURE(WriteRaw(L"R", L"Binario", REG_BINARY, blob, sizeof blob));
  const std::wstring key = Path(m_app) + L"\\R";
  EXPECT_EQ(uninstaller::QueryRegistryValue(HKEY_CURRENT_USER, key, L"Texto"), L"C:\\Menú");
  EXPECT_EQ(uninstaller::QueryRegistryValue(HKEY_CURRENT_USER, key, L"Numero"), L"4000000000");
  EXPECT_EQ(uninstaller::QueryRegistryValue(HKEY_CURRENT_USER, key, L"Binario"), L"");
  EXPECT_EQ(uninstaller::QueryRegistryValue(HKEY_CURRENT_USER, key, L"Falta"), L"");
  EXPECT_EQ(uninstaller::QueryRegistryValue(HKEY_CURRENT_USER, key + L"\\Falta", L"Texto"), L"");

  common::RegKey open;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, open.Put()), ERROR_SUCCESS);
  std::wstring value = L"old";
  EXPECT_EQ(uninstaller::QueryRegistryValueEx(open.Get(), L"Binario", value), uninstaller::kUnsupportedType);
  EXPECT_EQ(value, L"");
  EXPECT_EQ(uninstaller::QueryRegistryValueEx(open.Get(), L"Falta", value), ERROR_FILE_NOT_FOUND);
}

}  // namespace
