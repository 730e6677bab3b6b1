#pragma once
// CEventLog: ZBHOST's log on stdout, one flushed line each:
//   BUTTON EVENT Name=value ...      an event, its arguments named as the type library names them
//   # text                           a note of the host's own (never an event line)
// Numbers are written in decimal, booleans True/False, texts in double quotes (a quote inside is
// doubled, line breaks and tabs as \r \n \t). By-reference arguments show the value they point to.
#include <windows.h>
#include <oaidl.h>

#include <string>
#include <vector>

#include "tools/zbhost/ControlTypes_win.h"

namespace tools {

class CEventLog {
 public:
  explicit CEventLog(const CControlTypes& types) : m_types(types) {}

  std::string EventLine(const std::wstring& button, DISPID id, const std::vector<VARIANT*>& args) const;
  static std::string ArgText(const VARIANT& value);

  static void Write(const std::string& line);
  static void Note(const std::string& text) { Write("# " + text); }

 private:
  const CControlTypes& m_types;
};

}  // namespace tools
