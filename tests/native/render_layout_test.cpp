// Placement, shortcuts and sizing rules of the button's paint.
#include <gtest/gtest.h>

#include <climits>
#include <tuple>

#include "button/control/ButtonLayout.h"

using namespace button;

namespace {

// x, y, dw, dh, sw, sh of a placement that must succeed.
std::tuple<int, int, int, int, int, int> PlaceOf(short stretch, short alignHor, short alignVer, Size pic, Size bounds,
                                                 int offset = 0) {
  ButtonPaintProps props;
  props.Stretch = stretch;
  props.AlignHor = alignHor;
  props.AlignVer = alignVer;
  Placement p;
  EXPECT_TRUE(Place(props, pic, bounds, offset, p));
  return {p.x, p.y, p.dw, p.dh, p.sw, p.sh};
}
using T6 = std::tuple<int, int, int, int, int, int>;

}  // namespace

TEST(PlaceTest, StretchModesSizeAndAlignThePicture) {
  // 40 x 20 in 80 x 80 with aspect ratio: 80 x 40, centred at y 20; bottom-aligned at y 40.
  EXPECT_EQ(PlaceOf(kStretchAspect, 1, 1, {40, 20}, {80, 80}), (T6{0, 20, 80, 40, 40, 20}));
  EXPECT_EQ(PlaceOf(kStretchAspect, 1, 2, {40, 20}, {80, 80}), (T6{0, 40, 80, 40, 40, 20}));
  // 31 / 7 in single precision times 7 lands just below 31: drawn 30 wide, not 31.
  EXPECT_EQ(PlaceOf(kStretchAspect, 0, 0, {7, 1}, {31, 100}), (T6{0, 0, 30, 4, 7, 1}));
  for (short s : {kStretchFull, kStretchParent, kStretchFixed96})
    EXPECT_EQ(PlaceOf(s, 2, 2, {10, 30}, {50, 40}), (T6{0, 0, 50, 40, 10, 30})) << s;
  // Unknown Stretch and alignment values: natural size at the top-left.
  EXPECT_EQ(PlaceOf(7, 9, -3, {10, 30}, {50, 40}), (T6{0, 0, 10, 30, 10, 30}));
}

TEST(PlaceTest, OversizedPicturesGoNegativeAndClipWithoutChangingScale) {
  // Right-aligned 100 in 60: starts at -40 and ends at the right edge, nothing to clip.
  EXPECT_EQ(PlaceOf(kStretchNone, 2, 0, {100, 10}, {60, 10}), (T6{-40, 0, 100, 10, 100, 10}));
  // Centred 101 in 60: (60 - 101) / 2 truncates toward zero to -20; clipped at the right to 80
  // columns, taken from the first 80 picture columns, so nothing is squeezed.
  EXPECT_EQ(PlaceOf(kStretchNone, 1, 1, {101, 10}, {60, 10}), (T6{-20, 0, 80, 10, 80, 10}));
  EXPECT_EQ(PlaceOf(kStretchNone, 0, 0, {100, 90}, {60, 40}), (T6{0, 0, 60, 40, 60, 40}));
  // The press offset moves the clipped placement.
  EXPECT_EQ(PlaceOf(kStretchNone, 1, 1, {20, 10}, {40, 30}, kPressOffset), (T6{12, 12, 20, 10, 20, 10}));
  for (int mode = 0; mode <= 5; ++mode) EXPECT_EQ(ModeHasClickOffset(mode), mode != 0 && mode != 3) << mode;
}

TEST(PlaceTest, EmptyAreasPlaceNothingAndExtremeSizesStayInGdiRange) {
  ButtonPaintProps props;
  props.Stretch = kStretchAspect;
  Placement p;
  EXPECT_FALSE(Place(props, {0, 10}, {10, 10}, 0, p));
  EXPECT_FALSE(Place(props, {10, 10}, {10, -1}, 0, p));
  ASSERT_TRUE(Place(props, {1000, 1}, {10, 10}, 0, p));  // scaled to nothing: background and caption only
  EXPECT_EQ(std::make_tuple(p.x, p.y, p.dw, p.dh), std::make_tuple(0, 5, 10, 0));
  ASSERT_TRUE(Place(props, {1, 1}, {INT32_MAX, INT32_MAX}, kPressOffset, p));
  EXPECT_GT(p.dw, 0);
  EXPECT_LE(p.x, 1 << 27);
  props.Stretch = kStretchNone;
  props.AlignHor = 2;
  ASSERT_TRUE(Place(props, {INT32_MAX, INT32_MAX}, {1, 1}, kPressOffset, p));
  EXPECT_GE(p.x, -(1 << 27));
  EXPECT_EQ(BottomUpRow(20, 40, 80), 20);
  EXPECT_EQ(BottomUpRow(INT32_MIN, INT32_MAX, INT32_MAX), 1 << 27);
}

