#pragma once
// The three kinds of CPropExchange the control base runs (internal to the framework):
// records (stream and storage), property bag, and reset to defaults.
#include <windows.h>
#include <ocidl.h>

#include "button/framework/PropExchange.h"
#include "button/framework/PropRecords.h"

namespace button {

// Every value takes its default.
class CResetPropExchange : public CPropExchange {
 public:
  CResetPropExchange() : CPropExchange(Mode::Reset) {}
  bool Short(const wchar_t* name, short& value, short def) override;
  bool Long(const wchar_t* name, long& value, long def) override;
  bool Bool(const wchar_t* name, bool& value, bool def) override;
  bool Color(const wchar_t* name, OLE_COLOR& value, OLE_COLOR def) override;
  bool String(const wchar_t* name, std::wstring& value, const std::wstring& def) override;
  bool Font(const wchar_t* name, CFontHolder& font, const FONTDESC& def) override;
  bool Picture(const wchar_t* name, CPictureHolder& picture) override;
};

// Loads from parsed records, or saves into a record writer.
class CRecordPropExchange : public CPropExchange {
 public:
  explicit CRecordPropExchange(const button::RecordSet& in) : CPropExchange(Mode::Load), m_in(&in) {}
  explicit CRecordPropExchange(button::RecordWriter& out) : CPropExchange(Mode::Save), m_out(&out) {}
  bool Short(const wchar_t* name, short& value, short def) override;
  bool Long(const wchar_t* name, long& value, long def) override;
  bool Bool(const wchar_t* name, bool& value, bool def) override;
  bool Color(const wchar_t* name, OLE_COLOR& value, OLE_COLOR def) override;
  bool String(const wchar_t* name, std::wstring& value, const std::wstring& def) override;
  bool Font(const wchar_t* name, CFontHolder& font, const FONTDESC& def) override;
  bool Picture(const wchar_t* name, CPictureHolder& picture) override;

 private:
  bool Wrote();
  // One number: `put` writes it, `get` reads it (false when missing or unusable).
  template <class T, class Raw, class Put, class Get>
  bool Number(const wchar_t* name, T& value, T def, Put put, Get get);
  const button::RecordSet* m_in = nullptr;
  button::RecordWriter* m_out = nullptr;
};

// Loads from or saves into a container's property bag.
class CBagPropExchange : public CPropExchange {
 public:
  CBagPropExchange(IPropertyBag* bag, IErrorLog* log, Mode mode) : CPropExchange(mode), m_bag(bag), m_log(log) {}
  bool Short(const wchar_t* name, short& value, short def) override;
  bool Long(const wchar_t* name, long& value, long def) override;
  bool Bool(const wchar_t* name, bool& value, bool def) override;
  bool Color(const wchar_t* name, OLE_COLOR& value, OLE_COLOR def) override;
  bool String(const wchar_t* name, std::wstring& value, const std::wstring& def) override;
  bool Font(const wchar_t* name, CFontHolder& font, const FONTDESC& def) override;
  bool Picture(const wchar_t* name, CPictureHolder& picture) override;

 private:
  // Reads `name` coerced to vt; false when missing or not convertible.
  bool Read(const wchar_t* name, VARTYPE vt, VARIANT& out);
  bool Write(const wchar_t* name, VARIANT& value);
  // One value held directly in a VARIANT of type vt; `field` selects its member.
  template <class T, class Field>
  bool Scalar(const wchar_t* name, T& value, T def, VARTYPE vt, Field field);
  IPropertyBag* m_bag;
  IErrorLog* m_log;
};

}  // namespace button
