#pragma once
// A category list file: one title a line, "title#command path", the command path relative to the
// category's folder on the CD and starting with the title's own folder.
#include <string>
#include <string_view>
#include <vector>

namespace catalogue {

struct ListRecord {
  std::string title;    // bytes of the system code page, as in the file
  std::string command;  // everything after the first '#'
};

// Why a line gives no record.
enum class LineVerdict {
  Record,
  Empty,            // skipped, as the format wants
  NoSeparator,      // no '#' at all
  SeparatorTooFar,  // the '#' lies beyond the 255th character
  NoFolder,         // the command path names no title folder (no backslash, or one at its start)
};

// The separator must lie within the first 255 characters of a line (a title of at most 254).
inline constexpr size_t kMaxSeparatorPosition = 255;

LineVerdict ParseListLine(std::string_view line, ListRecord* record);

// Every record of a list file in file order. Lines that are not records are left out and use
// no index, so the rows of the title list and their records stay in step.
std::vector<ListRecord> ParseListFile(std::string_view content);

}  // namespace catalogue
