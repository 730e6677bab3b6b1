#include "common/olehost/EventSink.h"

#include <olectl.h>

#include <new>

#include "common/win/ComError.h"

namespace common {

ComPtr<CEventSink> CEventSink::Create() { return ComPtr<CEventSink>::Attach(new (std::nothrow) CEventSink()); }

CEventSink::~CEventSink() { Disconnect(); }

HRESULT CEventSink::Connect(IUnknown* control, const IID* events) {
  if (!control) return E_POINTER;
  Disconnect();
  IID iid = IID_NULL;
  if (events) {
    iid = *events;
  } else {
    ComPtr<IProvideClassInfo2> info = QueryAs<IProvideClassInfo2>(control);
    if (!info) return E_NOINTERFACE;
    HRESULT hr = info->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &iid);
    ZB_RETURN_IF_FAILED(hr);
  }
  ComPtr<IConnectionPointContainer> cpc = QueryAs<IConnectionPointContainer>(control);
  if (!cpc) return E_NOINTERFACE;
  ComPtr<IConnectionPoint> cp;
  HRESULT hr = cpc->FindConnectionPoint(iid, cp.Put());
  ZB_RETURN_IF_FAILED(hr);
  m_iid = iid;  // set before Advise, which asks us for it
  DWORD cookie = 0;
  ZB_RETURN_IF_FAILED(hr = cp->Advise(static_cast<IDispatch*>(this), &cookie));
  m_point = cp;
  m_cookie = cookie;
  return S_OK;
}

void CEventSink::Disconnect() {
  if (!m_point) return;
  ComPtr<IConnectionPoint> cp = std::move(m_point);
  cp->Unadvise(m_cookie);
  m_cookie = 0;
}

STDMETHODIMP CEventSink::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}
STDMETHODIMP CEventSink::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  if (info) *info = nullptr;
  return E_NOTIMPL;
}
STDMETHODIMP CEventSink::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }

STDMETHODIMP CEventSink::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) {
  return Guarded([&]() -> HRESULT {
    std::vector<VARIANT*> args;
    if (params && params->rgvarg) {
      // DISPPARAMS lists positional arguments right to left.
      for (UINT i = params->cArgs; i > 0; --i) args.push_back(&params->rgvarg[i - 1]);
    }
    // Keep ourselves alive if a handler disconnects and drops the last reference.
    ComPtr<CEventSink> self(this);
    if (m_any) m_any(id, args);
    auto it = m_handlers.find(id);
    if (it != m_handlers.end() && it->second) it->second(args);
    return S_OK;
  });
}

}  // namespace common
