// The tooltip on the screen: its popup comes up below the pointer after the wait, owned by its
// window, shows the gradient, the border and the text exactly as composed, over what the screen
// showed beneath; it goes after the show time, on Hide and when the pointer leaves the button; and
// many shows leave no windows or GDI objects behind.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <vector>

#include "button/tooltip/ButtonTooltip.h"
#include "button/tooltip/TooltipWindow.h"
#include "tests/support/GuiCounters_win.h"
#include "tests/win/control_interaction_host.h"

using namespace tests;

namespace {

constexpr DWORD kPatience = 15000;  // ms: a loaded machine is slow, never this slow
constexpr COLORREF kOwnerColour = RGB(10, 200, 30);

LRESULT CALLBACK OwnerProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) { return DefWindowProcW(hwnd, msg, wp, lp); }

// A visible top-level window of one colour, as the tooltip's owner and what lies beneath it.
class OwnerWindow {
 public:
  OwnerWindow() {
    static const bool registered = [] {
      WNDCLASSW wc{};
      wc.lpfnWndProc = OwnerProc;
      wc.hInstance = GetModuleHandleW(nullptr);
      wc.hbrBackground = CreateSolidBrush(kOwnerColour);  // the class keeps it for the process
      wc.lpszClassName = L"ZbTooltipTestOwner";
      return RegisterClassW(&wc) != 0;
    }();
    if (registered)
      m_hwnd = CreateWindowExW(0, L"ZbTooltipTestOwner", L"owner", WS_POPUP | WS_VISIBLE, 0, 0, 640, 480, nullptr,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
    UpdateWindow(m_hwnd);
    // The window system may put a painted window on the screen a little later.
    PumpUntil(kPatience, [] {
      HDC screen = GetDC(nullptr);
      const COLORREF c = GetPixel(screen, 320, 240);
      ReleaseDC(nullptr, screen);
      return c == kOwnerColour;
    });
  }
  ~OwnerWindow() {
    if (m_hwnd) DestroyWindow(m_hwnd);
    Pump(0);
  }
  HWND Get() const { return m_hwnd; }

 private:
  HWND m_hwnd = nullptr;
};

// The window's pixels as 0x00RRGGBB, row 0 at the top.
struct Shot {
  button::CImageDIB image;
  int w = 0, h = 0;
  uint32_t At(int x, int y) const { return image.Pixel(x, h - 1 - y) & 0xFFFFFF; }
};

bool Capture(HWND hwnd, Shot& out) {
  RECT rc{};
  if (!GetClientRect(hwnd, &rc) || !out.image.Create(rc.right, rc.bottom)) return false;
  out.w = rc.right;
  out.h = rc.bottom;
  HDC dc = GetDC(hwnd);
  const bool ok = dc && out.image.GrabFromDC(dc, 0, 0, out.w, out.h) == out.h;
  if (dc) ReleaseDC(hwnd, dc);
  return ok;
}

// The composed picture as the screen should show it (rows from the top).
uint32_t FinalAt(const button::CTooltipCore& core, int x, int y) {
  return core.Final().Pixel(x, core.Final().Height() - 1 - y) & 0xFFFFFF;
}

bool Visible(const button::CTooltipWindow& tip) { return tip.Window() && IsWindowVisible(tip.Window()); }

// Shown and done animating.
bool Settled(const button::CTooltipWindow& tip) {
  return Visible(tip) && tip.Core().Showing() && !tip.Core().Animating();
}

button::Settings Solid(const std::wstring& text, int effect, long animTime) {
  button::Settings s;
  s.text = text;
  s.waitTime = 0;
  s.showTime = 60000;
  s.animTime = animTime;
  s.effect = effect;
  s.colors = {0x000000FF, 0x00FF0000, 0x00FFFFFF, 0x0000FF00};  // red to blue, white text, green border
  return s;
}

}  // namespace

