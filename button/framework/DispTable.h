#pragma once
// The dispatch members of a control as data: one DispMember per property or method, with its DISPID,
// name, kind, VARTYPEs and the callbacks that read, write or invoke it. COleControl's IDispatch::Invoke
// looks members up here by DISPID, coerces the caller's arguments to the declared VARTYPEs and calls
// the callback; a test compares the table with the type library.
//
// Controls build their table with the helpers at the bottom, which bind member functions of the
// control class and derive the VARTYPEs from their signatures:
//   button::DispProperty<&CMyCtrl::GetAlign, &CMyCtrl::SetAlign>(8, L"Align")        // short <-> VT_I2
//   button::DispProperty<&CMyCtrl::GetPointer>(40, L"Pointer")                      // read-only
//   button::DispMethod<&CMyCtrl::SetCheck>(58, L"SetCheck")                         // void SetCheck(bool)
// C++ type    VARTYPE      notes
// short       VT_I2
// long        VT_I4
// bool        VT_BOOL      VARIANT_BOOL at the interface
// OLE_COLOR   VT_UI4       accepts negative VT_I4 too (same bits); read back as VT_I4
// std::wstring VT_BSTR     parameters may be `const std::wstring&`
// ComPtr<IDispatch>/IDispatch*, ComPtr<IFontDisp>/IFontDisp*, ComPtr<IPictureDisp>/IPictureDisp*
//             VT_DISPATCH  setters and parameters receive raw pointers (may be null), getters return ComPtr
// Getters/methods may be const. Setters return void or HRESULT; methods return void, a value, or
// button::HResult to report a failure (HRESULT itself is a long, which means a VT_I4 result). A failed
// code becomes the Invoke result.
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>
#include <oleauto.h>

#include <initializer_list>
#include <string>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

#include "common/win/ComPtr.h"

