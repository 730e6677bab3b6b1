#pragma once
// CPropExchange: one routine moves a control's properties in all three directions. A control's
// DoPropExchange calls the typed exchangers in its persisted order; the same code then loads
// (values come from the data, defaults where the data has none or holds something unusable),
// saves, or resets (every value takes its default).
//
// Backends: stream (IPersistStreamInit, and IPersistStorage's "Contents" stream) in the format of
// PropRecords.h, and property bag (IPersistPropertyBag; fonts and pictures travel as objects or as
// their IPersistStream bytes). The control never sees which backend runs.
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <string>

namespace button {

class CFontHolder;
class CPictureHolder;

class CPropExchange {
 public:
  enum class Mode { Load, Save, Reset };

  explicit CPropExchange(Mode mode) : m_mode(mode) {}
  virtual ~CPropExchange() = default;
  CPropExchange(const CPropExchange&) = delete;
  CPropExchange& operator=(const CPropExchange&) = delete;

  Mode GetMode() const { return m_mode; }
  // True when values flow into the control (load or reset).
  bool IsLoading() const { return m_mode != Mode::Save; }

  // Each returns true when the value was taken from the data (load) or written (save); false when
  // the default was used (reset, missing or unusable data) or the value could not be written.
  // On a false load the variable holds the default.
  virtual bool Short(const wchar_t* name, short& value, short def) = 0;
  virtual bool Long(const wchar_t* name, long& value, long def) = 0;
  virtual bool Bool(const wchar_t* name, bool& value, bool def) = 0;
  virtual bool Color(const wchar_t* name, OLE_COLOR& value, OLE_COLOR def) = 0;
  virtual bool String(const wchar_t* name, std::wstring& value, const std::wstring& def) = 0;
  // Fonts: on load/reset the holder is re-created from `def` when the data has no usable font.
  virtual bool Font(const wchar_t* name, CFontHolder& font, const FONTDESC& def) = 0;
  // Pictures: default is the empty picture.
  virtual bool Picture(const wchar_t* name, CPictureHolder& picture) = 0;

  // The persisted version ("_Version"). On load, `version` receives the stored value (the current one
  // when absent); data newer than `current` is still read as far as names match.
  bool Version(const wchar_t* name, DWORD& version, DWORD current) {
    long v = long(current);
    bool got = Long(name, v, long(current));
    version = DWORD(v);
    m_loadedVersion = version;
    return got;
  }
  DWORD LoadedVersion() const { return m_loadedVersion; }

  // How many values a load actually took from the data; a load that took none failed.
  int ValuesRead() const { return m_valuesRead; }
  // How many values a save could not write.
  int WriteFailures() const { return m_writeFailures; }

 protected:
  void CountRead() { ++m_valuesRead; }
  void CountWriteFailure() { ++m_writeFailures; }

 private:
  Mode m_mode;
  DWORD m_loadedVersion = 0;
  int m_valuesRead = 0;
  int m_writeFailures = 0;
};

}  // namespace button
