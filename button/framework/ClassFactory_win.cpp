#include "button/framework/ClassFactory.h"

#include <new>

#include "button/framework/Module.h"
#include "common/win/ComError.h"
#include "common/win/ComPtr.h"

namespace button {

CClassFactory::CClassFactory(CreateInstanceFn create) : m_create(create) { ModuleLock(); }
CClassFactory::~CClassFactory() { ModuleUnlock(); }

STDMETHODIMP CClassFactory::CreateInstance(IUnknown* outer, REFIID riid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  return common::Guarded([&] { return m_create(outer, riid, out); });
}

STDMETHODIMP CClassFactory::LockServer(BOOL lock) {
  if (lock) {
    ModuleLock();
  } else {
    ModuleUnlock();
  }
  return S_OK;
}

HRESULT GetClassFactory(CreateInstanceFn create, REFIID riid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  const common::ComPtr<CClassFactory> f =
      common::ComPtr<CClassFactory>::Attach(new (std::nothrow) CClassFactory(create));
  if (!f) return E_OUTOFMEMORY;
  return f->QueryInterface(riid, out);
}

}  // namespace button
