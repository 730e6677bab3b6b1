// Placement, shortcuts and sizing rules of the button's paint.
#include <gtest/gtest.h>

#include <climits>

#include "button/control/ButtonLayout.h"

using namespace zblayout;

namespace {

Placement PlaceOrFail(const ButtonPaintProps& props, Size pic, Size bounds, int offset = 0) {
  Placement p;
  EXPECT_TRUE(Place(props, pic, bounds, offset, p));
  return p;
}

ButtonPaintProps WithStretch(short stretch, short alignHor = 1, short alignVer = 1) {
  ButtonPaintProps props;
  props.Stretch = stretch;
  props.AlignHor = alignHor;
  props.AlignVer = alignVer;
  return props;
}

}  // namespace

TEST(PlaceTest, AspectRatioFitsTheSmallerScaleAndCentres) {
  const Placement p = PlaceOrFail(WithStretch(kStretchAspect), {40, 20}, {80, 80});
  EXPECT_EQ(p.dw, 80);
  EXPECT_EQ(p.dh, 40);
  EXPECT_EQ(p.x, 0);
  EXPECT_EQ(p.y, 20);
  EXPECT_EQ(p.sw, 40);
  EXPECT_EQ(p.sh, 20);
  // Bottom alignment of the same picture.
  EXPECT_EQ(PlaceOrFail(WithStretch(kStretchAspect, 1, 2), {40, 20}, {80, 80}).y, 40);
}

TEST(PlaceTest, AspectRatioTruncatesTheSinglePrecisionProduct) {
  // 31 / 7 in single precision times 7 lands just below 31: the picture is drawn 30 wide.
  const Placement p = PlaceOrFail(WithStretch(kStretchAspect, 0, 0), {7, 1}, {31, 100});
  EXPECT_EQ(p.dw, 30);
  EXPECT_EQ(p.dh, 4);
}

TEST(PlaceTest, FullStretchModesFillTheBoundsAndUnknownModesKeepTheNaturalSize) {
  for (short s : {kStretchFull, kStretchParent, kStretchFixed96}) {
    const Placement p = PlaceOrFail(WithStretch(s, 2, 2), {10, 30}, {50, 40});
    EXPECT_EQ(p.x, 0) << s;
    EXPECT_EQ(p.y, 0) << s;
    EXPECT_EQ(p.dw, 50) << s;
    EXPECT_EQ(p.dh, 40) << s;
  }
  EXPECT_EQ(DrawnSize(7, {10, 30}, {50, 40}), (Size{10, 30}));
}

TEST(PlaceTest, OversizedPictureAlignsWithNegativePositionsAndClipsKeepingScale) {
  // Right-aligned 100-wide picture in 60: starts at -40 and shows its right 60 columns, unclipped.
  Placement p = PlaceOrFail(WithStretch(kStretchNone, 2, 0), {100, 10}, {60, 10});
  EXPECT_EQ(p.x, -40);
  EXPECT_EQ(p.dw, 100);
  EXPECT_EQ(p.sw, 100);
  // Centred: (60 - 101) / 2 truncates toward zero to -20; the right edge is clipped to the bounds and
  // only the matching 81 source columns are used, so nothing is squeezed.
  p = PlaceOrFail(WithStretch(kStretchNone, 1, 1), {101, 10}, {60, 10});
  EXPECT_EQ(p.x, -20);
  EXPECT_EQ(p.dw, 80);
  EXPECT_EQ(p.sw, 80);
  // Left-aligned: clipped to the bounds' width.
  p = PlaceOrFail(WithStretch(kStretchNone, 0, 0), {100, 90}, {60, 40});
  EXPECT_EQ(p.dw, 60);
  EXPECT_EQ(p.dh, 40);
  EXPECT_EQ(p.sw, 60);
  EXPECT_EQ(p.sh, 40);
  // An out-of-range alignment value behaves as left/top.
  EXPECT_EQ(PlaceOrFail(WithStretch(kStretchNone, 9, -3), {10, 10}, {60, 40}).x, 0);
}

TEST(PlaceTest, PressOffsetMovesThePictureAfterClipping) {
  const Placement rest = PlaceOrFail(WithStretch(kStretchNone, 1, 1), {20, 10}, {40, 30});
  const Placement pressed = PlaceOrFail(WithStretch(kStretchNone, 1, 1), {20, 10}, {40, 30}, kPressOffset);
  EXPECT_EQ(pressed.x, rest.x + 2);
  EXPECT_EQ(pressed.y, rest.y + 2);
  EXPECT_EQ(pressed.dw, rest.dw);
  EXPECT_EQ(pressed.dh, rest.dh);
  for (int mode = 0; mode <= 5; ++mode)
    EXPECT_EQ(ModeHasClickOffset(mode), mode != 0 && mode != 3) << mode;
}

