// The button's paint under the real GDI: pictures placed, scaled, captioned, mirrored and filtered
// into memory device contexts, compared pixel by pixel.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "button/control/ButtonRenderer.h"
#include "tests/win/render_canvas.h"

using namespace button;
using tests::Canvas;
using tests::MakeCoordinates;
using tests::MakeSolid;

namespace {

constexpr uint32_t kSentinel = 0x00123456;

// An OLE colour (0x00BBGGRR) as the pixel word it becomes (0x00RRGGBB).
uint32_t PixelOf(uint32_t ole) { return ((ole & 0xFF) << 16) | (ole & 0xFF00) | ((ole >> 16) & 0xFF); }

uint32_t Coord(int x, int y) { return (uint32_t(x & 0xFF) << 16) | (uint32_t(y & 0xFF) << 8) | 0x40; }

int Red(uint32_t p) { return (p >> 16) & 0xFF; }

struct Box {
  int left = INT32_MAX, top = INT32_MAX, right = -1, bottom = -1;  // inclusive
  bool Empty() const { return right < 0; }
};

// Where the canvas differs from a plain background colour.
Box InkBox(const Canvas& c, uint32_t background) {
  Box b;
  for (int y = 0; y < c.Height(); ++y)
    for (int x = 0; x < c.Width(); ++x)
      if (c.At(x, y) != background) {
        b.left = std::min(b.left, x);
        b.top = std::min(b.top, y);
        b.right = std::max(b.right, x);
        b.bottom = std::max(b.bottom, y);
      }
  return b;
}

class RenderTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    font = ::CreateFontW(-16, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                         CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Arial");
  }
  static void TearDownTestSuite() { ::DeleteObject(font); }

  RenderTest() {
    state.hasCurrent = true;
    state.currentKind = kKindPicture;
  }

  void PaintInto(Canvas& c, button::CImageDIB* pic, const RECT& bounds, const RECT& invalid) {
    renderer.Paint(c.dc(), bounds, invalid, pic, props, state, captionFont,
                   [this](const std::wstring& text) { errors.push_back(text); });
  }
  void PaintInto(Canvas& c, button::CImageDIB* pic) { PaintInto(c, pic, c.Rect(), c.Rect()); }

  // A caption test setup: white picture and background, black bold text.
  void CaptionOnWhite(button::CImageDIB& pic, int w, int h, const wchar_t* text) {
    MakeSolid(pic, w, h, 0x00FFFFFF);
    props.effects.BackGroundColor = 0x00FFFFFF;
    props.TextColor = 0;
    props.Text = text;
  }
  Box CaptionBox(button::CImageDIB& pic) {
    Canvas c(pic.Width(), pic.Height());
    PaintInto(c, &pic);
    return InkBox(c, 0x00FFFFFF);
  }

  static HFONT font;
  HFONT captionFont = font;
  button::CButtonRenderer renderer;
  ButtonPaintProps props;
  ButtonPaintState state;
  std::vector<std::wstring> errors;
};
HFONT RenderTest::font = nullptr;

}  // namespace

TEST_F(RenderTest, AspectRatioScalesAndCentresVertically) {
  button::CImageDIB pic;
  MakeSolid(pic, 40, 20, 0x00FF0000);
  props.Stretch = kStretchAspect;
  props.effects.BackGroundColor = 0x00FF0000;  // blue
  Canvas c(80, 80);
  PaintInto(c, &pic);
  for (int x : {0, 40, 79}) {
    EXPECT_EQ(c.At(x, 19), PixelOf(props.effects.BackGroundColor)) << x;
    EXPECT_EQ(c.At(x, 20), 0x00FF0000u) << x;
    EXPECT_EQ(c.At(x, 59), 0x00FF0000u) << x;
    EXPECT_EQ(c.At(x, 60), 0x000000FFu) << x;  // blue
  }
  EXPECT_TRUE(errors.empty());
}

