// A thousand controls created, loaded with pictures, shown in a window, drawn and released leave the
// process's private memory where it was.
#include <gtest/gtest.h>

#include <windows.h>
#include <psapi.h>

#include "button/control/ZephonButtonIds.h"
#include "common/olehost/ControlHost.h"
#include "common/olehost/PropertyBag.h"
#include "tests/support/TestPaths.h"
#include "tests/win/control_pictures_files.h"
#include "tests/win/control_props_support.h"

using namespace tests;

namespace {

// Committed private memory. Under Wine PrivateUsage reads 0 and the address space shows little of the
// heap's growth, but PagefileUsage follows it. (GDI objects and windows: control_module_test counts them.)
SIZE_T PrivateBytes() {
  PROCESS_MEMORY_COUNTERS_EX pmc{};
  pmc.cb = sizeof(pmc);
  if (!GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&pmc), sizeof(pmc)))
    return 0;
  return pmc.PrivateUsage ? pmc.PrivateUsage : pmc.PagefileUsage;
}

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

}  // namespace

TEST(ControlLeaks, AThousandControlsWithPicturesLeaveMemoryFlat) {
  ASSERT_HRESULT_SUCCEEDED(RegisterControlModule());
  const std::string dir = tests::MakeTempDir("leak");
  const std::wstring wdir(dir.begin(), dir.end());
  ASSERT_TRUE(tests::WriteBmp24(wdir + L"\\n.bmp", 40, 30));
  ASSERT_TRUE(tests::WriteGif(wdir + L"\\o.gif", 40, 30, true));

  // The property set every control loads: two picture files, a held picture, a caption, fonts.
  common::ComPtr<common::CPropertyBag> bag = common::CPropertyBag::Create();
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
    ASSERT_HRESULT_SUCCEEDED(common::QueryAs<IPersistPropertyBag>(seed.Get())->Save(bag.Get(), TRUE, TRUE));
  }

  HWND parent = CreateWindowExW(0, L"STATIC", L"leak", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(parent, nullptr);
  auto cycle = [&] {
    common::ComPtr<common::CControlHost> host;
    RECT rc{0, 0, 60, 40};
    ASSERT_EQ(common::CControlHost::Create(parent, rc, button::kControlProgId, bag.Get(), {}, host), S_OK);
    common::HostedControl hosted(host);
    Drawing d;
    ASSERT_TRUE(DrawControl(host->Dispatch().Get(), 60, 40, RGB(0, 0, 0), d));
    Pump();
  };
  for (int i = 0; i < 50; ++i) cycle();  // caches and first-use allocations settle
  const SIZE_T before = PrivateBytes();
  for (int i = 0; i < 1000; ++i) {
    cycle();
    if (HasFatalFailure()) break;
  }
  Pump();
  const SIZE_T after = PrivateBytes();
  DestroyWindow(parent);
  std::printf("private bytes %zu KiB -> %zu KiB\n", before / 1024, after / 1024);
  ASSERT_GT(before, 0u);
  // One leaked 40 x 30 picture, bitmap or font per cycle would add megabytes over the thousand cycles.
  EXPECT_LT(after, before + 1024 * 1024);
}
