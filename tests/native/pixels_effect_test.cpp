// The effect pass: which steps run in which state, and the filters' results at their limits.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "button/pixels/EffectPass.h"
#include "button/pixels/ImageDIB.h"

namespace {

// A picture with every channel value somewhere, and its work buffer.
struct Frame {
  button::CImageDIB render, work;
  explicit Frame(int w = 16, int h = 16) {
    EXPECT_TRUE(render.Create(w, h));
    EXPECT_TRUE(work.Create(w, h));
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) render.SetPixel(x, y, uint32_t(x * 17 + y * 0x1F00 + (x * y % 256) * 0x10000));
  }
  std::vector<uint32_t> Pixels() const {
    return std::vector<uint32_t>(render.m_bits, render.m_bits + render.Width() * render.Height());
  }
};

int Channel(uint32_t p, int i) { return int((p >> (8 * i)) & 255); }

// The Effects page shows these texts; containers and users know the filters by them.
TEST(EffectTablesTest, LabelsHelpLinesDefaultsAndClamps) {
  const char* const two = "First source=[Picture]. Second source colour=[Back]";
  const char* const flood = "Sailled floods one of the sides of picture by the colour=[Back]";
  const char* const bevel = "Does a volume on the picture like the button";
  const char* const filters[24][2] = {
      {"NONE", "No effect."},
      {"Difference", two},
      {"Lighten", two},
      {"Multiply", two},
      {"Blend 50%", two},
      {"Add", two},
      {"Screen", two},
      {"Darken", two},
      {"Desaturate", "Does picture monochrome."},
      {"Blur", "Smudges a picture."},
      {"Smooth", "Powerfully smudges a picture."},
      {"ArtGallery 1", flood},
      {"ArtGallery 2", flood},
      {"ArtGallery 3", flood},
      {"ArtGallery 4", flood},
      {"ArtGallery 5", "Color effect. (colour to change it is impossible)"},
      {"ArtGallery 6", "Color effect 2. (colour to change it is impossible)"},
      {"Thin border", "Frame by thickness in 1 pixel colour=[Back]"},
      {"Buttonize (min-down)", bevel},
      {"Buttonize (min-up)", bevel},
      {"Buttonize (max-down)", bevel},
      {"Buttonize (max-up)", bevel},
      {"Mask Transparent", "Allows to do colour=[Mask] transparent using index=[Color Mask]"},
      {"Mask Transparent 2", "(Invert) Allows to do colour=[Mask] transparent using index=[Color Mask]"},
  };
  for (int f = 0; f < 24; ++f) {
    EXPECT_STREQ(button::EffectFilterLabel(f), filters[f][0]) << f;
    EXPECT_STREQ(button::EffectFilterHelp(f), filters[f][1]) << f;
  }
  EXPECT_EQ(button::EffectFilterLabel(24), nullptr);
  EXPECT_EQ(button::EffectFilterHelp(-1), nullptr);
  const char* const applyTo[7] = {"ALL IMAGES", "Normal image",  "Over image", "Normal & Over",
                                  "Down image", "Disable image", "On Focus"};
  for (int v = 0; v < 7; ++v) EXPECT_STREQ(button::EffectApplyToLabel(v), applyTo[v]) << v;
  EXPECT_EQ(button::EffectApplyToLabel(7), nullptr);
  EXPECT_EQ(button::EffectApplyToLabel(-1), nullptr);

  const button::EffectSettings defaults;
  EXPECT_EQ(defaults.EffectFilter, 0);
  EXPECT_EQ(defaults.EffectApplyTo, 0);
  EXPECT_EQ(defaults.BackGroundColor, 0x00C08E00u);
  EXPECT_EQ(defaults.MaskColor, 0x000000FAu);
  EXPECT_FALSE(defaults.EffectColorMask);
  EXPECT_EQ(defaults.EffectColorMaskValue, 100);
  EXPECT_FALSE(defaults.EffectGlobalBlend);
  EXPECT_EQ(defaults.EffectGlobalBlendValue, 127);

  EXPECT_EQ(button::ClampEffectAmount(300), 255);
  EXPECT_EQ(button::ClampEffectAmount(-5), 0);
  EXPECT_EQ(button::ClampEffectFilter(-3), 0);
  EXPECT_EQ(button::ClampEffectFilter(99), 99);
  EXPECT_EQ(button::ClampButtonMode(6), 0);
  EXPECT_EQ(button::ClampButtonMode(5), 5);
  button::EffectSettings s;
  s.EffectFilter = -1;
  s.EffectColorMaskValue = 1000;
  s.EffectGlobalBlendValue = -1;
  s.EffectApplyTo = -4;  // any apply-to value is kept
  button::ClampEffectSettings(s);
  EXPECT_EQ(s.EffectFilter, 0);
  EXPECT_EQ(s.EffectColorMaskValue, 255);
  EXPECT_EQ(s.EffectGlobalBlendValue, 0);
  EXPECT_EQ(s.EffectApplyTo, -4);
}