TEST(TooltipWindow, ComesUpBelowThePointerWithGradientBorderAndTextOverWhatWasBeneath) {
  ASSERT_NE(ResourceModule(), nullptr);
  OwnerWindow owner;
  ASSERT_NE(owner.Get(), nullptr);
  SetCursorPos(200, 150);
  Pump(50);
  button::CTooltipWindow tip;
  // Blend with a period long enough that the first steps can be watched.
  tip.Configure(Solid(L"Jugar ahora", button::kBlend, 1000));
  ASSERT_TRUE(tip.Start(owner.Get()));
  ASSERT_TRUE(PumpUntil(kPatience, [&] { return Visible(tip); }));
  HWND hwnd = tip.Window();
  wchar_t name[64] = {};
  GetWindowTextW(hwnd, name, 64);
  EXPECT_STREQ(name, L"ZephonToolTip");
  EXPECT_EQ(GetWindow(hwnd, GW_OWNER), owner.Get());
  EXPECT_EQ(GetWindowLongW(hwnd, GWL_STYLE) & (WS_POPUP | WS_BORDER | WS_CAPTION), LONG(WS_POPUP));
  EXPECT_NE(GetForegroundWindow(), hwnd);  // shown without taking the activation

  // Placed at the pointer, its top edge below the pointer's hot spot by at most a cursor's height.
  RECT rc{};
  GetWindowRect(hwnd, &rc);
  EXPECT_EQ(rc.left, 200);
  EXPECT_GE(rc.top, 150);
  EXPECT_LE(rc.top, 150 + GetSystemMetrics(SM_CYCURSOR));
  const int w = rc.right - rc.left, h = rc.bottom - rc.top;
  EXPECT_GT(w, 4 + 20);
  EXPECT_GT(h, 4 + 5);

  // What the owner window showed there was grabbed as the background the tooltip fades in over.
  const button::CImageDIB& background = tip.Core().Background();
  ASSERT_EQ(background.Width(), w);
  ASSERT_EQ(background.Height(), h);
  const uint32_t ownerRgb =
      uint32_t(GetRValue(kOwnerColour)) << 16 | GetGValue(kOwnerColour) << 8 | GetBValue(kOwnerColour);
  EXPECT_EQ(background.Pixel(w / 2, h / 2) & 0xFFFFFF, ownerRgb);
  EXPECT_EQ(background.Pixel(0, 0) & 0xFFFFFF, ownerRgb);

  // The composed picture: green border, red at the left turning blue, white text.
  const button::CTooltipCore& core = tip.Core();
  EXPECT_EQ(FinalAt(core, 0, h / 2), 0x00FF00u);
  EXPECT_EQ(FinalAt(core, w - 1, h / 2), 0x00FF00u);
  EXPECT_EQ(FinalAt(core, w / 2, 0), 0x00FF00u);
  EXPECT_EQ(FinalAt(core, w / 2, h - 1), 0x00FF00u);
  const uint32_t red = uint32_t(255.0 - 255.0 / w), blue = uint32_t(255.0 / w);
  EXPECT_EQ(FinalAt(core, 1, 1), red << 16 | blue);
  int white = 0;
  for (int y = 2; y < h - 2; ++y)
    for (int x = 2; x < w - 2; ++x) white += FinalAt(core, x, y) == 0xFFFFFFu;
  EXPECT_GT(white, 10) << "no text drawn";

  // A shorter period: the blend runs to its end and the screen shows exactly the composed picture.
  tip.Hide();
  EXPECT_EQ(tip.Window(), nullptr);
  EXPECT_FALSE(IsWindow(hwnd));
  tip.Configure(Solid(L"Jugar ahora", button::kBlend, 5));
  ASSERT_TRUE(tip.Start(owner.Get()));
  ASSERT_TRUE(PumpUntil(kPatience, [&] { return Settled(tip); }));
  EXPECT_EQ(tip.Core().Frame(), 129);
  Shot shot;
  ASSERT_TRUE(Capture(tip.Window(), shot));
  ASSERT_EQ(shot.w, w);
  ASSERT_EQ(shot.h, h);
  int differ = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) differ += shot.At(x, y) != FinalAt(tip.Core(), x, y);
  EXPECT_EQ(differ, 0);
  tip.Hide();
}

