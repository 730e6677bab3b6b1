#pragma once
// How a property page ties its dialog controls to properties of the selected controls, by name.
// Portable: the page's values move between a small interface over the dialog's controls (the real
// dialog on Windows, a fake in unit tests) and plain PageValue records.
#include <cstdint>
#include <string>

namespace button {

enum class BindKind {
  Check,       // check box <-> boolean property (number 0 or 1)
  ComboIndex,  // drop-down list selection index <-> short property (-1 = no selection)
  RadioIndex,  // index of the ticked button of a group of `count` consecutive ids <-> short
  EditShort,   // edit box with a decimal number <-> 16-bit property
  EditLong,    // edit box with a decimal number <-> 32-bit property
  EditColor,   // edit box with a colour as an unsigned decimal number <-> colour property
  EditString,  // edit box <-> string property
};

struct PageBinding {
  int id = 0;  // control id (the first of the group for RadioIndex)
  BindKind kind = BindKind::Check;
  const wchar_t* property = nullptr;  // property name; null for a page setting that is never written
  int count = 0;                      // RadioIndex: buttons in the group
  bool ranged = false;                // numbers: refuse values outside [minValue, maxValue] on apply
  long minValue = 0;
  long maxValue = 0;
  long start = 0;  // the page's value before it has read a control
};

// A value as the page holds it: numbers (booleans as 0/1, colours as their 32 bits) or text.
struct PageValue {
  long number = 0;
  std::wstring text;
  bool operator==(const PageValue& o) const { return number == o.number && text == o.text; }
  bool operator!=(const PageValue& o) const { return !(*this == o); }
};

// The dialog's controls as the bindings see them.
class IPageControls {
 public:
  virtual ~IPageControls() = default;
  virtual bool Checked(int id) const = 0;
  virtual void SetChecked(int id, bool checked) = 0;
  virtual int Selection(int id) const = 0;  // -1 when nothing is selected
  virtual void SetSelection(int id, int index) = 0;
  virtual std::wstring Text(int id) const = 0;
  virtual void SetText(int id, const std::wstring& text) = 0;
};

// Puts the value into the binding's control(s).
void ShowValue(const PageBinding& binding, const PageValue& value, IPageControls& controls);

// What the binding's control(s) hold, unchecked (texts of edit boxes, the selection, the ticked
// button, the box's state): compared with what they held when the page showed its values, it tells
// whether the user changed them.
PageValue ControlContent(const PageBinding& binding, const IPageControls& controls);

enum class ReadError { None, NotANumber, OutOfRange };

struct ReadResult {
  ReadError error = ReadError::None;
  PageValue value;
  int64_t low = 0, high = 0;  // the accepted range, for the message on OutOfRange / NotANumber
};

// Takes the control's content as the binding's value; numbers are checked against the property's
// width and the binding's range.
ReadResult ReadValue(const PageBinding& binding, const IPageControls& controls);

// Parses an optionally signed decimal integer with blanks around it; false on anything else or
// on a value beyond 64 bits.
bool ParseInteger(const std::wstring& text, int64_t& out);

// One arrow step of a number box: up adds one, down takes one, and the result is held to
// [low, high] (a typed number far outside comes back to the nearer end).
long StepNumber(int64_t value, bool up, int64_t low, int64_t high);

// The message shown when an edit box holds no acceptable number.
std::wstring RangeMessage(const ReadResult& result);

}  // namespace button
