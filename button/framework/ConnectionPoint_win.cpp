#include "button/framework/ConnectionPoint.h"

#include <olectl.h>

#include "button/framework/Enumerators.h"
#include "common/win/ComError.h"

namespace button {

CConnectionPoint::CConnectionPoint(IUnknown* owner, IConnectionPointContainer* container, REFIID accept,
                                   bool dispatchFallback)
    : m_owner(owner), m_container(container), m_iid(accept), m_dispatchFallback(dispatchFallback) {}

CConnectionPoint::~CConnectionPoint() { Clear(); }

void CConnectionPoint::Clear() {
  std::vector<Entry> sinks;
  sinks.swap(m_sinks);  // released when `sinks` goes, after the list is empty
}

std::vector<common::ComPtr<IUnknown>> CConnectionPoint::Sinks() const {
  std::vector<common::ComPtr<IUnknown>> out;
  out.reserve(m_sinks.size());
  for (const Entry& e : m_sinks) out.push_back(e.sink);
  return out;
}

STDMETHODIMP CConnectionPoint::QueryInterface(REFIID riid, void** out) {
  if (!out) return E_POINTER;
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IConnectionPoint)) {
    *out = static_cast<IConnectionPoint*>(this);
    AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CConnectionPoint::AddRef() { return m_owner->AddRef(); }
STDMETHODIMP_(ULONG) CConnectionPoint::Release() { return m_owner->Release(); }

STDMETHODIMP CConnectionPoint::GetConnectionInterface(IID* iid) {
  if (!iid) return E_POINTER;
  *iid = m_iid;
  return S_OK;
}

STDMETHODIMP CConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** out) {
  if (!out) return E_POINTER;
  *out = m_container;
  m_container->AddRef();
  return S_OK;
}

STDMETHODIMP CConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) {
  if (!cookie) return E_POINTER;
  *cookie = 0;
  if (!sink) return E_POINTER;
  common::ComPtr<IUnknown> held;
  if (FAILED(sink->QueryInterface(m_iid, held.PutVoid())) || !held) {
    if (!m_dispatchFallback || FAILED(sink->QueryInterface(IID_IDispatch, held.PutVoid())) || !held)
      return CONNECT_E_CANNOTCONNECT;
  }
  return common::Guarded([&]() -> HRESULT {
    m_sinks.push_back(Entry{m_nextCookie, std::move(held)});
    *cookie = m_nextCookie++;
    if (m_nextCookie == 0) m_nextCookie = 1;
    return S_OK;
  });
}

STDMETHODIMP CConnectionPoint::Unadvise(DWORD cookie) {
  for (auto it = m_sinks.begin(); it != m_sinks.end(); ++it) {
    if (it->cookie == cookie) {
      common::ComPtr<IUnknown> sink = std::move(it->sink);
      m_sinks.erase(it);  // the sink is released after it has left the list
      return S_OK;
    }
  }
  return CONNECT_E_NOCONNECTION;
}

STDMETHODIMP CConnectionPoint::EnumConnections(IEnumConnections** out) {
  return common::Guarded([&] {
    std::vector<CONNECTDATA> items;
    for (const Entry& e : m_sinks) items.push_back(CONNECTDATA{e.sink.Get(), e.cookie});
    return CEnum<ConnectionsTraits>::Create(items, out);
  });
}

}  // namespace button