TEST(PlaceTest, EmptyOrNegativeSizesPlaceNothingAndHugeOnesStayInRange) {
  Placement p;
  ButtonPaintProps props = WithStretch(kStretchAspect);
  EXPECT_FALSE(Place(props, {0, 10}, {10, 10}, 0, p));
  EXPECT_FALSE(Place(props, {10, 10}, {10, -1}, 0, p));
  EXPECT_FALSE(Place(props, {10, 10}, {0, 10}, 0, p));
  // A picture too thin to show after scaling has no drawn area.
  EXPECT_FALSE(Place(props, {1000, 1}, {10, 10}, 0, p));
  // Extreme sizes must neither overflow nor produce positions GDI cannot take.
  ASSERT_TRUE(Place(props, {1, 1}, {INT32_MAX, INT32_MAX}, kPressOffset, p));
  EXPECT_GT(p.dw, 0);
  EXPECT_LE(p.x, 1 << 27);
  ASSERT_TRUE(Place(WithStretch(kStretchNone, 2, 2), {INT32_MAX, INT32_MAX}, {1, 1}, kPressOffset, p));
  EXPECT_GE(p.x, -(1 << 27));
  EXPECT_EQ(BottomUpRow(20, 40, 80), 20);
  EXPECT_EQ(BottomUpRow(0, 80, 80), 0);
  EXPECT_EQ(BottomUpRow(INT32_MIN, INT32_MAX, INT32_MAX), 1 << 27);
}

TEST(PaintGateTest, OnlyARunningControlWithUrlsAndHiddenHelpersSkipsNonPictures) {
  ButtonPaintProps props;  // HideHelpers on
  ButtonPaintState st;
  st.hasCurrent = true;
  st.userMode = true;
  st.anyPictureUrl = true;
  st.currentKind = kKindPlaceholder;
  EXPECT_FALSE(ShouldDraw(props, st));
  st.currentKind = kKindEmpty;  // the blank image
  EXPECT_FALSE(ShouldDraw(props, st));
  st.currentKind = kKindPicture;
  EXPECT_TRUE(ShouldDraw(props, st));
  st.currentKind = kKindPlaceholder;
  st.userMode = false;  // design mode shows placeholders
  EXPECT_TRUE(ShouldDraw(props, st));
  st.userMode = true;
  st.anyPictureUrl = false;  // no URL at all: placeholders show
  EXPECT_TRUE(ShouldDraw(props, st));
  st.anyPictureUrl = true;
  props.HideHelpers = false;
  EXPECT_TRUE(ShouldDraw(props, st));
  st.hasCurrent = false;
  EXPECT_FALSE(ShouldDraw(props, st));
}

TEST(PaintGateTest, DirectCopyNeedsANaturalSizeAndNothingToCompose) {
  ButtonPaintState st;
  auto direct = [&](const ButtonPaintProps& p) { return IsDirectCopy(p, st, {30, 20}, {30, 20}); };
  ButtonPaintProps plain;
  EXPECT_TRUE(direct(plain));
  EXPECT_FALSE(IsDirectCopy(plain, st, {30, 20}, {30, 21}));
  ButtonPaintProps p = plain;
  p.effects.EffectFilter = 30;  // a filter number beyond the table still rules the shortcut out
  EXPECT_FALSE(direct(p));
  p = plain;
  p.Text = L"x";
  EXPECT_FALSE(direct(p));
  p = plain;
  p.FlipHorisontal = true;
  EXPECT_FALSE(direct(p));
  p = plain;
  p.FlipVertical = true;
  EXPECT_FALSE(direct(p));
  p = plain;
  p.effects.EffectGlobalBlend = true;
  EXPECT_FALSE(direct(p));
  p = plain;
  p.effects.EffectColorMask = true;
  EXPECT_FALSE(direct(p));
  st.picture.buttonMode = 3;
  EXPECT_FALSE(direct(plain));
}

