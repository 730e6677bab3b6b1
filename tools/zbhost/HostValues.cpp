#include "tools/zbhost/HostValues.h"

#include <vector>

namespace tools {

namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

std::string LowerCopy(const std::string& s) {
  std::string r = s;
  for (char& c : r) c = Lower(c);
  return r;
}

std::string Trim(const std::string& s) {
  std::size_t b = 0, e = s.size();
  while (b < e && (s[b] == ' ' || s[b] == '\t')) ++b;
  while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t')) --e;
  return s.substr(b, e - b);
}

std::vector<std::string> SplitCommas(const std::string& s) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (;;) {
    std::size_t comma = s.find(',', start);
    parts.push_back(Trim(s.substr(start, comma == std::string::npos ? std::string::npos : comma - start)));
    if (comma == std::string::npos) return parts;
    start = comma + 1;
  }
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = Lower(c);
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::string Quote(const std::string& s) { return "\"" + s + "\""; }

// Digits only, no sign; false when empty, not digits, or beyond 64-bit range.
bool Unsigned(const std::string& digits, int base, uint64_t& out) {
  if (digits.empty()) return false;
  uint64_t v = 0;
  for (char c : digits) {
    const int d = base == 16 ? HexDigit(c) : (c >= '0' && c <= '9' ? c - '0' : -1);
    if (d < 0) return false;
    if (v > (UINT64_MAX - uint64_t(d)) / uint64_t(base)) return false;
    v = v * uint64_t(base) + uint64_t(d);
  }
  out = v;
  return true;
}

}  // namespace

bool ParseBool(const std::string& text, bool& out, std::string& error) {
  const std::string t = LowerCopy(text);
  if (t == "true" || t == "yes" || t == "on" || t == "1" || t == "-1") {
    out = true;
    return true;
  }
  if (t == "false" || t == "no" || t == "off" || t == "0") {
    out = false;
    return true;
  }
  error = Quote(text) + " is not True or False";
  return false;
}

bool ParseInteger(const std::string& text, int64_t min, int64_t max, int64_t& out, std::string& error) {
  const std::string range = " (" + std::to_string(min) + " to " + std::to_string(max) + ")";
  std::string t = text;
  bool hex = false;
  if (t.size() > 2 && t[0] == '0' && Lower(t[1]) == 'x') {
    hex = true;
    t = t.substr(2);
  } else if (t.size() > 2 && t[0] == '&' && Lower(t[1]) == 'h') {
    hex = true;
    t = t.substr(2);
    if (!t.empty() && t.back() == '&') t.pop_back();
  }
  int64_t value = 0;
  if (hex) {
    uint64_t bits = 0;
    if (!Unsigned(t, 16, bits) || t.size() > 16) {
      error = Quote(text) + " is not a number";
      return false;
    }
    // Eight hex digits fill a 32-bit word: read them as its signed value where the range is signed.
    if (min < 0 && max <= INT32_MAX && t.size() == 8 && bits > uint64_t(INT32_MAX) && bits <= UINT32_MAX)
      value = int64_t(int32_t(uint32_t(bits)));
    else if (bits > uint64_t(INT64_MAX)) {
      error = Quote(text) + " is out of range" + range;
      return false;
    } else
      value = int64_t(bits);
  } else {
    const bool negative = !t.empty() && t[0] == '-';
    if (!t.empty() && (t[0] == '-' || t[0] == '+')) t = t.substr(1);
    uint64_t magnitude = 0;
    const bool digits = !t.empty() && t.find_first_not_of("0123456789") == std::string::npos;
    if (!digits) {
      error = Quote(text) + " is not a number";
      return false;
    }
    if (!Unsigned(t, 10, magnitude) || magnitude > uint64_t(INT64_MAX)) {
      error = Quote(text) + " is out of range" + range;
      return false;
    }
    value = negative ? -int64_t(magnitude) : int64_t(magnitude);
  }
  if (value < min || value > max) {
    error = Quote(text) + " is out of range" + range;
    return false;
  }
  out = value;
  return true;
}

