#pragma once
// Line splitting for the panel's plain text files (list files and title descriptions).
#include <string>
#include <string_view>
#include <vector>

namespace catalogue {

// The lines of a text, in order, without their ends. A line ends at CR LF, and also at a lone CR
// or a lone LF (files edited on other systems); an end at the very end of the text does not
// start another line, so "a\r\n" is one line and "" is none.
std::vector<std::string_view> SplitLines(std::string_view text);

// The start of a text cut short at `maxBytes`: up to its last line end within them (the whole cut
// when it holds none), so that no line is shown half.
std::string_view WholeLinesWithin(std::string_view text, size_t maxBytes);

// A description as the description box shows it: every line followed by CR LF, the last included.
std::string DescriptionText(std::string_view fileContent);

}  // namespace catalogue
