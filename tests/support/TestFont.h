#pragma once
// A tiny TrueType font made on the spot, so the tests need no font file from anywhere: two glyphs
// (an empty .notdef and a filled box drawn for every printable ASCII character), Windows names and
// metrics, checksums as the format wants them.
#include <string>

namespace tests {

// The font file's bytes; `family` is the face name the platform reports once the font is added
// (ASCII).
std::string MakeTrueTypeFont(const std::string& family);

}  // namespace tests
