// The picture animation against the real file search and window timers: a hidden message-only
// window receives the ticks, a temporary folder holds three generated pictures.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "button/control/AnimationDirectory.h"
#include "tests/support/TestPaths.h"

namespace {

std::wstring Widen(const std::string& s) { return std::wstring(s.begin(), s.end()); }

// A 2 x 2 24-bit BMP of one colour.
void WriteBmp(const std::wstring& path, uint8_t shade) {
  const uint8_t header[54] = {'B', 'M', 70, 0, 0, 0, 0, 0,  0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 1,
                              0,   24,  0,  0, 0, 0, 0, 16, 0, 0, 0,  0, 0, 0, 0,  0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  std::ofstream f(std::filesystem::path(path), std::ios::binary);
  f.write(reinterpret_cast<const char*>(header), sizeof header);
  const uint8_t row[8] = {shade, shade, shade, shade, shade, shade, 0, 0};
  f.write(reinterpret_cast<const char*>(row), sizeof row);
  f.write(reinterpret_cast<const char*>(row), sizeof row);
}

LRESULT CALLBACK TimerWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_TIMER) {
    auto* anim = reinterpret_cast<button::CAnimationDirectory*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (anim && anim->OnTimer(unsigned(wp))) return 0;
  }
  return ::DefWindowProcW(hwnd, msg, wp, lp);
}

class AnimationWinTest : public ::testing::Test {
 protected:
  AnimationWinTest() {
    folder = Widen(tests::MakeTempDir("animation")) + L"\\";
    for (const wchar_t* name : {L"one.bmp", L"two.bmp", L"three.bmp"}) WriteBmp(folder + name, 0x40);
    ::CreateDirectoryW((folder + L"sub.bmp").c_str(), nullptr);  // a folder the pattern also matches

    WNDCLASSW wc{};
    wc.lpfnWndProc = TimerWindowProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"ZbAnimationTestWindow";
    ::RegisterClassW(&wc);
    button::CAnimationDirectory::Callbacks cb;
    cb.setPictureUrl = [this](const std::wstring& url) { changes.push_back({url, ::GetTickCount()}); };
    cb.fireAnimationEnd = [this] { ends.push_back(::GetTickCount()); };
    anim = std::make_unique<button::CAnimationDirectory>(button::MakeWin32AnimationPlatform([this] { return window; }),
                                                         cb);
  }
  ~AnimationWinTest() override {
    DropWindow();
    anim.reset();
    std::error_code ec;
    std::filesystem::remove_all(std::filesystem::path(folder), ec);
  }

  void MakeWindow() {
    window = ::CreateWindowExW(0, L"ZbAnimationTestWindow", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(anim.get()));
    anim->OnWindowCreated();
  }
  void DropWindow() {
    if (!window) return;
    anim->OnWindowDestroyed();
    ::DestroyWindow(window);
    window = nullptr;
  }

  // Runs the message loop until `done` holds or `ms` milliseconds have passed.
  template <typename Pred>
  void Pump(DWORD ms, Pred done) {
    const DWORD start = ::GetTickCount();
    while (!done() && ::GetTickCount() - start < ms) {
      ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
      MSG m;
      while (::PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&m);
    }
  }
  void Pump(DWORD ms) {
    Pump(ms, [] { return false; });
  }

  std::vector<std::wstring> Urls() const {
    std::vector<std::wstring> v;
    for (const auto& c : changes) v.push_back(c.url);
    return v;
  }
  std::vector<std::wstring> Expected() const {
    return {folder + L"one.bmp", folder + L"three.bmp", folder + L"two.bmp"};
  }

  struct Change {
    std::wstring url;
    DWORD at;
  };
  std::wstring folder;
  HWND window = nullptr;
  std::vector<Change> changes;
  std::vector<DWORD> ends;
  std::unique_ptr<button::CAnimationDirectory> anim;
};

}  // namespace

