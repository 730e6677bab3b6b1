// The animation driver over a scripted file search and timer.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "button/control/AnimationDirectory.h"

namespace {

struct Entry {
  std::wstring name;
  bool folder;
};

// What the fake platform saw, shared with the test after the driver took ownership.
struct Log {
  std::map<std::wstring, std::vector<Entry>> folders;  // pattern -> entries in search order
  bool window = true;
  bool refuseTimer = false;
  bool timerSet = false;
  unsigned timerId = 0;
  unsigned period = 0;
  int searchesOpen = 0;
};

class FakePlatform : public AnimationPlatform {
 public:
  explicit FakePlatform(std::shared_ptr<Log> log) : m_Log(std::move(log)) {}
  bool FindFirst(const std::wstring& pattern) override {
    auto it = m_Log->folders.find(pattern);
    if (it == m_Log->folders.end() || it->second.empty()) return false;
    m_Entries = it->second;
    m_Pos = 0;
    ++m_Log->searchesOpen;
    m_Open = true;
    return true;
  }
  bool FindNext() override { return m_Open && ++m_Pos < m_Entries.size(); }
  void FindClose() override {
    if (m_Open) --m_Log->searchesOpen;
    m_Open = false;
  }
  std::wstring EntryName() const override { return m_Entries.at(m_Pos).name; }
  bool EntryIsFolder() const override { return m_Entries.at(m_Pos).folder; }
  bool HasWindow() const override { return m_Log->window; }
  bool SetTimer(unsigned id, unsigned periodMs) override {
    if (m_Log->refuseTimer) return false;
    m_Log->timerSet = true;
    m_Log->timerId = id;
    m_Log->period = periodMs;
    return true;
  }
  void KillTimer(unsigned id) override {
    if (id == m_Log->timerId) m_Log->timerSet = false;
  }

 private:
  std::shared_ptr<Log> m_Log;
  std::vector<Entry> m_Entries;
  size_t m_Pos = 0;
  bool m_Open = false;
};

class AnimationTest : public ::testing::Test {
 protected:
  AnimationTest() : log(std::make_shared<Log>()) {
    log->folders[L"C:\\pics\\*.bmp"] = {{L".", true}, {L"..", true}, {L"a.bmp", false}, {L"sub", true},
                                       {L"b.bmp", false}, {L"c.bmp", false}};
    log->folders[L"D:/two/*.gif"] = {{L"x.gif", false}, {L"y.gif", false}};
    log->folders[L"C:\\pics"] = {{L"pics", true}};
    CAnimationDirectory::Callbacks cb;
    cb.setPictureUrl = [this](const std::wstring& url) {
      urls.push_back(url);
      if (onUrl) onUrl(url);
    };
    cb.fireAnimationEnd = [this] {
      ++ends;
      if (onEnd) onEnd();
    };
    anim = std::make_unique<CAnimationDirectory>(std::make_unique<FakePlatform>(log), cb);
  }
  // Ticks until the animation stops (at most `limit` ticks); returns the number of ticks taken.
  int RunOut(int limit = 20) {
    int n = 0;
    while (anim->TimerActive() && n < limit) {
      EXPECT_TRUE(anim->OnTimer(CAnimationDirectory::kTimerId));
      ++n;
    }
    return n;
  }

  std::shared_ptr<Log> log;
  std::vector<std::wstring> urls;
  int ends = 0;
  std::function<void(const std::wstring&)> onUrl;
  std::function<void()> onEnd;
  std::unique_ptr<CAnimationDirectory> anim;
};

}  // namespace

TEST(PatternFolderTest, KeepsEverythingUpToTheLastSeparator) {
  EXPECT_EQ(PatternFolder(L"C:\\pics\\*.bmp"), L"C:\\pics\\");
  EXPECT_EQ(PatternFolder(L"D:/a/b/*.gif"), L"D:/a/b/");
  EXPECT_EQ(PatternFolder(L"C:*.bmp"), L"C:");
  EXPECT_EQ(PatternFolder(L"*.bmp"), L"");
  EXPECT_EQ(PatternFolder(L""), L"");
}

TEST_F(AnimationTest, ShowsEveryFileOncePerTickThenEndsOnce) {
  anim->Start(L"C:\\pics\\*.bmp", 100);
  EXPECT_TRUE(log->timerSet);
  EXPECT_EQ(log->timerId, 241u);
  EXPECT_EQ(log->period, 100u);
  EXPECT_TRUE(urls.empty());  // nothing changes before the first tick

  EXPECT_TRUE(anim->OnTimer(241));
  EXPECT_EQ(urls, (std::vector<std::wstring>{L"C:\\pics\\a.bmp"}));  // folders passed over in the same tick
  EXPECT_TRUE(anim->OnTimer(241));
  EXPECT_TRUE(anim->OnTimer(241));
  EXPECT_EQ(urls, (std::vector<std::wstring>{L"C:\\pics\\a.bmp", L"C:\\pics\\b.bmp", L"C:\\pics\\c.bmp"}));
  EXPECT_EQ(ends, 0);  // the last picture stays up one interval
  EXPECT_TRUE(anim->OnTimer(241));
  EXPECT_EQ(ends, 1);
  EXPECT_FALSE(log->timerSet);
  EXPECT_EQ(log->searchesOpen, 0);
  EXPECT_FALSE(anim->Running());
  // Late or foreign ticks are not the animation's.
  EXPECT_FALSE(anim->OnTimer(241));
  EXPECT_FALSE(anim->OnTimer(7));
  EXPECT_EQ(urls.size(), 3u);
  EXPECT_EQ(ends, 1);
}

