#include "button/pages/PageBinding.h"

#include <algorithm>
#include <climits>
#include <cwctype>

namespace button {

namespace {

// The widest range a numeric binding's property can hold.
void TypeRange(BindKind kind, int64_t& low, int64_t& high) {
  switch (kind) {
    case BindKind::EditShort:
    case BindKind::ComboIndex:
    case BindKind::RadioIndex:
      low = INT16_MIN;
      high = INT16_MAX;
      break;
    case BindKind::EditColor:
      low = 0;
      high = UINT32_MAX;
      break;
    default:
      low = INT32_MIN;
      high = INT32_MAX;
      break;
  }
}

}  // namespace

bool ParseInteger(const std::wstring& text, int64_t& out) {
  size_t i = 0, n = text.size();
  while (i < n && std::iswspace(text[i])) ++i;
  bool negative = false;
  if (i < n && (text[i] == L'-' || text[i] == L'+')) negative = text[i++] == L'-';
  const size_t digitsStart = i;
  uint64_t magnitude = 0;
  for (; i < n && text[i] >= L'0' && text[i] <= L'9'; ++i) {
    const unsigned digit = unsigned(text[i] - L'0');
    if (magnitude > (uint64_t(INT64_MAX) + 1 - digit) / 10) return false;
    magnitude = magnitude * 10 + digit;
  }
  if (i == digitsStart) return false;
  while (i < n && std::iswspace(text[i])) ++i;
  if (i != n) return false;
  if (!negative && magnitude > uint64_t(INT64_MAX)) return false;
  out = negative ? int64_t(0 - magnitude) : int64_t(magnitude);
  return true;
}

long StepNumber(int64_t value, bool up, int64_t low, int64_t high) {
  // Held just outside the range first, so that the step cannot overflow and lands on the end.
  value = std::clamp<int64_t>(value, low > INT64_MIN ? low - 1 : low, high < INT64_MAX ? high + 1 : high);
  return long(std::clamp<int64_t>(up ? value + 1 : value - 1, low, high));
}

void ShowValue(const PageBinding& b, const PageValue& v, IPageControls& c) {
  switch (b.kind) {
    case BindKind::Check: c.SetChecked(b.id, v.number != 0); break;
    case BindKind::ComboIndex: c.SetSelection(b.id, int(v.number)); break;
    case BindKind::RadioIndex:
      for (int i = 0; i < b.count; ++i) c.SetChecked(b.id + i, v.number == i);
      break;
    case BindKind::EditShort:
    case BindKind::EditLong: c.SetText(b.id, std::to_wstring(v.number)); break;
    case BindKind::EditColor:
      // Colours travel as 32 bits; the box shows them unsigned, as COLORREF values are written.
      c.SetText(b.id, std::to_wstring(uint32_t(v.number)));
      break;
    case BindKind::EditString: c.SetText(b.id, v.text); break;
  }
}

PageValue ControlContent(const PageBinding& b, const IPageControls& c) {
  switch (b.kind) {
    case BindKind::Check:
    case BindKind::ComboIndex:
    case BindKind::RadioIndex: return ReadValue(b, c).value;  // these reads cannot fail
    default: {
      PageValue v;
      v.text = c.Text(b.id);
      return v;
    }
  }
}

ReadResult ReadValue(const PageBinding& b, const IPageControls& c) {
  ReadResult r;
  switch (b.kind) {
    case BindKind::Check: r.value.number = c.Checked(b.id) ? 1 : 0; return r;
    case BindKind::ComboIndex: r.value.number = c.Selection(b.id); return r;
    case BindKind::RadioIndex:
      r.value.number = -1;
      for (int i = 0; i < b.count; ++i) {
        if (c.Checked(b.id + i)) {
          r.value.number = i;
          break;
        }
      }
      return r;
    case BindKind::EditString: r.value.text = c.Text(b.id); return r;
    default: break;
  }
  int64_t low = 0, high = 0;
  TypeRange(b.kind, low, high);
  if (b.ranged) {
    low = b.minValue;
    high = b.maxValue;
  }
  r.low = low;
  r.high = high;
  int64_t n = 0;
  if (!ParseInteger(c.Text(b.id), n)) {
    r.error = ReadError::NotANumber;
    return r;
  }
  if (n < low || n > high) {
    r.error = ReadError::OutOfRange;
    return r;
  }
  // Colours above 0x7FFFFFFF keep their bits in the signed member.
  r.value.number = long(int32_t(uint32_t(uint64_t(n))));
  return r;
}

std::wstring RangeMessage(const ReadResult& r) {
  if (r.error == ReadError::None) return std::wstring();
  return L"Enter an integer between " + std::to_wstring(r.low) + L" and " + std::to_wstring(r.high) + L".";
}

}  // namespace button
