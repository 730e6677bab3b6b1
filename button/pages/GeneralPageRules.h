#pragma once
// The General page's own arithmetic and its bindings: the button mode kept in HoldingFlag's high
// byte, when "Auto size Image" may be used, and the system-version check of its extensions box.
#include <cstddef>

#include "button/pages/PageBinding.h"

namespace button {

// Bits 8..15 of HoldingFlag: the button mode the mode list shows.
int ButtonModeOf(long holdingFlag);
// HoldingFlag with a new mode in its high byte and its low byte (the picture hold bits) kept.
long WithButtonMode(long holdingFlag, int mode);
// "Auto size Image" applies only while the stretch mode keeps the picture's own size (NONE,
// Aspect Ratio, Full stretch).
bool AutoSizeAllowed(int stretchSelection);
// Whether the system is newer than version 4.0 (major * 256 + minor above 4 * 256).
bool SystemNewerThan4(unsigned major, unsigned minor);

const PageBinding* GeneralBindings();
size_t GeneralBindingCount();

}  // namespace button
