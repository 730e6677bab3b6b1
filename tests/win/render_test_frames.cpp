// The renderer's kept frames and kept GDI objects under the real GDI: a renderer that has painted
// many other buttons paints exactly what a fresh one does, every input change shows, FastDraw and
// failures behave with frames kept.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "button/control/ButtonRenderer.h"
#include "tests/win/render_canvas.h"

using namespace button;
using tests::Canvas;
using tests::MakeCoordinates;

namespace {

constexpr uint32_t kSentinel = 0x00123456;

// Every word of a frame, the byte GDI leaves above the colour included.
std::vector<uint32_t> Words(const button::CImageDIB& image) {
  if (!image.HasPixels()) return {};
  return std::vector<uint32_t>(image.m_bits, image.m_bits + size_t(image.Width()) * size_t(image.Height()));
}

HFONT MakeFont(int height, int weight, bool italic, const wchar_t* face) {
  return ::CreateFontW(height, 0, 0, 0, weight, italic, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH, face);
}

// One paint's inputs.
struct Look {
  ButtonPaintProps props;
  ButtonPaintState state;
  button::CImageDIB* picture = nullptr;
  HFONT font = nullptr;
  int w = 78, h = 62;
};

class RenderFramesTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    bold = MakeFont(-13, FW_BOLD, false, L"Arial");
    serif = MakeFont(-20, FW_NORMAL, true, L"Times New Roman");
  }
  static void TearDownTestSuite() {
    ::DeleteObject(bold);
    ::DeleteObject(serif);
  }

  RenderFramesTest() {
    MakeCoordinates(normal, 78, 62);
    MakeCoordinates(other, 33, 47);
    MakeCoordinates(large, 101, 80);
    for (int y = 0; y < 47; ++y) tests::PutTop(other, 5, y, 0x00FFFFFF);
  }

  Look Base() {
    Look l;
    l.props.Text = L"Play";
    l.props.TextColor = 0x0000FFFF;
    l.props.effects.EffectFilter = 9;  // blur
    l.state.hasCurrent = true;
    l.state.currentKind = kKindPicture;
    l.state.picture.buttonMode = 2;  // bevel
    l.picture = &normal;
    l.font = bold;
    return l;
  }

  void Paint(button::CButtonRenderer& r, HDC dc, const Look& l, const RECT& bounds, const RECT& invalid) {
    r.Paint(dc, bounds, invalid, l.picture, l.props, l.state, l.font,
            [this](const std::wstring& text) { errors.push_back(text); });
  }
  // Paints `l` with the long-lived renderer and with a fresh one; both canvases and frames must agree.
  void ExpectSameAsFresh(const Look& l, const std::string& what) {
    Canvas kept(l.w, l.h, kSentinel), fresh(l.w, l.h, kSentinel);
    Paint(warm, kept.dc(), l, kept.Rect(), kept.Rect());
    button::CButtonRenderer first;
    Paint(first, fresh.dc(), l, fresh.Rect(), fresh.Rect());
    ASSERT_TRUE(first.RenderDIB().HasPixels()) << what;
    EXPECT_EQ(kept.Pixels(), fresh.Pixels()) << what;
    EXPECT_EQ(Words(warm.RenderDIB()), Words(first.RenderDIB())) << what;
  }

  static HFONT bold, serif;
  button::CImageDIB normal, other, large;
  button::CButtonRenderer warm;
  std::vector<std::wstring> errors;
};
HFONT RenderFramesTest::bold = nullptr;
HFONT RenderFramesTest::serif = nullptr;

}  // namespace

