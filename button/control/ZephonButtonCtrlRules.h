#pragma once
// The control's small decisions that need no window: button mode and HoldingFlag, ToolTipString
// commands, which addresses are internet addresses, and which state picture is displayed.
#include <cstdint>
#include <string>

namespace button {

// Button modes 0..5; 3, 4 and 5 latch (check modes).
constexpr int kModeCount = 6;
inline bool IsCheckMode(int mode) { return mode >= 3; }
// A mode above 5 (or below 0) is stored as 0.
inline int NormalisedMode(int mode) { return mode < 0 || mode >= kModeCount ? 0 : mode; }
inline int ModeOfHoldingFlag(int16_t flag) { return (uint16_t(flag) >> 8) & 0xFF; }
inline int16_t WithMode(int16_t flag, int mode) {
  return int16_t((uint16_t(flag) & 0x00FF) | (uint16_t(mode & 0xFF) << 8));
}
// Hold bit of a state (normal 0, over 1, down 2, disable 3); the blank image has none.
inline bool HoldBitSet(int16_t flag, int state) { return state >= 0 && state < 4 && (flag >> state) & 1; }

// A ToolTipString value is either a tooltip text or, when it starts with "script:" in any case, a command.
enum class ToolTipCommand { Text, Debug, NoDebug, Ignored };
ToolTipCommand ClassifyToolTipString(const std::wstring& value);

// Longer than four characters and starting with "HTTP" in any case (so https and "httpfoo" count too).
bool IsInternetAddress(const std::wstring& path);

enum class ImageKind : int { Empty = 4, Placeholder = 8, Picture = 16 };

// Which state image is displayed after the current one changed. kinds[] holds normal, over, down,
// disable, blank (the state indices of ZephonButtonCtrlProps.h); overFocus is "OverOnFocus is set,
// the window has the focus and no press is held". Returns the state index to make current.
int ChooseDisplayedState(int current, const ImageKind kinds[5], bool overFocus);

}  // namespace button
