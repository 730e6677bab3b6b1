#include "button/framework/ObjectSafety.h"

#include <ocidl.h>

namespace button {

CObjectSafety::CObjectSafety(IUnknown* owner, const IID& dispatchIid)
    : m_owner(owner), m_entries{{IID_IDispatch, 0},      {dispatchIid, 0},         {IID_IPersistStreamInit, 0},
                                {IID_IPersistStream, 0}, {IID_IPersistStorage, 0}, {IID_IPersistPropertyBag, 0}} {}

bool CObjectSafety::Untrusted() const {
  for (const Entry& e : m_entries)
    if (e.enabled) return true;
  return false;
}

CObjectSafety::Entry* CObjectSafety::Find(REFIID riid) {
  for (Entry& e : m_entries)
    if (IsEqualIID(e.iid, riid)) return &e;
  return nullptr;
}

bool CObjectSafety::OwnerHas(REFIID riid) {
  IUnknown* p = nullptr;
  if (FAILED(m_owner->QueryInterface(riid, reinterpret_cast<void**>(&p))) || !p) return false;
  p->Release();
  return true;
}

STDMETHODIMP CObjectSafety::QueryInterface(REFIID riid, void** out) { return m_owner->QueryInterface(riid, out); }
STDMETHODIMP_(ULONG) CObjectSafety::AddRef() { return m_owner->AddRef(); }
STDMETHODIMP_(ULONG) CObjectSafety::Release() { return m_owner->Release(); }

STDMETHODIMP CObjectSafety::GetInterfaceSafetyOptions(REFIID riid, DWORD* supported, DWORD* enabled) {
  if (!supported || !enabled) return E_POINTER;
  *supported = 0;
  *enabled = 0;
  if (const Entry* e = Find(riid)) {
    *supported = kSupported;
    *enabled = e->enabled;
    return S_OK;
  }
  return OwnerHas(riid) ? S_OK : E_NOINTERFACE;
}

STDMETHODIMP CObjectSafety::SetInterfaceSafetyOptions(REFIID riid, DWORD mask, DWORD enabled) {
  Entry* e = Find(riid);
  if (!e) {
    if (!OwnerHas(riid)) return E_NOINTERFACE;
    return mask == 0 ? S_OK : E_FAIL;
  }
  // An option the control cannot give is refused, and nothing changes.
  if (mask & ~kSupported) return E_FAIL;
  e->enabled = (e->enabled & ~mask) | (enabled & mask);
  return S_OK;
}

}  // namespace button