TEST(PaintGateTest, OnlyARunningControlWithUrlsAndHiddenHelpersSkipsNonPictures) {
  ButtonPaintProps props;  // HideHelpers on
  ButtonPaintState st;
  st.hasCurrent = true;
  st.anyPictureUrl = true;
  for (int kind : {kKindPlaceholder, kKindEmpty}) {
    st.currentKind = kind;
    EXPECT_FALSE(ShouldDraw(props, st)) << kind;
  }
  st.currentKind = kKindPicture;
  EXPECT_TRUE(ShouldDraw(props, st));
  st.currentKind = kKindPlaceholder;
  ButtonPaintState design = st, noUrl = st;
  design.userMode = false;
  noUrl.anyPictureUrl = false;
  EXPECT_TRUE(ShouldDraw(props, design));
  EXPECT_TRUE(ShouldDraw(props, noUrl));
  props.HideHelpers = false;
  EXPECT_TRUE(ShouldDraw(props, st));
  st.hasCurrent = false;
  EXPECT_FALSE(ShouldDraw(props, st));
}

TEST(PaintGateTest, DirectCopyWorkBufferAndCaptionDecisions) {
  ButtonPaintState st;
  const ButtonPaintProps plain;
  EXPECT_TRUE(IsDirectCopy(plain, st, {30, 20}, {30, 20}));
  EXPECT_FALSE(IsDirectCopy(plain, st, {30, 20}, {30, 21}));
  EXPECT_FALSE(NeedsWorkBuffer(plain, st));
  // Each of these rules the shortcut out; all but the flips also need a work buffer.
  using Edit = void (*)(ButtonPaintProps&);
  for (Edit edit : {Edit([](ButtonPaintProps& p) { p.effects.EffectFilter = 30; }),
                    Edit([](ButtonPaintProps& p) { p.Text = L"x"; }),
                    Edit([](ButtonPaintProps& p) { p.effects.EffectGlobalBlend = true; }),
                    Edit([](ButtonPaintProps& p) { p.effects.EffectColorMask = true; }),
                    Edit([](ButtonPaintProps& p) { p.FlipHorisontal = true; }),
                    Edit([](ButtonPaintProps& p) { p.FlipVertical = true; })}) {
    ButtonPaintProps p;
    edit(p);
    EXPECT_FALSE(IsDirectCopy(p, st, {30, 20}, {30, 20}));
    EXPECT_EQ(NeedsWorkBuffer(p, st), !p.FlipHorisontal && !p.FlipVertical);
  }
  for (short mode = 1; mode <= 5; ++mode) {
    st.picture.buttonMode = mode;
    EXPECT_FALSE(IsDirectCopy(plain, st, {30, 20}, {30, 20})) << mode;
    EXPECT_EQ(NeedsWorkBuffer(plain, st), mode == 2 || mode == 5) << mode;
  }

  ButtonPaintProps props;
  props.Text = L"Go";
  EXPECT_TRUE(CaptionWanted(props, st));
  props.TextApplyTo = 6;  // on focus only
  EXPECT_FALSE(CaptionWanted(props, st));
  st.picture.focus = true;
  EXPECT_TRUE(CaptionWanted(props, st));
  props.TextApplyTo = -1;
  EXPECT_FALSE(CaptionWanted(props, st));
}