TEST_F(RenderTest, OversizedPictureShowsTheAlignedPartOnBothCompositionPaths) {
  button::CImageDIB pic;
  MakeCoordinates(pic, 101, 10);
  Canvas c(60, 10);
  struct Case {
    short align;
    int firstColumn;
  };
  for (Case k : {Case{2, 41}, Case{1, 20}}) {
    props.AlignHor = k.align;
    props.AlignVer = 0;
    // Plain 1:1 copy, then the GDI path (a caption text that this state does not show).
    for (bool gdiPath : {false, true}) {
      props.Text = gdiPath ? L"x" : L"";
      props.TextApplyTo = -1;
      c.Clear(kSentinel);
      PaintInto(c, &pic);
      for (int X : {0, 17, 59})
        for (int y : {0, 9}) EXPECT_EQ(c.At(X, y), Coord(X + k.firstColumn, y)) << k.align << gdiPath << X;
    }
  }
}

TEST_F(RenderTest, FullStretchModesScaleToTheBounds) {
  button::CImageDIB pic;
  pic.Create(2, 2);
  tests::PutTop(pic, 0, 0, 0x00110000);
  tests::PutTop(pic, 1, 0, 0x00220000);
  tests::PutTop(pic, 0, 1, 0x00330000);
  tests::PutTop(pic, 1, 1, 0x00440000);
  for (short s : {kStretchFull, kStretchParent, kStretchFixed96}) {
    props.Stretch = s;
    Canvas c(40, 20);
    PaintInto(c, &pic);
    EXPECT_EQ(c.At(0, 0), 0x00110000u) << s;
    EXPECT_EQ(c.At(19, 9), 0x00110000u) << s;
    EXPECT_EQ(c.At(20, 9), 0x00220000u) << s;
    EXPECT_EQ(c.At(19, 10), 0x00330000u) << s;
    EXPECT_EQ(c.At(39, 19), 0x00440000u) << s;
  }
}

TEST_F(RenderTest, PressOffsetMovesThePictureInTheClickOffsetModes) {
  button::CImageDIB pic;
  MakeCoordinates(pic, 20, 10);
  for (short mode = 0; mode <= 5; ++mode) {
    state.picture.buttonMode = mode;
    state.picture.pressed = true;
    state.picture.shown = button::ShownPicture::Down;
    state.pressOffset = ModeHasClickOffset(mode) ? kPressOffset : 0;
    Canvas c(40, 30);
    PaintInto(c, &pic);
    const int off = (mode == 0 || mode == 3) ? 0 : 2;
    EXPECT_EQ(c.At(15 + off, 15 + off), Coord(5, 5)) << mode;
    EXPECT_EQ(c.At(29 + off, 19 + off), Coord(19, 9)) << mode;
  }
}

TEST_F(RenderTest, BevelModesRaiseAtRestAndSinkWhenPressed) {
  button::CImageDIB pic;
  MakeSolid(pic, 30, 20, 0x00808080);
  props.effects.BackGroundColor = 0x00808080;
  for (short mode : {1, 2, 5}) {
    state.picture.buttonMode = mode;
    const bool bevel = mode != 1;
    for (bool pressed : {false, true}) {
      state.picture.pressed = pressed;
      state.picture.shown = pressed ? button::ShownPicture::Down : button::ShownPicture::Normal;
      state.pressOffset = pressed ? kPressOffset : 0;
      Canvas c(30, 20);
      PaintInto(c, &pic);
      const int left = Red(c.At(0, 10)), top = Red(c.At(15, 0)), right = Red(c.At(29, 10)), bottom = Red(c.At(15, 19));
      EXPECT_EQ(c.At(15, 10), 0x00808080u) << mode;
      if (!bevel) {
        EXPECT_EQ(left, 0x80);
        EXPECT_EQ(right, 0x80);
        continue;
      }
      // At rest white lights the left and top edges; pressed, black does.
      EXPECT_EQ(left > 0x80, !pressed) << mode << pressed;
      EXPECT_EQ(top > 0x80, !pressed) << mode << pressed;
      EXPECT_EQ(right < 0x80, !pressed) << mode << pressed;
      EXPECT_EQ(bottom < 0x80, !pressed) << mode << pressed;
      EXPECT_NE(left, 0x80);
      EXPECT_NE(right, 0x80);
    }
  }
}

