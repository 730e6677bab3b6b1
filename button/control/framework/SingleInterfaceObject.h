#pragma once
// IUnknown for a heap-allocated COM object that exposes exactly one interface besides IUnknown.
// The object starts with one reference, owned by whoever created it; the last Release deletes it.
// `Derived` is the concrete class (so the delete needs no virtual destructor). An interface built on
// another one (IAccessible on IDispatch) names that base too, so that QueryInterface answers it.
#include <windows.h>
#include <unknwn.h>

namespace zb {

template <class Derived, class Itf, const IID* Iid, const IID* BaseIid = &IID_IUnknown>
class CSingleInterfaceObject : public Itf {
 public:
  STDMETHODIMP QueryInterface(REFIID riid, void** out) override {
    if (!out) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, *Iid) || IsEqualIID(riid, *BaseIid)) {
      *out = static_cast<Itf*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ULONG(InterlockedIncrement(&m_refs)); }
  STDMETHODIMP_(ULONG) Release() override {
    const LONG n = InterlockedDecrement(&m_refs);
    if (n == 0) delete static_cast<Derived*>(this);
    return ULONG(n);
  }

 private:
  LONG m_refs = 1;
};

}  // namespace zb
