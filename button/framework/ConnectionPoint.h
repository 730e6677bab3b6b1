#pragma once
// One connection point of a control (internal to the framework). Its lifetime follows the control:
// AddRef/Release go to the control's controlling unknown, so a sink or enumerator holding the point
// keeps the control alive.
#include <windows.h>
#include <ocidl.h>

#include <vector>

#include "common/win/ComPtr.h"

namespace button {

class CConnectionPoint : public IConnectionPoint {
 public:
  // `accept` is the interface sinks must offer; with `dispatchFallback` a sink that offers only
  // IDispatch is taken too (event sinks of scripting hosts).
  CConnectionPoint(IUnknown* owner, IConnectionPointContainer* container, REFIID accept, bool dispatchFallback);
  ~CConnectionPoint();
  CConnectionPoint(const CConnectionPoint&) = delete;
  CConnectionPoint& operator=(const CConnectionPoint&) = delete;

  // The current sinks, each AddRef'd (a snapshot, so sinks may unadvise while being called).
  std::vector<common::ComPtr<IUnknown>> Sinks() const;
  size_t Count() const { return m_sinks.size(); }
  void SetOwner(IUnknown* owner) { m_owner = owner; }
  // Drops every sink (the control is going away).
  void Clear();

  STDMETHODIMP QueryInterface(REFIID riid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;
  STDMETHODIMP GetConnectionInterface(IID* iid) override;
  STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** out) override;
  STDMETHODIMP Advise(IUnknown* sink, DWORD* cookie) override;
  STDMETHODIMP Unadvise(DWORD cookie) override;
  STDMETHODIMP EnumConnections(IEnumConnections** out) override;

 private:
  struct Entry {
    DWORD cookie;
    common::ComPtr<IUnknown> sink;
  };
  // The control's own unknown and container: the point lives inside the control, so it holds no
  // reference to them.
  IUnknown* m_owner;
  IConnectionPointContainer* m_container;
  IID m_iid;
  bool m_dispatchFallback;
  std::vector<Entry> m_sinks;
  DWORD m_nextCookie = 1;
};

}  // namespace button
