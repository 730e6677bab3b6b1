#include "button/control/ZephonButtonCtrlProps.h"

#include <cwctype>
#include <type_traits>

namespace button {

namespace {

using BP = ButtonProperties;
using T = PropType;
using C = Clamp;
using A = Action;

// clang-format off
const PropertyInfo kTable[] = {
  {8,   L"AlignHor",               L"AlignHor",               T::Short,   1,          C::ZeroUnless0To2, A::Redraw,       -1, &BP::AlignHor},
  {9,   L"AlignVer",               L"AlignVer",               T::Short,   1,          C::ZeroUnless0To2, A::Redraw,       -1, &BP::AlignVer},
  {10,  L"Stretch",                L"Stretch",                T::Short,   0,          C::ZeroUnless0To4, A::Resize,       -1, &BP::Stretch},
  {11,  L"MoveOnDown",             L"MoveOnDown",             T::Bool,    0,          C::None,           A::ModifiedOnly, -1, &BP::MoveOnDown},
  {12,  L"PictureURL",             L"PictureURL",             T::String,  0,          C::None,           A::PictureUrl,   kNormal, &BP::PictureURL},
  {13,  L"AutoSize",               L"AutoSize",               T::Bool,    1,          C::None,           A::AutoSize,     -1, &BP::AutoSize},
  {14,  L"PictureOverURL",         L"PictureOverURL",         T::String,  0,          C::None,           A::PictureUrl,   kOver, &BP::PictureOverURL},
  {1,   L"HideHelpers",            L"HideHelpers",            T::Bool,    1,          C::None,           A::Redraw,       -1, &BP::HideHelpers},
  {15,  L"PictureDownURL",         L"PictureDownURL",         T::String,  0,          C::None,           A::PictureUrl,   kDown, &BP::PictureDownURL},
  {16,  L"BackGroundColor",        L"BackGroundColor",        T::Color,   0x00C08E00, C::None,           A::Redraw,       -1, &BP::BackGroundColor},
  {17,  L"MaskColor",              L"MaskColor",              T::Color,   0x000000FA, C::None,           A::Redraw,       -1, &BP::MaskColor},
  {18,  L"EffectGlobalBlend",      L"EffectGlobalBlend",      T::Bool,    0,          C::None,           A::Redraw,       -1, &BP::EffectGlobalBlend},
  {19,  L"EffectGlobalBlendValue", L"EffectGlobalBlendValue", T::Short,   127,        C::To0To255,       A::Redraw,       -1, &BP::EffectGlobalBlendValue},
  {2,   L"SmartLoading",           L"SmartLoading",           T::Bool,    1,          C::None,           A::Redraw,       -1, &BP::SmartLoading},
  {3,   L"OverOnFocus",            L"OverOnFocus",            T::Bool,    0,          C::None,           A::Redraw,       -1, &BP::OverOnFocus},
  {20,  L"ToolTipString",          L"ToolTipString",          T::String,  0,          C::None,           A::ToolTipText,  -1, &BP::ToolTipString},
  {21,  L"ToolTipShowTime",        L"ToolTipShowTime",        T::Long,    7000,       C::None,           A::Tooltip,      -1, &BP::ToolTipShowTime},
  {22,  L"ToolTipAnimTime",        L"ToolTipAnimTime",        T::Long,    20,         C::None,           A::Tooltip,      -1, &BP::ToolTipAnimTime},
  {23,  L"ToolTipWaitTime",        L"ToolWaitTime",           T::Long,    1000,       C::None,           A::Tooltip,      -1, &BP::ToolTipWaitTime},
  {4,   L"ToolTipEffect",          L"ToolTipEffect",          T::Short,   0,          C::None,           A::Tooltip,      -1, &BP::ToolTipEffect},
  {24,  L"ToolTipBackColor",       L"ToolTipBackColor",       T::Color,   0x00C87800, C::None,           A::Tooltip,      -1, &BP::ToolTipBackColor},
  {25,  L"ToolTipGradientColor",   L"ToolTipGradientColor",   T::Color,   0,          C::None,           A::Tooltip,      -1, &BP::ToolTipGradientColor},
  {26,  L"ToolTipTextColor",       L"ToolTipTextColor",       T::Color,   0x00FAFAFA, C::None,           A::Tooltip,      -1, &BP::ToolTipTextColor},
  {27,  L"ToolTipBorderColor",     L"ToolTipBorderColor",     T::Color,   0,          C::None,           A::Tooltip,      -1, &BP::ToolTipBorderColor},
  {28,  L"ToolTipFont",            L"ToolTipFont",            T::Font,    0,          C::None,           A::Font,         -1, {}},
  {5,   L"AutoHandCursor",         L"AutoHandCursor",         T::Bool,    0,          C::None,           A::ModifiedOnly, -1, &BP::AutoHandCursor},
  {29,  L"PictureDisableURL",      L"PictureDisableURL",      T::String,  0,          C::None,           A::PictureUrl,   kDisable, &BP::PictureDisableURL},
  {-514, L"Enabled",               L"Enabled",                T::Bool,    1,          C::None,           A::Stock,        -1, {}},
  {30,  L"EffectColorMaskValue",   L"EffectColorMaskValue",   T::Short,   100,        C::To0To255,       A::Redraw,       -1, &BP::EffectColorMaskValue},
  {31,  L"EffectColorMask",        L"EffectColorMask",        T::Bool,    0,          C::None,           A::Redraw,       -1, &BP::EffectColorMask},
  {32,  L"EffectFilter",           L"EffectFilter",           T::Short,   0,          C::NotNegative,    A::Redraw,       -1, &BP::EffectFilter},
  {6,   L"FlipVertical",           L"FlipVertical",           T::Bool,    0,          C::None,           A::Redraw,       -1, &BP::FlipVertical},
  {7,   L"FlipHorisontal",         L"FlipHorisontal",         T::Bool,    0,          C::None,           A::Redraw,       -1, &BP::FlipHorisontal},
  {33,  L"PictureBaseURL",         L"PictureBaseURL",         T::String,  0,          C::None,           A::BaseUrl,      -1, &BP::PictureBaseURL},
  {34,  L"FastDraw",               L"FastDraw",               T::Bool,    0,          C::None,           A::Redraw,       -1, &BP::FastDraw},
  {35,  L"PictureRES",             L"PictureRES",             T::Picture, 0,          C::None,           A::Picture,      kNormal, {}},
  {36,  L"PictureOverRES",         L"PictureOverRES",         T::Picture, 0,          C::None,           A::Picture,      kOver, {}},
  {37,  L"PictureDownRES",         L"PictureDownRES",         T::Picture, 0,          C::None,           A::Picture,      kDown, {}},
  {38,  L"PictureDisableRES",      L"PictureDisableRES",      T::Picture, 0,          C::None,           A::Picture,      kDisable, {}},
  {39,  L"HoldingFlag",            L"HoldingFlag",            T::Short,   0,          C::None,           A::HoldingFlag,  -1, &BP::HoldingFlag},
  {40,  L"PrevPointer",            L"PrevPointer",            T::Long,    0,          C::None,           A::PrevPointer,  -1, &BP::PrevPointer},
  {41,  L"TextAlignHor",           L"TextAlignHor",           T::Short,   1,          C::ZeroUnless0To2, A::Redraw,       -1, &BP::TextAlignHor},
  {42,  L"TextAlignVer",           L"TextAlignVer",           T::Short,   1,          C::ZeroUnless0To2, A::Redraw,       -1, &BP::TextAlignVer},
  {-517, L"Text",                  L"Text",                   T::String,  0,          C::None,           A::Stock,        -1, {}},
  {43,  L"TextFont",               L"TextFont",               T::Font,    0,          C::None,           A::Font,         -1, {}},
  {44,  L"TextColor",              L"TextColor",              T::Color,   0x00140AFA, C::None,           A::Redraw,       -1, &BP::TextColor},
  {45,  L"TextWordBreak",          L"TextWordBreak",          T::Bool,    0,          C::None,           A::Redraw,       -1, &BP::TextWordBreak},
  {46,  L"TextBlendValue",         L"TextBlendValue",         T::Short,   255,        C::To0To255,       A::Redraw,       -1, &BP::TextBlendValue},
  {47,  L"EffectApplyTo",          L"EffectApplyTo",          T::Short,   0,          C::None,           A::Redraw,       -1, &BP::EffectApplyTo},
  {48,  L"TextApplyTo",            L"TextApplyTo",            T::Short,   0,          C::None,           A::Redraw,       -1, &BP::TextApplyTo},
  {49,  L"TextVerticalOffset",     L"TextVerticalOffset",     T::Long,    0,          C::None,           A::Redraw,       -1, &BP::TextVerticalOffset},
};

const int32_t kExchangeOrder[] = {
  9, 8, 42, 41, 10, 11, 13, 18, 19, 31, 30, 47, 48, 46, 34, 45, 32, 16, 17, 44, 24, 26, 25, 27,
  12, 14, 15, 29, 33, 20, 21, 22, 23, 4, 49, 7, 6, 1, 2, 3, 5, 28, 43, 35, 36, 37, 38, 39, 40,
};
// clang-format on

constexpr size_t kTableSize = sizeof(kTable) / sizeof(kTable[0]);
static_assert(kTableSize == 51, "the dispatch interface has 51 properties");

bool SameNoCase(const std::wstring& a, const wchar_t* b) {
  size_t i = 0;
  for (; i < a.size() && b[i]; ++i)
    if (std::towupper(a[i]) != std::towupper(b[i])) return false;
  return i == a.size() && b[i] == 0;
}

}  // namespace

const PropertyInfo* Table() { return kTable; }
size_t TableSize() { return kTableSize; }
const int32_t* ExchangeOrder() { return kExchangeOrder; }
size_t ExchangeOrderSize() { return sizeof(kExchangeOrder) / sizeof(kExchangeOrder[0]); }

const PropertyInfo* FindByDispid(int32_t dispid) {
  for (const auto& p : kTable)
    if (p.Dispid == dispid) return &p;
  return nullptr;
}

const PropertyInfo* FindByName(const std::wstring& name) {
  for (const auto& p : kTable)
    if (SameNoCase(name, p.Name)) return &p;
  return nullptr;
}

const PropertyInfo* FindByPersistedName(const std::wstring& name) {
  for (const auto& p : kTable)
    if (name == p.PersistedName) return &p;
  return nullptr;
}

int32_t ApplyClamp(Clamp rule, int32_t v) {
  switch (rule) {
    case Clamp::ZeroUnless0To2: return v < 0 || v > 2 ? 0 : v;
    case Clamp::ZeroUnless0To4: return v < 0 || v > 4 ? 0 : v;
    case Clamp::To0To255: return v < 0 ? 0 : v > 255 ? 255 : v;
    case Clamp::NotNegative: return v < 0 ? 0 : v;
    case Clamp::None: break;
  }
  return v;
}

bool ReadNumber(const ButtonProperties& props, const PropertyInfo& info, int32_t& value) {
  return std::visit(
      [&](auto m) -> bool {
        using M = decltype(m);
        if constexpr (std::is_same_v<M, int16_t BP::*> || std::is_same_v<M, int32_t BP::*>) {
          value = props.*m;
          return true;
        } else if constexpr (std::is_same_v<M, bool BP::*>) {
          value = (props.*m) ? 1 : 0;
          return true;
        } else if constexpr (std::is_same_v<M, uint32_t BP::*>) {
          value = int32_t(props.*m);
          return true;
        } else {
          return false;
        }
      },
      info.Member);
}

bool WriteNumber(ButtonProperties& props, const PropertyInfo& info, int32_t value) {
  const int32_t v = ApplyClamp(info.Rule, value);
  return std::visit(
      [&](auto m) -> bool {
        using M = decltype(m);
        if constexpr (std::is_same_v<M, int16_t BP::*>) {
          props.*m = int16_t(v);
          return true;
        } else if constexpr (std::is_same_v<M, int32_t BP::*>) {
          props.*m = v;
          return true;
        } else if constexpr (std::is_same_v<M, bool BP::*>) {
          props.*m = v != 0;
          return true;
        } else if constexpr (std::is_same_v<M, uint32_t BP::*>) {
          props.*m = uint32_t(v);
          return true;
        } else {
          return false;
        }
      },
      info.Member);
}

std::wstring* StringMember(ButtonProperties& props, const PropertyInfo& info) {
  auto m = std::get_if<std::wstring BP::*>(&info.Member);
  return m ? &(props.**m) : nullptr;
}

const std::wstring* StringMember(const ButtonProperties& props, const PropertyInfo& info) {
  auto m = std::get_if<std::wstring BP::*>(&info.Member);
  return m ? &(props.**m) : nullptr;
}

void ResetToDefaults(ButtonProperties& props) {
  for (const auto& p : kTable) {
    if (auto s = StringMember(props, p))
      s->clear();
    else
      WriteNumber(props, p, p.Default);
  }
}

const PropertyInfo* UrlPropertyOf(int state) {
  static const int32_t kUrlDispids[] = {12, 14, 15, 29};
  return state >= 0 && state < 4 ? FindByDispid(kUrlDispids[state]) : nullptr;
}

}  // namespace button
