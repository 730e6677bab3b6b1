#include "tools/zbhost/ControlTypes_win.h"

#include <ocidl.h>

#include "common/win/ComPtr.h"
#include "common/win/ComError.h"

namespace tools {

namespace {

using common::Bstr;
using common::ComPtr;

// Type information hands out descriptions that must be given back to it.
template <class T, void (STDMETHODCALLTYPE ITypeInfo::*Free)(T*)>
class Described {
 public:
  explicit Described(ITypeInfo* info) : m_info(info) {}
  ~Described() {
    if (m_desc) (m_info->*Free)(m_desc);
  }
  Described(const Described&) = delete;
  Described& operator=(const Described&) = delete;
  T** Put() { return &m_desc; }
  const T* operator->() const { return m_desc; }
  explicit operator bool() const { return m_desc != nullptr; }

 private:
  ITypeInfo* m_info;
  T* m_desc = nullptr;
};

struct TypeAttr : Described<TYPEATTR, &ITypeInfo::ReleaseTypeAttr> {
  explicit TypeAttr(ITypeInfo* info) : Described(info) {
    if (FAILED(info->GetTypeAttr(Put()))) *Put() = nullptr;
  }
};
struct FuncDesc : Described<FUNCDESC, &ITypeInfo::ReleaseFuncDesc> {
  FuncDesc(ITypeInfo* info, UINT index) : Described(info) {
    if (FAILED(info->GetFuncDesc(index, Put()))) *Put() = nullptr;
  }
};
struct VarDesc : Described<VARDESC, &ITypeInfo::ReleaseVarDesc> {
  VarDesc(ITypeInfo* info, UINT index) : Described(info) {
    if (FAILED(info->GetVarDesc(index, Put()))) *Put() = nullptr;
  }
};

std::wstring NameOf(ITypeInfo* info, MEMBERID id) {
  Bstr name;
  if (FAILED(info->GetDocumentation(id, name.Put(), nullptr, nullptr, nullptr))) return std::wstring();
  return name.Str();
}

PropKind KindOf(ITypeInfo* owner, const TYPEDESC& td, int depth = 0) {
  if (depth > 8) return PropKind::Other;
  switch (td.vt) {
    case VT_BOOL: return PropKind::Bool;
    case VT_I2: return PropKind::Short;
    case VT_I4:
    case VT_INT: return PropKind::Long;
    case VT_UI4:
    case VT_UINT: return PropKind::Color;  // OLE_COLOR reaches type libraries as an unsigned long
    case VT_BSTR: return PropKind::Text;
    case VT_PTR: return td.lptdesc ? KindOf(owner, *td.lptdesc, depth + 1) : PropKind::Other;
    case VT_USERDEFINED: {
      ComPtr<ITypeInfo> ref;
      if (FAILED(owner->GetRefTypeInfo(td.hreftype, ref.Put()))) return PropKind::Other;
      const std::wstring name = NameOf(ref.Get(), MEMBERID_NIL);
      if (name == L"IFontDisp" || name == L"Font" || name == L"IFont") return PropKind::Font;
      if (name == L"IPictureDisp" || name == L"Picture" || name == L"IPicture") return PropKind::Picture;
      if (name == L"OLE_COLOR") return PropKind::Color;
      TypeAttr attr(ref.Get());
      if (attr && attr->typekind == TKIND_ALIAS) return KindOf(ref.Get(), attr->tdescAlias, depth + 1);
      return PropKind::Other;
    }
    default: return PropKind::Other;
  }
}

}  // namespace

HRESULT CControlTypes::Read(IUnknown* control) {
  m_properties.clear();
  m_events.clear();
  ComPtr<IDispatch> disp = common::QueryAs<IDispatch>(control);
  if (!disp) return E_NOINTERFACE;
  ComPtr<ITypeInfo> info;
  ZB_RETURN_IF_FAILED(disp->GetTypeInfo(0, LOCALE_USER_DEFAULT, info.Put()));
  if (!info) return E_UNEXPECTED;
  ReadProperties(info.Get());

  ComPtr<IProvideClassInfo> classInfo = common::QueryAs<IProvideClassInfo>(control);
  ComPtr<ITypeInfo> coclass;
  if (!classInfo || FAILED(classInfo->GetClassInfo(coclass.Put())) || !coclass) return S_OK;
  TypeAttr attr(coclass.Get());
  if (!attr) return S_OK;
  for (UINT i = 0; i < attr->cImplTypes; ++i) {
    INT flags = 0;
    if (FAILED(coclass->GetImplTypeFlags(i, &flags))) continue;
    if ((flags & (IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE)) != (IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE))
      continue;
    HREFTYPE ref = 0;
    ComPtr<ITypeInfo> events;
    if (SUCCEEDED(coclass->GetRefTypeOfImplType(i, &ref)) && SUCCEEDED(coclass->GetRefTypeInfo(ref, events.Put())))
      ReadEvents(events.Get());
    break;
  }
  return S_OK;
}

void CControlTypes::ReadProperties(ITypeInfo* info) {
  TypeAttr attr(info);
  if (!attr) return;
  auto add = [this](const std::wstring& name, DISPID id, PropKind kind, bool settable) {
    if (name.empty()) return;
    PropertyType& p = m_properties[name];
    if (p.name.empty()) {
      p.name = name;
      p.id = id;
    }
    if (settable) {
      p.settable = true;
      p.kind = kind;
    }
  };
  for (UINT i = 0; i < attr->cFuncs; ++i) {
    FuncDesc f(info, i);
    if (!f) continue;
    const std::wstring name = NameOf(info, f->memid);
    if (f->invkind == INVOKE_PROPERTYGET) {
      add(name, f->memid, PropKind::Other, false);
    } else if ((f->invkind == INVOKE_PROPERTYPUT || f->invkind == INVOKE_PROPERTYPUTREF) && f->cParams >= 1) {
      add(name, f->memid, KindOf(info, f->lprgelemdescParam[f->cParams - 1].tdesc), true);
    }
  }
  // Dispinterfaces may declare properties as variables.
  for (UINT i = 0; i < attr->cVars; ++i) {
    VarDesc v(info, i);
    if (!v || v->varkind != VAR_DISPATCH) continue;
    const bool settable = (v->wVarFlags & VARFLAG_FREADONLY) == 0;
    add(NameOf(info, v->memid), v->memid, KindOf(info, v->elemdescVar.tdesc), settable);
  }
}

void CControlTypes::ReadEvents(ITypeInfo* info) {
  TypeAttr attr(info);
  if (!attr) return;
  for (UINT i = 0; i < attr->cFuncs; ++i) {
    FuncDesc f(info, i);
    if (!f) continue;
    std::vector<BSTR> names(size_t(f->cParams) + 1, nullptr);
    UINT got = 0;
    if (FAILED(info->GetNames(f->memid, names.data(), UINT(names.size()), &got)) || got == 0) continue;
    EventType e;
    for (UINT k = 0; k < got; ++k) {
      Bstr owned = Bstr::Attach(names[k]);
      if (k == 0)
        e.name = owned.Str();
      else
        e.params.push_back(owned.Str());
    }
    m_events[f->memid] = std::move(e);
  }
}

const PropertyType* CControlTypes::Property(const std::wstring& name) const {
  auto it = m_properties.find(name);
  return it == m_properties.end() ? nullptr : &it->second;
}

const EventType* CControlTypes::Event(DISPID id) const {
  auto it = m_events.find(id);
  return it == m_events.end() ? nullptr : &it->second;
}

}  // namespace tools
