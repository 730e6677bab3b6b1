#include "tools/zbhost/HostFile.h"

#include <cstdint>

namespace tools {

namespace {

const char kWindowSection[] = "Window";
const char kImplicitButton[] = "Button1";
constexpr std::size_t kMaxNameLength = 64;

bool IsSpace(char c) { return c == ' ' || c == '\t'; }

std::string Trim(const std::string& s) {
  std::size_t b = 0, e = s.size();
  while (b < e && IsSpace(s[b])) ++b;
  while (e > b && IsSpace(s[e - 1])) --e;
  return s.substr(b, e - b);
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

bool IsWordChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

bool ValidSettingName(const std::string& name) {
  if (name.empty() || name.size() > kMaxNameLength) return false;
  for (char c : name)
    if (!IsWordChar(c)) return false;
  return true;
}

// Well-formed UTF-8 (no overlong forms, no surrogates, nothing above U+10FFFF) without control
// characters other than tab.
bool CleanUtf8(const std::string& s) {
  const auto* p = reinterpret_cast<const unsigned char*>(s.data());
  const std::size_t n = s.size();
  for (std::size_t i = 0; i < n;) {
    const unsigned char c = p[i];
    if (c < 0x80) {
      if ((c < 0x20 && c != '\t') || c == 0x7F) return false;
      ++i;
      continue;
    }
    std::size_t len;
    uint32_t cp;
    if ((c & 0xE0) == 0xC0) {
      len = 2;
      cp = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
      len = 3;
      cp = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
      len = 4;
      cp = c & 0x07;
    } else {
      return false;
    }
    if (n - i < len) return false;
    for (std::size_t k = 1; k < len; ++k) {
      if ((p[i + k] & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (p[i + k] & 0x3F);
    }
    static const uint32_t kMin[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kMin[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    i += len;
  }
  return true;
}

bool Fail(FileError& error, int line, std::string message) {
  error.line = line;
  error.message = std::move(message);
  return false;
}

}  // namespace

bool SameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return true;
}

bool ValidButtonName(const std::string& name) {
  if (name.empty() || name.size() > kMaxNameLength) return false;
  for (char c : name)
    if (!IsWordChar(c) && c != '-' && c != '.') return false;
  return true;
}

bool ParseHostFile(const std::string& input, HostFile& out, FileError& error) {
  if (input.size() > kMaxFileBytes) return Fail(error, 0, "file is larger than 1 MB");
  std::string text = input;
  if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.erase(0, 3);

  HostFile file;
  std::vector<Setting>* current = nullptr;  // null before the first section
  bool haveWindow = false;
  int lineNo = 0;
  int lastContent = 1;  // where a fault of the whole file is reported
  std::size_t pos = 0;
  while (pos <= text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    std::string raw = text.substr(pos, end - pos);
    pos = end + 1;
    ++lineNo;
    if (!raw.empty() && raw.back() == '\r') raw.pop_back();
    if (!CleanUtf8(raw)) return Fail(error, lineNo, "not UTF-8 text (or a control character)");
    const std::string line = Trim(raw);
    if (line.empty()) continue;
    lastContent = lineNo;
    if (line[0] == ';' || line[0] == '#') continue;

    if (line[0] == '[') {
      if (line.back() != ']') return Fail(error, lineNo, "a section line must end with ']'");
      const std::string name = Trim(line.substr(1, line.size() - 2));
      if (SameName(name, kWindowSection)) {
        if (haveWindow) return Fail(error, lineNo, "a second [Window] section");
        haveWindow = true;
        current = &file.window;
        continue;
      }
      if (!ValidButtonName(name))
        return Fail(error, lineNo, "button name \"" + name + "\" is not 1 to 64 letters, digits, '_', '-' or '.'");
      for (const ButtonSection& b : file.buttons)
        if (SameName(b.name, name))
          return Fail(error, lineNo,
                      "a second button named " + name + " (first on line " + std::to_string(b.line) + ")");
      if (file.buttons.size() >= kMaxButtons)
        return Fail(error, lineNo, "more than " + std::to_string(kMaxButtons) + " buttons");
      file.buttons.push_back(ButtonSection{name, lineNo, {}});
      current = &file.buttons.back().settings;
      continue;
    }

    const std::size_t eq = line.find('=');
    if (eq == std::string::npos) return Fail(error, lineNo, "expected Name=Value, a [section] or a comment");
    Setting setting{Trim(line.substr(0, eq)), Trim(line.substr(eq + 1)), lineNo};
    if (!ValidSettingName(setting.name)) return Fail(error, lineNo, "\"" + setting.name + "\" is not a property name");
    if (!current) {
      // Settings before any section make the implicit first button.
      file.buttons.push_back(ButtonSection{kImplicitButton, lineNo, {}});
      current = &file.buttons.back().settings;
    }
    for (const Setting& s : *current)
      if (SameName(s.name, setting.name))
        return Fail(error, lineNo, setting.name + " is set twice (first on line " + std::to_string(s.line) + ")");
    current->push_back(std::move(setting));
  }
  if (file.buttons.empty()) return Fail(error, lastContent, "the file declares no button");
  out = std::move(file);
  return true;
}

}  // namespace tools
