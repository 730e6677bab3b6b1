#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "button/pixels/ImageDIB.h"

namespace {

// Rows given top to bottom as displayed; stored bottom-up.
void Load(button::CImageDIB& d, int w, const std::vector<uint32_t>& topDown) {
  const int h = int(topDown.size()) / w;
  ASSERT_TRUE(d.Create(w, h));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) d.SetPixel(x, h - 1 - y, topDown[size_t(y) * w + x]);
}
std::vector<uint32_t> TopDown(const button::CImageDIB& d) {
  std::vector<uint32_t> v;
  for (int y = d.Height() - 1; y >= 0; --y)
    for (int x = 0; x < d.Width(); ++x) v.push_back(d.Pixel(x, y));
  return v;
}
uint32_t Grey(int v) { return uint32_t(v) * 0x010101u; }

TEST(CreateTest, FillsWhiteAndSetsHeader) {
  button::CImageDIB d;
  ASSERT_TRUE(d.Create(3, 2));
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(d.Pixel(x, y), 0xFFFFFFFFu);
  const auto& h = d.Info().bmiHeader;
  EXPECT_EQ(h.biSizeImage, 4u * 3u * 4u);
  EXPECT_EQ(h.biWidth, 3);
  EXPECT_EQ(h.biHeight, 2);
  EXPECT_EQ(h.biBitCount, 32);
  EXPECT_EQ(h.biPlanes, 1);
  EXPECT_EQ(h.biCompression, 0u);
  d.Fill(1, 2, 3);
  for (uint32_t p : TopDown(d)) EXPECT_EQ(p, 0x00010203u);
  // Re-creating replaces the pixels; Destroy empties and a second Destroy is harmless.
  ASSERT_TRUE(d.Create(1, 1));
  EXPECT_EQ(d.Pixel(0, 0), 0xFFFFFFFFu);
  d.Destroy();
  d.Destroy();
  EXPECT_FALSE(d.HasPixels());
  EXPECT_EQ(d.Info().bmiHeader.biSize, 0u);
}

TEST(CreateTest, HostileSizesFailLikeAllocationFailure) {
  for (auto wh : {std::pair<int, int>{-1, 5}, {5, -1}, {INT_MAX, INT_MAX}, {70000, 70000}, {INT_MAX, 0}}) {
    button::CImageDIB d;
    ASSERT_TRUE(d.Create(2, 2));
    EXPECT_FALSE(d.Create(wh.first, wh.second));
    EXPECT_EQ(d.ErrorText, "Allocate memory FAILED. m_bits=0");
    EXPECT_EQ(d.m_bits, nullptr);
    EXPECT_EQ(d.Width(), 0);
    EXPECT_EQ(d.Height(), 0);
  }
  // A zero-sized buffer exists but has no pixels, and every operation on it does nothing.
  button::CImageDIB z, other;
  ASSERT_TRUE(z.Create(0, 4));
  ASSERT_TRUE(other.Create(3, 3));
  EXPECT_FALSE(z.HasPixels());
  z.Fill(1, 2, 3);
  z.Blur(2);
  z.Flip(1, 1);
  z.Gradient4(0, 0, -1, -1, 0, 0, 0, 0, 255, 255, 255, 255);
  z.Buttonize(3, 0, 0, 200);
  z.Desaturate(1, 1, 1);
  z.HLine(0, 0, 5, 1, 1, 1);
  other.BlitFrom(z, 0, 0);
  other.MaskTransparent(&z, 0, 0, 0, 0, 0, 300);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(z.m_bits[i], 0xFFFFFFFFu);
  for (uint32_t p : TopDown(other)) EXPECT_EQ(p, 0xFFFFFFFFu);
}