TEST(EffectPassTest, ApplyToRule) {
  using S = button::ShownPicture;
  struct Case {
    S shown;
    bool pressed, hover, focus;
    const char* admitted;  // 0 .. 6 between the checks of the values below 0 and above 6
  } cases[] = {
      {S::Normal, false, false, false, "-1101000+"}, {S::Normal, false, true, false, "-1011000+"},
      {S::Normal, true, false, false, "-1001100+"},  {S::Over, false, false, false, "-1011000+"},
      {S::Down, false, false, false, "-1000100+"},   {S::Disable, false, false, true, "-1000011+"},
      {S::Blank, false, false, false, "-1000000+"},
  };
  for (const auto& c : cases) {
    const button::PictureState st{c.shown, c.pressed, c.hover, c.focus, 0};
    std::string got = "-";
    for (int v = 0; v <= 6; ++v) got += button::ApplyToAdmits(v, st) ? '1' : '0';
    got += button::ApplyToAdmits(7, st) && button::ApplyToAdmits(300, st) && !button::ApplyToAdmits(-1, st) ? "+" : "?";
    EXPECT_EQ(got, c.admitted) << int(c.shown) << c.pressed << c.hover << c.focus;
  }
}

TEST(EffectPassTest, FilterFollowsApplyToWhileTintAndBlendStay) {
  button::EffectSettings s;
  s.EffectFilter = 8;  // Desaturate
  s.EffectApplyTo = 1;
  s.EffectColorMask = true;
  s.EffectGlobalBlend = true;
  button::PictureState over;
  over.hover = true;

  Frame a, b;
  button::RunEffectPass(a.render, a.work, s, over);
  b.render.Tint(250, 0, 0, 100);  // the default mask colour and value
  b.work.Fill(0, 142, 192);       // the default Back colour
  b.render.BlendWith(b.work, 127);
  EXPECT_EQ(a.Pixels(), b.Pixels());

  Frame c, d;
  button::RunEffectPass(c.render, c.work, s, button::PictureState{});  // normal, not hovered: the filter runs too
  d.render.Desaturate(1, 1, 1);
  d.render.Tint(250, 0, 0, 100);
  d.work.Fill(0, 142, 192);
  d.render.BlendWith(d.work, 127);
  EXPECT_EQ(c.Pixels(), d.Pixels());
}

TEST(EffectPassTest, NothingRunsWithoutWorkBufferOrWithNothingOn) {
  button::EffectSettings s;
  s.EffectFilter = 17;
  Frame a;
  const auto before = a.Pixels();
  button::CImageDIB none;
  button::RunEffectPass(a.render, none, s, button::PictureState{});
  EXPECT_EQ(a.Pixels(), before);
  s.EffectFilter = 0;
  button::RunEffectPass(a.render, a.work, s, button::PictureState{});
  EXPECT_EQ(a.Pixels(), before);
  EXPECT_EQ(a.work.Pixel(0, 0), 0xFFFFFFFFu);  // not even filled
  EXPECT_FALSE(button::EffectPassWanted(s, button::PictureState{}));
  // A work buffer of another size: two-source filters leave the picture alone.
  button::CImageDIB small;
  ASSERT_TRUE(small.Create(3, 3));
  for (int f = 1; f <= 23; ++f) {
    Frame b;
    s.EffectFilter = short(f);
    button::RunEffectPass(b.render, small, s, button::PictureState{});
    if (f <= 7) {
      EXPECT_EQ(b.Pixels(), before) << f;
    }
  }
}

TEST(EffectPassTest, PartnerFiltersAtTheirNeutralColours) {
  button::EffectSettings s;
  auto run = [&](short filter, uint32_t back) {
    Frame f;
    s.EffectFilter = filter;
    s.BackGroundColor = back;
    button::RunEffectPass(f.render, f.work, s, button::PictureState{});
    return f.Pixels();
  };
  const auto original = Frame().Pixels();
  EXPECT_EQ(run(5, 0x000000), original);  // Add black
  EXPECT_EQ(run(7, 0xFFFFFF), original);  // Darken white
  EXPECT_EQ(run(2, 0x000000), original);  // Lighten black
  const auto multiplied = run(3, 0xFFFFFF);
  for (size_t i = 0; i < original.size(); ++i)
    for (int c = 0; c < 3; ++c) {
      const int diff = Channel(original[i], c) - Channel(multiplied[i], c);
      EXPECT_TRUE(diff == 0 || diff == 1) << i;
    }
}

