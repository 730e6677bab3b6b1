// COleControl's IDispatch: names and type information from the type library, Invoke over the
// dispatch table with argument coercion and the standard DISP_E_* answers.
#include <olectl.h>

#include <vector>

#include "button/framework/Module.h"
#include "button/framework/OleControlImpl.h"
#include "common/win/ComError.h"

namespace button {

namespace {

// Coerces src (by value or by reference) to vt into dst.
HRESULT Coerce(const VARIANT& src, VARTYPE vt, VARIANT& dst) {
  VariantInit(&dst);
  VARIANT plain;
  VariantInit(&plain);
  HRESULT hr = VariantCopyInd(&plain, const_cast<VARIANT*>(&src));
  ZB_RETURN_IF_FAILED(hr);
  if (vt == VT_VARIANT || plain.vt == vt) {
    dst = plain;
    return S_OK;
  }
  hr = VariantChangeType(&dst, &plain, 0, vt);
  if (FAILED(hr) && vt == VT_UI4) {
    // Colours: a negative Long carries the same 32 bits.
    VARIANT i4;
    VariantInit(&i4);
    if (SUCCEEDED(VariantChangeType(&i4, &plain, 0, VT_I4))) {
      dst.vt = VT_UI4;
      dst.ulVal = ULONG(i4.lVal);
      hr = S_OK;
    }
  }
  VariantClear(&plain);
  return hr;
}

bool IsMissing(const VARIANT& v) { return v.vt == VT_ERROR && v.scode == DISP_E_PARAMNOTFOUND; }

// Frees the coerced arguments of one call.
struct ArgList {
  std::vector<VARIANT> values;
  explicit ArgList(size_t n) : values(n) {
    for (VARIANT& v : values) VariantInit(&v);
  }
  ~ArgList() {
    for (VARIANT& v : values) VariantClear(&v);
  }
};

}  // namespace

HRESULT COleControl::Impl::TypeLib(common::ComPtr<ITypeLib>& out) {
  if (!m_typeLibTried) {
    m_typeLibTried = true;
    const ControlClassInfo& info = m_owner->m_info;
    // A library is registered under its own locale; a lookup falls back only to the language-neutral one.
    m_typeLibResult = TYPE_E_LIBNOTREGISTERED;
    for (LCID lcid : {GetUserDefaultLCID(), LCID(0x0409), LCID(0)}) {
      m_typeLibResult = LoadRegTypeLib(*info.libid, info.libMajor, info.libMinor, lcid, m_typeLib.Put());
      if (SUCCEEDED(m_typeLibResult)) break;
    }
    if (FAILED(m_typeLibResult)) {
      // Not registered (yet): the module carries its own copy.
      std::wstring path = ModulePath();
      m_typeLibResult = path.empty() ? E_FAIL : LoadTypeLibEx(path.c_str(), REGKIND_NONE, m_typeLib.Put());
      if (SUCCEEDED(m_typeLibResult)) {
        TLIBATTR* attr = nullptr;
        if (SUCCEEDED(m_typeLib->GetLibAttr(&attr))) {
          if (!IsEqualGUID(attr->guid, *info.libid)) m_typeLibResult = TYPE_E_LIBNOTREGISTERED;
          m_typeLib->ReleaseTLibAttr(attr);
        }
        if (FAILED(m_typeLibResult)) m_typeLib.Reset();
      }
    }
  }
  out = m_typeLib;
  return m_typeLibResult;
}

HRESULT COleControl::Impl::TypeInfoOf(REFGUID guid, common::ComPtr<ITypeInfo>& out) {
  common::ComPtr<ITypeLib> lib;
  ZB_RETURN_IF_FAILED(TypeLib(lib));
  return lib->GetTypeInfoOfGuid(guid, out.Put());
}

STDMETHODIMP COleControl::GetTypeInfoCount(UINT* count) {
  return common::Guarded([&]() -> HRESULT {
    if (!count) return E_POINTER;
    common::ComPtr<ITypeInfo> ti;
    *count = SUCCEEDED(m_impl->TypeInfoOf(*m_info.dispatchIid, ti)) ? 1 : 0;
    return S_OK;
  });
}

STDMETHODIMP COleControl::GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
  return common::Guarded([&]() -> HRESULT {
    if (!info) return E_POINTER;
    *info = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    common::ComPtr<ITypeInfo> ti;
    ZB_RETURN_IF_FAILED(m_impl->TypeInfoOf(*m_info.dispatchIid, ti));
    *info = ti.Detach();
    return S_OK;
  });
}

