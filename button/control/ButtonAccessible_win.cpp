#include "button/control/ButtonAccessible.h"

#include "common/win/ComError.h"

namespace button {

namespace {

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

// Out-parameters hold nothing until a call fills them.
template <class T>
HRESULT Cleared(T** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  return S_OK;
}
HRESULT Cleared(VARIANT* out) {
  if (!out) return E_POINTER;
  VariantInit(out);
  return S_OK;
}

}  // namespace

CButtonAccessible::CButtonAccessible(IButtonAccessibleSite& site, common::ComPtr<IAccessible> standard)
    : m_site(&site), m_standard(std::move(standard)) {}

common::ComPtr<CButtonAccessible> CButtonAccessible::Create(IButtonAccessibleSite& site) {
  common::ComPtr<IAccessible> standard;
  if (FAILED(CreateStdAccessibleObject(site.AccessibleWindow(), OBJID_CLIENT, kIidAccessible, standard.PutVoid())) ||
      !standard)
    return nullptr;
  return common::ComPtr<CButtonAccessible>::Attach(new CButtonAccessible(site, std::move(standard)));
}

void CButtonAccessible::Disconnect() {
  if (!m_site) return;
  m_site = nullptr;
  m_standard.Reset();
  // Marshalled references (a client in another process, a WM_GETOBJECT answer never collected) go
  // now; the last of them may be the last reference to us.
  common::ComPtr<IUnknown> self(static_cast<IAccessible*>(this));
  CoDisconnectObject(self.Get(), 0);
}

template <class Call>
HRESULT CButtonAccessible::Forward(Call&& call) {
  return common::Guarded([&]() -> HRESULT {
    common::ComPtr<IAccessible> standard = Standard();
    if (!m_site || !standard) return CO_E_OBJNOTCONNECTED;
    return call(standard.Get());
  });
}

// ---- IDispatch ------------------------------------------------------------------------------------

HRESULT CButtonAccessible::InterfaceInfo(common::ComPtr<ITypeInfo>& out) {
  if (!m_interfaceInfo) {
    common::ComPtr<ITypeLib> lib;
    HRESULT hr = LoadRegTypeLib(kLibidAccessibility, 1, 1, 0, lib.Put());
    if (FAILED(hr)) return hr;
    common::ComPtr<ITypeInfo> info;
    hr = lib->GetTypeInfoOfGuid(kIidAccessible, info.Put());
    if (FAILED(hr)) return hr;
    // A dual interface's type information is its dispinterface; DispInvoke needs the vtable part.
    common::ComPtr<ITypeInfo> vtable = info;
    HREFTYPE ref = 0;
    if (SUCCEEDED(info->GetRefTypeOfImplType(UINT(-1), &ref))) {
      hr = info->GetRefTypeInfo(ref, vtable.Put());
      if (FAILED(hr)) return hr;
    }
    m_dispatchInfo = info;
    m_interfaceInfo = vtable;
  }
  out = m_interfaceInfo;
  return S_OK;
}

STDMETHODIMP CButtonAccessible::GetTypeInfoCount(UINT* count) {
  return common::Guarded([&]() -> HRESULT {
    if (!count) return E_POINTER;
    common::ComPtr<ITypeInfo> info;
    *count = SUCCEEDED(InterfaceInfo(info)) ? 1 : 0;
    return S_OK;
  });
}

STDMETHODIMP CButtonAccessible::GetTypeInfo(UINT index, LCID, ITypeInfo** out) {
  return common::Guarded([&]() -> HRESULT {
    HRESULT hr = Cleared(out);
    if (FAILED(hr)) return hr;
    if (index != 0) return DISP_E_BADINDEX;
    common::ComPtr<ITypeInfo> info;
    hr = InterfaceInfo(info);
    if (FAILED(hr)) return hr;
    return m_dispatchInfo.CopyTo(out);
  });
}

STDMETHODIMP CButtonAccessible::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  return common::Guarded([&]() -> HRESULT {
    common::ComPtr<ITypeInfo> info;
    HRESULT hr = InterfaceInfo(info);
    if (FAILED(hr)) return hr;
    return DispGetIDsOfNames(info.Get(), names, count, ids);
  });
}

STDMETHODIMP CButtonAccessible::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                       EXCEPINFO* excep, UINT* argErr) {
  return common::Guarded([&]() -> HRESULT {
    common::ComPtr<ITypeInfo> info;
    HRESULT hr = InterfaceInfo(info);
    if (FAILED(hr)) return hr;
    // Keeps us alive if a member called through here releases the client's reference.
    common::ComPtr<IAccessible> self(static_cast<IAccessible*>(this));
    return DispInvoke(self.Get(), info.Get(), id, flags, params, result, excep, argErr);
  });
}

// ---- IAccessible: the button's own answers -------------------------------------------------------

STDMETHODIMP CButtonAccessible::get_accName(VARIANT child, BSTR* name) {
  if (FAILED(Cleared(name))) return E_POINTER;
  return Forward([&](IAccessible* standard) -> HRESULT {
    const std::wstring own = IsSelf(child) ? m_site->AccessibleName() : std::wstring();
    if (own.empty()) return standard->get_accName(child, name);
    *name = SysAllocStringLen(own.data(), UINT(own.size()));
    return *name ? S_OK : E_OUTOFMEMORY;
  });
}

STDMETHODIMP CButtonAccessible::get_accRole(VARIANT child, VARIANT* role) {
  if (FAILED(Cleared(role))) return E_POINTER;
  return Forward([&](IAccessible* standard) -> HRESULT {
    if (!IsSelf(child)) return standard->get_accRole(child, role);
    role->vt = VT_I4;
    role->lVal = m_site->AccessibleRole();
    return S_OK;
  });
}