TEST_F(AnimationWinTest, ThreePicturesAt100msChangeThreeTimesThenEndOnce) {
  MakeWindow();
  const DWORD start = ::GetTickCount();
  anim->Start(folder + L"*.bmp", 100);
  Pump(5000, [&] { return !ends.empty(); });
  Pump(300);  // nothing more may come after the end
  ASSERT_EQ(ends.size(), 1u);
  std::vector<std::wstring> urls = Urls();
  std::sort(urls.begin(), urls.end());  // the file system decides the order
  EXPECT_EQ(urls, Expected());
  ASSERT_EQ(changes.size(), 3u);
  // Each change waits for a tick, and the end comes one tick after the last change.
  EXPECT_GE(changes[0].at - start, 80u);
  EXPECT_GE(changes[2].at - changes[0].at, 160u);
  EXPECT_GE(ends[0] - changes[2].at, 80u);
  EXPECT_FALSE(anim->Running());
}

TEST_F(AnimationWinTest, StopFiresNothingAndRestartBeginsAgain) {
  MakeWindow();
  anim->Start(folder + L"*.bmp", 100);
  Pump(3000, [&] { return changes.size() == 1; });
  anim->Stop();
  Pump(400);
  EXPECT_EQ(changes.size(), 1u);
  EXPECT_TRUE(ends.empty());

  changes.clear();
  anim->Start(folder + L"*.bmp", 50);
  Pump(3000, [&] { return changes.size() == 2; });
  anim->Start(folder + L"*.bmp", 50);  // restart mid-way: all three again
  Pump(5000, [&] { return !ends.empty(); });
  ASSERT_EQ(changes.size(), 5u);
  EXPECT_EQ(changes[2].url, changes[0].url);
  EXPECT_EQ(ends.size(), 1u);
}

TEST_F(AnimationWinTest, StartWithoutAWindowWaitsForItAndFramesHaveFullPaths) {
  // A relative pattern: the frames are named by full paths, resolved when the animation starts.
  wchar_t cwd[MAX_PATH] = {};
  ASSERT_NE(::GetCurrentDirectoryW(MAX_PATH, cwd), 0u);
  ASSERT_TRUE(::SetCurrentDirectoryW(folder.c_str()));
  anim->Start(L".\\*.bmp", 50);
  ASSERT_TRUE(::SetCurrentDirectoryW(cwd));
  Pump(300);
  EXPECT_TRUE(changes.empty());
  EXPECT_TRUE(ends.empty());
  MakeWindow();
  Pump(5000, [&] { return !ends.empty(); });
  std::vector<std::wstring> urls = Urls();
  std::sort(urls.begin(), urls.end());
  EXPECT_EQ(urls, Expected());
  EXPECT_EQ(ends.size(), 1u);
}

TEST_F(AnimationWinTest, PatternsWithoutPicturesEndWithoutChanges) {
  MakeWindow();
  anim->Start(folder + L"*.none", 50);
  EXPECT_EQ(ends.size(), 1u);            // nothing matched: at once
  anim->Start(folder + L"sub.bmp", 50);  // only the folder itself: at the first tick
  EXPECT_EQ(ends.size(), 1u);
  Pump(3000, [&] { return ends.size() == 2; });
  EXPECT_EQ(ends.size(), 2u);
  EXPECT_TRUE(changes.empty());
}

TEST_F(AnimationWinTest, AHandlerMayStopItAndANewWindowResumesIt) {
  MakeWindow();
  anim->Start(folder + L"*.bmp", 50);
  Pump(3000, [&] { return changes.size() == 1; });
  DropWindow();  // the window goes: the sequence waits
  Pump(300);
  EXPECT_EQ(changes.size(), 1u);
  MakeWindow();
  Pump(3000, [&] { return changes.size() == 2; });
  // A PictureURL setter whose events stop the animation: no further change, no end.
  anim = std::make_unique<button::CAnimationDirectory>(
      button::MakeWin32AnimationPlatform([this] { return window; }),
      button::CAnimationDirectory::Callbacks{[&](const std::wstring& url) {
                                               changes.push_back({url, ::GetTickCount()});
                                               anim->Stop();
                                             },
                                             [this] { ends.push_back(::GetTickCount()); }});
  ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(anim.get()));
  anim->Start(folder + L"*.bmp", 50);
  Pump(600);
  EXPECT_EQ(changes.size(), 3u);
  EXPECT_TRUE(ends.empty());
}
