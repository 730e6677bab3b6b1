#pragma once
// CControlTypes: what ZBHOST learns from a control's type information - the type of every
// property it can set (its dispatch interface) and the name and argument names of every event (its
// default source interface). Nothing here is specific to one control.
#include <windows.h>
#include <oaidl.h>

#include <map>
#include <string>
#include <vector>

namespace tools {

enum class PropKind { Bool, Short, Long, Color, Text, Font, Picture, Other };

struct PropertyType {
  std::wstring name;  // as the type library spells it
  DISPID id = DISPID_UNKNOWN;
  PropKind kind = PropKind::Other;
  bool settable = false;
};

struct EventType {
  std::wstring name;
  std::vector<std::wstring> params;
};

class CControlTypes {
 public:
  // Reads both interfaces of `control` (IDispatch and IProvideClassInfo). Fails only when the
  // control has no dispatch type information; events stay unnamed without class information.
  HRESULT Read(IUnknown* control);

  // Looked up without regard to case; null when the control has no such property.
  const PropertyType* Property(const std::wstring& name) const;
  // Null for an event the type information does not describe.
  const EventType* Event(DISPID id) const;

 private:
  struct NoCase {
    bool operator()(const std::wstring& a, const std::wstring& b) const { return _wcsicmp(a.c_str(), b.c_str()) < 0; }
  };
  void ReadProperties(ITypeInfo* info);
  void ReadEvents(ITypeInfo* info);

  std::map<std::wstring, PropertyType, NoCase> m_properties;
  std::map<DISPID, EventType> m_events;
};

}  // namespace tools
