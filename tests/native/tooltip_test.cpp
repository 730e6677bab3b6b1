// The tooltip's sequence: wait, show below the pointer, animate, hide; text changes on show; the
// "&" texts; failures that mean no tooltip. Against a platform stand-in that records what it is asked.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "button/tooltip/TooltipCore.h"
#include "button/tooltip/TooltipPicture.h"

using namespace button;

namespace {

class FakePlatform : public ITooltipPlatform {
 public:
  // What the stand-in answers.
  bool canCreate = true;
  bool pointerFound = true;
  TooltipPosition pointer{100, 200};
  int32_t charWidth = 6, textHeight = 13;
  int32_t screenWidth = 1280, screenHeight = 1024;
  bool animationStarts = true;
  uint32_t screenPixel = 0x203040;  // what the screen shows everywhere (0x00RRGGBB)

  // What it was asked.
  bool window = false;
  int windowsCreated = 0;
  std::map<int, uint32_t> timers;  // running window timers and their times
  bool animating = false;
  uint32_t period = 0;
  int repaints = 0;
  bool shown = false;
  int32_t x = 0, y = 0, w = 0, h = 0;
  std::wstring drawnText;
  uint32_t textColor = 0;

  bool CreateCarrier() override {
    if (!canCreate) return false;
    if (!window) ++windowsCreated;
    window = true;
    return true;
  }
  bool HasWindow() const override { return window; }
  void DestroyCarrier() override {
    window = false;
    shown = false;
    timers.clear();  // a window's timers go with it
  }
  void StartTimer(int id, uint32_t ms) override {
    EXPECT_TRUE(window);
    timers[id] = ms;
  }
  void StopTimer(int id) override { timers.erase(id); }
  bool StartAnimation(uint32_t ms) override {
    period = ms;
    animating = animationStarts && ms > 0;
    return animating;
  }
  void StopAnimation() override { animating = false; }
  bool PointerAnchor(TooltipPosition& anchor) override {
    if (pointerFound) anchor = pointer;
    return pointerFound;
  }
  bool MeasureText(const std::wstring& text, int32_t& tw, int32_t& th) override {
    tw = int32_t(text.size()) * charWidth;
    th = textHeight;
    return true;
  }
  void ScreenSize(int32_t& sw, int32_t& sh) override {
    sw = screenWidth;
    sh = screenHeight;
  }
  void GrabScreen(int32_t, int32_t, button::CImageDIB& into) override {
    into.Fill(int(screenPixel >> 16), int(screenPixel >> 8) & 0xFF, int(screenPixel) & 0xFF);
  }
  void RenderText(button::CImageDIB&, const std::wstring& text, int32_t tx, int32_t ty, uint32_t color) override {
    EXPECT_EQ(tx, 2);
    EXPECT_EQ(ty, 2);
    drawnText = text;
    textColor = color;
  }
  void PlaceAndShow(int32_t px, int32_t py, int32_t pw, int32_t ph) override {
    x = px;
    y = py;
    w = pw;
    h = ph;
    shown = true;
  }
  void Repaint() override { ++repaints; }
};

const Colors kSystem{0xE1FFFF, 0xE1FFFF, 0x000000, 0x404040};

Settings Text(const std::wstring& text, int effect = kBlend) {
  Settings s;
  s.text = text;
  s.showTime = 7000;
  s.animTime = 20;
  s.waitTime = 1000;
  s.effect = effect;
  s.colors = {0xC87800, 0x000000, 0xFAFAFA, 0x000000};
  return s;
}

bool DisplayIsFinal(CTooltipCore& core) {
  const button::CImageDIB& d = core.Display();
  const button::CImageDIB& f = core.Final();
  if (!d.HasPixels() || d.Width() != f.Width() || d.Height() != f.Height()) return false;
  for (int y = 0; y < d.Height(); ++y)
    for (int x = 0; x < d.Width(); ++x)
      if ((d.Pixel(x, y) & 0xFFFFFF) != (f.Pixel(x, y) & 0xFFFFFF)) return false;
  return true;
}

}  // namespace

class TooltipSequence : public ::testing::Test {
 protected:
  // Start, then the wait timer fires.
  void ShowWith(const Settings& settings) {
    core.Configure(settings);
    ASSERT_TRUE(core.Start(true));
    core.OnTimer(kWaitTimer);
  }
  // Runs animation steps until the timer stops; the number of steps.
  int RunAnimation() {
    int steps = 0;
    while (platform.animating && steps < 10000) {
      core.AnimationStep();
      ++steps;
    }
    return steps;
  }
  FakePlatform platform;
  CTooltipCore core{platform, kSystem};
};
using TooltipText = TooltipSequence;