STDMETHODIMP COleControl::GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  return common::Guarded([&]() -> HRESULT {
    if (!IsEqualIID(riid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    if (!names || !ids) return E_POINTER;
    if (count == 0) return S_OK;
    common::ComPtr<ITypeInfo> ti;
    if (SUCCEEDED(m_impl->TypeInfoOf(*m_info.dispatchIid, ti))) return ti->GetIDsOfNames(names, count, ids);
    // Without type information: member names from the table; parameters cannot be named.
    for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
    if (!names[0]) return DISP_E_UNKNOWNNAME;
    auto match = [&](const DispMember& m) { return _wcsicmp(m.name, names[0]) == 0; };
    bool found = false;
    for (const DispMember& m : Members()) {
      if (match(m)) {
        ids[0] = m.id;
        found = true;
        break;
      }
    }
    if (!found) {
      for (const DispMember& m : m_impl->m_stock) {
        if (match(m)) {
          ids[0] = m.id;
          found = true;
          break;
        }
      }
    }
    if (!found || count > 1) return DISP_E_UNKNOWNNAME;
    return S_OK;
  });
}

STDMETHODIMP COleControl::Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                 EXCEPINFO*, UINT* argErr) {
  return common::Guarded([&]() -> HRESULT {
    if (!IsEqualIID(riid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    if (!params) return E_INVALIDARG;
    if (params->cArgs > 0 && !params->rgvarg) return E_INVALIDARG;
    if (params->cNamedArgs > params->cArgs || (params->cNamedArgs > 0 && !params->rgdispidNamedArgs))
      return E_INVALIDARG;
    if (result) VariantInit(result);
    if (id == DISPID_VALUE && m_info.defaultMember != DISPID_VALUE) id = m_info.defaultMember;
    const DispMember* m = m_impl->Find(id);
    if (!m) return DISP_E_MEMBERNOTFOUND;
    // The control stays alive through whatever the member sets in motion.
    common::ComPtr<IUnknown> self(m_outer);

    if (m->kind == DispKind::Property) {
      const bool put = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
      if (put) {
        if ((flags & DISPATCH_PROPERTYPUTREF) && !(flags & DISPATCH_PROPERTYPUT) && m->type != VT_DISPATCH)
          return DISP_E_MEMBERNOTFOUND;
        if (!m->put && (m->get || (m->flags & kDispReadOnly))) return DISP_E_MEMBERNOTFOUND;
        if (params->cNamedArgs != 1 || params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT)
          return DISP_E_PARAMNOTOPTIONAL;
        if (params->cArgs != 1) return DISP_E_BADPARAMCOUNT;
        if (IsMissing(params->rgvarg[0])) {
          if (argErr) *argErr = 0;
          return DISP_E_PARAMNOTOPTIONAL;
        }
        ArgList value(1);
        if (FAILED(Coerce(params->rgvarg[0], m->type, value.values[0]))) {
          if (argErr) *argErr = 0;
          return DISP_E_TYPEMISMATCH;
        }
        if ((m->flags & kDispRequestEdit) && !BoundPropertyRequestEdit(m->id)) return CTL_E_SETNOTPERMITTED;
        HRESULT hr = m->put ? m->put(*this, value.values[0]) : PutProperty(*m, value.values[0]);
        if (SUCCEEDED(hr) && (m->flags & kDispBindable)) BoundPropertyChanged(m->id);
        return hr;
      }
      if (flags & DISPATCH_PROPERTYGET) {
        if (params->cArgs != 0) return DISP_E_BADPARAMCOUNT;
        VARIANT scratch;
        VariantInit(&scratch);
        VARIANT* out = result ? result : &scratch;
        HRESULT hr = m->get ? m->get(*this, out) : GetProperty(*m, out);
        VariantClear(&scratch);
        if (FAILED(hr) && result) VariantClear(result);
        return hr;
      }
      return DISP_E_MEMBERNOTFOUND;
    }

    if (!(flags & DISPATCH_METHOD)) return DISP_E_MEMBERNOTFOUND;
    const UINT n = m->paramCount;
    if (params->cArgs > n) return DISP_E_BADPARAMCOUNT;
    // Place each argument: named ones (DISPID = parameter position) first, then positional ones,
    // which DISPPARAMS lists right to left after the named ones.
    std::vector<int> source(n, -1);  // index into rgvarg
    for (UINT k = 0; k < params->cNamedArgs; ++k) {
      DISPID pos = params->rgdispidNamedArgs[k];
      if (pos < 0 || UINT(pos) >= n || source[pos] != -1) {
        if (argErr) *argErr = k;
        return DISP_E_PARAMNOTFOUND;
      }
      source[pos] = int(k);
    }
    const UINT positional = params->cArgs - params->cNamedArgs;
    for (UINT i = 0; i < positional; ++i) {
      if (source[i] != -1) {
        if (argErr) *argErr = params->cArgs - 1 - i;
        return DISP_E_PARAMNOTFOUND;
      }
      source[i] = int(params->cArgs - 1 - i);
    }
    for (UINT i = 0; i < n; ++i)
      if (source[i] == -1) return DISP_E_BADPARAMCOUNT;
    ArgList args(n);
    for (UINT i = 0; i < n; ++i) {
      const VARIANT& given = params->rgvarg[source[i]];
      if (IsMissing(given)) {
        if (argErr) *argErr = UINT(source[i]);
        return DISP_E_PARAMNOTOPTIONAL;
      }
      if (FAILED(Coerce(given, m->params[i], args.values[i]))) {
        if (argErr) *argErr = UINT(source[i]);
        return DISP_E_TYPEMISMATCH;
      }
    }
    VARIANT scratch;
    VariantInit(&scratch);
    VARIANT* out = result ? result : &scratch;
    HRESULT hr = m->invoke ? m->invoke(*this, args.values.data(), out) : InvokeMethod(*m, args.values.data(), out);
    VariantClear(&scratch);
    if (FAILED(hr) && result) VariantClear(result);
    return hr;
  });
}

}  // namespace button