TEST_F(RenderTest, CaptionFollowsItsAlignment) {
  button::CImageDIB pic;
  CaptionOnWhite(pic, 120, 60, L"Hi");
  Box b[3][3];
  for (short h = 0; h < 3; ++h)
    for (short v = 0; v < 3; ++v) {
      props.TextAlignHor = h;
      props.TextAlignVer = v;
      b[h][v] = CaptionBox(pic);
      ASSERT_FALSE(b[h][v].Empty()) << h << v;
    }
  EXPECT_LT(b[0][0].left, 6);
  EXPECT_NEAR((b[1][0].left + b[1][0].right) / 2, 60, 4);
  EXPECT_GT(b[2][0].right, 113);
  EXPECT_LT(b[0][0].top, 8);
  EXPECT_NEAR((b[0][1].top + b[0][1].bottom) / 2, 30, 4);
  EXPECT_GT(b[0][2].bottom, 50);

  // Word-wrapped captions are not placed vertically: bottom alignment stays at the top.
  props.TextWordBreak = true;
  props.TextAlignHor = 0;
  props.TextAlignVer = 2;
  const Box wrapped = CaptionBox(pic);
  EXPECT_EQ(wrapped.top, b[0][0].top);
  EXPECT_EQ(wrapped.bottom, b[0][0].bottom);
}

TEST_F(RenderTest, CaptionWrapsMovesWithOffsetsAndObeysItsStateRule) {
  button::CImageDIB pic;
  CaptionOnWhite(pic, 60, 80, L"Wide words wrap here");
  props.TextAlignHor = 0;
  props.TextAlignVer = 0;
  const Box single = CaptionBox(pic);
  props.TextWordBreak = true;
  const Box wrapped = CaptionBox(pic);
  EXPECT_GT(wrapped.bottom - wrapped.top, 2 * (single.bottom - single.top));

  props.TextWordBreak = false;
  props.TextVerticalOffset = 10;
  Box moved = CaptionBox(pic);
  EXPECT_EQ(moved.top, single.top + 10);
  EXPECT_EQ(moved.left, single.left);

  // Pressed in a click-offset mode: the caption moves 2 right and down with the picture.
  props.TextVerticalOffset = 0;
  state.picture.buttonMode = 1;
  state.picture.pressed = true;
  state.picture.shown = button::ShownPicture::Down;
  state.pressOffset = kPressOffset;
  moved = CaptionBox(pic);
  EXPECT_EQ(moved.top, single.top + 2);
  EXPECT_EQ(moved.left, single.left + 2);

  props.TextApplyTo = 1;  // normal image only: not while pressed
  EXPECT_TRUE(CaptionBox(pic).Empty());
  props.TextApplyTo = 4;  // down image
  EXPECT_FALSE(CaptionBox(pic).Empty());
  captionFont = nullptr;  // no font, no caption; the picture still shows
  Canvas c(60, 80);
  PaintInto(c, &pic);
  EXPECT_TRUE(InkBox(c, 0x00FFFFFF).Empty());
}

