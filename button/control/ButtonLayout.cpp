#include "button/control/ButtonLayout.h"

#include <algorithm>
#include <tuple>

namespace button {

namespace {

// Positions handed to the pixel buffer and to GDI stay well inside 32 bits (GDI itself works in
// 27-bit coordinates), so callers can add a picture's size to them without overflowing.
constexpr int64_t kCoordLimit = int64_t(1) << 27;

int32_t Saturate(int64_t v) { return int32_t(std::clamp(v, -kCoordLimit, kCoordLimit)); }

int64_t Align(int align, int64_t room, int64_t drawn) {
  switch (align) {
    case 1: return (room - drawn) / 2;  // C++ division truncates toward zero, as the layout wants
    case 2: return room - drawn;
    default: return 0;
  }
}

// A float product that may exceed the int range becomes the largest int (it is clipped later anyway).
int32_t TruncateToInt(float v) {
  if (!(v < 2147483520.0f)) return INT32_MAX;  // also catches NaN
  return v < 0.0f ? 0 : int32_t(v);
}

}  // namespace

bool SameFrameInputs(const ButtonPaintProps& a, const ButtonPaintProps& b) {
  // Every member but FastDraw; a member added to the struct belongs here too.
  auto tie = [](const ButtonPaintProps& p) {
    const EffectSettings& e = p.effects;
    return std::tie(e.EffectFilter, e.EffectApplyTo, e.BackGroundColor, e.MaskColor, e.EffectColorMask,
                    e.EffectColorMaskValue, e.EffectGlobalBlend, e.EffectGlobalBlendValue, p.Stretch, p.AlignHor,
                    p.AlignVer, p.HideHelpers, p.FlipVertical, p.FlipHorisontal, p.Text, p.TextColor, p.TextAlignHor,
                    p.TextAlignVer, p.TextWordBreak, p.TextBlendValue, p.TextApplyTo, p.TextVerticalOffset);
  };
  return tie(a) == tie(b);
}

bool SameFrameInputs(const ButtonPaintState& a, const ButtonPaintState& b) {
  auto tie = [](const ButtonPaintState& s) {
    const PictureState& p = s.picture;
    return std::tie(s.hasCurrent, s.currentKind, p.shown, p.pressed, p.hover, p.focus, p.buttonMode, s.pressOffset,
                    s.userMode, s.anyPictureUrl);
  };
  return tie(a) == tie(b);
}

bool ModeHasClickOffset(int buttonMode) {
  return buttonMode == 1 || buttonMode == 2 || buttonMode == 4 || buttonMode == 5;
}

bool ShouldDraw(const ButtonPaintProps& props, const ButtonPaintState& state) {
  if (!state.hasCurrent) return false;
  return !state.anyPictureUrl || !state.userMode || state.currentKind == kKindPicture || !props.HideHelpers;
}

bool IsDirectCopy(const ButtonPaintProps& props, const ButtonPaintState& state, Size picture, Size bounds) {
  const EffectSettings& fx = props.effects;
  return picture == bounds && fx.EffectFilter == 0 && props.Text.empty() && state.picture.buttonMode == 0 &&
         !props.FlipVertical && !props.FlipHorisontal && !fx.EffectGlobalBlend && !fx.EffectColorMask;
}

Size DrawnSize(int stretch, Size picture, Size bounds) {
  switch (stretch) {
    case kStretchAspect: {
      if (picture.cx <= 0 || picture.cy <= 0) return picture;
      // Single precision on purpose: the truncated results are what the control has always drawn.
      const float sx = float(bounds.cx) / float(picture.cx);
      const float sy = float(bounds.cy) / float(picture.cy);
      const float s = std::min(sx, sy);
      return {TruncateToInt(float(picture.cx) * s), TruncateToInt(float(picture.cy) * s)};
    }
    case kStretchFull:
    case kStretchParent:
    case kStretchFixed96: return bounds;
    default: return picture;
  }
}

bool Place(const ButtonPaintProps& props, Size picture, Size bounds, int pressOffset, Placement& out) {
  if (picture.cx <= 0 || picture.cy <= 0 || bounds.cx <= 0 || bounds.cy <= 0) return false;
  // An aspect-ratio scale may truncate one side to nothing: the picture then draws nothing, but the
  // background and the caption still do.
  const Size drawn = DrawnSize(props.Stretch, picture, bounds);
  const int64_t W = bounds.cx, H = bounds.cy;
  const int64_t x = Align(props.AlignHor, W, drawn.cx);
  const int64_t y = Align(props.AlignVer, H, drawn.cy);
  int64_t dw = drawn.cx, dh = drawn.cy;
  if (x + dw > W) dw = W - x;
  if (y + dh > H) dh = H - y;
  // A clipped drawing keeps its scale: only the matching part of the picture is drawn.
  out.sw = int32_t(dw == drawn.cx ? picture.cx : std::max<int64_t>(1, int64_t(picture.cx) * dw / drawn.cx));
  out.sh = int32_t(dh == drawn.cy ? picture.cy : std::max<int64_t>(1, int64_t(picture.cy) * dh / drawn.cy));
  out.dw = int32_t(dw);
  out.dh = int32_t(dh);
  out.x = Saturate(x + pressOffset);
  out.y = Saturate(y + pressOffset);
  return true;
}

int32_t BottomUpRow(int32_t y, int32_t h, int32_t H) { return Saturate(int64_t(H) - y - h); }

bool NeedsWorkBuffer(const ButtonPaintProps& props, const ButtonPaintState& state) {
  const EffectSettings& fx = props.effects;
  return ButtonModeHasBevel(state.picture.buttonMode) || fx.EffectFilter > 0 || fx.EffectGlobalBlend ||
         fx.EffectColorMask || !props.Text.empty();
}

bool CaptionWanted(const ButtonPaintProps& props, const ButtonPaintState& state) {
  return !props.Text.empty() && ApplyToAdmits(props.TextApplyTo, state.picture);
}

Rect CaptionRect(Size bounds, int pressOffset, int32_t textVerticalOffset) {
  Rect r;
  r.left = Saturate(pressOffset);
  r.top = Saturate(int64_t(textVerticalOffset) + pressOffset);
  r.right = bounds.cx;
  r.bottom = bounds.cy;
  return r;
}

bool VisiblePart(const Rect& invalid, const Rect& bounds, Size buffer, Rect& out) {
  const int64_t left = std::max<int64_t>(invalid.left, bounds.left);
  const int64_t top = std::max<int64_t>(invalid.top, bounds.top);
  const int64_t right = std::min<int64_t>(invalid.right, int64_t(bounds.left) + buffer.cx);
  const int64_t bottom = std::min<int64_t>(invalid.bottom, int64_t(bounds.top) + buffer.cy);
  if (right <= left || bottom <= top) return false;
  out = {int32_t(left), int32_t(top), int32_t(right), int32_t(bottom)};
  return true;
}

Size WantedSize(const AutoSizeInput& in) {
  Size want = in.hasRemembered ? in.remembered : in.picture;
  if (!in.isNormal && in.normalHasPixels) {
    want.cx = std::max(want.cx, in.normalPicture.cx);
    want.cy = std::max(want.cy, in.normalPicture.cy);
  }
  return want;
}

ResizeAction DecideResize(const ResizeInput& in) {
  ResizeAction act;
  if (!in.hasCurrent) return act;
  switch (in.stretch) {
    case kStretchParent:
      if (in.hasWindow && in.hasParent && in.parentClient != in.control) {
        act.kind = ResizeKind::FillParent;
        act.size = in.parentClient;
      }
      return act;
    case kStretchFixed96:
      if (in.control != Size{kFixedSide, kFixedSide}) {
        act.kind = ResizeKind::SetSize;
        act.size = {kFixedSide, kFixedSide};
      }
      return act;
    default: break;
  }
  if (!in.autoSize) return act;
  const Size want = WantedSize(in.autoSizeInput);
  // A state image without pixels has nothing to size to; shrinking the control to nothing would
  // only make it vanish from its container.
  if (want.cx <= 0 || want.cy <= 0 || want == in.control) return act;
  act.kind = ResizeKind::SetSize;
  act.size = want;
  act.remember = true;
  return act;
}

void ApplyPositionRule(bool hasCurrent, int stretch, bool hasParent, Size parentClient, WindowProposal& proposal) {
  if (!hasCurrent) return;
  if (stretch == kStretchParent && hasParent) {
    proposal.x = 0;
    proposal.y = 0;
    proposal.cx = parentClient.cx;
    proposal.cy = parentClient.cy;
  } else if (stretch == kStretchFixed96) {
    proposal.cx = kFixedSide;
    proposal.cy = kFixedSide;
  }
}

}  // namespace button
