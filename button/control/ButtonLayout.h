#pragma once
// The arithmetic of the button's paint and sizing: where the picture goes, how large it is drawn,
// which shortcuts apply, and what size the control wants. No window-system calls, so every rule here
// is unit-tested natively; ButtonRenderer_win.cpp and the control carry the results out.
//
// Positions are screen-like (y grows downward) and relative to the control's drawing bounds.
#include <cstdint>
#include <string>

#include "button/pixels/EffectPass.h"

namespace button {

struct Size {
  int32_t cx = 0;
  int32_t cy = 0;
  bool operator==(const Size& o) const { return cx == o.cx && cy == o.cy; }
  bool operator!=(const Size& o) const { return !(*this == o); }
};

struct Rect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
  int32_t Width() const { return int32_t(int64_t(right) - left); }
  int32_t Height() const { return int32_t(int64_t(bottom) - top); }
  bool Empty() const { return int64_t(right) <= left || int64_t(bottom) <= top; }
};

// The picture kinds of a state image.
constexpr int kKindEmpty = 4;
constexpr int kKindPlaceholder = 8;
constexpr int kKindPicture = 16;

// Stretch values.
constexpr int kStretchNone = 0;
constexpr int kStretchAspect = 1;
constexpr int kStretchFull = 2;
constexpr int kStretchParent = 3;
constexpr int kStretchFixed96 = 4;
constexpr int32_t kFixedSide = 96;

// The press offset of the click-offset and bevel modes (1, 2, 4, 5).
constexpr int kPressOffset = 2;
bool ModeHasClickOffset(int buttonMode);

// The properties the paint reads, with the control's defaults. The effect properties travel in the
// effect pass's own settings.
struct ButtonPaintProps {
  EffectSettings effects;
  short Stretch = 0;
  short AlignHor = 1;
  short AlignVer = 1;
  bool HideHelpers = true;
  bool FastDraw = false;
  bool FlipVertical = false;
  bool FlipHorisontal = false;
  std::wstring Text;
  uint32_t TextColor = 0x00140AFA;
  short TextAlignHor = 1;
  short TextAlignVer = 1;
  bool TextWordBreak = false;
  short TextBlendValue = 255;
  short TextApplyTo = 0;
  int32_t TextVerticalOffset = 0;
};

// The control's state as far as one paint cares.
struct ButtonPaintState {
  bool hasCurrent = false;       // a current state image exists
  int currentKind = kKindEmpty;  // its kind (kKind...)
  PictureState picture;          // which image is on show, pressed/hover/focus flags, button mode
  int pressOffset = 0;           // 0 or kPressOffset
  bool userMode = true;          // the container runs (false at design time)
  bool anyPictureUrl = false;    // some of the four picture URL properties is not empty
};

// Whether two paints compose the same frame from the same picture pixels and font: everything the
// paint reads except FastDraw (which only narrows what reaches the target).
bool SameFrameInputs(const ButtonPaintProps& a, const ButtonPaintProps& b);
bool SameFrameInputs(const ButtonPaintState& a, const ButtonPaintState& b);

// Paint nothing for a running control with some picture URL set and HideHelpers on whose current
// image is not a real picture (a placeholder or the blank image).
bool ShouldDraw(const ButtonPaintProps& props, const ButtonPaintState& state);

// The picture can go to the target unchanged: natural size, nothing to compose.
bool IsDirectCopy(const ButtonPaintProps& props, const ButtonPaintState& state, Size picture, Size bounds);

// Size the picture is drawn at before clipping. Unknown Stretch values draw at the natural size.
Size DrawnSize(int stretch, Size picture, Size bounds);

// Where and how large the picture lands in a bounds-sized buffer.
struct Placement {
  int32_t x = 0;  // top-left corner, press offset included; may be negative
  int32_t y = 0;
  int32_t dw = 0;  // drawn size, clipped at the right and bottom edges
  int32_t dh = 0;
  int32_t sw = 0;  // the part of the picture (from its top-left) that maps onto dw x dh
  int32_t sh = 0;
};

// Drawn size, alignment (integer division toward zero), right/bottom clipping and the press offset.
// False when the picture or the bounds have no area (a drawn size of nothing is still a placement).
bool Place(const ButtonPaintProps& props, Size picture, Size bounds, int pressOffset, Placement& out);

// Buffer row (counted from the bottom) of the top edge of an object of height h whose top is at
// screen y inside a buffer of height H. Saturates far outside the buffer.
int32_t BottomUpRow(int32_t y, int32_t h, int32_t H);

// The composition needs a work buffer: the effect pass has something to do, or there is a caption.
bool NeedsWorkBuffer(const ButtonPaintProps& props, const ButtonPaintState& state);

// The caption joins the picture (its state is admitted and there is text); the caller still needs a font.
bool CaptionWanted(const ButtonPaintProps& props, const ButtonPaintState& state);

// The caption's rectangle in a bounds-sized drawing surface (origin at the bounds' top-left).
Rect CaptionRect(Size bounds, int pressOffset, int32_t textVerticalOffset);

// The part of the invalid rectangle (target coordinates) that lies on a buffer of size `buffer` drawn
// at the bounds' top-left. False when nothing is left.
bool VisiblePart(const Rect& invalid, const Rect& bounds, Size buffer, Rect& out);

// Auto-sizing of the state image on show.
struct AutoSizeInput {
  bool isNormal = true;        // the current state image is the normal one
  bool hasRemembered = false;  // it remembers a size from an earlier auto-size
  Size remembered;
  Size picture;                  // its picture's size
  bool normalHasPixels = false;  // the normal picture has pixels
  Size normalPicture;
};
// Remembered size, else the picture's; never smaller than the normal picture for the other states.
Size WantedSize(const AutoSizeInput& in);

enum class ResizeKind { None, FillParent, SetSize };
struct ResizeAction {
  ResizeKind kind = ResizeKind::None;
  Size size;              // new size (FillParent: at (0, 0) in the parent)
  bool remember = false;  // remember `size` for the current state image
};
struct ResizeInput {
  bool hasCurrent = false;
  int stretch = 0;
  bool autoSize = true;
  Size control;
  bool hasWindow = false;
  bool hasParent = false;
  Size parentClient;
  AutoSizeInput autoSizeInput;
};
// What Re-size does: fill the parent (Stretch 3), keep 96 x 96 (Stretch 4), or auto-size (0..2).
ResizeAction DecideResize(const ResizeInput& in);

// A proposed window position and size.
struct WindowProposal {
  int32_t x = 0;
  int32_t y = 0;
  int32_t cx = 0;
  int32_t cy = 0;
};
// Stretch 3 pins the proposal to the parent's client area, Stretch 4 to 96 x 96; others leave it.
void ApplyPositionRule(bool hasCurrent, int stretch, bool hasParent, Size parentClient, WindowProposal& proposal);

}  // namespace button
