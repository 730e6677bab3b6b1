// The kept composed frames: exact matching, least-recently-used order, the count and byte bounds.
#include <gtest/gtest.h>

#include <vector>

#include "button/control/ButtonRendererFrames.h"

using namespace button;
using button::ButtonPaintProps;
using button::ButtonPaintState;
using button::Size;

namespace {

// One paint's inputs, owned, with a picture of `w` x `h` words counting up from `seed`.
struct Inputs {
  ButtonPaintProps props;
  ButtonPaintState state;
  FrameSetting setting;
  std::vector<uint32_t> pixels;
  int32_t w = 4, h = 3;

  explicit Inputs(Size area = {10, 8}, uint32_t seed = 1) {
    setting.area = area;
    pixels.resize(size_t(w) * h);
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = seed + uint32_t(i);
  }
  FrameInputs View() const { return FrameInputs{props, state, setting, PictureView{pixels.data(), w, h}}; }
};

// Composes (here: only sizes) and keeps a frame for `in`.
CButtonFrameCache::Frame& Keep(CButtonFrameCache& cache, const Inputs& in) {
  std::unique_ptr<CButtonFrameCache::Frame> f = cache.TakeForNew();
  if (f->pixels.Width() != in.setting.area.cx || f->pixels.Height() != in.setting.area.cy)
    f->pixels.Create(in.setting.area.cx, in.setting.area.cy);
  return cache.Add(std::move(f), in.View());
}

uint64_t FrameBytes(Size s) { return uint64_t(s.cx) * uint64_t(s.cy) * 4; }

}  // namespace

TEST(FrameCacheTest, FindsOnlyAFrameOfExactlyEqualInputs) {
  CButtonFrameCache cache;
  Inputs base;
  base.props.Text = L"Caption";
  base.setting.font.present = true;
  base.setting.font.bytes[0] = 13;
  base.setting.surface.objectType = 7;
  CButtonFrameCache::Frame& kept = Keep(cache, base);
  EXPECT_EQ(cache.Find(base.View()), &kept);

  // FastDraw only narrows what reaches the target: the same frame serves.
  Inputs fast = base;
  fast.props.FastDraw = true;
  EXPECT_EQ(cache.Find(fast.View()), &kept);

  // Each input on its own makes another frame.
  std::vector<Inputs> others(9, base);
  others[0].pixels.back() ^= 0x00010000;  // the last word of the picture
  others[1].w = 3;                        // same words, another shape
  others[1].h = 4;
  others[2].props.Text = L"Captiom";
  others[3].props.effects.BackGroundColor ^= 1;
  others[4].state.picture.hover = true;
  others[5].setting.area.cy += 1;
  others[6].setting.font.bytes[95] = 1;
  others[7].setting.font.present = false;
  others[8].setting.surface.bitmapBits = 16;
  for (size_t i = 0; i < others.size(); ++i) EXPECT_EQ(cache.Find(others[i].View()), nullptr) << i;

  // Without a font its description does not count.
  Inputs noFont = base, noFontOther = base;
  noFont.setting.font.present = noFontOther.setting.font.present = false;
  noFontOther.setting.font.bytes[0] = 99;
  CButtonFrameCache::Frame& plain = Keep(cache, noFont);
  EXPECT_EQ(cache.Find(noFontOther.View()), &plain);
}

TEST(FrameCacheTest, DropsTheLeastRecentlyUsedBeyondTheCount) {
  CButtonFrameCache cache(3, uint64_t(1) << 30);
  std::vector<Inputs> in;
  for (uint32_t i = 0; i < 5; ++i) {
    in.emplace_back(Size{10, 8}, 100 * i);
    in.back().props.TextVerticalOffset = int32_t(i);
  }
  Keep(cache, in[0]);
  Keep(cache, in[1]);
  Keep(cache, in[2]);
  ASSERT_NE(cache.Find(in[0].View()), nullptr);  // 0 is now the most recent: 1 is the oldest
  Keep(cache, in[3]);
  EXPECT_EQ(cache.Count(), 3u);
  EXPECT_EQ(cache.Find(in[1].View()), nullptr);
  EXPECT_NE(cache.Find(in[2].View()), nullptr);  // order now 2, 3, 0
  Keep(cache, in[4]);
  EXPECT_EQ(cache.Find(in[0].View()), nullptr);
  EXPECT_NE(cache.Find(in[2].View()), nullptr);
  EXPECT_NE(cache.Find(in[3].View()), nullptr);
  EXPECT_NE(cache.Find(in[4].View()), nullptr);
}

TEST(FrameCacheTest, ReusesTheOldestBufferOnceFull) {
  CButtonFrameCache cache(2, uint64_t(1) << 30);
  Inputs a(Size{10, 8}, 1), b(Size{10, 8}, 2), c(Size{10, 8}, 3);
  const uint32_t* oldest = Keep(cache, a).pixels.m_bits;
  Keep(cache, b);
  std::unique_ptr<CButtonFrameCache::Frame> next = cache.TakeForNew();
  EXPECT_EQ(next->pixels.m_bits, oldest);
  EXPECT_EQ(next->picture, nullptr);  // taken out: its old inputs match nothing
  EXPECT_EQ(cache.Count(), 1u);
  EXPECT_EQ(cache.Find(a.View()), nullptr);
  cache.Add(std::move(next), c.View());
  EXPECT_NE(cache.Find(c.View()), nullptr);
}

TEST(FrameCacheTest, KeepsWithinTheByteBudgetButAlwaysTheNewestFrame) {
  const Size big{100, 100};
  // Room for two big frames and the picture copy they share, not for three.
  CButtonFrameCache cache(6, 2 * FrameBytes(big) + 1000);
  Inputs a(big, 7), b(big, 7), c(big, 7);
  b.state.picture.hover = true;
  c.state.picture.pressed = true;
  Keep(cache, a);
  Keep(cache, b);
  EXPECT_EQ(cache.Count(), 2u);
  EXPECT_EQ(cache.Bytes(), 2 * FrameBytes(big) + a.pixels.size() * 4);  // one shared picture copy
  Keep(cache, c);
  EXPECT_EQ(cache.Count(), 2u);
  EXPECT_EQ(cache.Find(a.View()), nullptr);
  EXPECT_LE(cache.Bytes(), 2 * FrameBytes(big) + 1000);

  // A frame above the whole budget pushes out every other, but stays: it is the one on show.
  Inputs huge(Size{300, 300}, 9);
  CButtonFrameCache::Frame& shown = Keep(cache, huge);
  EXPECT_EQ(cache.Count(), 1u);
  EXPECT_EQ(cache.Find(huge.View()), &shown);
  EXPECT_EQ(shown.pixels.Width(), 300);
}

TEST(FrameCacheTest, DefaultsHoldSixButtonFramesOrTwoFullScreenOnes) {
  CButtonFrameCache cache;
  for (uint32_t i = 0; i < 9; ++i) {
    Inputs in(Size{78, 62}, i);
    Keep(cache, in);
  }
  EXPECT_EQ(cache.Count(), 6u);
  for (uint32_t i = 0; i < 3; ++i) {
    Inputs in(Size{1920, 1080}, 1000 + i);
    Keep(cache, in);
  }
  EXPECT_EQ(cache.Count(), 2u);
  EXPECT_LE(cache.Bytes(), CButtonFrameCache::kDefaultBytes);
}