TEST_F(TooltipSequence, WaitsThenShowsBelowThePointerAnimatesAndHidesAfterTheShowTime) {
  core.Configure(Text(L"Jugar"));
  ASSERT_TRUE(core.Start(true));
  // Waiting: a hidden carrier and the wait timer.
  EXPECT_TRUE(platform.window);
  EXPECT_FALSE(platform.shown);
  EXPECT_EQ(platform.timers, (std::map<int, uint32_t>{{kWaitTimer, 1000}}));
  EXPECT_TRUE(core.Waiting());

  core.OnTimer(kWaitTimer);
  EXPECT_EQ(platform.windowsCreated, 2);  // the carrier went and the window came again
  EXPECT_TRUE(core.Showing());
  EXPECT_EQ(platform.timers, (std::map<int, uint32_t>{{kShowTimer, 7000}}));
  EXPECT_TRUE(platform.shown);
  EXPECT_EQ(platform.x, 100);
  EXPECT_EQ(platform.y, 200);
  EXPECT_EQ(platform.w, 5 * 6 + 4);
  EXPECT_EQ(platform.h, 13 + 4);
  EXPECT_EQ(platform.drawnText, L"Jugar");
  EXPECT_EQ(platform.textColor, 0xFAFAFAu);
  EXPECT_EQ(platform.period, 20u);
  // The window starts with what the screen showed beneath; the finished picture has the gradient
  // (back colour 0xC87800 is red 0, green 120, blue 200) and the black border.
  EXPECT_EQ(core.Display().Pixel(5, 5) & 0xFFFFFF, 0x203040u);
  EXPECT_EQ(core.Final().Pixel(1, 5) & 0xFFFFFF, 0x0074C2u);  // one column into 34: 120 - 120/34, 200 - 200/34
  EXPECT_EQ(core.Final().Pixel(0, 5) & 0xFFFFFF, 0u);
  EXPECT_EQ(core.Final().Pixel(33, 16) & 0xFFFFFF, 0u);

  // Blend: 129 steps, and the last leaves exactly the finished picture.
  EXPECT_EQ(core.FrameTotal(), 128);
  EXPECT_EQ(RunAnimation(), 129);
  EXPECT_TRUE(DisplayIsFinal(core));
  EXPECT_EQ(platform.repaints, 129);
  core.AnimationStep();  // a late tick changes nothing
  EXPECT_EQ(platform.repaints, 129);

  core.OnTimer(kShowTimer);
  EXPECT_FALSE(platform.window);
  EXPECT_FALSE(core.Showing());
  EXPECT_FALSE(core.Display().HasPixels());
  EXPECT_FALSE(core.Final().HasPixels());
  EXPECT_FALSE(core.Background().HasPixels());
}

TEST_F(TooltipSequence, UpToDownOnATwentyPixelWindowTakesTwentyOneSteps) {
  platform.textHeight = 16;
  ShowWith(Text(L"abc", kUpToDown));
  ASSERT_EQ(platform.h, 20);
  EXPECT_EQ(RunAnimation(), 21);
  EXPECT_TRUE(DisplayIsFinal(core));
}

TEST_F(TooltipSequence, WithoutAnAnimationTimerTheTooltipShowsAtOnce) {
  Settings s = Text(L"abc");
  s.animTime = 0;
  ShowWith(s);
  EXPECT_TRUE(core.Showing());
  EXPECT_FALSE(core.Animating());
  EXPECT_TRUE(DisplayIsFinal(core));
  EXPECT_EQ(platform.repaints, 1);
}

TEST_F(TooltipSequence, NothingShowsWithoutTextOwnerPointerOrWindow) {
  // No owner: nothing starts.
  core.Configure(Text(L"abc"));
  EXPECT_FALSE(core.Start(false));
  EXPECT_FALSE(platform.window);
  // Empty text: the wait runs, then nothing shows.
  ShowWith(Text(L""));
  EXPECT_FALSE(platform.window);
  EXPECT_FALSE(core.Showing());
  // "&" alone is empty too.
  ShowWith(Text(L"&"));
  EXPECT_FALSE(platform.window);
  // No pointer position.
  core.Configure(Text(L"abc"));
  platform.pointerFound = false;
  ASSERT_TRUE(core.Start(true));
  core.OnTimer(kWaitTimer);
  EXPECT_FALSE(platform.shown);
  EXPECT_FALSE(core.Showing());
  // No window.
  platform.pointerFound = true;
  platform.canCreate = false;
  EXPECT_FALSE(core.Start(true));
  EXPECT_FALSE(core.Waiting());
}

TEST_F(TooltipSequence, APictureTooLargeForMemoryShowsNothingAndTheNextHideClearsUp) {
  platform.charWidth = 1 << 20;  // 64 characters: a 64 M pixel wide window
  ShowWith(Text(std::wstring(64, L'x')));
  EXPECT_FALSE(platform.shown);
  EXPECT_FALSE(core.Showing());
  EXPECT_TRUE(platform.timers.empty());
  EXPECT_TRUE(platform.window);  // hidden; the next Hide destroys it
  core.Hide();
  EXPECT_FALSE(platform.window);
}

