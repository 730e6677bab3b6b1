// The tooltip's pictures: gradient, border, the animation steps, and where it goes on the screen.
#include <gtest/gtest.h>

#include "button/tooltip/TooltipPicture.h"
#include "button/tooltip/TooltipPlacement.h"

using namespace button;

namespace {

void FillAll(button::CImageDIB& image, uint32_t px) {
  image.Fill(int(px >> 16) & 0xFF, int(px >> 8) & 0xFF, int(px) & 0xFF);
}

bool Same(const button::CImageDIB& a, const button::CImageDIB& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if ((a.Pixel(x, y) & 0xFFFFFF) != (b.Pixel(x, y) & 0xFFFFFF)) return false;
  return true;
}

}  // namespace

TEST(TooltipPicture, GradientRunsFromBackTowardGradientColourColumnByColumn) {
  button::CImageDIB image;
  ASSERT_TRUE(image.Create(100, 3));
  // Red 0 -> 200 in steps of 2, green 120 -> 20 in steps of -1, blue stays 7.
  FillGradient(image, 0x07'78'00, 0x07'14'C8);
  for (int x = 0; x < 100; ++x)
    for (int y = 0; y < 3; ++y)
      ASSERT_EQ(image.Pixel(x, y) & 0xFFFFFF, uint32_t((2 * x) << 16 | (120 - x) << 8 | 7)) << x;
  // A step that is not whole truncates: 0 -> 10 over 4 columns gives 0, 2, 5, 7.
  ASSERT_TRUE(image.Create(4, 1));
  FillGradient(image, 0, 10);
  EXPECT_EQ(image.Pixel(0, 0) >> 16 & 0xFF, 0u);
  EXPECT_EQ(image.Pixel(1, 0) >> 16 & 0xFF, 2u);
  EXPECT_EQ(image.Pixel(2, 0) >> 16 & 0xFF, 5u);
  EXPECT_EQ(image.Pixel(3, 0) >> 16 & 0xFF, 7u);
}

TEST(TooltipPicture, BorderIsOnePixelRoundTheEdge) {
  button::CImageDIB image;
  ASSERT_TRUE(image.Create(6, 5));
  FillAll(image, 0x111111);
  DrawBorder(image, 0x0000FF);  // OLE red
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 6; ++x) {
      const bool edge = x == 0 || y == 0 || x == 5 || y == 4;
      EXPECT_EQ(image.Pixel(x, y) & 0xFFFFFF, edge ? 0xFF0000u : 0x111111u) << x << "," << y;
    }
  button::CImageDIB empty;
  DrawBorder(empty, 0);
  FillGradient(empty, 0, 0);
}

class TooltipSlide : public ::testing::TestWithParam<int> {};

// Each slide starts with nothing of the picture in, brings it in from its edge and ends in place.
TEST_P(TooltipSlide, BringsThePictureInFromItsEdgeAndEndsInPlace) {
  const int effect = GetParam();
  const int w = 7, h = 5;
  button::CImageDIB display, final;
  ASSERT_TRUE(display.Create(w, h));
  ASSERT_TRUE(final.Create(w, h));
  FillAll(display, 0x000000);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) final.SetPixel(x, y, uint32_t(1 + x + 10 * y));
  AnimationStep(display, final, effect, 0);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) ASSERT_EQ(display.Pixel(x, y) & 0xFFFFFF, 0u);

  AnimationStep(display, final, effect, 2);
  // After step 2 the two pixels nearest the entry edge show the picture's far side.
  if (effect == kUpToDown) {
    EXPECT_EQ(display.Pixel(3, h - 1), final.Pixel(3, 1));  // top row: the picture's second row from bottom
    EXPECT_EQ(display.Pixel(3, h - 2), final.Pixel(3, 0));
    EXPECT_EQ(display.Pixel(3, h - 3) & 0xFFFFFF, 0u);
  } else if (effect == kLeftToRight) {
    EXPECT_EQ(display.Pixel(0, 2), final.Pixel(w - 2, 2));
    EXPECT_EQ(display.Pixel(1, 2), final.Pixel(w - 1, 2));
    EXPECT_EQ(display.Pixel(2, 2) & 0xFFFFFF, 0u);
  } else {
    EXPECT_EQ(display.Pixel(w - 2, 2), final.Pixel(0, 2));
    EXPECT_EQ(display.Pixel(w - 1, 2), final.Pixel(1, 2));
    EXPECT_EQ(display.Pixel(w - 3, 2) & 0xFFFFFF, 0u);
  }
  AnimationStep(display, final, effect, FrameTotal(effect, w, h));
  EXPECT_TRUE(Same(display, final));
}

