// The picture animation through the control in its containers: the frames become the normal
// picture one per tick, AnimationEnd follows the last one once, a stop is silent, a restart begins
// again, and a start before the control has a window waits for the window.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/win/control_interaction_host.h"

using namespace tests;

namespace {

constexpr COLORREF kBack = RGB(1, 2, 3);

class Animation : public ::testing::TestWithParam<HostKind> {
 protected:
  void SetUp() override {
    folder = TempFolder("animation");
    ASSERT_TRUE(WriteSolidBmp(folder + L"a.bmp", 20, 10, 0x00FF0000));
    ASSERT_TRUE(WriteSolidBmp(folder + L"b.bmp", 20, 10, 0x0000FF00));
    ASSERT_TRUE(WriteSolidBmp(folder + L"c.bmp", 20, 10, 0x000000FF));
    CreateDirectoryW((folder + L"sub.bmp").c_str(), nullptr);  // matched by the pattern, passed over
  }

  std::unique_ptr<TestButton> Make(bool activate = true) {
    TestButton::Options o;
    o.host = GetParam();
    o.activate = activate;
    o.bag = L"AlignHor=I2:0\nAlignVer=I2:0\nAutoSize=BOOL:False\n";
    return TestButton::Create(o);
  }
  static HRESULT Start(TestButton& b, const std::wstring& pattern, long delay) {
    return tests::Call(b.Disp(), L"AnimationDirectory", {tests::Str(pattern), tests::I4(delay)});
  }
  static int Ends(const TestButton& b) {
    const std::vector<std::wstring> e = b.Events();
    return int(std::count(e.begin(), e.end(), L"AnimationEnd"));
  }

  struct Frame {
    std::wstring url;
    DWORD at;
    int endsBefore;
  };
  // Pumps for up to `ms`, noting every change of PictureURL, until AnimationEnd (or `ms` is up).
  std::vector<Frame> Watch(TestButton& b, DWORD ms, bool untilEnd = true) {
    std::vector<Frame> frames;
    std::wstring last = tests::GetStr(b.Disp(), L"PictureURL");
    PumpUntil(ms, [&] {
      const std::wstring now = tests::GetStr(b.Disp(), L"PictureURL");
      if (now != last) frames.push_back({now, GetTickCount(), Ends(b)});
      last = now;
      return untilEnd && Ends(b) > 0;
    });
    return frames;
  }
  std::vector<std::wstring> Files() const { return {folder + L"a.bmp", folder + L"b.bmp", folder + L"c.bmp"}; }
  static std::vector<std::wstring> Sorted(const std::vector<Frame>& frames) {
    std::vector<std::wstring> v;
    for (const Frame& f : frames) v.push_back(f.url);
    std::sort(v.begin(), v.end());
    return v;
  }

  std::wstring folder;
};

}  // namespace

TEST_P(Animation, ThreePicturesChangeTheNormalPictureThreeTimesThenEndOnce) {
  auto b = Make();
  ASSERT_TRUE(b);
  const DWORD start = GetTickCount();
  ASSERT_HRESULT_SUCCEEDED(Start(*b, folder + L"*.bmp", 100));
  std::vector<Frame> frames = Watch(*b, 3000);
  ASSERT_EQ(Sorted(frames), Files());
  for (const Frame& f : frames) EXPECT_EQ(f.endsBefore, 0);
  EXPECT_GE(frames[0].at - start, 60u);  // one interval, give or take the timer's granularity
  EXPECT_GE(frames[2].at - frames[0].at, 150u);
  Watch(*b, 400, false);
  EXPECT_EQ(Ends(*b), 1);
  // The last frame is the picture on show, and it stays.
  tests::Drawing d;
  ASSERT_TRUE(b->Draw(20, 10, kBack, d));
  const uint32_t expected = frames.back().url == folder + L"a.bmp"   ? 0x00FF0000u
                            : frames.back().url == folder + L"b.bmp" ? 0x0000FF00u
                                                                     : 0x000000FFu;
  EXPECT_EQ(d.At(10, 5), expected);
  EXPECT_EQ(tests::GetStr(b->Disp(), L"PictureURL"), frames.back().url);
}

TEST_P(Animation, StopIsSilentAndARestartBeginsAgain) {
  auto b = Make();
  ASSERT_TRUE(b);
  ASSERT_HRESULT_SUCCEEDED(Start(*b, folder + L"*.bmp", 60));
  ASSERT_TRUE(PumpUntil(2000, [&] { return !tests::GetStr(b->Disp(), L"PictureURL").empty(); }));
  const std::wstring first = tests::GetStr(b->Disp(), L"PictureURL");
  ASSERT_HRESULT_SUCCEEDED(tests::Call(b->Disp(), L"AnimationDirectoryStop", {}));
  EXPECT_TRUE(Watch(*b, 300, false).empty());
  EXPECT_EQ(Ends(*b), 0);

  // Restarted after one frame: all three frames again, the first one first, then one end.
  ASSERT_HRESULT_SUCCEEDED(Start(*b, folder + L"*.bmp", 60));
  ASSERT_TRUE(PumpUntil(2000, [&] { return tests::GetStr(b->Disp(), L"PictureURL") != first; }));
  ASSERT_HRESULT_SUCCEEDED(Start(*b, folder + L"*.bmp", 60));
  std::vector<Frame> frames = Watch(*b, 3000);
  ASSERT_EQ(frames.size(), 3u);
  EXPECT_EQ(frames[0].url, first);
  EXPECT_EQ(Sorted(frames), Files());
  Watch(*b, 200, false);
  EXPECT_EQ(Ends(*b), 1);

  // A pattern that matches nothing ends at once.
  b->ClearEvents();
  ASSERT_HRESULT_SUCCEEDED(Start(*b, folder + L"*.none", 60));
  EXPECT_EQ(Ends(*b), 1);
}

TEST_P(Animation, AStartBeforeTheWindowWaitsForTheWindow) {
  auto b = Make(false);
  ASSERT_TRUE(b);
  ASSERT_HRESULT_SUCCEEDED(Start(*b, folder + L"*.bmp", 50));
  Pump(200);
  EXPECT_EQ(Ends(*b), 0);
  ASSERT_TRUE(b->Activate());
  std::vector<Frame> frames = Watch(*b, 3000);
  EXPECT_EQ(Sorted(frames), Files());
  EXPECT_EQ(Ends(*b), 1);
}

INSTANTIATE_TEST_SUITE_P(Hosts, Animation, ::testing::Values(HostKind::Ours, HostKind::Atl),
                         [](const ::testing::TestParamInfo<HostKind>& info) { return HostName(info.param); });
