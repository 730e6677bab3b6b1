#pragma once
// UTF-8 <-> UTF-16 at ZBHOST's Win32 boundary (the portable parts work in UTF-8).
#include "common/win/TextConvert.h"

namespace zbhost {

using zb::Utf8;
using zb::Wide;

}  // namespace zbhost