STDMETHODIMP CButtonAccessible::get_accState(VARIANT child, VARIANT* state) {
  if (FAILED(Cleared(state))) return E_POINTER;
  return Forward([&](IAccessible* standard) -> HRESULT {
    if (!IsSelf(child)) return standard->get_accState(child, state);
    // Whether the window can be seen at all is the standard object's to say.
    constexpr long kVisibility = STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN;
    common::Variant seen;
    long visibility = 0;
    if (SUCCEEDED(standard->get_accState(child, seen.Ptr())) && seen.Type() == VT_I4)
      visibility = seen.Ref().lVal & kVisibility;
    if (!m_site) return CO_E_OBJNOTCONNECTED;
    state->vt = VT_I4;
    state->lVal = (m_site->AccessibleState() & ~kVisibility) | visibility;
    return S_OK;
  });
}

STDMETHODIMP CButtonAccessible::get_accDefaultAction(VARIANT child, BSTR* action) {
  if (FAILED(Cleared(action))) return E_POINTER;
  return Forward([&](IAccessible* standard) -> HRESULT {
    if (!IsSelf(child)) return standard->get_accDefaultAction(child, action);
    *action = SysAllocString(L"Press");
    return *action ? S_OK : E_OUTOFMEMORY;
  });
}

STDMETHODIMP CButtonAccessible::accDoDefaultAction(VARIANT child) {
  return Forward([&](IAccessible* standard) -> HRESULT {
    if (!IsSelf(child)) return standard->accDoDefaultAction(child);
    if (m_site->AccessibleState() & STATE_SYSTEM_UNAVAILABLE) return E_FAIL;  // a disabled button takes no click
    if (!PostMessageW(m_site->AccessibleWindow(), kPressMessage, 0, 0)) return HRESULT_FROM_WIN32(GetLastError());
    return S_OK;
  });
}

// ---- IAccessible: what the standard object answers -----------------------------------------------

STDMETHODIMP CButtonAccessible::get_accParent(IDispatch** parent) {
  if (FAILED(Cleared(parent))) return E_POINTER;
  return Forward([&](IAccessible* standard) { return standard->get_accParent(parent); });
}
STDMETHODIMP CButtonAccessible::get_accChildCount(LONG* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return Forward([&](IAccessible* standard) { return standard->get_accChildCount(count); });
}
STDMETHODIMP CButtonAccessible::get_accChild(VARIANT child, IDispatch** out) {
  if (FAILED(Cleared(out))) return E_POINTER;
  return Forward([&](IAccessible* standard) { return standard->get_accChild(child, out); });
}
STDMETHODIMP CButtonAccessible::get_accValue(VARIANT child, BSTR* value) {
  if (FAILED(Cleared(value))) return E_POINTER;
  return Forward([&](IAccessible* standard) { return standard->get_accValue(child, value); });
}
STDMETHODIMP CButtonAccessible::get_accDescription(VARIANT child, BSTR* description) {
  if (FAILED(Cleared(description))) return E_POINTER;
  return Forward([&](IAccessible* standard) { return standard->get_accDescription(child, description); });
}
STDMETHODIMP CButtonAccessible::get_accHelp(VARIANT child, BSTR* help) {
  if (FAILED(Cleared(help))) return E_POINTER;
  return Forward([&](IAccessible* standard) { return standard->get_accHelp(child, help); });
}
STDMETHODIMP CButtonAccessible::get_accHelpTopic(BSTR* helpFile, VARIANT child, LONG* topic) {
  if (FAILED(Cleared(helpFile)) || !topic) return E_POINTER;
  *topic = 0;
  return Forward([&](IAccessible* standard) { return standard->get_accHelpTopic(helpFile, child, topic); });
}
STDMETHODIMP CButtonAccessible::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
  if (FAILED(Cleared(shortcut))) return E_POINTER;
  return Forward([&](IAccessible* standard) { return standard->get_accKeyboardShortcut(child, shortcut); });
}
STDMETHODIMP CButtonAccessible::get_accFocus(VARIANT* child) {
  if (FAILED(Cleared(child))) return E_POINTER;
  return Forward([&](IAccessible* standard) { return standard->get_accFocus(child); });
}
STDMETHODIMP CButtonAccessible::get_accSelection(VARIANT* children) {
  if (FAILED(Cleared(children))) return E_POINTER;
  return Forward([&](IAccessible* standard) { return standard->get_accSelection(children); });
}
STDMETHODIMP CButtonAccessible::accSelect(LONG flags, VARIANT child) {
  return Forward([&](IAccessible* standard) { return standard->accSelect(flags, child); });
}
STDMETHODIMP CButtonAccessible::accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) {
  if (!left || !top || !width || !height) return E_POINTER;
  *left = *top = *width = *height = 0;
  return Forward([&](IAccessible* standard) { return standard->accLocation(left, top, width, height, child); });
}
STDMETHODIMP CButtonAccessible::accNavigate(LONG direction, VARIANT start, VARIANT* end) {
  if (FAILED(Cleared(end))) return E_POINTER;
  return Forward([&](IAccessible* standard) { return standard->accNavigate(direction, start, end); });
}
STDMETHODIMP CButtonAccessible::accHitTest(LONG left, LONG top, VARIANT* child) {
  if (FAILED(Cleared(child))) return E_POINTER;
  return Forward([&](IAccessible* standard) { return standard->accHitTest(left, top, child); });
}
STDMETHODIMP CButtonAccessible::put_accName(VARIANT child, BSTR name) {
  return Forward([&](IAccessible* standard) { return standard->put_accName(child, name); });
}
STDMETHODIMP CButtonAccessible::put_accValue(VARIANT child, BSTR value) {
  return Forward([&](IAccessible* standard) { return standard->put_accValue(child, value); });
}

}  // namespace button
