// The colour picker of the Colors page and the Effects page's preview, without a dialog.
#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "button/control/ZephonButtonCtrlProps.h"
#include "button/pages/ColorPicker.h"
#include "button/pages/ColorsPageRules.h"
#include "button/pages/EffectsPageRules.h"
#include "button/pixels/EffectPass.h"
#include "button/pixels/ImageDIB.h"

using namespace button;

namespace {

uint32_t Word(int r, int g, int b) { return uint32_t(r) << 16 | uint32_t(g) << 8 | uint32_t(b); }
uint32_t Word(const PickerColor& c) { return Word(c.r, c.g, c.b); }

void ExpectColor(const PickerColor& c, int r, int g, int b) {
  EXPECT_EQ(c.r, r);
  EXPECT_EQ(c.g, g);
  EXPECT_EQ(c.b, b);
}

}  // namespace

TEST(ColorPicker, PlaneClicksSetTheTwoPlaneChannelsForEachSlider) {
  CColorPicker p;
  ExpectColor(p.Current(), 16, 132, 164);
  // Top-left corner of the plane, slider red: G 255, B 0.
  ASSERT_TRUE(p.Track(6, 18));
  ExpectColor(p.Current(), 16, 255, 0);
  p.EndDrag();
  // Slider green: rows are red, columns blue; far right and below the plane clamp to the edge.
  p.ChooseSliderChannel(1);
  EXPECT_EQ(p.SliderValue(), 255);
  ASSERT_TRUE(p.Track(134, 148));
  ExpectColor(p.Current(), 1, 255, 254);
  p.EndDrag();
  // Slider blue: columns red, rows green.
  p.ChooseSliderChannel(2);
  ASSERT_TRUE(p.Track(6 + 50, 18 + 10));
  ExpectColor(p.Current(), 100, 235, 254);
  p.EndDrag();
  EXPECT_FALSE(p.Track(3, 3));  // outside both
  EXPECT_FALSE(p.Dragging());
}

TEST(ColorPicker, StripSetsTheSliderChannelAndDragsStayWhereTheyBegan) {
  CColorPicker p;
  ASSERT_TRUE(p.Track(140, 18 + 27));  // on the strip: value 255 - 54
  EXPECT_EQ(p.SliderValue(), 201);
  ExpectColor(p.Current(), 201, 132, 164);
  // Still dragging the strip: moving over the plane moves the slider, not the plane colour.
  ASSERT_TRUE(p.Track(20, 18));
  ExpectColor(p.Current(), 255, 132, 164);
  p.EndDrag();
  // A plane drag that wanders over the strip does not move the slider.
  ASSERT_TRUE(p.Track(20, 18 + 100));
  EXPECT_FALSE(p.Track(140, 18));
  ExpectColor(p.Current(), 255, 55, 28);
  EXPECT_EQ(p.SliderValue(), 255);
}

TEST(ColorPicker, NumberBoxesClampAndTheSliderFollowsItsChannel) {
  CColorPicker p;
  p.SetChannel(0, 300);
  ExpectColor(p.Current(), 255, 132, 164);
  EXPECT_EQ(p.SliderValue(), 255);
  p.SetChannel(1, -5);
  ExpectColor(p.Current(), 255, 0, 164);
  EXPECT_EQ(p.SliderValue(), 255);
  p.SetChannel(7, 10);  // no such channel: nothing changes
  ExpectColor(p.Current(), 255, 0, 164);
  p.Load(0x00332211);
  ExpectColor(p.Loaded(), 0x11, 0x22, 0x33);
  ExpectColor(p.Current(), 0x11, 0x22, 0x33);
  EXPECT_EQ(p.SliderValue(), 0x11);
  EXPECT_EQ(p.Current().ColorRef(), 0x00332211u);
}

