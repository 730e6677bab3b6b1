#include "button/pages/ToolTipPageRules.h"

#include "button/pages/PageResources.h"

namespace button {

long PeriodForEffect(int effect) {
  static const long kPeriods[] = {20, 10, 2, 2, 0};  // Blend, Up to down, Left/Right to right/left, NONE
  if (effect < 0 || effect >= int(sizeof(kPeriods) / sizeof(kPeriods[0]))) return -1;
  return kPeriods[effect];
}

bool AsksForSystemColors(const std::wstring& text) { return !text.empty() && text[0] == L'&'; }

std::wstring WithSystemColors(const std::wstring& text, bool on) {
  // One mark only: a second "&" would show up in the tooltip as a character.
  if (on) return AsksForSystemColors(text) ? text : L"&" + text;
  return AsksForSystemColors(text) ? text.substr(1) : text;
}

std::wstring TestText(const std::wstring& text) {
  if (text.empty()) return L"Test with user colors";
  if (text == L"&") return L"&Test with system colors";
  return text;
}

namespace {
PageBinding Ranged(int id, const wchar_t* property, long high) {
  PageBinding b{id, BindKind::EditLong, property};
  b.ranged = true;
  b.minValue = 0;
  b.maxValue = high;
  return b;
}
const PageBinding kBindings[] = {
    {IDC_TIP_STRING, BindKind::EditString, L"ToolTipString"},
    Ranged(IDC_TIP_WAIT, L"ToolTipWaitTime", 60000),
    Ranged(IDC_TIP_SHOW, L"ToolTipShowTime", 6000000),
    Ranged(IDC_TIP_ANIM, L"ToolTipAnimTime", 200),
    {IDC_TIP_EFFECT_FIRST, BindKind::RadioIndex, L"ToolTipEffect", 5},
    {IDC_TIP_BACKCOLOR, BindKind::EditColor, L"ToolTipBackColor"},
    {IDC_TIP_GRADIENTCOLOR, BindKind::EditColor, L"ToolTipGradientColor"},
    {IDC_TIP_TEXTCOLOR, BindKind::EditColor, L"ToolTipTextColor"},
    {IDC_TIP_BORDERCOLOR, BindKind::EditColor, L"ToolTipBorderColor"},
};
}  // namespace

const PageBinding* ToolTipBindings() { return kBindings; }
size_t ToolTipBindingCount() { return sizeof(kBindings) / sizeof(kBindings[0]); }

}  // namespace button