TEST(TooltipWindow, SlidesInGoesAfterTheShowTimeAndWithItsOwner) {
  OwnerWindow owner;
  ASSERT_NE(owner.Get(), nullptr);
  SetCursorPos(100, 100);
  Pump(50);
  button::CTooltipWindow tip;
  button::Settings s = Solid(L"abc", button::kUpToDown, 2);
  tip.Configure(s);
  ASSERT_TRUE(tip.Start(owner.Get()));
  // The slide ends with the picture in place, after height + 1 steps.
  ASSERT_TRUE(PumpUntil(kPatience, [&] { return Settled(tip); }));
  RECT rc{};
  GetWindowRect(tip.Window(), &rc);
  EXPECT_EQ(tip.Core().Frame(), rc.bottom - rc.top + 1);
  Shot shot;
  ASSERT_TRUE(Capture(tip.Window(), shot));
  EXPECT_EQ(shot.At(1, 1), FinalAt(tip.Core(), 1, 1));
  EXPECT_EQ(shot.At(1, shot.h - 2), FinalAt(tip.Core(), 1, shot.h - 2));

  // The show time ends it.
  s.showTime = 300;
  tip.Configure(s);
  ASSERT_TRUE(tip.Start(owner.Get()));
  ASSERT_TRUE(PumpUntil(kPatience, [&] { return tip.Core().Showing(); }));
  ASSERT_TRUE(PumpUntil(kPatience, [&] { return tip.Window() == nullptr; }));
  EXPECT_FALSE(tip.Core().Showing());

  // Without an animation period the tooltip shows at once; destroying the owner takes it along.
  s = Solid(L"abc", button::kLeftToRight, 0);
  tip.Configure(s);
  HWND second =
      CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(tip.Start(second));
  ASSERT_TRUE(PumpUntil(kPatience, [&] { return Settled(tip); }));
  ASSERT_TRUE(Capture(tip.Window(), shot));
  EXPECT_EQ(shot.At(0, 0), 0x00FF00u);
  EXPECT_EQ(shot.At(1, 1), FinalAt(tip.Core(), 1, 1));
  DestroyWindow(second);
  EXPECT_EQ(tip.Window(), nullptr);
  tip.Hide();
  EXPECT_FALSE(tip.Start(nullptr));
}

class TooltipOnTheButton : public ::testing::Test {
 protected:
  // A 100 × 50 button whose tooltip is the real one, with the properties given in `bag`.
  std::unique_ptr<TestButton> Make(const std::wstring& bag) {
    TestButton::Options o;
    o.rect = RECT{10, 10, 110, 60};
    o.bag = L"AutoSize=BOOL:False\n" + bag;
    auto b = TestButton::Create(o);
    if (!b) return nullptr;
    auto tip = std::make_unique<button::CButtonTooltip>();
    tooltip = tip.get();
    b->Ctrl().SetTooltip(std::move(tip));
    return b;
  }
  const button::CTooltipWindow& Tip() const { return tooltip->Window(); }
  button::CButtonTooltip* tooltip = nullptr;
};

TEST_F(TooltipOnTheButton, ComesUpAfterTheWaitTimeOverTheButtonAndGoesWhenThePointerLeaves) {
  auto b = Make(
      L"ToolTipString=BSTR:\"Ayuda\"\nToolWaitTime=I4:200\nToolTipAnimTime=I4:5\nToolTipEffect=I2:2\n"
      L"ToolTipBackColor=I4:255\nToolTipGradientColor=I4:255\nToolTipBorderColor=I4:65280\n");
  ASSERT_TRUE(b);
  EXPECT_EQ(tooltip->Window().Core().Current().waitTime, 200);
  b->PointerAt(20, 20);
  EXPECT_TRUE(PumpUntil(kPatience, [&] { return Tip().Core().Waiting() || Tip().Core().Showing(); }));
  ASSERT_TRUE(PumpUntil(kPatience, [&] { return Settled(Tip()); }));
  // A popup belongs to the top-level window of the child window it is given as its owner.
  EXPECT_EQ(GetWindow(Tip().Window(), GW_OWNER), GetAncestor(b->Window(), GA_ROOT));
  Shot shot;
  ASSERT_TRUE(Capture(Tip().Window(), shot));
  EXPECT_EQ(shot.At(0, 0), 0x00FF00u);           // border (OLE green)
  EXPECT_EQ(shot.At(1, shot.h / 2), 0xFF0000u);  // OLE 255 is red, both ends
  EXPECT_EQ(shot.At(shot.w - 2, shot.h / 2), 0xFF0000u);

  // Leaving the button takes the tooltip away.
  b->PointerAway();
  ASSERT_TRUE(PumpUntil(kPatience, [&] { return Tip().Window() == nullptr; }));
  EXPECT_FALSE(Tip().Core().Showing());
}