namespace button {

class COleControl;

enum class DispKind { Property, Method };

// What a method returns when it can fail (a bare HRESULT would read as a long result).
struct HResult {
  HRESULT hr;
};

// Flags of a member, mirrored from the type library.
enum DispFlags : unsigned {
  kDispNone = 0,
  kDispBindable = 1,     // OnChanged goes to IPropertyNotifySink after every successful put
  kDispRequestEdit = 2,  // OnRequestEdit is asked before a put; a refusal fails it with CTL_E_SETNOTPERMITTED
  kDispHidden = 4,
  kDispReadOnly = 8,  // a property without put; needed only for entries without callbacks
};

constexpr UINT kMaxDispParams = 8;

using DispGetFn = HRESULT (*)(COleControl& self, VARIANT* result);
// `value` has already been coerced to the member's `type`.
using DispPutFn = HRESULT (*)(COleControl& self, const VARIANT& value);
// `args` holds paramCount arguments, left to right, each coerced to params[i]. `result` is VT_EMPTY
// on entry; a method with a result sets it to `type`.
using DispInvokeFn = HRESULT (*)(COleControl& self, const VARIANT* args, VARIANT* result);

struct DispMember {
  DISPID id = DISPID_UNKNOWN;
  const wchar_t* name = L"";
  DispKind kind = DispKind::Property;
  VARTYPE type = VT_EMPTY;  // property: value type; method: result type (VT_EMPTY when none)
  VARTYPE params[kMaxDispParams] = {};
  UINT paramCount = 0;
  unsigned flags = kDispNone;
  DispGetFn get = nullptr;        // properties
  DispPutFn put = nullptr;        // properties; null = read-only
  DispInvokeFn invoke = nullptr;  // methods
};

using DispTable = std::vector<DispMember>;

// Entries without callbacks, for controls that handle their members in one place: Invoke then calls
// the control's virtual GetProperty / PutProperty / InvokeMethod with the entry (see OleControl.h).
inline DispMember DispPropertyEntry(DISPID id, const wchar_t* name, VARTYPE type, unsigned flags = kDispNone) {
  DispMember m;
  m.id = id;
  m.name = name;
  m.kind = DispKind::Property;
  m.type = type;
  m.flags = flags;
  return m;
}
inline DispMember DispMethodEntry(DISPID id, const wchar_t* name, VARTYPE result, std::initializer_list<VARTYPE> params,
                                  unsigned flags = kDispNone) {
  DispMember m;
  m.id = id;
  m.name = name;
  m.kind = DispKind::Method;
  m.type = result;
  m.flags = flags;
  for (VARTYPE p : params) {
    if (m.paramCount == kMaxDispParams) break;
    m.params[m.paramCount++] = p;
  }
  return m;
}

// ---- type mapping between C++ values and VARIANTs ------------------------------------------------
namespace detail {

template <class T>
struct VarTraits;

template <>
struct VarTraits<short> {
  static constexpr VARTYPE vt = VT_I2;
  using Hold = short;
  static Hold From(const VARIANT& v) { return v.iVal; }
  static short Pass(Hold h) { return h; }
  static HRESULT To(short x, VARIANT* out) {
    out->vt = VT_I2;
    out->iVal = x;
    return S_OK;
  }
};
template <>
struct VarTraits<long> {
  static constexpr VARTYPE vt = VT_I4;
  using Hold = long;
  static Hold From(const VARIANT& v) { return v.lVal; }
  static long Pass(Hold h) { return h; }
  static HRESULT To(long x, VARIANT* out) {
    out->vt = VT_I4;
    out->lVal = x;
    return S_OK;
  }
};
// OLE_COLOR is DWORD (unsigned long) in the platform headers and ULONG in the type library. Values
// handed out are VT_I4 with the same bits, which every container (and VB's Long colours) takes.
template <>
struct VarTraits<unsigned long> {
  static constexpr VARTYPE vt = VT_UI4;
  using Hold = unsigned long;
  static Hold From(const VARIANT& v) { return static_cast<unsigned long>(v.ulVal); }
  static unsigned long Pass(Hold h) { return h; }
  static HRESULT To(unsigned long x, VARIANT* out) {
    out->vt = VT_I4;
    out->lVal = static_cast<LONG>(x);
    return S_OK;
  }
};
template <>
struct VarTraits<bool> {
  static constexpr VARTYPE vt = VT_BOOL;
  using Hold = bool;
  static Hold From(const VARIANT& v) { return v.boolVal != VARIANT_FALSE; }
  static bool Pass(Hold h) { return h; }
  static HRESULT To(bool x, VARIANT* out) {
    out->vt = VT_BOOL;
    out->boolVal = x ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
  }
};
template <>
struct VarTraits<std::wstring> {
  static constexpr VARTYPE vt = VT_BSTR;
  using Hold = std::wstring;
  static Hold From(const VARIANT& v) {
    return v.bstrVal ? std::wstring(v.bstrVal, SysStringLen(v.bstrVal)) : std::wstring();
  }
  static const std::wstring& Pass(const Hold& h) { return h; }
  static HRESULT To(const std::wstring& x, VARIANT* out) {
    BSTR b = SysAllocStringLen(x.data(), UINT(x.size()));
    if (!b) return E_OUTOFMEMORY;
    out->vt = VT_BSTR;
    out->bstrVal = b;
    return S_OK;
  }
};
template <class I>
struct DispatchTraits {
  static constexpr VARTYPE vt = VT_DISPATCH;
  using Hold = common::ComPtr<I>;
  static Hold From(const VARIANT& v) {
    Hold h;
    if (v.pdispVal) v.pdispVal->QueryInterface(__uuidof(I), h.PutVoid());
    return h;
  }
  static I* Pass(const Hold& h) { return h.Get(); }
  static HRESULT To(const common::ComPtr<I>& x, VARIANT* out) {
    out->vt = VT_DISPATCH;
    out->pdispVal = nullptr;
    if (x) return x->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&out->pdispVal));
    return S_OK;
  }
};
template <>
struct VarTraits<common::ComPtr<IDispatch>> : DispatchTraits<IDispatch> {};
template <>
struct VarTraits<IDispatch*> : DispatchTraits<IDispatch> {};
template <>
struct VarTraits<common::ComPtr<IFontDisp>> : DispatchTraits<IFontDisp> {};
template <>
struct VarTraits<IFontDisp*> : DispatchTraits<IFontDisp> {};
template <>
struct VarTraits<common::ComPtr<IPictureDisp>> : DispatchTraits<IPictureDisp> {};
template <>
struct VarTraits<IPictureDisp*> : DispatchTraits<IPictureDisp> {};

template <class T>
using Plain = std::remove_cv_t<std::remove_reference_t<T>>;

// Member function pointer anatomy: class, result, parameters (const or not).
template <class F>
struct MemFn;
template <class C, class R, class... A>
struct MemFn<R (C::*)(A...)> {
  using Class = C;
  using Result = R;
  static constexpr UINT arity = sizeof...(A);
  using Args = std::tuple<A...>;
};
template <class C, class R, class... A>
struct MemFn<R (C::*)(A...) const> : MemFn<R (C::*)(A...)> {};