TEST_F(AnimationTest, NoMatchEndsAtOnceAndAFolderOnlyPatternAtTheFirstTick) {
  anim->Start(L"C:\\nothing\\*.bmp", 100);
  EXPECT_EQ(ends, 1);
  EXPECT_FALSE(log->timerSet);
  EXPECT_FALSE(anim->Running());

  anim->Start(L"C:\\pics", 100);
  EXPECT_TRUE(log->timerSet);
  EXPECT_EQ(RunOut(), 1);
  EXPECT_EQ(ends, 2);
  EXPECT_TRUE(urls.empty());
}

TEST_F(AnimationTest, StopEndsQuietlyAndRestartBeginsAgain) {
  anim->Start(L"C:\\pics\\*.bmp", 100);
  anim->OnTimer(241);
  anim->Stop();
  EXPECT_FALSE(log->timerSet);
  EXPECT_EQ(log->searchesOpen, 0);
  EXPECT_FALSE(anim->OnTimer(241));
  anim->Stop();  // stopping twice is harmless
  EXPECT_EQ(ends, 0);

  anim->Start(L"C:\\pics\\*.bmp", 100);
  anim->OnTimer(241);
  anim->OnTimer(241);
  anim->Start(L"D:/two/*.gif", 50);  // restart mid-way: new pattern, new delay, from its first entry
  EXPECT_EQ(log->period, 50u);
  EXPECT_EQ(log->searchesOpen, 1);
  EXPECT_EQ(RunOut(), 3);
  EXPECT_EQ(urls, (std::vector<std::wstring>{L"C:\\pics\\a.bmp", L"C:\\pics\\a.bmp", L"C:\\pics\\b.bmp",
                                             L"D:/two/x.gif", L"D:/two/y.gif"}));
  EXPECT_EQ(ends, 1);
}

TEST_F(AnimationTest, WaitsForTheWindowAndPausesWithoutOne) {
  log->window = false;
  anim->Start(L"D:/two/*.gif", -5);
  EXPECT_TRUE(anim->Running());
  EXPECT_FALSE(anim->TimerActive());
  EXPECT_FALSE(anim->OnTimer(241));
  log->window = true;
  anim->OnWindowCreated();
  EXPECT_TRUE(log->timerSet);
  EXPECT_EQ(log->period, 0u);  // a negative delay is the shortest interval
  anim->OnTimer(241);
  anim->OnWindowDestroyed();
  EXPECT_FALSE(log->timerSet);
  EXPECT_TRUE(anim->Running());
  anim->OnWindowCreated();  // a new window resumes where the sequence stood
  EXPECT_EQ(RunOut(), 2);
  EXPECT_EQ(urls, (std::vector<std::wstring>{L"D:/two/x.gif", L"D:/two/y.gif"}));
  EXPECT_EQ(ends, 1);

  // A start without a window that matches nothing still ends at once.
  log->window = false;
  anim->Start(L"nothing", 10);
  EXPECT_EQ(ends, 2);
  EXPECT_FALSE(anim->Running());
}

TEST_F(AnimationTest, RefusedTimerEndsTheSequence) {
  log->refuseTimer = true;
  anim->Start(L"D:/two/*.gif", 10);
  EXPECT_EQ(ends, 1);
  EXPECT_FALSE(anim->Running());
  EXPECT_EQ(log->searchesOpen, 0);
}

TEST_F(AnimationTest, HandlersMayStopOrRestartFromInsideTheCallbacks) {
  onUrl = [this](const std::wstring&) { anim->Stop(); };
  anim->Start(L"C:\\pics\\*.bmp", 10);
  anim->OnTimer(241);
  EXPECT_FALSE(anim->Running());
  EXPECT_EQ(urls.size(), 1u);
  EXPECT_EQ(ends, 0);

  onUrl = nullptr;
  int restarts = 0;
  onEnd = [&] {
    if (restarts++ == 0) anim->Start(L"D:/two/*.gif", 10);
  };
  anim->Start(L"D:/two/*.gif", 10);
  EXPECT_EQ(RunOut(), 6);  // two passes over two files, each ending on its own tick
  EXPECT_EQ(ends, 2);
  EXPECT_EQ(urls.size(), 5u);
  EXPECT_EQ(log->searchesOpen, 0);
}

TEST_F(AnimationTest, DestroyingTheDriverStopsTheTimerWithoutAnEnd) {
  anim->Start(L"C:\\pics\\*.bmp", 10);
  anim.reset();
  EXPECT_FALSE(log->timerSet);
  EXPECT_EQ(log->searchesOpen, 0);
  EXPECT_EQ(ends, 0);
}