TEST_F(TooltipOnTheButton, ToolTipDrawShowsTheTextAndAnEmptyTextShowsNothing) {
  auto b = Make(L"ToolWaitTime=I4:0\nToolTipAnimTime=I4:0\n");
  ASSERT_TRUE(b);
  b->Ctrl().ToolTipDraw();
  // The wait ends without a tooltip: there is no text.
  ASSERT_TRUE(PumpUntil(kPatience, [&] { return !Tip().Core().Waiting(); }));
  EXPECT_EQ(Tip().Window(), nullptr);

  b->Ctrl().SetToolTipString(L"&Salir");
  b->Ctrl().ToolTipDraw();
  ASSERT_TRUE(PumpUntil(kPatience, [&] { return Settled(Tip()); }));
  // "&" shows the word in the system's tooltip colours.
  const button::Colors sys = button::CTooltipWindow::SystemColors();
  Shot shot;
  ASSERT_TRUE(Capture(Tip().Window(), shot));
  auto rgb = [](uint32_t ole) { return (ole & 0xFF) << 16 | (ole & 0xFF00) | (ole >> 16 & 0xFF); };
  EXPECT_EQ(shot.At(0, 0), rgb(sys.border));
  EXPECT_EQ(shot.At(1, 1), rgb(sys.back));

  // A new text on show is laid out at once; a command leaves the text alone.
  const int before = shot.w;
  b->Ctrl().SetToolTipString(L"&Salir del programa");
  ASSERT_TRUE(Visible(Tip()));
  RECT rc{};
  GetWindowRect(Tip().Window(), &rc);
  EXPECT_GT(rc.right - rc.left, before);
  b->Ctrl().SetToolTipString(L"script:DEBUG");
  EXPECT_EQ(Tip().Core().Current().text, L"&Salir del programa");
}

TEST(TooltipLeaks, ManyShowsLeaveNoWindowsOrGdiObjects) {
  OwnerWindow owner;
  ASSERT_NE(owner.Get(), nullptr);
  SetCursorPos(300, 300);
  Pump(50);
  button::CTooltipWindow tip;
  const bool gdiCounted = tests::GdiCounterWorks();
  auto cycle = [&](long animTime) {
    tip.Configure(Solid(L"Copiar al disco", button::kNoEffect, animTime));
    ASSERT_TRUE(tip.Start(owner.Get()));
    ASSERT_TRUE(PumpUntil(kPatience, [&] { return Settled(tip); }));
    tip.Hide();
  };
  for (int i = 0; i < 5; ++i) cycle(1);  // the class, the default font, first-use allocations
  Pump(20);
  const long gdi0 = tests::GdiObjects(), user0 = tests::UserObjects();
  for (int i = 0; i < 100 && !HasFatalFailure(); ++i) cycle(i % 2 ? 1 : 0);
  Pump(20);
  const long gdi1 = tests::GdiObjects(), user1 = tests::UserObjects();
  std::printf("GDI %ld -> %ld%s, USER %ld -> %ld\n", gdi0, gdi1, gdiCounted ? "" : " (not countable here)", user0,
              user1);
  if (gdiCounted) {
    EXPECT_LE(gdi1, gdi0 + 2);
  }
  EXPECT_EQ(user1, user0);
}
