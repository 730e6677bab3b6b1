#pragma once
// The Text page's bindings and the steps of its two spin arrows: the text's blend value (kept to
// 0..255) and its vertical offset (kept to 16 bits).
#include <cstddef>
#include <string>

#include "button/pages/PageBinding.h"

namespace button {

// The box's number after one arrow step (`up`: +1, else -1); false leaves the box alone (it holds
// no number).
bool StepBlend(const std::wstring& box, bool up, long& out);
bool StepOffset(const std::wstring& box, bool up, long& out);

const PageBinding* TextBindings();
size_t TextBindingCount();

}  // namespace button
