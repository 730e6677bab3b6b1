// The programs' application manifests: resource 1 of type RT_MANIFEST read back from each program
// file, and the activation context the system makes of it, which is what process start-up acts on.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/support/UiDriver_win.h"

namespace {

std::string ManifestResource(const std::wstring& program) {
  HMODULE module = LoadLibraryExW(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!module) return std::string();
  std::string text;
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24) /* RT_MANIFEST */);
  const void* data = found ? LockResource(LoadResource(module, found)) : nullptr;
  if (data) text.assign(static_cast<const char*>(data), SizeofResource(module, found));
  FreeLibrary(module);
  return text;
}

std::wstring Setting(HANDLE context, const wchar_t* space, const wchar_t* name) {
  wchar_t value[64] = {};
  SIZE_T written = 0;
  if (!QueryActCtxSettingsW(0, context, space, name, value, 64, &written)) return L"(none)";
  return value;
}

TEST(ProgramManifests, SayTheLevelOsVersionsDpiAndLookChosen) {
  // Vista, 7, 8, 8.1, 10 and 11.
  const GUID supported[] = {
      {0xe2011457, 0x1546, 0x43c5, {0xa5, 0xfe, 0x00, 0x8d, 0xee, 0xe3, 0xd3, 0xf0}},
      {0x35138b9a, 0x5d96, 0x4fbd, {0x8e, 0x2d, 0xa2, 0x44, 0x02, 0x25, 0xf9, 0x3a}},
      {0x4a2f28e3, 0x53b9, 0x4441, {0xba, 0x9c, 0xd6, 0x9d, 0x4a, 0x4a, 0x6e, 0x38}},
      {0x1f676c76, 0x80e1, 0x4239, {0x95, 0xbb, 0x83, 0xd0, 0xf6, 0xd0, 0xda, 0x78}},
      {0x8e0f7a12, 0xbfb3, 0x4fe8, {0xb9, 0xa5, 0x48, 0xfd, 0x50, 0xa1, 0x5a, 0x9a}},
  };
  const struct {
    const wchar_t* file;
    ACTCTX_REQUESTED_RUN_LEVEL level;
  } programs[] = {
      {L"QVOL2.exe", ACTCTX_RUN_LEVEL_AS_INVOKER},
      // It removes the machine's uninstall registration.
      {L"TRVUQV2.exe", ACTCTX_RUN_LEVEL_REQUIRE_ADMIN},
      {L"ZBHOST.exe", ACTCTX_RUN_LEVEL_AS_INVOKER},
  };
  for (const auto& program : programs) {
    SCOPED_TRACE(std::string(program.file, program.file + wcslen(program.file)));
    const std::wstring path = tests::OwnFolder() + L"\\" + program.file;
    const std::string text = ManifestResource(path);
    ASSERT_FALSE(text.empty()) << "no manifest resource";
    // Classic controls, the look the windows were designed with: no Common Controls 6.
    EXPECT_EQ(text.find("Microsoft.Windows.Common-Controls"), std::string::npos);

    ACTCTXW request = {};
    request.cbSize = sizeof request;
    request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    request.lpSource = path.c_str();
    request.lpResourceName = MAKEINTRESOURCEW(1);
    HANDLE context = CreateActCtxW(&request);
    ASSERT_NE(context, INVALID_HANDLE_VALUE) << "the system cannot read the manifest: " << GetLastError();

    ACTIVATION_CONTEXT_RUN_LEVEL_INFORMATION run = {};
    EXPECT_TRUE(QueryActCtxW(0, context, nullptr, RunlevelInformationInActivationContext, &run, sizeof run, nullptr));
    EXPECT_EQ(run.RunLevel, program.level);
    EXPECT_EQ(run.UiAccess, 0u);

    std::vector<unsigned char> compatibility(4096);
    EXPECT_TRUE(QueryActCtxW(0, context, nullptr, CompatibilityInformationInActivationContext, compatibility.data(),
                             compatibility.size(), nullptr));
    EXPECT_EQ(reinterpret_cast<const ACTIVATION_CONTEXT_COMPATIBILITY_INFORMATION*>(compatibility.data())->ElementCount,
              5u);
    for (const GUID& os : supported) {
      const auto* id = reinterpret_cast<const unsigned char*>(&os);
      EXPECT_NE(std::search(compatibility.begin(), compatibility.end(), id, id + sizeof os), compatibility.end())
          << "supportedOS " << std::hex << os.Data1;
    }

    // Not DPI aware, in both the old and the Windows 10 form: the system scales the fixed-pixel skins.
    EXPECT_EQ(Setting(context, L"http://schemas.microsoft.com/SMI/2005/WindowsSettings", L"dpiAware"), L"false");
    EXPECT_EQ(Setting(context, L"http://schemas.microsoft.com/SMI/2016/WindowsSettings", L"dpiAwareness"), L"unaware");
    ReleaseActCtx(context);
  }
}

}  // namespace
