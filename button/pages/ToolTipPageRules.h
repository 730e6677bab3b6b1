#pragma once
// The ToolTip page's bindings and its own rules: the animation period each effect suggests, the
// "&" that asks for the system's colours, and the text of the test tooltip.
#include <cstddef>
#include <string>

#include "button/pages/PageBinding.h"

namespace button {

// The "Animation" period (ms) that suits an effect (0 for NONE: no animation); -1 for no effect.
long PeriodForEffect(int effect);
// The tooltip text with the system-colours mark set or cleared: "&" leads the text when on.
std::wstring WithSystemColors(const std::wstring& text, bool on);
bool AsksForSystemColors(const std::wstring& text);
// What the test tooltip shows for the stored text (an empty text or a bare "&" get a sample).
std::wstring TestText(const std::wstring& text);

const PageBinding* ToolTipBindings();
size_t ToolTipBindingCount();

}  // namespace button
