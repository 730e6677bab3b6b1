#pragma once
// IUnknown, written once, for a heap-allocated COM object of ours that implements the interfaces
// `Itfs`; the first of them also stands for IUnknown. QueryInterface answers each interface and the
// ones it derives from (InterfaceBase); a class that answers an IID known only at run time (an event
// sink's dispinterface) says so in AnswersAlso, and is handed out as its first interface for it.
// The object starts with one reference, owned by whoever created it; the last Release deletes it as
// `Derived` (a class with a private destructor befriends CComObject).
#include <windows.h>
#include <ocidl.h>
#include <unknwn.h>

#include <type_traits>

namespace common {

// The interface a COM interface derives from, where QueryInterface must answer that one too.
template <class Itf>
struct InterfaceBase {
  using type = IUnknown;
};
template <>
struct InterfaceBase<IPropertyPage2> {
  using type = IPropertyPage;
};
template <>
struct InterfaceBase<IOleInPlaceSiteEx> {
  using type = IOleInPlaceSite;
};
template <>
struct InterfaceBase<IOleInPlaceSite> {
  using type = IOleWindow;
};

template <class Derived, class First, class... Rest>
class CComObject : public First, public Rest... {
 public:
  STDMETHODIMP QueryInterface(REFIID riid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (IsEqualIID(riid, IID_IUnknown) || static_cast<Derived*>(this)->AnswersAlso(riid)) {
      *out = static_cast<First*>(this);
    } else if (!(Find<First>(riid, out) || ... || Find<Rest>(riid, out))) {
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ULONG(InterlockedIncrement(&m_refs)); }
  STDMETHODIMP_(ULONG) Release() override {
    const LONG n = InterlockedDecrement(&m_refs);
    if (n == 0) delete static_cast<Derived*>(this);
    return ULONG(n);
  }

  // IIDs beyond the interfaces' own, answered with the first interface; none unless hidden.
  bool AnswersAlso(REFIID) const { return false; }

 private:
  template <class Itf>
  bool Find(REFIID riid, void** out) {
    if (!Answers<Itf>(riid)) return false;
    *out = static_cast<Itf*>(this);
    return true;
  }
  template <class Itf>
  static bool Answers(REFIID riid) {
    if constexpr (std::is_same_v<Itf, IUnknown>) {
      return false;
    } else {
      return IsEqualIID(riid, __uuidof(Itf)) || Answers<typename InterfaceBase<Itf>::type>(riid);
    }
  }

  LONG m_refs = 1;
};

}  // namespace common