TEST(DrawingTest, RectanglesClipAtEveryEdge) {
  button::CImageDIB d;
  ASSERT_TRUE(d.Create(10, 10));
  d.Fill(0, 0, 0);
  d.FillRect(-2, -2, 4, 4, 0, 0, 9);
  d.FillRect(8, 0, 5, 1, 0, 0, 7);
  d.FillRect(20, 20, 5, 5, 0, 0, 5);   // entirely outside
  d.FillRect(-50, 3, 10, 1, 0, 0, 5);  // entirely left of the buffer
  d.FillRect(INT_MAX, INT_MAX, INT_MAX, INT_MAX, 0, 0, 5);
  int coloured = 0;
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) {
      const uint32_t p = d.Pixel(x, y);
      if (x < 2 && y < 2)
        EXPECT_EQ(p, 9u);
      else if (y == 0 && x >= 8)
        EXPECT_EQ(p, 7u);
      else
        EXPECT_EQ(p, 0u) << x << "," << y;
      coloured += p != 0;
    }
  EXPECT_EQ(coloured, 6);

  d.Fill(0, 0, 0);
  d.DitherRect(0, 0, 2, 2, 0, 0, 1);
  EXPECT_EQ(d.Pixel(0, 0), 0u);
  EXPECT_EQ(d.Pixel(1, 0), 1u);
  EXPECT_EQ(d.Pixel(0, 1), 1u);
  EXPECT_EQ(d.Pixel(1, 1), 0u);
  // The pattern starts at the clipped rectangle's corner, not at the requested one.
  d.Fill(0, 0, 0);
  d.DitherRect(-1, 0, 3, 1, 0, 0, 1);
  EXPECT_EQ(d.Pixel(0, 0), 0u);
  EXPECT_EQ(d.Pixel(1, 0), 1u);
}

