#pragma once
// A generic COM enumerator over a snapshot of items (internal to the framework).
// Traits supply the interface, the item type and how an item is handed out and released.
#include <windows.h>
#include <ocidl.h>

#include <new>
#include <vector>

#include "common/win/ComObject.h"
#include "common/win/ComPtr.h"

namespace button {

template <class Traits>
class CEnum final : public common::CComObject<CEnum<Traits>, typename Traits::Interface> {
 public:
  using Item = typename Traits::Item;
  using Itf = typename Traits::Interface;

  // Takes copies of the items (Traits::Copy).
  static HRESULT Create(const std::vector<Item>& items, Itf** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    common::ComPtr<CEnum> e = common::ComPtr<CEnum>::Attach(new (std::nothrow) CEnum());
    if (!e) return E_OUTOFMEMORY;
    try {
      e->m_items.reserve(items.size());
    } catch (...) {
      return E_OUTOFMEMORY;
    }
    for (const Item& it : items) {
      Item copy{};
      if (FAILED(Traits::Copy(copy, it))) return E_OUTOFMEMORY;
      e->m_items.push_back(copy);
    }
    *out = e.Detach();
    return S_OK;
  }

  STDMETHODIMP Next(ULONG count, Item* items, ULONG* fetched) override {
    if (!items) return E_POINTER;
    if (count > 1 && !fetched) return E_INVALIDARG;
    ULONG n = 0;
    while (n < count && m_pos < m_items.size()) {
      if (FAILED(Traits::Copy(items[n], m_items[m_pos]))) break;
      ++n;
      ++m_pos;
    }
    if (fetched) *fetched = n;
    return n == count ? S_OK : S_FALSE;
  }
  STDMETHODIMP Skip(ULONG count) override {
    size_t left = m_items.size() - m_pos;
    if (count > left) {
      m_pos = m_items.size();
      return S_FALSE;
    }
    m_pos += count;
    return S_OK;
  }
  STDMETHODIMP Reset() override {
    m_pos = 0;
    return S_OK;
  }
  STDMETHODIMP Clone(Itf** out) override {
    HRESULT hr = Create(m_items, out);
    if (SUCCEEDED(hr)) static_cast<CEnum*>(*out)->m_pos = m_pos;
    return hr;
  }

 private:
  friend class common::CComObject<CEnum<Traits>, typename Traits::Interface>;
  CEnum() = default;
  ~CEnum() {
    for (Item& it : m_items) Traits::Free(it);
  }
  std::vector<Item> m_items;
  size_t m_pos = 0;
};

struct ConnectionsTraits {
  using Interface = IEnumConnections;
  using Item = CONNECTDATA;
  static HRESULT Copy(CONNECTDATA& to, const CONNECTDATA& from) {
    to = from;
    if (to.pUnk) to.pUnk->AddRef();
    return S_OK;
  }
  static void Free(CONNECTDATA& it) {
    if (it.pUnk) it.pUnk->Release();
  }
};

struct ConnectionPointsTraits {
  using Interface = IEnumConnectionPoints;
  using Item = IConnectionPoint*;
  static HRESULT Copy(IConnectionPoint*& to, IConnectionPoint* const& from) {
    to = from;
    if (to) to->AddRef();
    return S_OK;
  }
  static void Free(IConnectionPoint*& it) {
    if (it) it->Release();
  }
};

struct VerbsTraits {
  using Interface = IEnumOLEVERB;
  using Item = OLEVERB;
  // Each handed-out verb name is a CoTaskMem copy the caller frees.
  static HRESULT Copy(OLEVERB& to, const OLEVERB& from) {
    to = from;
    to.lpszVerbName = nullptr;
    if (from.lpszVerbName) {
      size_t bytes = (wcslen(from.lpszVerbName) + 1) * sizeof(wchar_t);
      to.lpszVerbName = static_cast<LPOLESTR>(CoTaskMemAlloc(bytes));
      if (!to.lpszVerbName) return E_OUTOFMEMORY;
      memcpy(to.lpszVerbName, from.lpszVerbName, bytes);
    }
    return S_OK;
  }
  static void Free(OLEVERB& it) { CoTaskMemFree(it.lpszVerbName); }
};

}  // namespace button