TEST(ColorPicker, FineModeShadesTheBaseAndHandsItsColourBack) {
  CColorPicker p;
  // Row 0, last column: 255 - trunc(254/255 * (255 - C)) for each channel of (16, 132, 164).
  ExpectColor(CColorPicker::FineColor(p.Base(), 254, 0), 17, 133, 165);
  ExpectColor(CColorPicker::FineColor(p.Base(), 0, 0), 255, 255, 255);
  p.SetFineMode(true);
  ASSERT_TRUE(p.Track(6 + 127, 18));
  ExpectColor(p.Current(), 17, 133, 165);
  ExpectColor(p.Base(), 16, 132, 164);  // the plane keeps its centre
  p.Recentre();
  ExpectColor(p.Base(), 17, 133, 165);
  EXPECT_EQ(p.SliderValue(), 17);
  p.EndDrag();
  ASSERT_TRUE(p.Track(6 + 40, 18 + 100));
  const PickerColor fine = p.Current();
  p.SetFineMode(false);
  EXPECT_TRUE(p.Base() == fine);
  EXPECT_EQ(p.SliderValue(), fine.r);
}

TEST(ColorPicker, PictureHasPlaneStripMarkerSliderLineAndFrame) {
  CColorPicker p;
  button::CImageDIB out;
  ASSERT_TRUE(p.Draw(out));
  ASSERT_EQ(out.Width(), 140);
  ASSERT_EQ(out.Height(), 129);
  EXPECT_EQ(out.Pixel(10, 20), Word(16, 40, 20));       // slider red: (R = slider, G = row, B = column)
  EXPECT_EQ(out.Pixel(132, 100), Word(200, 132, 164));  // strip: the base with red replaced by the row value
  EXPECT_EQ(out.Pixel(135, 8), Word(255, 255, 0));      // slider 16 marked at row 8
  EXPECT_EQ(out.Pixel(129, 8), Word(16, 132, 164));     // left of the yellow line
  for (int y : {0, 64, 128}) {
    EXPECT_EQ(out.Pixel(0, y), 0u);
    EXPECT_EQ(out.Pixel(128, y), 0u);
    EXPECT_EQ(out.Pixel(139, y), 0u);
  }
  EXPECT_EQ(out.Pixel(60, 128), 0u);
  // The marker, dithered in the inverted base colour around (B/2, G/2) = (82, 66).
  int marked = 0;
  for (int y = 64; y <= 68; ++y)
    for (int x = 80; x <= 84; ++x) marked += out.Pixel(x, y) == Word(239, 123, 91);
  EXPECT_GE(marked, 10);
  EXPECT_EQ(out.Pixel(79, 66) == Word(239, 123, 91), false);

  // Fine: the same shading the mouse picks, displayed rows from the top; no marker.
  p.SetFineMode(true);
  ASSERT_TRUE(p.Draw(out));
  for (int d : {1, 37, 126})
    for (int x : {1, 5, 64, 127})  // inside the frame
      EXPECT_EQ(out.Pixel(x, 127 - d), Word(CColorPicker::FineColor(p.Base(), 2 * x, d))) << x << "," << d;
}

TEST(ColorsPage, ItemsBindTheSevenColourProperties) {
  std::set<int> edits;
  for (int i = 0; i < button::kItemCount; ++i) {
    const PageBinding& b = button::ColorsBindings()[i];
    EXPECT_EQ(button::ItemEdit(i), b.id);
    EXPECT_EQ(button::ItemOfRadio(button::ItemRadio(i)), i);
    EXPECT_TRUE(edits.insert(b.id).second);
    const button::PropertyInfo* prop = button::FindByName(b.property);
    ASSERT_NE(prop, nullptr) << i;
    EXPECT_EQ(prop->Type, button::PropType::Color) << i;
  }
  EXPECT_STREQ(button::ColorsBindings()[0].property, L"BackGroundColor");
  EXPECT_STREQ(button::ColorsBindings()[6].property, L"TextColor");
  EXPECT_EQ(button::ItemRadio(0), 399);
  EXPECT_EQ(button::ItemRadio(6), 411);
  EXPECT_EQ(button::ItemOfRadio(400), -1);
}