TEST_F(RenderTest, CaptionOpacityBlendsBelow254) {
  button::CImageDIB pic;
  MakeCoordinates(pic, 80, 30);
  props.Text = L"Blend";
  props.TextColor = 0x000000FF;  // red
  auto render = [&](short applyTo, short blend) {
    props.TextApplyTo = applyTo;
    props.TextBlendValue = blend;
    Canvas c(80, 30);
    PaintInto(c, &pic);
    return c.Pixels();
  };
  const std::vector<uint32_t> none = render(-1, 255), opaque = render(0, 255);
  EXPECT_EQ(render(0, 254), opaque);
  ASSERT_NE(opaque, none);
  const std::vector<uint32_t> half = render(0, 128);
  size_t blended = 0;
  for (size_t i = 0; i < half.size(); ++i) {
    const uint32_t p = none[i], t = opaque[i];
    uint32_t want = p;
    if ((p ^ t) & 0xFFF) {
      want = 0;
      for (int s = 0; s < 24; s += 8) {
        const int pc = (p >> s) & 0xFF, tc = (t >> s) & 0xFF;
        want |= uint32_t(((pc * 256 + (tc - pc) * 128) >> 8) & 0xFF) << s;
      }
      ++blended;
    }
    ASSERT_EQ(half[i], want) << i;
  }
  EXPECT_GT(blended, 20u);
}

TEST_F(RenderTest, MirroringTurnsPictureAndCaptionAround) {
  button::CImageDIB pic;
  MakeCoordinates(pic, 60, 30);
  props.Text = L"Ab";
  props.TextAlignHor = 0;
  props.TextColor = 0x00FFFFFF;
  Canvas plain(60, 30), flipped(60, 30);
  PaintInto(plain, &pic);
  props.FlipHorisontal = true;
  PaintInto(flipped, &pic);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 60; ++x) ASSERT_EQ(flipped.At(x, y), plain.At(59 - x, y)) << x << "," << y;
  props.FlipHorisontal = false;
  props.FlipVertical = true;
  PaintInto(flipped, &pic);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 60; ++x) ASSERT_EQ(flipped.At(x, y), plain.At(x, 29 - y)) << x << "," << y;
}

TEST_F(RenderTest, GlobalBlendOnANaturalSizePictureIsComposed) {
  button::CImageDIB pic;
  MakeCoordinates(pic, 30, 20);
  props.effects.BackGroundColor = 0;
  props.effects.EffectGlobalBlend = true;
  props.effects.EffectGlobalBlendValue = 128;
  Canvas c(30, 20);
  PaintInto(c, &pic);
  for (int x : {0, 13, 29})
    for (int y : {0, 19}) EXPECT_EQ(c.At(x, y), (Coord(x, y) >> 1) & 0x007F7F7F) << x << "," << y;
}

TEST_F(RenderTest, EffectPassSeesTheShownState) {
  button::CImageDIB pic;
  MakeSolid(pic, 20, 10, 0x00FF0000);
  props.effects.EffectFilter = 8;   // desaturate
  props.effects.EffectApplyTo = 1;  // normal image only
  Canvas c(20, 10);
  PaintInto(c, &pic);
  EXPECT_EQ(c.At(5, 5), 0x00555555u);
  state.picture.hover = true;
  PaintInto(c, &pic);
  EXPECT_EQ(c.At(5, 5), 0x00FF0000u);
}

TEST_F(RenderTest, FastDrawCopiesOnlyTheInvalidRectangle) {
  button::CImageDIB pic;
  MakeCoordinates(pic, 40, 20);
  props.FastDraw = true;
  const RECT invalid{10, 5, 30, 15};
  for (bool composed : {false, true}) {
    props.FlipHorisontal = composed;
    Canvas c(40, 20);
    PaintInto(c, &pic, c.Rect(), invalid);
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 40; ++x) {
        const bool inside = x >= 10 && x < 30 && y >= 5 && y < 15;
        const uint32_t want = inside ? Coord(composed ? 39 - x : x, y) : kSentinel;
        ASSERT_EQ(c.At(x, y), want) << composed << " " << x << "," << y;
      }
  }
}

TEST_F(RenderTest, NothingIsPaintedWhenTheGateSaysNo) {
  button::CImageDIB pic;
  MakeCoordinates(pic, 20, 20);
  state.anyPictureUrl = true;
  state.userMode = true;
  state.currentKind = kKindPlaceholder;
  Canvas c(20, 20);
  PaintInto(c, &pic);
  PaintInto(c, nullptr);
  state.currentKind = kKindPicture;
  PaintInto(c, nullptr);
  EXPECT_TRUE(InkBox(c, kSentinel).Empty());
  EXPECT_TRUE(errors.empty());
}

