#pragma once
// A class factory over a creation function, and the module's table of them.
#include <windows.h>
#include <unknwn.h>

#include "common/win/ComObject.h"

namespace button {

using CreateInstanceFn = HRESULT (*)(IUnknown* outer, REFIID riid, void** out);

class CClassFactory final : public common::CComObject<CClassFactory, IClassFactory> {
 public:
  explicit CClassFactory(CreateInstanceFn create);
  STDMETHODIMP CreateInstance(IUnknown* outer, REFIID riid, void** out) override;
  STDMETHODIMP LockServer(BOOL lock) override;

 private:
  friend class common::CComObject<CClassFactory, IClassFactory>;
  ~CClassFactory();
  CreateInstanceFn m_create;
};

// Hands out a new factory for `create` as riid.
HRESULT GetClassFactory(CreateInstanceFn create, REFIID riid, void** out);

}  // namespace button