TEST(PaintGateTest, WorkBufferAndCaptionDecisions) {
  ButtonPaintProps props;
  ButtonPaintState st;
  EXPECT_FALSE(NeedsWorkBuffer(props, st));
  for (short mode : {2, 5}) {
    st.picture.buttonMode = mode;
    EXPECT_TRUE(NeedsWorkBuffer(props, st)) << mode;
  }
  st.picture.buttonMode = 4;
  EXPECT_FALSE(NeedsWorkBuffer(props, st));
  props.effects.EffectFilter = 9;
  EXPECT_TRUE(NeedsWorkBuffer(props, st));
  props.effects.EffectFilter = 0;
  props.effects.EffectColorMask = true;
  EXPECT_TRUE(NeedsWorkBuffer(props, st));
  props.effects.EffectColorMask = false;
  props.Text = L"Go";
  EXPECT_TRUE(NeedsWorkBuffer(props, st));

  EXPECT_TRUE(CaptionWanted(props, st));
  props.TextApplyTo = 6;  // on focus only
  EXPECT_FALSE(CaptionWanted(props, st));
  st.picture.focus = true;
  EXPECT_TRUE(CaptionWanted(props, st));
  props.TextApplyTo = -1;
  EXPECT_FALSE(CaptionWanted(props, st));
  props.TextApplyTo = 0;
  props.Text.clear();
  EXPECT_FALSE(CaptionWanted(props, st));
}

TEST(CaptionRectTest, OffsetsMoveTheTopLeftOnlyAndSaturate) {
  Rect r = CaptionRect({80, 40}, kPressOffset, 5);
  EXPECT_EQ(r.left, 2);
  EXPECT_EQ(r.top, 7);
  EXPECT_EQ(r.right, 80);
  EXPECT_EQ(r.bottom, 40);
  r = CaptionRect({80, 40}, kPressOffset, INT32_MAX);
  EXPECT_GT(r.top, r.bottom);  // pushed out of sight, not wrapped around
  r = CaptionRect({80, 40}, 0, INT32_MIN);
  EXPECT_LT(r.top, 0);
}