TEST_F(RenderTest, BoundsAwayFromTheOriginDrawAtTheBounds) {
  button::CImageDIB pic;
  MakeCoordinates(pic, 40, 30);
  for (bool composed : {false, true}) {
    props.Text = composed ? L"Cap" : L"";
    Canvas alone(40, 30), big(100, 80);
    PaintInto(alone, &pic);
    PaintInto(big, &pic, RECT{30, 20, 70, 50}, big.Rect());
    for (int y = 0; y < 80; ++y)
      for (int x = 0; x < 100; ++x) {
        const bool inside = x >= 30 && x < 70 && y >= 20 && y < 50;
        ASSERT_EQ(big.At(x, y), inside ? alone.At(x - 30, y - 20) : kSentinel) << composed << " " << x << "," << y;
      }
  }
}

TEST_F(RenderTest, FailuresReportTheirStepAndPaintNothing) {
  button::CImageDIB pic;
  MakeCoordinates(pic, 20, 15);
  props.Stretch = kStretchFull;
  Canvas c(40, 30);
  PaintInto(c, &pic, RECT{0, 0, 40000, 40000}, c.Rect());
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0], L"RenderDIB create FALSE Allocate memory FAILED. m_bits=0");
  EXPECT_TRUE(InkBox(c, kSentinel).Empty());

  PaintInto(c, &pic);
  ASSERT_TRUE(renderer.RenderDIB().HasPixels());
  HDC gone = ::CreateCompatibleDC(nullptr);
  ::DeleteDC(gone);
  state.picture.hover = true;  // a changed frame, so the paint composes again
  renderer.Paint(gone, c.Rect(), c.Rect(), &pic, props, state, captionFont,
                 [this](const std::wstring& t) { errors.push_back(t); });
  ASSERT_EQ(errors.size(), 2u);
  EXPECT_EQ(errors[1], L"dc1.CreateCompatibleDC create FALSE");
  EXPECT_FALSE(renderer.RenderDIB().HasPixels());                                      // re-created by the next paint
  renderer.Paint(gone, c.Rect(), c.Rect(), &pic, props, state, captionFont, nullptr);  // no listener: no harm

  c.Clear(kSentinel);
  PaintInto(c, &pic);
  EXPECT_EQ(c.At(0, 0), Coord(0, 0));
  EXPECT_EQ(errors.size(), 2u);  // the good paints report nothing
}

TEST_F(RenderTest, AKeptFrameIsNeverShownForChangedInputs) {
  button::CImageDIB pic;
  MakeCoordinates(pic, 40, 30);
  props.Text = L"Go";
  props.TextAlignHor = 0;
  Canvas c(40, 30);
  PaintInto(c, &pic);
  const std::vector<uint32_t> first = c.Pixels();

  // Pixels changed in place, behind the same buffer.
  tests::PutTop(pic, 39, 29, 0x00ABCDEF);
  PaintInto(c, &pic);
  EXPECT_EQ(c.At(39, 29), 0x00ABCDEFu);

  // A different caption font, a different caption.
  HFONT big = ::CreateFontW(-24, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                            CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Arial");
  captionFont = big;
  PaintInto(c, &pic);
  const std::vector<uint32_t> bigCaption = c.Pixels();
  captionFont = font;
  PaintInto(c, &pic);
  EXPECT_NE(c.Pixels(), bigCaption);
  ::DeleteObject(big);

  // A state that changes the look (pressed with offset) and back.
  state.picture.buttonMode = 1;
  state.pressOffset = kPressOffset;
  PaintInto(c, &pic);
  EXPECT_EQ(c.At(2, 2), Coord(0, 0));
  state.pressOffset = 0;
  tests::PutTop(pic, 39, 29, Coord(39, 29));
  PaintInto(c, &pic);
  EXPECT_EQ(c.Pixels(), first);
}