TEST(EffectsPage, BindingsNameControlPropertiesAndRangeTheAmounts) {
  for (size_t i = 0; i < button::EffectsBindingCount(); ++i) {
    const PageBinding& b = button::EffectsBindings()[i];
    const button::PropertyInfo* prop = button::FindByName(b.property);
    ASSERT_NE(prop, nullptr) << b.id;
    const button::PropType want = b.kind == BindKind::Check       ? button::PropType::Bool
                                  : b.kind == BindKind::EditColor ? button::PropType::Color
                                                                  : button::PropType::Short;
    EXPECT_EQ(prop->Type, want) << b.id;
    const bool amount = b.id == 392 || b.id == 394;
    EXPECT_EQ(b.ranged, amount) << b.id;
    if (amount) {
      EXPECT_EQ(b.minValue, 0);
      EXPECT_EQ(b.maxValue, 255);
    }
  }
  EXPECT_EQ(button::EffectsBindingCount(), 8u);
  EXPECT_EQ(button::StepAmount(255, true), 255);
  EXPECT_EQ(button::StepAmount(0, false), 0);
  EXPECT_EQ(button::StepAmount(41, true), 42);
  EXPECT_EQ(button::StepAmount(41, false), 40);
  EXPECT_EQ(button::StepAmount(900, false), 255);
}

namespace {

void FillSample(button::CImageDIB& img) {
  ASSERT_TRUE(img.Create(68, 78));
  for (int y = 0; y < 78; ++y)
    for (int x = 0; x < 68; ++x) img.SetPixel(x, y, Word(x * 3, y * 3, (x + y) & 255));
}

int FilterNamed(const char* label) {
  for (int i = 0; i < button::kEffectFilterCount; ++i)
    if (std::strcmp(button::EffectFilterLabel(i), label) == 0) return i;
  return -1;
}

}  // namespace

TEST(EffectsPreview, IsTheControlsEffectPassWithoutApplyToOrBevel) {
  for (int filter = 0; filter < button::kEffectFilterCount; ++filter) {
    button::CImageDIB preview, expected, work;
    FillSample(preview);
    FillSample(expected);
    ASSERT_TRUE(work.Create(68, 78));
    button::PreviewValues v;
    v.filter = filter;
    v.back = 0x0000FF;
    v.mask = 0x00FF00;
    v.maskValue = 300;  // refused by Apply, previewed as 255
    v.blendValue = 60;
    v.maskOn = filter % 2 == 0;
    v.blendOn = filter % 3 == 0;
    ASSERT_TRUE(button::RunPreview(preview, v));
    button::EffectSettings s;
    s.EffectFilter = short(filter);
    s.BackGroundColor = 0x0000FF;
    s.MaskColor = 0x00FF00;
    s.EffectColorMask = v.maskOn;
    s.EffectColorMaskValue = 255;
    s.EffectGlobalBlend = v.blendOn;
    s.EffectGlobalBlendValue = 60;
    button::RunEffectPass(expected, work, s, button::PictureState{});
    for (int y = 0; y < 78; ++y)
      for (int x = 0; x < 68; ++x)
        ASSERT_EQ(preview.Pixel(x, y), expected.Pixel(x, y)) << filter << " " << x << "," << y;
  }
  button::CImageDIB empty;
  EXPECT_FALSE(button::RunPreview(empty, {}));
}

TEST(EffectsPreview, ThinBorderFramesInBackAndFullBlendTurnsIntoBack) {
  const int thin = FilterNamed("Thin border");
  ASSERT_GT(thin, 0);
  EXPECT_STREQ(button::EffectFilterHelp(thin), "Frame by thickness in 1 pixel colour=[Back]");
  button::CImageDIB img;
  FillSample(img);
  button::PreviewValues v;
  v.filter = thin;
  v.back = 0x000000FF;  // red as a COLORREF
  ASSERT_TRUE(button::RunPreview(img, v));
  const uint32_t red = Word(255, 0, 0);
  for (int x = 0; x < 68; ++x) {
    EXPECT_EQ(img.Pixel(x, 0), red);
    EXPECT_EQ(img.Pixel(x, 77), red);
  }
  for (int y = 0; y < 78; ++y) {
    EXPECT_EQ(img.Pixel(0, y), red);
    EXPECT_EQ(img.Pixel(67, y), red);
  }
  EXPECT_NE(img.Pixel(1, 1), red);

  FillSample(img);
  v = {};
  v.back = 0x000000FF;
  v.blendOn = true;
  v.blendValue = 255;
  ASSERT_TRUE(button::RunPreview(img, v));
  for (int y = 0; y < 78; y += 7)
    for (int x = 0; x < 68; x += 5) {
      const uint32_t p = img.Pixel(x, y);
      EXPECT_GE(int(p >> 16 & 255), 250);
      EXPECT_LE(int(p >> 8 & 255), 5);
      EXPECT_LE(int(p & 255), 5);
    }
}
