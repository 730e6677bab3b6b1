#pragma once
// A class factory over a creation function, and the module's table of them.
#include <windows.h>
#include <unknwn.h>

namespace zb {

using CreateInstanceFn = HRESULT (*)(IUnknown* outer, REFIID riid, void** out);

class CClassFactory final : public IClassFactory {
 public:
  explicit CClassFactory(CreateInstanceFn create);
  STDMETHODIMP QueryInterface(REFIID riid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;
  STDMETHODIMP CreateInstance(IUnknown* outer, REFIID riid, void** out) override;
  STDMETHODIMP LockServer(BOOL lock) override;

 private:
  ~CClassFactory();
  LONG m_refs = 1;
  CreateInstanceFn m_create;
};

// Hands out a new factory for `create` as riid.
HRESULT GetClassFactory(CreateInstanceFn create, REFIID riid, void** out);

}  // namespace zb
