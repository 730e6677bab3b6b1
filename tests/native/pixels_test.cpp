#include <gtest/gtest.h>

#include "button/pixels/ImageDIB.h"

TEST(CreateTest, FillsWhiteAndSetsHeader) {
  CImageDIB d;
  ASSERT_TRUE(d.Create(3, 2));
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(d.Pixel(x, y), 0xFFFFFFFFu);
  EXPECT_EQ(d.Info().bmiHeader.biSizeImage, 4u * 3u * 4u);
}