TEST(CaptionAndPartTest, RectanglesMoveWithOffsetsAndClipWithoutOverflow) {
  Rect r = CaptionRect({80, 40}, kPressOffset, 5);
  EXPECT_EQ(std::tie(r.left, r.top, r.right, r.bottom), std::make_tuple(2, 7, 80, 40));
  EXPECT_GT(CaptionRect({80, 40}, kPressOffset, INT32_MAX).top, 40);  // out of sight, not wrapped
  EXPECT_LT(CaptionRect({80, 40}, 0, INT32_MIN).top, 0);

  ASSERT_TRUE(VisiblePart({-5, 10, 20, 100}, {0, 0, 30, 30}, {30, 30}, r));
  EXPECT_EQ(std::tie(r.left, r.top, r.right, r.bottom), std::make_tuple(0, 10, 20, 30));
  ASSERT_TRUE(VisiblePart({0, 0, 200, 200}, {100, 50, 130, 80}, {30, 30}, r));
  EXPECT_EQ(std::tie(r.left, r.top, r.right, r.bottom), std::make_tuple(100, 50, 130, 80));
  EXPECT_FALSE(VisiblePart({40, 0, 50, 10}, {0, 0, 30, 30}, {30, 30}, r));
  EXPECT_FALSE(VisiblePart({10, 10, 10, 20}, {0, 0, 30, 30}, {30, 30}, r));
  EXPECT_FALSE(VisiblePart({INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, {INT32_MAX - 1, 0, INT32_MAX, 1}, {0, 0}, r));
}

TEST(AutoSizeTest, RememberedSizeWinsAndOtherStatesAreNeverSmallerThanNormal) {
  AutoSizeInput in;
  in.picture = {20, 10};
  in.normalHasPixels = true;
  in.normalPicture = {30, 8};
  EXPECT_EQ(WantedSize(in), (Size{20, 10}));  // the normal image itself is never raised
  in.isNormal = false;
  EXPECT_EQ(WantedSize(in), (Size{30, 10}));  // raised per dimension
  in.hasRemembered = true;
  in.remembered = {5, 50};
  EXPECT_EQ(WantedSize(in), (Size{30, 50}));
  in.normalHasPixels = false;
  EXPECT_EQ(WantedSize(in), (Size{5, 50}));
}

TEST(AutoSizeTest, ResizeFollowsStretchAndAutoSize) {
  ResizeInput in;
  in.hasCurrent = true;
  in.control = {50, 50};
  in.hasWindow = true;
  in.hasParent = true;
  in.parentClient = {300, 200};
  in.autoSizeInput.picture = {40, 30};
  auto decide = [&] {
    const ResizeAction a = DecideResize(in);
    return std::make_tuple(a.kind, a.size.cx, a.size.cy, a.remember);
  };
  const auto none = std::make_tuple(ResizeKind::None, 0, 0, false);

  in.stretch = kStretchParent;
  EXPECT_EQ(decide(), std::make_tuple(ResizeKind::FillParent, 300, 200, false));
  in.hasParent = false;
  EXPECT_EQ(decide(), none);
  in.hasParent = true;
  in.control = in.parentClient;
  EXPECT_EQ(decide(), none);

  in.stretch = kStretchFixed96;
  EXPECT_EQ(decide(), std::make_tuple(ResizeKind::SetSize, 96, 96, false));
  in.control = {96, 96};
  EXPECT_EQ(decide(), none);

  for (short s : {kStretchNone, kStretchAspect, kStretchFull}) {
    in.stretch = s;
    in.autoSize = true;
    EXPECT_EQ(decide(), std::make_tuple(ResizeKind::SetSize, 40, 30, true)) << s;
    in.autoSize = false;
    EXPECT_EQ(decide(), none) << s;
  }
  in.autoSize = true;
  in.control = {40, 30};
  EXPECT_EQ(decide(), none);
  in.control = {50, 50};
  in.autoSizeInput.picture = {0, 0};  // nothing to size to: the control keeps its size
  EXPECT_EQ(decide(), none);
  in.autoSizeInput.picture = {40, 30};
  in.hasCurrent = false;
  EXPECT_EQ(decide(), none);
}

TEST(AutoSizeTest, PositionRulePinsStretch3And4Only) {
  auto apply = [](bool hasCurrent, int stretch, bool hasParent) {
    WindowProposal p{10, 20, 30, 40};
    ApplyPositionRule(hasCurrent, stretch, hasParent, {300, 200}, p);
    return std::make_tuple(p.x, p.y, p.cx, p.cy);
  };
  EXPECT_EQ(apply(true, kStretchParent, true), std::make_tuple(0, 0, 300, 200));
  EXPECT_EQ(apply(true, kStretchFixed96, true), std::make_tuple(10, 20, 96, 96));
  const auto unchanged = std::make_tuple(10, 20, 30, 40);
  EXPECT_EQ(apply(false, kStretchFixed96, true), unchanged);
  EXPECT_EQ(apply(true, kStretchParent, false), unchanged);
  EXPECT_EQ(apply(true, kStretchFull, true), unchanged);
}