TEST_F(TooltipSequence, AWaitTimerAfterHideShowsNothing) {
  core.Configure(Text(L"abc"));
  ASSERT_TRUE(core.Start(true));
  core.Hide();
  EXPECT_FALSE(platform.window);
  EXPECT_TRUE(platform.timers.empty());
  core.OnTimer(kWaitTimer);  // a message already queued
  EXPECT_FALSE(platform.window);
  EXPECT_FALSE(core.Showing());
}

TEST_F(TooltipSequence, AnAmpersandTextShowsTheWordInTheSystemColours) {
  ShowWith(Text(L"&Ayuda"));
  EXPECT_EQ(platform.drawnText, L"Ayuda");
  EXPECT_EQ(platform.w, 5 * 6 + 4);
  EXPECT_EQ(platform.textColor, 0u);
  EXPECT_EQ(core.Final().Pixel(3, 3) & 0xFFFFFF, 0xFFFFE1u);  // COLOR_INFOBK-like back, both ends
  EXPECT_EQ(core.Final().Pixel(0, 3) & 0xFFFFFF, 0x404040u);
  // The stored text keeps its "&"; a plain text afterwards has the property colours again.
  EXPECT_EQ(core.Current().text, L"&Ayuda");
  ShowWith(Text(L"Ayuda"));
  EXPECT_EQ(platform.textColor, 0xFAFAFAu);
}

TEST_F(TooltipSequence, AWindowGoneUnderTheAnimationStopsIt) {
  ShowWith(Text(L"abc"));
  ASSERT_TRUE(core.Animating());
  platform.window = false;  // the owner took it along
  core.AnimationStep();
  EXPECT_FALSE(core.Animating());
  EXPECT_FALSE(platform.animating);
  EXPECT_EQ(platform.repaints, 0);
}

TEST_F(TooltipSequence, NearTheScreensCornerTheTooltipMovesAboveAndLeftOfThePointer) {
  platform.pointer = {1270, 1020};
  ShowWith(Text(L"abcdefghij"));  // 64 × 17
  EXPECT_EQ(platform.y, 1024 - 17);
  EXPECT_EQ(platform.x, 1270 - 64);
}

TEST_F(TooltipText, ChangesOnAVisibleTooltipShowAtOnceAndElseWaitForTheNextShow) {
  core.Configure(Text(L"abc", kLeftToRight));
  // Idle or waiting: only stored.
  core.SetText(L"first", false, 255);
  EXPECT_EQ(core.Current().text, L"first");
  EXPECT_FALSE(platform.window);
  ASSERT_TRUE(core.Start(true));
  core.SetText(L"second", false, 255);
  EXPECT_FALSE(platform.shown);
  core.OnTimer(kWaitTimer);
  EXPECT_EQ(platform.drawnText, L"second");
  core.AnimationStep();
  core.AnimationStep();
  ASSERT_TRUE(core.Animating());

  // On show: laid out again at the same anchor, in place at once, the slide ended.
  platform.pointer = {300, 300};
  core.SetText(L"a longer text", false, 255);
  EXPECT_EQ(platform.drawnText, L"a longer text");
  EXPECT_EQ(platform.w, 13 * 6 + 4);
  EXPECT_EQ(platform.x, 100);
  EXPECT_TRUE(DisplayIsFinal(core));
  EXPECT_FALSE(core.Animating());
  EXPECT_TRUE(core.Showing());
  EXPECT_EQ(platform.timers.count(kShowTimer), 1u);

  // With reposition the anchor follows the pointer.
  core.SetText(L"moved", true, 255);
  EXPECT_EQ(platform.x, 300);
  EXPECT_EQ(platform.y, 300);

  // An "&" text on show: the word in the system colours.
  core.SetText(L"&sys", false, 255);
  EXPECT_EQ(platform.drawnText, L"sys");
  EXPECT_EQ(platform.textColor, 0u);

  // An empty text takes the tooltip away.
  core.SetText(L"", false, 255);
  EXPECT_FALSE(platform.window);
  EXPECT_FALSE(core.Showing());
}

TEST_F(TooltipText, APartialAmountStartsFromTheBackgroundAndBlendsTowardTheNewPicture) {
  Settings s = Text(L"abc");
  s.animTime = 0;
  ShowWith(s);
  ASSERT_TRUE(DisplayIsFinal(core));
  platform.screenPixel = 0;  // the background the window was repainted with, seen again
  const int repaints = platform.repaints;
  core.SetText(L"abd", false, 128);
  EXPECT_EQ(platform.repaints, repaints + 2);  // background first, then the blend
  // Half-way from the black screen toward the gradient's first inside column.
  const uint32_t f = core.Final().Pixel(1, 5), d = core.Display().Pixel(1, 5);
  EXPECT_EQ(d & 0xFF, (f & 0xFF) * 128 / 256);
  EXPECT_EQ((d >> 8) & 0xFF, ((f >> 8) & 0xFF) * 128 / 256);
}
