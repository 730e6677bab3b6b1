#pragma once
// UTF-8 <-> UTF-16 at ZBHOST's Win32 boundary (the portable parts work in UTF-8).
#include "common/win/TextConvert.h"

namespace tools {

using common::Utf8;
using common::Wide;

}  // namespace tools