TEST_F(RenderFramesTest, AWarmedRendererPaintsExactlyWhatAFreshOneDoes) {
  // Looks that need other buffers, bitmaps, fonts and kinds of drawing; twice round, so that the second
  // round finds some frames kept and composes the others with objects left by different looks.
  std::vector<std::pair<std::string, std::function<void(Look&)>>> changes = {
      {"base", [](Look&) {}},
      {"blended caption", [](Look& l) { l.props.TextBlendValue = 100; }},
      {"wrapped serif caption",
       [](Look& l) {
         l.props.Text = L"Wide words wrap here";
         l.props.TextWordBreak = true;
         l.font = serif;
       }},
      {"larger bounds, aspect",
       [](Look& l) {
         l.w = 130;
         l.h = 41;
         l.props.Stretch = kStretchAspect;
       }},
      {"smaller picture stretched",
       [this](Look& l) {
         l.picture = &other;
         l.props.Stretch = kStretchFull;
         l.props.TextAlignVer = 2;
       }},
      {"larger picture, right-aligned",
       [this](Look& l) {
         l.picture = &large;
         l.props.AlignHor = 2;
         l.props.Stretch = kStretchAspect;
         l.h = 100;
       }},
      {"pressed, mirrored",
       [](Look& l) {
         l.state.picture.pressed = true;
         l.state.pressOffset = kPressOffset;
         l.props.FlipHorisontal = true;
       }},
      {"no caption, plain copy path",
       [](Look& l) {
         l.props.Text.clear();
         l.w = 90;
       }},
      {"mask filter, transparent-ish caption",
       [](Look& l) {
         l.props.effects.EffectFilter = 22;
         l.props.TextBlendValue = 0;
       }},
      {"no font", [](Look& l) { l.font = nullptr; }},
  };
  for (int round = 0; round < 2; ++round)
    for (auto& c : changes) {
      Look l = Base();
      c.second(l);
      ExpectSameAsFresh(l, c.first + " round " + std::to_string(round));
    }
  EXPECT_LE(warm.Frames().Count(), button::CButtonFrameCache::kDefaultFrames);

  // Other kinds of target: a screen-compatible bitmap, and 16 bits a pixel, where the caption and the
  // scaled picture lose colour bits in the target's format.
  for (int bits : {0, 16}) {
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = 78;
    bi.bmiHeader.biHeight = 62;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = WORD(bits);
    void* pixels = nullptr;
    HBITMAP bm = bits ? ::CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &pixels, nullptr, 0)
                      : ::CreateCompatibleBitmap(screen, 78, 62);
    ::ReleaseDC(nullptr, screen);
    HGDIOBJ old = ::SelectObject(dc, bm);
    const Look l = Base();
    const RECT r{0, 0, 78, 62};
    button::CButtonRenderer first;
    Paint(warm, dc, l, r, r);
    Paint(first, dc, l, r, r);
    EXPECT_EQ(Words(warm.RenderDIB()), Words(first.RenderDIB())) << bits;
    ::SelectObject(dc, old);
    ::DeleteObject(bm);
    ::DeleteDC(dc);
    ExpectSameAsFresh(Base(), "back on the 32-bit DIB section");
  }
  EXPECT_TRUE(errors.empty());
}

TEST_F(RenderFramesTest, EveryInputChangeShowsWhileFramesAreKept) {
  Look over = Base();
  over.state.picture.hover = true;
  over.state.picture.shown = button::ShownPicture::Over;
  over.props.effects.EffectApplyTo = 2;  // the blur only on the over picture
  Look rest = over;
  rest.state.picture.hover = false;
  rest.state.picture.shown = button::ShownPicture::Normal;

  Canvas c(78, 62);
  auto show = [&](const Look& l) {
    Paint(warm, c.dc(), l, c.Rect(), c.Rect());
    return c.Pixels();
  };
  const std::vector<uint32_t> restPixels = show(rest), overPixels = show(over);
  ASSERT_NE(restPixels, overPixels);
  EXPECT_EQ(show(rest), restPixels);
  EXPECT_EQ(show(over), overPixels);

  struct Change {
    const char* what;
    std::function<void(Look&)> apply;
  };
  HFONT bigger = MakeFont(-18, FW_BOLD, false, L"Arial");
  HFONT sameAsBold = MakeFont(-13, FW_BOLD, false, L"Arial");  // another handle, the same font
  const Change changes[] = {
      {"property", [](Look& l) { l.props.TextColor = 0x00FF0000; }},
      {"font", [&](Look& l) { l.font = bigger; }},
      {"state", [](Look& l) { l.state.picture.focus = true, l.props.effects.EffectApplyTo = 6; }},
      {"size", [](Look& l) { l.w = 80; }},
  };
  for (const Change& ch : changes) {
    Look changed = rest;
    ch.apply(changed);
    Canvas c2(changed.w, changed.h);
    Paint(warm, c2.dc(), changed, c2.Rect(), c2.Rect());
    EXPECT_NE(c2.Pixels(), restPixels) << ch.what;
    ExpectSameAsFresh(changed, ch.what);
    EXPECT_EQ(show(rest), restPixels) << ch.what;  // and back
  }
  Look same = rest;
  same.font = sameAsBold;
  EXPECT_EQ(show(same), restPixels);
  // A font handle that no longer describes a font is no font: the look without caption, both ways.
  HFONT deleted = MakeFont(-30, FW_BOLD, false, L"Arial");
  ::DeleteObject(deleted);
  Look none = rest, dead = rest;
  none.font = nullptr;
  dead.font = deleted;
  const std::vector<uint32_t> noCaption = show(none);
  EXPECT_NE(noCaption, restPixels);
  EXPECT_EQ(show(dead), noCaption);
  button::CButtonRenderer other;
  Paint(other, c.dc(), dead, c.Rect(), c.Rect());
  EXPECT_EQ(c.Pixels(), noCaption);

  // Pixels changed in place, behind the same buffer and size.
  tests::PutTop(normal, 70, 40, 0x00FFFFFF);
  EXPECT_NE(show(rest), restPixels);
  ExpectSameAsFresh(rest, "picture");
  tests::PutTop(normal, 70, 40, 0x00462840);  // its coordinate colour again
  EXPECT_EQ(show(rest), restPixels);
  EXPECT_EQ(show(over), overPixels);
  ::DeleteObject(bigger);
  ::DeleteObject(sameAsBold);
  EXPECT_TRUE(errors.empty());
}

