// CImageDIB's GDI transfers against real memory device contexts.
#include <gtest/gtest.h>
#include <windows.h>

#include <climits>
#include <vector>

#include "button/pixels/ImageDIB.h"

namespace {

constexpr uint32_t kRed = 0x00FF0000, kBlue = 0x000000FF;

// A memory DC drawing into a 32-bit top-down DIB section whose pixels the test can read.
class Surface {
 public:
  Surface(int w, int h) : m_w(w) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    m_dc = CreateCompatibleDC(nullptr);
    m_bitmap = CreateDIBSection(m_dc, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&m_bits), nullptr, 0);
    m_old = SelectObject(m_dc, m_bitmap);
    PatBlt(m_dc, 0, 0, w, h, WHITENESS);
  }
  ~Surface() {
    SelectObject(m_dc, m_old);
    DeleteObject(m_bitmap);
    DeleteDC(m_dc);
  }
  bool Ok() const { return m_dc && m_bitmap && m_bits; }
  HDC dc() const { return m_dc; }
  uint32_t At(int x, int top) {
    GdiFlush();
    return m_bits[size_t(top) * m_w + x] & 0xFFFFFF;
  }

 private:
  int m_w;
  HDC m_dc = nullptr;
  HBITMAP m_bitmap = nullptr;
  HGDIOBJ m_old = nullptr;
  uint32_t* m_bits = nullptr;
};

TEST(GdiTest, DrawPutsTheLastMemoryRowOnTop) {
  Surface s(4, 4);
  ASSERT_TRUE(s.Ok());
  button::CImageDIB d;
  ASSERT_TRUE(d.Create(1, 2));
  d.SetPixel(0, 0, kRed);
  d.SetPixel(0, 1, kBlue);
  EXPECT_EQ(d.Draw(s.dc(), 1, 1), 2);
  EXPECT_EQ(s.At(1, 1), kBlue);
  EXPECT_EQ(s.At(1, 2), kRed);
  EXPECT_EQ(s.At(0, 0), 0xFFFFFFu);  // nothing outside
  EXPECT_EQ(s.At(1, 3), 0xFFFFFFu);
}

TEST(GdiTest, DrawPartCountsItsSourceFromTheTop) {
  Surface s(4, 4);
  ASSERT_TRUE(s.Ok());
  button::CImageDIB d;
  ASSERT_TRUE(d.Create(3, 3));
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x) d.SetPixel(x, y, uint32_t(0x10 * (y + 1) + x));
  d.DrawPart(s.dc(), 0, 0, 0, 0, 3, 1);  // the top row is memory row 2
  for (int x = 0; x < 3; ++x) EXPECT_EQ(s.At(x, 0), uint32_t(0x30 + x));
  EXPECT_EQ(s.At(0, 1), 0xFFFFFFu);
  d.DrawPart(s.dc(), 1, 1, 2, 2, 2, 2);  // 2x2 from column 1, top row 1
  EXPECT_EQ(s.At(2, 2), 0x21u);
  EXPECT_EQ(s.At(3, 2), 0x22u);
  EXPECT_EQ(s.At(2, 3), 0x11u);
  EXPECT_EQ(d.DrawPart(s.dc(), 0, INT_MIN, 0, 0, 1, 1), 0);  // source row out of reach: nothing
}

TEST(GdiTest, BitmapRoundTripKeepsEveryColour) {
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 37, 5);
  ASSERT_NE(bitmap, nullptr);
  button::CImageDIB a, b;
  ASSERT_TRUE(a.Create(37, 5));
  ASSERT_TRUE(b.Create(37, 5));
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 37; ++x) a.SetPixel(x, y, (uint32_t(x) * 0x0A0705u + uint32_t(y) * 0x330000u) & 0xFFFFFF);
  EXPECT_EQ(a.SetToBitmap(screen, bitmap), 5);
  EXPECT_EQ(b.GetFromBitmap(screen, bitmap), 5);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 37; ++x) ASSERT_EQ(b.Pixel(x, y) & 0xFFFFFF, a.Pixel(x, y)) << x << "," << y;
  // The header still describes the buffer's own block after GDI has used it.
  EXPECT_EQ(b.Info().bmiHeader.biSizeImage, 38u * 6u * 4u);
  DeleteObject(bitmap);
  ReleaseDC(nullptr, screen);
}

TEST(GdiTest, GrabCopiesARectangleAndBlacksOutTheOutside) {
  Surface s(6, 4);
  ASSERT_TRUE(s.Ok());
  button::CImageDIB picture;
  ASSERT_TRUE(picture.Create(6, 4));
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x) picture.SetPixel(x, y, uint32_t(0x010000 * (3 - y) + x));  // value = top row, column
  picture.Draw(s.dc(), 0, 0);
  button::CImageDIB grab;
  ASSERT_TRUE(grab.Create(3, 2));
  EXPECT_EQ(grab.GrabFromDC(s.dc(), 4, 1, 3, 2), 2);
  // Memory row 1 is the grabbed rectangle's top row (surface row 1).
  EXPECT_EQ(grab.Pixel(0, 1) & 0xFFFFFF, 0x010004u);
  EXPECT_EQ(grab.Pixel(1, 1) & 0xFFFFFF, 0x010005u);
  EXPECT_EQ(grab.Pixel(0, 0) & 0xFFFFFF, 0x020004u);
  EXPECT_EQ(grab.Pixel(2, 1) & 0xFFFFFF, 0u);  // beyond the surface's right edge
  // A rectangle taller than the buffer fills only the buffer's rows.
  button::CImageDIB small;
  ASSERT_TRUE(small.Create(2, 1));
  small.GrabFromDC(s.dc(), 0, 0, 2, 4);
  for (size_t i = 2; i < 6; ++i) EXPECT_EQ(small.m_bits[i], 0xFFFFFFFFu);
}

}  // namespace