INSTANTIATE_TEST_SUITE_P(Effects, TooltipSlide,
                         ::testing::Values(int(kUpToDown), int(kLeftToRight), int(kRightToLeft)));

TEST(TooltipPicture, BlendStepsCompoundTowardTheFinalPicture) {
  button::CImageDIB display, final;
  ASSERT_TRUE(display.Create(4, 2));
  ASSERT_TRUE(final.Create(4, 2));
  FillAll(display, 0x000000);
  FillAll(final, 0xFF8040);
  AnimationStep(display, final, kBlend, 0);
  EXPECT_EQ(display.Pixel(0, 0) & 0xFFFFFF, 0u);
  AnimationStep(display, final, kBlend, 128);  // half-way from black
  EXPECT_EQ(display.Pixel(0, 0) & 0xFFFFFF, 0x7F4020u);
  // Another effect number shows the picture at once.
  AnimationStep(display, final, 9, 0);
  EXPECT_TRUE(Same(display, final));
}

TEST(TooltipPlacement, StaysBelowThePointerInsideTheScreen) {
  struct Case {
    const char* what;
    TooltipPosition anchor;
    int32_t w, h;
    TooltipPosition expected;
  };
  const Case cases[] = {
      {"room enough: at the anchor", {100, 200}, 60, 20, {100, 200}},
      {"near the bottom: above the edge, left of the pointer", {500, 1015}, 60, 20, {440, 1004}},
      {"near the right edge: touching it", {1250, 300}, 60, 20, {1220, 300}},
      {"bottom-left corner: up, then back in from the left", {10, 1020}, 60, 20, {0, 1004}},
      {"larger than the screen: top-left corner", {10, 10}, 2000, 2000, {0, 0}},
      {"far out: no overflow", {INT32_MAX, INT32_MAX}, INT32_MAX, INT32_MAX, {0, 0}},
  };
  for (const Case& c : cases) {
    const TooltipPosition p = KeepOnScreen(c.anchor, c.w, c.h, 1280, 1024);
    EXPECT_EQ(p.x, c.expected.x) << c.what;
    EXPECT_EQ(p.y, c.expected.y) << c.what;
  }
}

namespace {

// A w × m mask whose lowest `blankRows` rows hold the background value and the rest a pointer.
void MakeMask(button::CImageDIB& mask, int w, int m, int blankRows) {
  ASSERT_TRUE(mask.Create(w, m));
  FillAll(mask, 0xFFFFFF);
  for (int y = blankRows; y < m; ++y) mask.SetPixel(w / 2, y, 0);
}

}  // namespace

TEST(TooltipPlacement, PointerOffsetSkipsTheCursorsBlankRows) {
  button::CImageDIB mask;
  // A 32 × 32 colour cursor whose lowest 12 rows are blank, hot spot at row 1: 32 - 12 - 1 + 1.
  MakeMask(mask, 32, 32, 12);
  EXPECT_EQ(PointerOffset(mask, 1, 32), 20);
  EXPECT_EQ(PointerOffset(mask, 1, 16), 16);  // at most the cursor height
  EXPECT_EQ(PointerOffset(mask, 40, 32), 0);  // never above the pointer
  // A monochrome 32 × 64 mask counts against half its height: 32 - 12 - 1 + 1.
  MakeMask(mask, 32, 64, 12);
  EXPECT_EQ(PointerOffset(mask, 1, 32), 20);
  // Every row blank: only the hot spot's own row is left to clear.
  MakeMask(mask, 8, 8, 8);
  EXPECT_EQ(PointerOffset(mask, 0, 32), 1);
  // Any other shape: no offset.
  MakeMask(mask, 32, 48, 0);
  EXPECT_EQ(PointerOffset(mask, 0, 32), 0);
  button::CImageDIB none;
  EXPECT_EQ(PointerOffset(none, 0, 32), 0);
}
