#include "tools/zbhost/EventLog_win.h"

#include <cstdio>

#include "common/win/ComPtr.h"
#include "tools/zbhost/TextConvert_win.h"

namespace tools {

std::string CEventLog::ArgText(const VARIANT& value) {
  common::Variant v;
  if (FAILED(VariantCopyInd(v.Put(), const_cast<VARIANT*>(&value)))) return "?";
  switch (v.Type()) {
    case VT_EMPTY: return "";
    case VT_NULL: return "Null";
    case VT_BOOL: return v.Ref().boolVal != VARIANT_FALSE ? "True" : "False";
    case VT_DISPATCH:
    case VT_UNKNOWN: return v.Ref().punkVal ? "(object)" : "Nothing";
    case VT_BSTR: {
      const BSTR s = v.Ref().bstrVal;
      std::wstring out = L"\"";
      for (UINT i = 0, n = SysStringLen(s); i < n; ++i) {
        const wchar_t c = s[i];
        if (c == L'"')
          out += L"\"\"";
        else if (c == L'\n')
          out += L"\\n";
        else if (c == L'\r')
          out += L"\\r";
        else if (c == L'\t')
          out += L"\\t";
        else if (c < 0x20)
          out += L'?';
        else
          out += c;
      }
      return Utf8(out + L"\"");
    }
    default: {
      common::Variant text;
      if (FAILED(VariantChangeTypeEx(text.Put(), v.Ptr(), LOCALE_INVARIANT, 0, VT_BSTR))) return "?";
      return Utf8(std::wstring(text.Ref().bstrVal, SysStringLen(text.Ref().bstrVal)));
    }
  }
}

std::string CEventLog::EventLine(const std::wstring& button, DISPID id, const std::vector<VARIANT*>& args) const {
  const EventType* type = m_types.Event(id);
  std::string line = Utf8(button) + " " + (type ? Utf8(type->name) : "Event" + std::to_string(id));
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string name = type && i < type->params.size() ? Utf8(type->params[i]) : "Arg" + std::to_string(i + 1);
    line += " " + name + "=" + (args[i] ? ArgText(*args[i]) : "?");
  }
  return line;
}

void CEventLog::Write(const std::string& line) {
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

}  // namespace tools
