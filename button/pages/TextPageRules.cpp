#include "button/pages/TextPageRules.h"

#include <cstdint>

#include "button/pages/PageResources.h"

namespace button {

namespace {

bool Step(const std::wstring& box, bool up, int64_t low, int64_t high, long& out) {
  int64_t n = 0;
  if (!ParseInteger(box, n)) return false;
  out = StepNumber(n, up, low, high);
  return true;
}

const PageBinding kBindings[] = {
    {IDC_TEXT_BLEND, BindKind::EditShort, L"TextBlendValue"},
    {IDC_TEXT_OFFSET, BindKind::EditLong, L"TextVerticalOffset"},
    {IDC_TEXT_TEXT, BindKind::EditString, L"Text"},
    {IDC_TEXT_WORDBREAK, BindKind::Check, L"TextWordBreak"},
    {IDC_TEXT_APPLYTO, BindKind::ComboIndex, L"TextApplyTo"},
    {IDC_TEXT_ALIGNVER, BindKind::ComboIndex, L"TextAlignVer"},
    {IDC_TEXT_ALIGNHOR, BindKind::ComboIndex, L"TextAlignHor"},
};

}  // namespace

bool StepBlend(const std::wstring& box, bool up, long& out) { return Step(box, up, 0, 255, out); }

bool StepOffset(const std::wstring& box, bool up, long& out) { return Step(box, up, INT16_MIN, INT16_MAX, out); }

const PageBinding* TextBindings() { return kBindings; }
size_t TextBindingCount() { return sizeof(kBindings) / sizeof(kBindings[0]); }

}  // namespace button
