#pragma once
// Small RAII holders for COM pointers, BSTRs and VARIANTs. Header-only; Windows only.
#include <windows.h>
#include <oleauto.h>
#include <unknwn.h>

#include <string>
#include <utility>

namespace common {

// Owns one reference to a COM interface.
template <class T>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(std::nullptr_t) {}
  // Takes a new reference (AddRef) on p.
  explicit ComPtr(T* p) : m_p(p) {
    if (m_p) m_p->AddRef();
  }
  ComPtr(const ComPtr& o) : m_p(o.m_p) {
    if (m_p) m_p->AddRef();
  }
  ComPtr(ComPtr&& o) noexcept : m_p(o.m_p) { o.m_p = nullptr; }
  ~ComPtr() { Reset(); }
  ComPtr& operator=(const ComPtr& o) {
    if (this != &o) {
      T* old = m_p;
      m_p = o.m_p;
      if (m_p) m_p->AddRef();
      if (old) old->Release();
    }
    return *this;
  }
  ComPtr& operator=(ComPtr&& o) noexcept {
    if (this != &o) {
      Reset();
      m_p = o.m_p;
      o.m_p = nullptr;
    }
    return *this;
  }
  ComPtr& operator=(std::nullptr_t) {
    Reset();
    return *this;
  }

  // Adopts a pointer that already carries a reference (no AddRef).
  static ComPtr Attach(T* p) {
    ComPtr r;
    r.m_p = p;
    return r;
  }
  // Gives the reference away to the caller.
  T* Detach() {
    T* p = m_p;
    m_p = nullptr;
    return p;
  }
  void Reset() {
    if (m_p) {
      T* p = m_p;
      m_p = nullptr;
      p->Release();
    }
  }
  // For out-parameters: releases what is held and returns the slot.
  T** Put() {
    Reset();
    return &m_p;
  }
  void** PutVoid() { return reinterpret_cast<void**>(Put()); }

  T* Get() const { return m_p; }
  T* operator->() const { return m_p; }
  explicit operator bool() const { return m_p != nullptr; }

  // Hands out an AddRef'd copy through an out-parameter.
  HRESULT CopyTo(T** out) const {
    if (!out) return E_POINTER;
    *out = m_p;
    if (m_p) m_p->AddRef();
    return S_OK;
  }
  template <class U>
  HRESULT As(ComPtr<U>& out) const {
    if (!m_p) return E_NOINTERFACE;
    return m_p->QueryInterface(__uuidof(U), out.PutVoid());
  }

 private:
  T* m_p = nullptr;
};

// Queries any interface pointer for U.
template <class U, class T>
ComPtr<U> QueryAs(T* p) {
  ComPtr<U> r;
  if (p) p->QueryInterface(__uuidof(U), r.PutVoid());
  return r;
}

// Owns a BSTR.
class Bstr {
 public:
  Bstr() = default;
  explicit Bstr(const wchar_t* s) : m_s(s ? SysAllocString(s) : nullptr) {}
  explicit Bstr(const std::wstring& s) : m_s(SysAllocStringLen(s.data(), UINT(s.size()))) {}
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  Bstr(Bstr&& o) noexcept : m_s(o.m_s) { o.m_s = nullptr; }
  Bstr& operator=(Bstr&& o) noexcept {
    if (this != &o) {
      SysFreeString(m_s);
      m_s = o.m_s;
      o.m_s = nullptr;
    }
    return *this;
  }
  ~Bstr() { SysFreeString(m_s); }
  static Bstr Attach(BSTR s) {
    Bstr b;
    b.m_s = s;
    return b;
  }
  BSTR Detach() {
    BSTR s = m_s;
    m_s = nullptr;
    return s;
  }
  BSTR* Put() {
    SysFreeString(m_s);
    m_s = nullptr;
    return &m_s;
  }
  BSTR Get() const { return m_s; }
  UINT Length() const { return SysStringLen(m_s); }
  std::wstring Str() const { return m_s ? std::wstring(m_s, SysStringLen(m_s)) : std::wstring(); }

 private:
  BSTR m_s = nullptr;
};

// Owns a VARIANT (VariantClear on destruction).
class Variant {
 public:
  Variant() { VariantInit(&m_v); }
  Variant(const Variant& o) {
    VariantInit(&m_v);
    VariantCopy(&m_v, const_cast<VARIANT*>(&o.m_v));
  }
  Variant& operator=(const Variant& o) {
    if (this != &o) VariantCopy(&m_v, const_cast<VARIANT*>(&o.m_v));
    return *this;
  }
  Variant(Variant&& o) noexcept {
    m_v = o.m_v;
    VariantInit(&o.m_v);
  }
  Variant& operator=(Variant&& o) noexcept {
    if (this != &o) {
      VariantClear(&m_v);
      m_v = o.m_v;
      VariantInit(&o.m_v);
    }
    return *this;
  }
  ~Variant() { VariantClear(&m_v); }

  VARIANT* Put() {
    VariantClear(&m_v);
    return &m_v;
  }
  VARIANT* Ptr() { return &m_v; }
  const VARIANT* Ptr() const { return &m_v; }
  const VARIANT& Ref() const { return m_v; }
  VARTYPE Type() const { return m_v.vt; }
  void Clear() { VariantClear(&m_v); }

 private:
  VARIANT m_v;
};

}  // namespace common
