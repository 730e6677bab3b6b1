#pragma once
// The button control's properties, described once as data. Invoke (get/put by DISPID), the property
// exchange (load, save, reset), the defaults at construction and the tests all read this table instead
// of repeating 51 cases. Portable: no Win32 here, so the rules build and test natively.
#include <cstddef>
#include <cstdint>
#include <string>
#include <variant>

namespace button {

// The plain values behind the properties. Fonts, pictures and the stock Enabled/Text live elsewhere
// (font and picture holders, the framework's stock state); the table still lists them.
struct ButtonProperties {
  int16_t AlignHor = 1;
  int16_t AlignVer = 1;
  int16_t Stretch = 0;
  bool MoveOnDown = false;
  std::wstring PictureURL;
  bool AutoSize = true;
  std::wstring PictureOverURL;
  bool HideHelpers = true;
  std::wstring PictureDownURL;
  uint32_t BackGroundColor = 0x00C08E00;
  uint32_t MaskColor = 0x000000FA;
  bool EffectGlobalBlend = false;
  int16_t EffectGlobalBlendValue = 127;
  bool SmartLoading = true;
  bool OverOnFocus = false;
  std::wstring ToolTipString;
  int32_t ToolTipShowTime = 7000;
  int32_t ToolTipAnimTime = 20;
  int32_t ToolTipWaitTime = 1000;
  int16_t ToolTipEffect = 0;
  uint32_t ToolTipBackColor = 0x00C87800;
  uint32_t ToolTipGradientColor = 0;
  uint32_t ToolTipTextColor = 0x00FAFAFA;
  uint32_t ToolTipBorderColor = 0;
  bool AutoHandCursor = false;
  std::wstring PictureDisableURL;
  int16_t EffectColorMaskValue = 100;
  bool EffectColorMask = false;
  int16_t EffectFilter = 0;
  bool FlipVertical = false;
  bool FlipHorisontal = false;
  std::wstring PictureBaseURL;
  bool FastDraw = false;
  int16_t HoldingFlag = 0;
  int32_t PrevPointer = 0;
  int16_t TextAlignHor = 1;
  int16_t TextAlignVer = 1;
  uint32_t TextColor = 0x00140AFA;
  bool TextWordBreak = false;
  int16_t TextBlendValue = 255;
  int16_t EffectApplyTo = 0;
  int16_t TextApplyTo = 0;
  int32_t TextVerticalOffset = 0;
};

enum class PropType { Short, Long, Bool, Color, String, Font, Picture };

// How a written value is validated. Setters never fail: they clamp or zero.
enum class Clamp {
  None,
  ZeroUnless0To2,  // outside 0..2 stored as 0
  ZeroUnless0To4,  // outside 0..4 stored as 0
  To0To255,        // negative -> 0, above 255 -> 255
  NotNegative,     // negative -> 0, no upper bound
};

// What a write sets in motion once the value is stored (the control carries it out).
enum class Action {
  Redraw,        // mark modified, invalidate with erase
  ModifiedOnly,  // mark modified, no redraw
  Resize,        // redraw, then re-size the control (Stretch)
  AutoSize,      // redraw; re-size when set to TRUE
  Tooltip,       // push the tooltip settings, redraw
  PictureUrl,    // load the state's picture (StateIndex), keep old value on failure
  BaseUrl,       // PictureBaseURL: reads PictureURL, a non-empty write sets PictureURL
  ToolTipText,   // text or "script:" command
  HoldingFlag,   // hold bits and button mode
  PrevPointer,   // any write resets it to the live handle
  Font,          // font holder (TextFont / ToolTipFont)
  Picture,       // picture holder (StateIndex)
  Stock,         // framework's stock property (Enabled, Text)
};

// The state images, in the order of the picture table PrevPointer hands out.
enum StateIndex : int { kNormal = 0, kOver = 1, kDown = 2, kDisable = 3, kBlank = 4, kStateCount = 5 };

using PropMember =
    std::variant<std::monostate, int16_t ButtonProperties::*, int32_t ButtonProperties::*, bool ButtonProperties::*,
                 uint32_t ButtonProperties::*, std::wstring ButtonProperties::*>;

struct PropertyInfo {
  int32_t Dispid;
  const wchar_t* Name;
  const wchar_t* PersistedName;
  PropType Type;
  int32_t Default;  // numbers, BOOLs (0/1) and colours; strings, fonts and pictures default empty
  Clamp Rule;
  Action Effect;
  int State;  // kNormal..kDisable for PictureUrl / Picture, else -1
  PropMember Member;
};

constexpr int32_t kDispidEnabled = -514;
constexpr int32_t kDispidText = -517;
constexpr int32_t kDispidRefresh = -550;

// Every property in type-library order.
const PropertyInfo* Table();
size_t TableSize();
const PropertyInfo* FindByDispid(int32_t dispid);
// Case-insensitive, like IDispatch names.
const PropertyInfo* FindByName(const std::wstring& name);
const PropertyInfo* FindByPersistedName(const std::wstring& name);

// The custom part of the property exchange, in its fixed order (the framework's stock part follows).
const int32_t* ExchangeOrder();
size_t ExchangeOrderSize();

int32_t ApplyClamp(Clamp rule, int32_t value);

// Numeric members (Short, Long, Bool, Color) read and written as int32; Write clamps. Colours travel
// as their bit pattern. Both return false for entries without such a member.
bool ReadNumber(const ButtonProperties& props, const PropertyInfo& info, int32_t& value);
bool WriteNumber(ButtonProperties& props, const PropertyInfo& info, int32_t value);
std::wstring* StringMember(ButtonProperties& props, const PropertyInfo& info);
const std::wstring* StringMember(const ButtonProperties& props, const PropertyInfo& info);

// Every member back to its table default (strings empty).
void ResetToDefaults(ButtonProperties& props);

// The URL property of a state (normal, over, down, disable); null for blank.
const PropertyInfo* UrlPropertyOf(int state);

}  // namespace button
