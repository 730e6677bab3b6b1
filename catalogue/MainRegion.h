#pragma once
// The skinned windows' regions: their outlines as window regions.
#include <windows.h>

#include <cstdint>

namespace catalogue {

// The outline scaled and shifted for this screen, as a region the caller hands to the window
// (SetWindowRgn) or deletes. Null when the system could not make it; the window then stays
// rectangular.
HRGN BuildMainRegion(float scaleX, float scaleY, std::int16_t offsetX, std::int16_t offsetY);
// The copy window's, in the same way.
HRGN BuildCopyRegion(float scaleX, float scaleY, std::int16_t offsetX, std::int16_t offsetY);

}  // namespace catalogue
