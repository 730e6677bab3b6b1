#include "common/olehost/BagText.h"

#include <cwctype>
#include <set>

namespace common {

namespace {

const wchar_t kHex[] = L"0123456789abcdef";

int HexDigit(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  return -1;
}

std::wstring Trim(const std::wstring& s) {
  size_t b = 0, e = s.size();
  while (b < e && (s[b] == L' ' || s[b] == L'\t')) ++b;
  while (e > b && (s[e - 1] == L' ' || s[e - 1] == L'\t' || s[e - 1] == L'\r')) --e;
  return s.substr(b, e - b);
}

std::wstring Quote(const std::wstring& s) {
  std::wstring out = L"\"";
  for (wchar_t c : s) {
    switch (c) {
      case L'\\': out += L"\\\\"; break;
      case L'"': out += L"\\\""; break;
      case L'\n': out += L"\\n"; break;
      case L'\r': out += L"\\r"; break;
      case L'\t': out += L"\\t"; break;
      default:
        if (c < 0x20 || c == 0x7F) {
          out += L"\\u";
          for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(unsigned(c) >> shift) & 0xF];
        } else {
          out += c;
        }
    }
  }
  return out + L"\"";
}

bool Unquote(const std::wstring& s, std::wstring& out, std::wstring& why) {
  if (s.size() < 2 || s.front() != L'"' || s.back() != L'"') {
    why = L"text must be in double quotes";
    return false;
  }
  out.clear();
  for (size_t i = 1; i + 1 < s.size(); ++i) {
    wchar_t c = s[i];
    if (c == L'"') {
      why = L"unescaped double quote";
      return false;
    }
    if (c != L'\\') {
      out += c;
      continue;
    }
    if (i + 2 >= s.size()) {
      why = L"escape at the end of the text";
      return false;
    }
    wchar_t e = s[++i];
    switch (e) {
      case L'\\': out += L'\\'; break;
      case L'"': out += L'"'; break;
      case L'n': out += L'\n'; break;
      case L'r': out += L'\r'; break;
      case L't': out += L'\t'; break;
      case L'u': {
        if (i + 4 >= s.size()) {
          why = L"short \\u escape";
          return false;
        }
        unsigned v = 0;
        for (int k = 1; k <= 4; ++k) {
          int d = HexDigit(s[i + k]);
          if (d < 0) {
            why = L"bad \\u escape";
            return false;
          }
          v = v * 16 + unsigned(d);
        }
        out += wchar_t(v);
        i += 4;
        break;
      }
      default: why = L"unknown escape"; return false;
    }
  }
  return true;
}

bool Number(const std::wstring& s, int64_t lo, int64_t hi, int64_t& out) {
  if (s.empty() || s.size() > 12) return false;
  size_t i = 0;
  bool neg = false;
  if (s[0] == L'-' || s[0] == L'+') {
    neg = s[0] == L'-';
    i = 1;
  }
  if (i == s.size()) return false;
  int64_t v = 0;
  for (; i < s.size(); ++i) {
    if (s[i] < L'0' || s[i] > L'9') return false;
    v = v * 10 + (s[i] - L'0');
  }
  if (neg) v = -v;
  if (v < lo || v > hi) return false;
  out = v;
  return true;
}

}  // namespace

bool ValidName(const std::wstring& name) {
  if (name.empty() || Trim(name) != name) return false;
  for (wchar_t c : name)
    if (c == L'=' || c < 0x20 || c == 0x7F) return false;
  return name[0] != L'#';
}

std::wstring Format(const std::vector<Entry>& entries) {
  std::wstring out;
  for (const Entry& e : entries) {
    out += e.name + L"=";
    switch (e.kind) {
      case Kind::Empty: out += L"EMPTY:"; break;
      case Kind::I2: out += L"I2:" + std::to_wstring(e.number); break;
      case Kind::I4: out += L"I4:" + std::to_wstring(e.number); break;
      case Kind::UI4: out += L"UI4:" + std::to_wstring(e.number); break;
      case Kind::Bool: out += e.flag ? L"BOOL:True" : L"BOOL:False"; break;
      case Kind::String: out += L"BSTR:" + Quote(e.text); break;
      case Kind::Bytes:
        out += L"BYTES:";
        for (uint8_t b : e.bytes) {
          out += kHex[b >> 4];
          out += kHex[b & 0xF];
        }
        break;
    }
    out += L"\n";
  }
  return out;
}

bool Parse(const std::wstring& text, std::vector<Entry>& out, std::wstring& error) {
  std::vector<Entry> entries;
  std::set<std::wstring> seen;
  size_t pos = 0;
  int lineNo = 0;
  while (pos <= text.size()) {
    size_t end = text.find(L'\n', pos);
    if (end == std::wstring::npos) end = text.size();
    std::wstring line = Trim(text.substr(pos, end - pos));
    pos = end + 1;
    ++lineNo;
    if (line.empty() || line[0] == L'#') continue;
    auto fail = [&](const std::wstring& why) {
      error = L"line " + std::to_wstring(lineNo) + L": " + why;
      return false;
    };
    size_t eq = line.find(L'=');
    if (eq == std::wstring::npos) return fail(L"missing '='");
    Entry e;
    e.name = Trim(line.substr(0, eq));
    if (!ValidName(e.name)) return fail(L"bad property name");
    std::wstring upper;
    for (wchar_t c : e.name) upper += wchar_t(std::towupper(c));
    if (!seen.insert(upper).second) return fail(L"property \"" + e.name + L"\" given twice");
    std::wstring rest = Trim(line.substr(eq + 1));
    size_t colon = rest.find(L':');
    if (colon == std::wstring::npos) return fail(L"missing type (KIND:value)");
    std::wstring kind = rest.substr(0, colon);
    std::wstring value = rest.substr(colon + 1);
    std::wstring why;
    if (kind == L"EMPTY") {
      if (!value.empty()) return fail(L"EMPTY takes no value");
      e.kind = Kind::Empty;
    } else if (kind == L"I2") {
      e.kind = Kind::I2;
      if (!Number(value, -32768, 32767, e.number)) return fail(L"I2 needs a number from -32768 to 32767");
    } else if (kind == L"I4") {
      e.kind = Kind::I4;
      if (!Number(value, INT32_MIN, INT32_MAX, e.number)) return fail(L"I4 needs a 32-bit signed number");
    } else if (kind == L"UI4") {
      e.kind = Kind::UI4;
      if (!Number(value, 0, UINT32_MAX, e.number)) return fail(L"UI4 needs a number from 0 to 4294967295");
    } else if (kind == L"BOOL") {
      e.kind = Kind::Bool;
      if (value == L"True") {
        e.flag = true;
      } else if (value != L"False") {
        return fail(L"BOOL needs True or False");
      }
    } else if (kind == L"BSTR") {
      e.kind = Kind::String;
      if (!Unquote(value, e.text, why)) return fail(why);
    } else if (kind == L"BYTES") {
      e.kind = Kind::Bytes;
      if (value.size() % 2 != 0) return fail(L"BYTES needs two hexadecimal digits a byte");
      for (size_t i = 0; i < value.size(); i += 2) {
        int hi = HexDigit(value[i]), lo = HexDigit(value[i + 1]);
        if (hi < 0 || lo < 0) return fail(L"BYTES needs hexadecimal digits");
        e.bytes.push_back(uint8_t(hi * 16 + lo));
      }
    } else {
      return fail(L"unknown type \"" + kind + L"\"");
    }
    entries.push_back(std::move(e));
  }
  out = std::move(entries);
  return true;
}

}  // namespace common