TEST(EffectPassTest, ThinBorderAndMaskTransparency) {
  button::EffectSettings s;
  s.EffectFilter = 17;
  s.BackGroundColor = 0x0000FF;  // red
  Frame one(1, 1);
  button::RunEffectPass(one.render, one.work, s, button::PictureState{});
  EXPECT_EQ(one.render.Pixel(0, 0), 0x00FF0000u);

  // Key colour red 250 (COLORREF 0xFA); pixels within 32 on every channel are keyed.
  Frame f(4, 1);
  const uint32_t px[4] = {0x00FA0000, 0x00DA2020, 0x00D90000, 0x00FA0021};
  for (int x = 0; x < 4; ++x) f.render.SetPixel(x, 0, px[x]);
  s.EffectFilter = 22;
  s.MaskColor = 0x0000FA;
  s.EffectColorMaskValue = 0;
  s.BackGroundColor = 0x00C08E00;  // pixel 0x00008EC0
  s.EffectGlobalBlend = true;      // the work buffer must hold Back again for the blend
  s.EffectGlobalBlendValue = 0;
  button::RunEffectPass(f.render, f.work, s, button::PictureState{});
  EXPECT_EQ(f.render.Pixel(0, 0), 0x00008EC0u);
  EXPECT_EQ(f.render.Pixel(1, 0), 0x00008EC0u);
  EXPECT_EQ(f.render.Pixel(2, 0), 0x00D80000u);  // red 33 away: the picture at opacity 255 over Back
  EXPECT_EQ(f.render.Pixel(3, 0), 0x00F90021u);  // blue 33 away
  EXPECT_EQ(f.work.Pixel(0, 0), 0x00008EC0u);

  Frame g(4, 1);
  for (int x = 0; x < 4; ++x) g.render.SetPixel(x, 0, px[x]);
  s.EffectFilter = 23;  // only the keyed pixels show, at 255 - value
  button::RunEffectPass(g.render, g.work, s, button::PictureState{});
  EXPECT_EQ(g.render.Pixel(0, 0), 0x00F90000u);
  EXPECT_EQ(g.render.Pixel(2, 0), 0x00008EC0u);
  EXPECT_EQ(g.render.Pixel(3, 0), 0x00008EC0u);
}

