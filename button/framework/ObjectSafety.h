#pragma once
// CObjectSafety: a control's IObjectSafety. Remembers which of the control's interfaces a host has
// asked to be safe for untrusted callers or untrusted data (a browser does so before a page may
// script the control or hand it stored properties), so that the control can refuse what a page must
// not do. It lives inside its control and has no identity of its own: its IUnknown is the control's.
#include <windows.h>
#include <objsafe.h>

#include <vector>

namespace button {

class CObjectSafety : public IObjectSafety {
 public:
  // The options every interface below supports.
  static constexpr DWORD kSupported = INTERFACESAFE_FOR_UNTRUSTED_CALLER | INTERFACESAFE_FOR_UNTRUSTED_DATA;

  // `owner` answers IUnknown for this object (a pointer whose IUnknown is the control's controlling
  // unknown); `dispatchIid` is the control's dispinterface. The options are kept for it, IDispatch
  // and the persistence interfaces (stream, storage, property bag); any other interface the owner
  // has supports none, and one it has not gets E_NOINTERFACE.
  CObjectSafety(IUnknown* owner, const IID& dispatchIid);
  CObjectSafety(const CObjectSafety&) = delete;
  CObjectSafety& operator=(const CObjectSafety&) = delete;

  // True while some interface has some safety option enabled: the control is then in the hands of
  // a page.
  bool Untrusted() const;

  STDMETHODIMP QueryInterface(REFIID riid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;
  STDMETHODIMP GetInterfaceSafetyOptions(REFIID riid, DWORD* supported, DWORD* enabled) override;
  STDMETHODIMP SetInterfaceSafetyOptions(REFIID riid, DWORD mask, DWORD enabled) override;

 private:
  struct Entry {
    IID iid;
    DWORD enabled;
  };
  Entry* Find(REFIID riid);
  bool OwnerHas(REFIID riid);

  IUnknown* m_owner;
  std::vector<Entry> m_entries;
};

}  // namespace button