TEST_F(RenderFramesTest, AKeptFrameWithFastDrawCopiesOnlyTheInvalidRectangle) {
  Look l = Base();
  l.props.FastDraw = true;
  Look hover = l;
  hover.state.picture.hover = true;
  Canvas c(78, 62);
  Paint(warm, c.dc(), l, c.Rect(), c.Rect());
  const std::vector<uint32_t> full = c.Pixels();
  Paint(warm, c.dc(), hover, c.Rect(), c.Rect());

  c.Clear(kSentinel);
  const RECT invalid{10, 5, 40, 30};
  Paint(warm, c.dc(), l, c.Rect(), invalid);  // found, not composed
  for (int y = 0; y < 62; ++y)
    for (int x = 0; x < 78; ++x) {
      const bool inside = x >= 10 && x < 40 && y >= 5 && y < 30;
      ASSERT_EQ(c.At(x, y), inside ? full[size_t(y) * 78 + x] : kSentinel) << x << "," << y;
    }
}

TEST_F(RenderFramesTest, AFailedPaintLeavesTheTargetAloneAndTheKeptFramesUsable) {
  Look l = Base();
  Look hover = l;
  hover.state.picture.hover = true;
  Canvas c(78, 62);
  Paint(warm, c.dc(), l, c.Rect(), c.Rect());
  const std::vector<uint32_t> shown = c.Pixels();
  const std::vector<uint32_t> frame = Words(warm.RenderDIB());
  Paint(warm, c.dc(), hover, c.Rect(), c.Rect());

  // No memory for a frame of this size.
  c.Clear(kSentinel);
  Paint(warm, c.dc(), l, RECT{0, 0, 40000, 40000}, c.Rect());
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0], L"RenderDIB create FALSE Allocate memory FAILED. m_bits=0");
  EXPECT_FALSE(warm.RenderDIB().HasPixels());
  EXPECT_EQ(c.Pixels(), std::vector<uint32_t>(size_t(78) * 62, kSentinel));

  // No drawing surface for a new frame: a dead target.
  HDC gone = ::CreateCompatibleDC(nullptr);
  ::DeleteDC(gone);
  Look pressed = l;
  pressed.state.picture.pressed = true;
  Paint(warm, gone, pressed, c.Rect(), c.Rect());
  ASSERT_EQ(errors.size(), 2u);
  EXPECT_EQ(errors[1], L"dc1.CreateCompatibleDC create FALSE");
  EXPECT_FALSE(warm.RenderDIB().HasPixels());

  // The frame kept from before still serves, and is again the one on show.
  Paint(warm, c.dc(), l, c.Rect(), c.Rect());
  EXPECT_EQ(c.Pixels(), shown);
  EXPECT_EQ(Words(warm.RenderDIB()), frame);
  ExpectSameAsFresh(pressed, "pressed after the failure");
  EXPECT_EQ(errors.size(), 2u);
}