template <auto M, class C, class R, class... A, size_t... I>
HRESULT CallWithArgs(C& self, const VARIANT* args, VARIANT* result, std::index_sequence<I...>) {
  std::tuple<typename VarTraits<Plain<A>>::Hold...> held{VarTraits<Plain<A>>::From(args[I])...};
  (void)held;
  if constexpr (std::is_void_v<R>) {
    (self.*M)(VarTraits<Plain<A>>::Pass(std::get<I>(held))...);
    return S_OK;
  } else if constexpr (std::is_same_v<Plain<R>, HResult>) {
    return (self.*M)(VarTraits<Plain<A>>::Pass(std::get<I>(held))...).hr;
  } else {
    return VarTraits<Plain<R>>::To((self.*M)(VarTraits<Plain<A>>::Pass(std::get<I>(held))...), result);
  }
}

template <auto M, class F>
struct MethodBinder;
template <auto M, class C, class R, class... A>
struct MethodBinder<M, R (C::*)(A...)> {
  static HRESULT Invoke(COleControl& self, const VARIANT* args, VARIANT* result) {
    return CallWithArgs<M, C, R, A...>(static_cast<C&>(self), args, result, std::index_sequence_for<A...>{});
  }
  static void Describe(DispMember& m) {
    if constexpr (std::is_void_v<R> || std::is_same_v<Plain<R>, HResult>) {
      m.type = VT_EMPTY;
    } else {
      m.type = VarTraits<Plain<R>>::vt;
    }
    static_assert(sizeof...(A) <= kMaxDispParams, "too many parameters");
    VARTYPE p[] = {VarTraits<Plain<A>>::vt..., VT_EMPTY};
    for (UINT i = 0; i < sizeof...(A); ++i) m.params[i] = p[i];
    m.paramCount = sizeof...(A);
  }
};
template <auto M, class C, class R, class... A>
struct MethodBinder<M, R (C::*)(A...) const> {
  static HRESULT Invoke(COleControl& self, const VARIANT* args, VARIANT* result) {
    return CallWithArgs<M, const C, R, A...>(static_cast<const C&>(self), args, result,
                                             std::index_sequence_for<A...>{});
  }
  static void Describe(DispMember& m) { MethodBinder<M, R (C::*)(A...)>::Describe(m); }
};

template <auto G>
HRESULT GetThunk(COleControl& self, VARIANT* result) {
  using F = MemFn<decltype(G)>;
  using C = typename F::Class;
  using R = Plain<typename F::Result>;
  return VarTraits<R>::To((static_cast<C&>(self).*G)(), result);
}

template <auto S>
HRESULT PutThunk(COleControl& self, const VARIANT& value) {
  using F = MemFn<decltype(S)>;
  using C = typename F::Class;
  using A = Plain<std::tuple_element_t<0, typename F::Args>>;
  auto held = VarTraits<A>::From(value);
  using R = typename F::Result;
  if constexpr (std::is_same_v<R, HRESULT>) {
    return (static_cast<C&>(self).*S)(VarTraits<A>::Pass(held));
  } else {
    (static_cast<C&>(self).*S)(VarTraits<A>::Pass(held));
    return S_OK;
  }
}

}  // namespace detail

// A property read by Getter (`T Get() const`) and, unless Setter is nullptr, written by Setter
// (`void Set(T)` or `HRESULT Set(T)`).
template <auto Getter, auto Setter = nullptr>
DispMember DispProperty(DISPID id, const wchar_t* name, unsigned flags = kDispNone) {
  using F = detail::MemFn<decltype(Getter)>;
  static_assert(F::arity == 0, "a getter takes no arguments");
  DispMember m;
  m.id = id;
  m.name = name;
  m.kind = DispKind::Property;
  m.type = detail::VarTraits<detail::Plain<typename F::Result>>::vt;
  m.flags = flags;
  m.get = &detail::GetThunk<Getter>;
  if constexpr (!std::is_same_v<decltype(Setter), std::nullptr_t>) {
    static_assert(detail::MemFn<decltype(Setter)>::arity == 1, "a setter takes one argument");
    m.put = &detail::PutThunk<Setter>;
  }
  return m;
}

// A method bound to a member function; its parameters and result give the VARTYPEs.
template <auto Method>
DispMember DispMethod(DISPID id, const wchar_t* name, unsigned flags = kDispNone) {
  DispMember m;
  m.id = id;
  m.name = name;
  m.kind = DispKind::Method;
  m.flags = flags;
  detail::MethodBinder<Method, decltype(Method)>::Describe(m);
  m.invoke = &detail::MethodBinder<Method, decltype(Method)>::Invoke;
  return m;
}

}  // namespace button
