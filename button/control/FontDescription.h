#pragma once
// The button's font descriptions: the default both font holders start from (the system's status-bar
// font, else Arial 10 pt bold) and the edits of SetTextFontByName / SetToolTipFontByName /
// SetFontsCharSet. The description type is the font holder's own.
#include <cstdint>
#include <string>

#include "button/framework/FontHolder.h"

namespace button {

// Arial, 10 points, weight 700, character set 0, no italic, underline or strikethrough.
button::FontDescription Fallback();
// The status-bar font of the system's non-client metrics (face, height in whole points at the screen's
// vertical resolution, weight, italic, underline, strikethrough, character set), or Fallback().
button::FontDescription SystemDefault();
// A non-empty name replaces the face; a size above 0 sets whole points; weight 700 if bold else 400;
// italic and underline follow their flags.
void ApplyByName(button::FontDescription& d, const std::wstring& name, long points, bool italic, bool bold,
                 bool underline);

}  // namespace button