// Each filter number runs its own operation with its own arguments, and leaves the work buffer
// holding Back for the later steps.
TEST(EffectPassTest, EachFilterRunsItsOperation) {
  button::EffectSettings s;
  s.BackGroundColor = 0x00306090;  // pixel 0x00906030
  s.MaskColor = 0x00101010;
  s.EffectColorMaskValue = 40;
  const uint32_t back = s.BackGroundColor, grey = 0x808080;
  const std::function<void(button::CImageDIB&, button::CImageDIB&)> expected[24] = {
      [](button::CImageDIB&, button::CImageDIB&) {},
      [](button::CImageDIB& r, button::CImageDIB& w) { r.Difference(w); },
      [](button::CImageDIB& r, button::CImageDIB& w) { r.Lighten(w); },
      [](button::CImageDIB& r, button::CImageDIB& w) { r.Multiply(w); },
      [](button::CImageDIB& r, button::CImageDIB& w) { r.Blend50(w); },
      [](button::CImageDIB& r, button::CImageDIB& w) { r.Add(w); },
      [](button::CImageDIB& r, button::CImageDIB& w) { r.Screen(w); },
      [](button::CImageDIB& r, button::CImageDIB& w) { r.Darken(w); },
      [](button::CImageDIB& r, button::CImageDIB&) { r.Desaturate(1, 1, 1); },
      [](button::CImageDIB& r, button::CImageDIB&) { r.Blur(0); },
      [](button::CImageDIB& r, button::CImageDIB&) { r.Blur(3); },
      [&](button::CImageDIB& r, button::CImageDIB&) {
        r.Gradient4(0, 0, 16, 12, back, back, grey, grey, 255, 255, 0, 0);
      },
      [&](button::CImageDIB& r, button::CImageDIB&) {
        r.Gradient4(0, 0, 16, 12, grey, grey, back, back, 0, 0, 255, 255);
      },
      [&](button::CImageDIB& r, button::CImageDIB&) {
        r.Gradient4(0, 0, 16, 12, grey, back, grey, back, 0, 255, 0, 255);
      },
      [&](button::CImageDIB& r, button::CImageDIB&) {
        r.Gradient4(0, 0, 16, 12, back, grey, back, grey, 255, 0, 255, 0);
      },
      [](button::CImageDIB& r, button::CImageDIB&) {
        r.Gradient4(0, 0, 16, 12, 0xFFFFFF, 0x00FF00, 0x0000FF, 0xFF0000, 128, 80, 80, 80);
      },
      [](button::CImageDIB& r, button::CImageDIB&) {
        r.Gradient4(0, 0, 16, 12, 0x00FFFF, 0x0000FF, 0xFF0000, 0x00FF00, 180, 180, 180, 180);
      },
      [](button::CImageDIB& r, button::CImageDIB&) {
        for (int x = 0; x < 16; ++x) r.SetPixel(x, 0, 0x00906030), r.SetPixel(x, 11, 0x00906030);
        for (int y = 0; y < 12; ++y) r.SetPixel(0, y, 0x00906030), r.SetPixel(15, y, 0x00906030);
      },
      [](button::CImageDIB& r, button::CImageDIB&) { r.Buttonize(5, 0x000000, 0xFFFFFF, 180); },
      [](button::CImageDIB& r, button::CImageDIB&) { r.Buttonize(5, 0xFFFFFF, 0x000000, 180); },
      [](button::CImageDIB& r, button::CImageDIB&) { r.Buttonize(12, 0x000000, 0xFFFFFF, 110); },
      [](button::CImageDIB& r, button::CImageDIB&) { r.Buttonize(12, 0xFFFFFF, 0x000000, 110); },
      [](button::CImageDIB& r, button::CImageDIB& w) {
        w.MaskTransparent(&r, 0, 0, 255, 40, 0x00101010, 32);
        r.CopyFrom(w);
      },
      [](button::CImageDIB& r, button::CImageDIB& w) {
        w.MaskTransparent(&r, 0, 0, 0, 215, 0x00101010, 32);
        r.CopyFrom(w);
      },
  };
  for (int f = 0; f < 24; ++f) {
    Frame a(16, 12), b(16, 12);
    s.EffectFilter = short(f);
    a.work.Fill(0x90, 0x60, 0x30);
    b.work.Fill(0x90, 0x60, 0x30);
    button::ApplyEffectFilter(a.render, a.work, s);
    expected[f](b.render, b.work);
    EXPECT_EQ(a.Pixels(), b.Pixels()) << "filter " << f;
    for (int y = 0; y < 12; ++y)
      for (int x = 0; x < 16; ++x) ASSERT_EQ(a.work.Pixel(x, y), 0x00906030u) << "filter " << f;
  }
}

// In a bevel mode every step runs, in order: filter, bevel, colour mask, global blend.
TEST(EffectPassTest, StepsRunInOrderInABevelMode) {
  button::EffectSettings s;
  s.EffectFilter = 8;
  s.EffectColorMask = true;
  s.EffectGlobalBlend = true;
  button::PictureState st;
  st.buttonMode = 2;
  st.shown = button::ShownPicture::Down;
  Frame a, b;
  button::RunEffectPass(a.render, a.work, s, st);
  b.render.Desaturate(1, 1, 1);
  b.render.Buttonize(2, 0x000000, 0xFFFFFF, 110);
  b.render.Tint(250, 0, 0, 100);
  b.work.Fill(0, 142, 192);
  b.render.BlendWith(b.work, 127);
  EXPECT_EQ(a.Pixels(), b.Pixels());
}

TEST(EffectPassTest, BevelModesRaiseAndSink) {
  button::EffectSettings s;
  s.EffectFilter = 0;
  for (short mode : {2, 5}) {
    for (bool pressed : {false, true}) {
      button::PictureState st;
      st.buttonMode = mode;
      st.pressed = pressed;
      EXPECT_EQ(button::EffectCode(s, st), pressed ? 180 : 190);
      EXPECT_TRUE(button::EffectPassWanted(s, st));
      Frame a, b;
      button::RunEffectPass(a.render, a.work, s, st);
      if (pressed)
        b.render.Buttonize(2, 0x000000, 0xFFFFFF, 110);
      else
        b.render.Buttonize(2, 0xFFFFFF, 0x000000, 110);
      EXPECT_EQ(a.Pixels(), b.Pixels()) << mode << pressed;
    }
  }
  // Outside the bevel modes a filter number of 180 or 190 is just an unknown filter.
  s.EffectFilter = 180;
  Frame c;
  const auto before = c.Pixels();
  button::RunEffectPass(c.render, c.work, s, button::PictureState{});
  EXPECT_EQ(c.Pixels(), before);
}

}  // namespace
