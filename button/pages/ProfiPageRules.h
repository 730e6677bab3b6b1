#pragma once
// The Profi page's bindings: four switches, starting at the control's own defaults before the page
// has read a control.
#include <cstddef>

#include "button/pages/PageBinding.h"

namespace button {

const PageBinding* ProfiBindings();
size_t ProfiBindingCount();

}  // namespace button
