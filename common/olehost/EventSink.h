#pragma once
// CEventSink: receives a control's events (its default source dispinterface) and calls C++
// handlers by DISPID. Arguments reach a handler left to right; by-reference arguments
// (VT_BYREF) may be changed by the handler.
#include <windows.h>
#include <ocidl.h>

#include <functional>
#include <map>
#include <vector>

#include "common/win/ComObject.h"
#include "common/win/ComPtr.h"

namespace common {

class CEventSink final : public CComObject<CEventSink, IDispatch> {
 public:
  using Handler = std::function<void(const std::vector<VARIANT*>& args)>;
  using AnyHandler = std::function<void(DISPID id, const std::vector<VARIANT*>& args)>;

  static ComPtr<CEventSink> Create();

  void On(DISPID id, Handler handler) { m_handlers[id] = std::move(handler); }
  // Called for every event, before the handler of its DISPID.
  void OnAny(AnyHandler handler) { m_any = std::move(handler); }

  // Connects to the control's event connection point; the interface is the control's default
  // source (IProvideClassInfo2) unless given.
  HRESULT Connect(IUnknown* control, const IID* events = nullptr);
  void Disconnect();
  bool Connected() const { return bool(m_point); }
  const IID& EventsIid() const { return m_iid; }

  // The connected events interface is answered as IDispatch.
  bool AnswersAlso(REFIID riid) const { return !IsEqualIID(m_iid, IID_NULL) && IsEqualIID(riid, m_iid); }
  STDMETHODIMP GetTypeInfoCount(UINT* count) override;
  STDMETHODIMP GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
  STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) override;
  STDMETHODIMP Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                      EXCEPINFO* excep, UINT* argErr) override;

 private:
  friend class CComObject<CEventSink, IDispatch>;
  CEventSink() = default;
  ~CEventSink();
  IID m_iid = IID_NULL;
  ComPtr<IConnectionPoint> m_point;
  DWORD m_cookie = 0;
  std::map<DISPID, Handler> m_handlers;
  AnyHandler m_any;
};

}  // namespace common
