#include "catalogue/ListFile.h"

#include "catalogue/TextLines.h"

namespace catalogue {

LineVerdict ParseListLine(std::string_view line, ListRecord* record) {
  if (line.empty()) return LineVerdict::Empty;
  const size_t separator = line.find('#');
  if (separator == std::string_view::npos) return LineVerdict::NoSeparator;
  if (separator + 1 > kMaxSeparatorPosition) return LineVerdict::SeparatorTooFar;
  const std::string_view command = line.substr(separator + 1);
  // Without a backslash there is no title folder, hence no description and nothing to run or copy;
  // a command path that starts with one names no folder either (it would be the whole category).
  const size_t folderEnd = command.find('\\');
  if (folderEnd == std::string_view::npos || folderEnd == 0) return LineVerdict::NoFolder;
  if (record) {
    record->title.assign(line.substr(0, separator));
    record->command.assign(command);
  }
  return LineVerdict::Record;
}

std::vector<ListRecord> ParseListFile(std::string_view content) {
  std::vector<ListRecord> records;
  ListRecord record;
  for (std::string_view line : SplitLines(content)) {
    if (ParseListLine(line, &record) == LineVerdict::Record) records.push_back(std::move(record));
  }
  return records;
}

}  // namespace catalogue
