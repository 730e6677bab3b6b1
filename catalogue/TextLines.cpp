#include "catalogue/TextLines.h"

namespace catalogue {

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
    if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
  }
  return lines;
}

std::string_view WholeLinesWithin(std::string_view text, size_t maxBytes) {
  if (text.size() <= maxBytes) return text;
  const std::string_view cut = text.substr(0, maxBytes);
  const size_t end = cut.find_last_of("\r\n");
  return end == std::string_view::npos ? cut : cut.substr(0, end + 1);
}

std::string DescriptionText(std::string_view fileContent) {
  const std::vector<std::string_view> lines = SplitLines(fileContent);
  std::string out;
  out.reserve(fileContent.size() + 2 * lines.size());
  for (std::string_view line : lines) {
    out.append(line);
    out.append("\r\n");
  }
  return out;
}

}  // namespace catalogue
