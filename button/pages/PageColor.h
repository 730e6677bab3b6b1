#pragma once
// Colours as the pages' hidden boxes hold them: OLE colours, which may name a system colour.
#include <cstdint>

namespace button {

// The plain 0x00BBGGRR value of an OLE colour (a system colour resolved, anything unknown kept as
// its low 24 bits).
uint32_t RgbOfOleColor(long value);

}  // namespace button