TEST(VisiblePartTest, ClipsTheInvalidRectangleToTheBufferAtTheBounds) {
  Rect out;
  ASSERT_TRUE(VisiblePart({-5, 10, 20, 100}, {0, 0, 30, 30}, {30, 30}, out));
  EXPECT_EQ(out.left, 0);
  EXPECT_EQ(out.top, 10);
  EXPECT_EQ(out.right, 20);
  EXPECT_EQ(out.bottom, 30);
  ASSERT_TRUE(VisiblePart({0, 0, 200, 200}, {100, 50, 130, 80}, {30, 30}, out));
  EXPECT_EQ(out.left, 100);
  EXPECT_EQ(out.bottom, 80);
  EXPECT_FALSE(VisiblePart({40, 0, 50, 10}, {0, 0, 30, 30}, {30, 30}, out));
  EXPECT_FALSE(VisiblePart({10, 10, 10, 20}, {0, 0, 30, 30}, {30, 30}, out));
  EXPECT_FALSE(VisiblePart({INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, {INT32_MAX - 1, 0, INT32_MAX, 1}, {0, 0},
                           out));
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

  in.stretch = kStretchParent;
  ResizeAction a = DecideResize(in);
  EXPECT_EQ(a.kind, ResizeKind::FillParent);
  EXPECT_EQ(a.size, (Size{300, 200}));
  in.hasParent = false;
  EXPECT_EQ(DecideResize(in).kind, ResizeKind::None);
  in.hasParent = true;
  in.control = in.parentClient;
  EXPECT_EQ(DecideResize(in).kind, ResizeKind::None);

  in.stretch = kStretchFixed96;
  a = DecideResize(in);
  EXPECT_EQ(a.kind, ResizeKind::SetSize);
  EXPECT_EQ(a.size, (Size{96, 96}));
  EXPECT_FALSE(a.remember);
  in.control = {96, 96};
  EXPECT_EQ(DecideResize(in).kind, ResizeKind::None);

  for (short s : {kStretchNone, kStretchAspect, kStretchFull}) {
    in.stretch = s;
    in.autoSize = true;
    a = DecideResize(in);
    EXPECT_EQ(a.kind, ResizeKind::SetSize) << s;
    EXPECT_EQ(a.size, (Size{40, 30})) << s;
    EXPECT_TRUE(a.remember) << s;
    in.autoSize = false;
    EXPECT_EQ(DecideResize(in).kind, ResizeKind::None) << s;
  }
  in.autoSize = true;
  in.control = {40, 30};
  EXPECT_EQ(DecideResize(in).kind, ResizeKind::None);
  in.control = {50, 50};
  in.autoSizeInput.picture = {0, 0};  // nothing to size to: the control keeps its size
  EXPECT_EQ(DecideResize(in).kind, ResizeKind::None);
  in.autoSizeInput.picture = {40, 30};
  in.hasCurrent = false;
  EXPECT_EQ(DecideResize(in).kind, ResizeKind::None);
}

TEST(AutoSizeTest, PositionRulePinsStretch3And4Only) {
  WindowProposal p{10, 20, 30, 40};
  ApplyPositionRule(true, kStretchParent, true, {300, 200}, p);
  EXPECT_EQ(p.x, 0);
  EXPECT_EQ(p.y, 0);
  EXPECT_EQ(p.cx, 300);
  EXPECT_EQ(p.cy, 200);
  p = {10, 20, 30, 40};
  ApplyPositionRule(true, kStretchFixed96, true, {300, 200}, p);
  EXPECT_EQ(p.x, 10);
  EXPECT_EQ(p.cx, 96);
  EXPECT_EQ(p.cy, 96);
  p = {10, 20, 30, 40};
  ApplyPositionRule(false, kStretchFixed96, true, {300, 200}, p);
  ApplyPositionRule(true, kStretchParent, false, {300, 200}, p);
  ApplyPositionRule(true, kStretchFull, true, {300, 200}, p);
  EXPECT_EQ(p.x, 10);
  EXPECT_EQ(p.cx, 30);
  EXPECT_EQ(p.cy, 40);
}

TEST(FrameInputsTest, EveryPropertyButFastDrawAndEveryStateFieldCounts) {
  using PropEdit = void (*)(ButtonPaintProps&);
  const PropEdit edits[] = {
      [](ButtonPaintProps& p) { p.effects.EffectFilter = 3; },
      [](ButtonPaintProps& p) { p.effects.EffectApplyTo = 2; },
      [](ButtonPaintProps& p) { p.effects.BackGroundColor = 1; },
      [](ButtonPaintProps& p) { p.effects.MaskColor = 1; },
      [](ButtonPaintProps& p) { p.effects.EffectColorMask = true; },
      [](ButtonPaintProps& p) { p.effects.EffectColorMaskValue = 1; },
      [](ButtonPaintProps& p) { p.effects.EffectGlobalBlend = true; },
      [](ButtonPaintProps& p) { p.effects.EffectGlobalBlendValue = 1; },
      [](ButtonPaintProps& p) { p.Stretch = 2; },
      [](ButtonPaintProps& p) { p.AlignHor = 0; },
      [](ButtonPaintProps& p) { p.AlignVer = 0; },
      [](ButtonPaintProps& p) { p.HideHelpers = false; },
      [](ButtonPaintProps& p) { p.FlipVertical = true; },
      [](ButtonPaintProps& p) { p.FlipHorisontal = true; },
      [](ButtonPaintProps& p) { p.Text = L"t"; },
      [](ButtonPaintProps& p) { p.TextColor = 1; },
      [](ButtonPaintProps& p) { p.TextAlignHor = 0; },
      [](ButtonPaintProps& p) { p.TextAlignVer = 0; },
      [](ButtonPaintProps& p) { p.TextWordBreak = true; },
      [](ButtonPaintProps& p) { p.TextBlendValue = 1; },
      [](ButtonPaintProps& p) { p.TextApplyTo = 1; },
      [](ButtonPaintProps& p) { p.TextVerticalOffset = 1; },
  };
  const ButtonPaintProps base;
  for (size_t i = 0; i < sizeof edits / sizeof edits[0]; ++i) {
    ButtonPaintProps p;
    edits[i](p);
    EXPECT_FALSE(SameFrameInputs(base, p)) << "property edit " << i;
  }
  ButtonPaintProps fast;
  fast.FastDraw = true;
  EXPECT_TRUE(SameFrameInputs(base, fast));

  using StateEdit = void (*)(ButtonPaintState&);
  const StateEdit stateEdits[] = {
      [](ButtonPaintState& s) { s.hasCurrent = true; },
      [](ButtonPaintState& s) { s.currentKind = kKindPicture; },
      [](ButtonPaintState& s) { s.picture.shown = ShownPicture::Down; },
      [](ButtonPaintState& s) { s.picture.pressed = true; },
      [](ButtonPaintState& s) { s.picture.hover = true; },
      [](ButtonPaintState& s) { s.picture.focus = true; },
      [](ButtonPaintState& s) { s.picture.buttonMode = 2; },
      [](ButtonPaintState& s) { s.pressOffset = 2; },
      [](ButtonPaintState& s) { s.userMode = false; },
      [](ButtonPaintState& s) { s.anyPictureUrl = true; },
  };
  const ButtonPaintState baseState;
  for (size_t i = 0; i < sizeof stateEdits / sizeof stateEdits[0]; ++i) {
    ButtonPaintState s;
    stateEdits[i](s);
    EXPECT_FALSE(SameFrameInputs(baseState, s)) << "state edit " << i;
  }
  EXPECT_TRUE(SameFrameInputs(baseState, ButtonPaintState{}));
}