TEST(FlipTest, MirrorsOddAndEvenSizes) {
  button::CImageDIB d;
  Load(d, 1, {'A', 'B', 'C'});
  d.Flip(1, 0);
  EXPECT_EQ(TopDown(d), (std::vector<uint32_t>{'C', 'B', 'A'}));
  Load(d, 4, {'A', 'B', 'C', 'D'});
  d.Flip(0, 1);
  EXPECT_EQ(TopDown(d), (std::vector<uint32_t>{'D', 'C', 'B', 'A'}));
  Load(d, 2, {1, 2, 3, 4});
  d.Flip(1, 1);
  EXPECT_EQ(TopDown(d), (std::vector<uint32_t>{4, 3, 2, 1}));
  Load(d, 3, {1, 2, 3, 4, 5, 6, 7, 8, 9});
  d.Flip(2, -1);  // only a 1 counts
  EXPECT_EQ(TopDown(d), (std::vector<uint32_t>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
  d.Flip(1, 1);
  EXPECT_EQ(TopDown(d), (std::vector<uint32_t>{9, 8, 7, 6, 5, 4, 3, 2, 1}));
}

TEST(PixelOpsTest, ArithmeticAtTheByteLimits) {
  button::CImageDIB a, b;
  auto run = [&](uint32_t x, uint32_t y, void (button::CImageDIB::*op)(const button::CImageDIB&)) {
    Load(a, 1, {x});
    Load(b, 1, {y});
    (a.*op)(b);
    return a.Pixel(0, 0);
  };
  EXPECT_EQ(run(0x00FFFFFF, 0x00FFFFFF, &button::CImageDIB::Multiply), 0x00FEFEFEu);
  EXPECT_EQ(run(0, 0, &button::CImageDIB::Screen), 0x00010101u);
  EXPECT_EQ(run(0x00FFFFFF, 0x00FFFFFF, &button::CImageDIB::Blend50), 0x00FEFEFEu);
  EXPECT_EQ(run(0x12C86432, 0x00649696, &button::CImageDIB::Add), 0x12FFFAC8u);
  EXPECT_EQ(run(0x77FF0010, 0x01000110, &button::CImageDIB::Blend50), 0x007F0010u);  // whole word, byte 3 cleared

  Load(a, 1, {0x00102030});
  Load(b, 1, {0x00F0E0D0});
  a.BlendWith(b, 0);
  EXPECT_EQ(a.Pixel(0, 0), 0x00102030u);
  a.BlendWith(b, 255);
  EXPECT_EQ(a.Pixel(0, 0), 0x00EFDFCFu);  // within one step of the other
  Load(a, 1, {0xAA0A141E});
  a.Desaturate(1, 1, 1);
  EXPECT_EQ(a.Pixel(0, 0), Grey(20));
}

TEST(PixelOpsTest, BlurWorksInPlace) {
  button::CImageDIB d;
  Load(d, 1, {0x00123456});
  d.Blur(0);
  EXPECT_EQ(d.Pixel(0, 0), 0x00123456u);
  Load(d, 2, {0, Grey(90)});
  d.Blur(0);
  EXPECT_EQ(TopDown(d), (std::vector<uint32_t>{Grey(45), Grey(67)}));
  // The row below already holds this pass's values: 2 high, 1 wide.
  Load(d, 1, {Grey(90), Grey(0)});
  d.Blur(0);
  EXPECT_EQ(TopDown(d), (std::vector<uint32_t>{Grey(67), Grey(45)}));
  Load(d, 2, {0, Grey(90)});
  d.Blur(-1);  // no passes
  d.Blur(INT_MIN);
  EXPECT_EQ(TopDown(d), (std::vector<uint32_t>{0, Grey(90)}));
}

TEST(PixelOpsTest, BlendTextLooksAtBlueAndLowGreenOnly) {
  button::CImageDIB pic, text;
  Load(pic, 4, {0xFF000000, 0x0000F000, 0x00000000, 0xFF000000});
  Load(text, 4, {0x00FF0000, 0x00000000, 0x00FF0100, 0x00FF0001});
  pic.BlendText(text, 128);
  // A red difference, or one in the high green bits, does not count; a low green or a blue one does.
  EXPECT_EQ(TopDown(pic), (std::vector<uint32_t>{0xFF000000, 0x0000F000, 0x007F0000, 0x007F0000}));
}

TEST(PixelOpsTest, Gradient4StopsOneStepShortOfTheFarCorners) {
  button::CImageDIB d;
  ASSERT_TRUE(d.Create(4, 4));
  d.Fill(0, 0, 0);
  // White everywhere, opacity 0 at the top-left growing to 255 towards the bottom and the right.
  d.Gradient4(0, 0, -1, -1, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0, 255, 255, 255);
  const auto v = TopDown(d);
  EXPECT_EQ(v[0], 0u);                       // top-left: opacity 0
  EXPECT_EQ(v[12], Grey((255 * 191) >> 8));  // bottom-left: opacity 191 = 3/4 of 255
  EXPECT_EQ(v[3], Grey((255 * 191) >> 8));   // top-right: 3/4 of the way across
  // Only a rectangle, counted from the bottom row: rows 1..2, columns 1..2 change.
  ASSERT_TRUE(d.Create(4, 4));
  d.Fill(0, 0, 0);
  d.Gradient4(1, 1, 2, 2, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 255, 255, 255, 255);
  EXPECT_EQ(TopDown(d),
            (std::vector<uint32_t>{0, 0, 0, 0, 0, Grey(254), Grey(254), 0, 0, Grey(254), Grey(254), 0, 0, 0, 0, 0}));
}

TEST(PixelOpsTest, ButtonizeShadesEdgesAndSplitsTwoCorners) {
  button::CImageDIB d;
  ASSERT_TRUE(d.Create(8, 8));
  d.Fill(128, 128, 128);
  d.Buttonize(2, 0x000000, 0xFFFFFF, 110);
  const auto v = TopDown(d);
  auto at = [&](int x, int top) { return int(v[size_t(top) * 8 + x] & 255); };
  EXPECT_LT(at(0, 3), 128);       // left edge dark
  EXPECT_LT(at(3, 0), 128);       // top edge dark
  EXPECT_GT(at(7, 3), 128);       // right edge light
  EXPECT_GT(at(3, 7), 128);       // bottom edge light
  EXPECT_EQ(at(3, 3), 128);       // inside untouched
  EXPECT_LT(at(0, 6), 128);       // bottom-left corner: dark above the diagonal ...
  EXPECT_GT(at(0, 7), 128);       // ... light on it
  EXPECT_GT(at(7, 1), 128);       // top-right corner: light below the diagonal ...
  EXPECT_LT(at(6, 0), 128);       // ... dark left of it
  EXPECT_LT(at(0, 0), at(1, 1));  // the outer ring is stronger than the inner one
}

TEST(PixelOpsTest, ColorMatchToleranceIncludesBothEnds) {
  EXPECT_TRUE(button::CImageDIB::ColorMatch(10, 42, 0, 42, 10, 32, 32));
  EXPECT_FALSE(button::CImageDIB::ColorMatch(9, 42, 0, 42, 10, 32, 32));
  EXPECT_FALSE(button::CImageDIB::ColorMatch(0, 0, 0, 0, 0, 0, -1));
  EXPECT_FALSE(button::CImageDIB::ColorMatch(INT_MIN, 0, 0, INT_MAX, 0, 0, INT_MAX));
  EXPECT_TRUE(button::CImageDIB::ColorMatch(INT_MIN + 1, 0, 0, 0, 0, 0, INT_MAX));
}

}  // namespace