bool ParseColor(const std::string& text, uint32_t& out, std::string& error) {
  if (!text.empty() && text[0] == '#') {
    uint64_t rgb = 0;
    if (text.size() != 7 || !Unsigned(text.substr(1), 16, rgb)) {
      error = Quote(text) + " is not a colour #RRGGBB";
      return false;
    }
    // Web order RRGGBB to the control's 0x00BBGGRR.
    out = uint32_t(((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16));
    return true;
  }
  if (text.find(',') != std::string::npos) {
    const std::vector<std::string> parts = SplitCommas(text);
    int64_t c[3];
    if (parts.size() != 3) {
      error = Quote(text) + " is not a colour R,G,B";
      return false;
    }
    for (int i = 0; i < 3; ++i) {
      if (!ParseInteger(parts[std::size_t(i)], 0, 255, c[i], error)) {
        error = "colour " + Quote(text) + ": " + error;
        return false;
      }
    }
    out = uint32_t(c[0] | (c[1] << 8) | (c[2] << 16));
    return true;
  }
  int64_t v = 0;
  if (!ParseInteger(text, 0, UINT32_MAX, v, error)) return false;
  out = uint32_t(v);
  return true;
}

bool ParseText(const std::string& text, std::string& out, std::string& error) {
  if (text.empty() || text[0] != '"') {
    out = text;
    return true;
  }
  if (text.size() < 2 || text.back() != '"') {
    error = "text " + text + " lacks its closing quote";
    return false;
  }
  std::string r;
  for (std::size_t i = 1; i + 1 < text.size(); ++i) {
    char c = text[i];
    if (c == '"') {
      error = "text " + text + ": a quote inside quotes must be written \\\"";
      return false;
    }
    if (c == '\\') {
      if (i + 2 >= text.size()) {
        error = "text " + text + " ends with a lone backslash";
        return false;
      }
      const char e = text[++i];
      switch (e) {
        case '"': c = '"'; break;
        case '\\': c = '\\'; break;
        case 'n': c = '\n'; break;
        case 't': c = '\t'; break;
        default: error = std::string("text ") + text + ": unknown escape \\" + e; return false;
      }
    }
    r += c;
  }
  out = std::move(r);
  return true;
}

bool ParseFont(const std::string& text, FontSpec& out, std::string& error) {
  const std::vector<std::string> parts = SplitCommas(text);
  FontSpec wanted;
  wanted.face = parts[0];
  if (wanted.face.empty() || wanted.face.size() > 31) {
    error = "font " + Quote(text) + ": the face name must have 1 to 31 characters";
    return false;
  }
  for (std::size_t i = 1; i < parts.size(); ++i) {
    const std::string word = LowerCopy(parts[i]);
    if (word == "bold") {
      wanted.bold = true;
    } else if (word == "italic") {
      wanted.italic = true;
    } else if (word == "underline") {
      wanted.underline = true;
    } else if (word == "strikethrough") {
      wanted.strikethrough = true;
    } else if (i == 1 && !word.empty() && word[0] >= '0' && word[0] <= '9') {
      // Points with at most one decimal: "10" or "10.5".
      std::string whole = word, tenth = "0";
      const std::size_t dot = word.find('.');
      if (dot != std::string::npos) {
        whole = word.substr(0, dot);
        tenth = word.substr(dot + 1);
      }
      int64_t w = 0, t = 0;
      if (tenth.size() != 1 || !ParseInteger(whole, 1, 500, w, error) || !ParseInteger(tenth, 0, 9, t, error)) {
        error = "font " + Quote(text) + ": size " + Quote(parts[i]) + " is not 1 to 500 points";
        return false;
      }
      wanted.sizeTenths = w * 10 + t;
    } else {
      error = "font " + Quote(text) + ": " + Quote(parts[i]) +
              " is not a size (second), bold, italic, underline or strikethrough";
      return false;
    }
  }
  out = std::move(wanted);
  return true;
}

bool IsInternetAddress(const std::string& path) {
  return LowerCopy(path.substr(0, 4)) == "http" || path.find("://") != std::string::npos;
}

std::string ResolvePath(const std::string& folder, const std::string& path) {
  if (path.empty() || IsInternetAddress(path)) return path;
  const bool absolute = path[0] == '\\' || path[0] == '/' ||
                        (path.size() >= 2 && path[1] == ':' && ((path[0] | 0x20) >= 'a' && (path[0] | 0x20) <= 'z'));
  if (absolute || folder.empty()) return path;
  const char sep = folder.find('\\') != std::string::npos ? '\\' : '/';
  std::string r = folder;
  if (r.back() != '\\' && r.back() != '/') r += sep;
  for (char c : path) r += (c == '/' || c == '\\') ? sep : c;
  return r;
}

}  // namespace tools
