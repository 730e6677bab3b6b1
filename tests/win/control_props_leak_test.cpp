// A thousand controls created, loaded, shown in a window, drawn and released leave the process's GDI
// and USER objects and its private memory where they were.
#include <gtest/gtest.h>

#include <windows.h>
#include <psapi.h>

#include "button/control/ZephonButtonIds.h"
#include "common/olehost/ControlHost.h"
#include "common/olehost/PropertyBag.h"
#include "tests/support/TestPaths.h"
#include "tests/win/control_pictures_files.h"
#include "tests/win/control_props_support.h"

using namespace zbctltest;

namespace {

// Under Wine GetGuiResources and PrivateUsage read 0: there the committed memory (PagefileUsage)
// stands for private bytes, and windows are counted directly.
struct Usage {
  DWORD gdi = 0, user = 0;
  SIZE_T privateBytes = 0;
  int windows = 0;
};

int CountWindows(HWND parent) {
  int n = 0;
  auto count = [](HWND, LPARAM lp) -> BOOL {
    ++*reinterpret_cast<int*>(lp);
    return TRUE;
  };
  EnumThreadWindows(GetCurrentThreadId(), count, LPARAM(&n));
  EnumChildWindows(parent, count, LPARAM(&n));
  return n;
}

Usage Measure(HWND parent) {
  Usage u;
  u.gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  u.user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
  PROCESS_MEMORY_COUNTERS_EX pmc{};
  pmc.cb = sizeof(pmc);
  if (GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&pmc), sizeof(pmc)))
    u.privateBytes = pmc.PrivateUsage;
  if (u.privateBytes == 0) u.privateBytes = pmc.PagefileUsage;
  u.windows = CountWindows(parent);
  return u;
}

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

}  // namespace

TEST(ControlLeaks, CreateLoadDrawReleaseAThousandTimesStaysFlat) {
  ASSERT_HRESULT_SUCCEEDED(RegisterControlModule());
  const std::string dir = zbtest::MakeTempDir("leak");
  const std::wstring wdir(dir.begin(), dir.end());
  ASSERT_TRUE(zbtestpics::WriteBmp24(wdir + L"\\n.bmp", 40, 30));
  ASSERT_TRUE(zbtestpics::WriteGif(wdir + L"\\o.gif", 40, 30, true));

  // The property set every control loads: two picture files, a held picture, a caption, fonts.
  zb::ComPtr<zb::olehost::CPropertyBag> bag = zb::olehost::CPropertyBag::Create();
  {
    auto seed = CreateControl();
    ASSERT_TRUE(seed);
    ASSERT_HRESULT_SUCCEEDED(SiteAndInit(seed.Get(), nullptr));
    ASSERT_HRESULT_SUCCEEDED(Put(seed.Get(), L"SmartLoading", *Bool(false).Ptr()));
    ASSERT_HRESULT_SUCCEEDED(Put(seed.Get(), L"PictureURL", *Str(wdir + L"\\n.bmp").Ptr()));
    ASSERT_HRESULT_SUCCEEDED(Put(seed.Get(), L"PictureOverURL", *Str(wdir + L"\\o.gif").Ptr()));
    ASSERT_HRESULT_SUCCEEDED(PutRef(seed.Get(), L"PictureDownRES", MakeBitmapPicture(20, 10, RGB(1, 2, 3)).Get()));
    ASSERT_HRESULT_SUCCEEDED(Put(seed.Get(), L"Text", *Str(L"Jugar").Ptr()));
    ASSERT_HRESULT_SUCCEEDED(
        Call(seed.Get(), L"SetTextFontByName", {Str(L"DejaVu Sans"), I4(12), Bool(false), Bool(true), Bool(false)}));
    ASSERT_HRESULT_SUCCEEDED(zb::QueryAs<IPersistPropertyBag>(seed.Get())->Save(bag.Get(), TRUE, TRUE));
  }

  HWND parent = CreateWindowExW(0, L"STATIC", L"leak", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(parent, nullptr);
  auto cycle = [&] {
    zb::ComPtr<zb::olehost::CControlHost> host;
    RECT rc{0, 0, 60, 40};
    ASSERT_EQ(zb::olehost::CControlHost::Create(parent, rc, zephon::kControlProgId, bag.Get(), {}, host), S_OK);
    zb::olehost::HostedControl hosted(host);
    Drawing d;
    ASSERT_TRUE(DrawControl(host->Dispatch().Get(), 60, 40, RGB(0, 0, 0), d));
    Pump();
  };
  for (int i = 0; i < 50; ++i) cycle();  // caches and first-use allocations settle
  const Usage before = Measure(parent);
  for (int i = 0; i < 1000; ++i) {
    cycle();
    if (HasFatalFailure()) break;
  }
  Pump();
  const Usage after = Measure(parent);
  DestroyWindow(parent);
  std::printf("GDI %lu -> %lu, USER %lu -> %lu, windows %d -> %d, private %zu KiB -> %zu KiB\n", before.gdi,
              after.gdi, before.user, after.user, before.windows, after.windows, before.privateBytes / 1024,
              after.privateBytes / 1024);
  EXPECT_LE(after.gdi, before.gdi + 5);
  EXPECT_LE(after.user, before.user + 5);
  EXPECT_EQ(after.windows, before.windows);
  // One leaked 40 x 30 picture or font per cycle would add megabytes over the thousand cycles.
  EXPECT_LT(after.privateBytes, before.privateBytes + 1024 * 1024);
}
