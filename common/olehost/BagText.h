#pragma once
// The text form of a property bag: one property a line, `Name=KIND:value`.
//   KIND   value
//   EMPTY  (nothing)
//   I2     decimal, -32768..32767          I4   decimal, 32-bit signed
//   UI4    decimal, 0..4294967295          BOOL True or False
//   BSTR   "text" with \\ \" \n \r \t and \uXXXX escapes
//   BYTES  hexadecimal digits, two a byte (objects saved through their own persistence)
// Blank lines and lines starting with '#' are ignored. Portable: no Win32 here.
#include <cstdint>
#include <string>
#include <vector>

namespace common {

enum class Kind { Empty, I2, I4, UI4, Bool, String, Bytes };

struct Entry {
  std::wstring name;
  Kind kind = Kind::Empty;
  int64_t number = 0;  // I2, I4, UI4
  bool flag = false;   // BOOL
  std::wstring text;   // BSTR
  std::vector<uint8_t> bytes;
};

std::wstring Format(const std::vector<Entry>& entries);
// Parses all or nothing: on failure `out` is untouched and `error` names the line and the fault.
bool Parse(const std::wstring& text, std::vector<Entry>& out, std::wstring& error);
// Whether a name can be written (non-empty, no '=', no line breaks or other control characters).
bool ValidName(const std::wstring& name);

}  // namespace common
