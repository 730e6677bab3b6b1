// COleControl: construction, identity, the services offered to derived controls, stock properties,
// events, and the small interfaces (class info, connection points, IOleControl, pages, pointer).
#include <olectl.h>

#include <algorithm>

#include "button/framework/Enumerators.h"
#include "button/framework/Module.h"
#include "button/framework/OleControlImpl.h"
#include "button/framework/PropExchangeBackends.h"
#include "common/win/ComError.h"
#include "common/win/Himetric.h"
#include "common/win/ScreenDpi.h"

namespace button {

namespace {

LONG g_liveObjects = 0;

HRESULT StockGetEnabled(COleControl& c, VARIANT* r) { return detail::VarTraits<bool>::To(c.GetEnabled(), r); }
HRESULT StockGetText(COleControl& c, VARIANT* r) { return detail::VarTraits<std::wstring>::To(c.GetText(), r); }

}  // namespace

// ---- event arguments -----------------------------------------------------------------------------
EventArg EventArg::I2(short v) {
  EventArg a;
  a.m_value.Ptr()->vt = VT_I2;
  a.m_value.Ptr()->iVal = v;
  return a;
}
EventArg EventArg::I4(long v) {
  EventArg a;
  a.m_value.Ptr()->vt = VT_I4;
  a.m_value.Ptr()->lVal = v;
  return a;
}
EventArg EventArg::Bool(bool v) {
  EventArg a;
  a.m_value.Ptr()->vt = VT_BOOL;
  a.m_value.Ptr()->boolVal = v ? VARIANT_TRUE : VARIANT_FALSE;
  return a;
}
EventArg EventArg::Str(const std::wstring& v) {
  EventArg a;
  BSTR b = SysAllocStringLen(v.data(), UINT(v.size()));
  if (!b) throw std::bad_alloc();
  a.m_value.Ptr()->vt = VT_BSTR;
  a.m_value.Ptr()->bstrVal = b;
  return a;
}
EventArg EventArg::ByRefI2(short* v) {
  EventArg a;
  a.m_value.Ptr()->vt = VT_BYREF | VT_I2;
  a.m_value.Ptr()->piVal = v;
  return a;
}

// ---- Impl ---------------------------------------------------------------------------------------------
COleControl::Impl::Impl(COleControl* owner)
    : m_owner(owner),
      m_events(owner->m_outer, owner, *owner->m_info.eventsIid, true),
      m_propNotify(owner->m_outer, owner, IID_IPropertyNotifySink, false) {
  DispMember enabled = DispPropertyEntry(DISPID_ENABLED, L"Enabled", VT_BOOL, kDispBindable | kDispRequestEdit);
  enabled.get = &StockGetEnabled;
  enabled.put = [](COleControl& c, const VARIANT& v) {
    c.ApplyEnabled(v.boolVal != VARIANT_FALSE);
    return S_OK;
  };
  DispMember text = DispPropertyEntry(DISPID_TEXT, L"Text", VT_BSTR, kDispBindable | kDispRequestEdit);
  text.get = &StockGetText;
  text.put = [](COleControl& c, const VARIANT& v) {
    c.ApplyText(detail::VarTraits<std::wstring>::From(v));
    return S_OK;
  };
  DispMember refresh = DispMethodEntry(DISPID_REFRESH, L"Refresh", VT_EMPTY, {});
  refresh.invoke = [](COleControl& c, const VARIANT*, VARIANT*) {
    c.Refresh();
    return S_OK;
  };
  m_stock = {enabled, text, refresh};
}

COleControl::Impl::~Impl() = default;

const DispMember* COleControl::Impl::Find(DISPID id) {
  if (!m_indexBuilt) {
    for (const DispMember& m : m_owner->Members()) m_index.emplace(m.id, &m);
    for (const DispMember& m : m_stock) m_index.emplace(m.id, &m);  // the control's own entry wins
    m_indexBuilt = true;
  }
  auto it = m_index.find(id);
  return it == m_index.end() ? nullptr : it->second;
}

void COleControl::Impl::SendViewChange() {
  if (m_viewSink && (m_viewAspects & DVASPECT_CONTENT)) m_viewSink->OnViewChange(DVASPECT_CONTENT, -1);
}

void COleControl::Impl::RunExchange(CPropExchange& px) {
  m_owner->DoPropExchange(px);
  if (px.IsLoading()) {
    if (m_owner->m_hwnd) EnableWindow(m_owner->m_hwnd, m_owner->m_enabled);
    m_owner->InvalidateControl();
  }
}

// ---- life -----------------------------------------------------------------------------------------------
COleControl::COleControl(const ControlClassInfo& info) : m_info(info), m_extent(info.defaultExtent) {
  m_impl.reset(new Impl(this));
  InterlockedIncrement(&g_liveObjects);
  ModuleLock();
}

COleControl::~COleControl() {
  if (m_hwnd) {
    // The derived part is gone: the window must not call back into it.
    SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, 0);
    DestroyWindow(m_hwnd);
    m_hwnd = nullptr;
  }
  m_impl.reset();
  InterlockedDecrement(&g_liveObjects);
  ModuleUnlock();
}

LONG COleControl::LiveObjects() { return InterlockedCompareExchange(&g_liveObjects, 0, 0); }

void COleControl::SetOuter(IUnknown* outer) {
  m_outer = outer ? outer : static_cast<IUnknown*>(&m_inner);
  m_impl->m_events.SetOwner(m_outer);
  m_impl->m_propNotify.SetOwner(m_outer);
}

void COleControl::FinalRelease() {
  m_impl->m_finalReleasing = true;
  // Still whole here: the window goes through OnWindowDestroying and the site hears of it.
  InPlaceDeactivate();
  m_impl->m_events.Clear();
  m_impl->m_propNotify.Clear();
  m_impl->m_viewSink.Reset();
  m_impl->m_oleAdvise.Reset();
  m_impl->m_ambient.Reset();
  m_impl->m_controlSite.Reset();
  m_clientSite.Reset();
}

STDMETHODIMP COleControl::Inner::QueryInterface(REFIID riid, void** out) {
  return m_owner->InternalQueryInterface(riid, out);
}
STDMETHODIMP_(ULONG) COleControl::Inner::AddRef() { return ULONG(InterlockedIncrement(&m_owner->m_refs)); }
STDMETHODIMP_(ULONG) COleControl::Inner::Release() {
  LONG n = InterlockedDecrement(&m_owner->m_refs);
  if (n == 0) {
    // Keep the count away from zero while the final clean-up calls out.
    m_owner->m_refs = 1;
    common::Guarded([&] {
      m_owner->FinalRelease();
      return S_OK;
    });
    delete m_owner;
  }
  return ULONG(n);
}

STDMETHODIMP COleControl::QueryInterface(REFIID riid, void** out) { return m_outer->QueryInterface(riid, out); }
STDMETHODIMP_(ULONG) COleControl::AddRef() { return m_outer->AddRef(); }
STDMETHODIMP_(ULONG) COleControl::Release() { return m_outer->Release(); }

HRESULT COleControl::InternalQueryInterface(REFIID riid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  IUnknown* p = nullptr;
  if (IsEqualIID(riid, IID_IUnknown)) {
    p = &m_inner;
  } else if (IsEqualIID(riid, IID_IDispatch) || IsEqualIID(riid, *m_info.dispatchIid)) {
    p = static_cast<IDispatch*>(this);
  } else if (IsEqualIID(riid, IID_IProvideClassInfo) || IsEqualIID(riid, IID_IProvideClassInfo2)) {
    p = static_cast<IProvideClassInfo2*>(this);
  } else if (IsEqualIID(riid, IID_IConnectionPointContainer)) {
    p = static_cast<IConnectionPointContainer*>(this);
  } else if (IsEqualIID(riid, IID_IOleObject)) {
    p = static_cast<IOleObject*>(this);
  } else if (IsEqualIID(riid, IID_IOleWindow) || IsEqualIID(riid, IID_IOleInPlaceObject)) {
    p = static_cast<IOleInPlaceObject*>(this);
  } else if (IsEqualIID(riid, IID_IOleInPlaceActiveObject)) {
    p = static_cast<IOleInPlaceActiveObject*>(this);
  } else if (IsEqualIID(riid, IID_IOleControl)) {
    p = static_cast<IOleControl*>(this);
  } else if (IsEqualIID(riid, IID_IViewObject) || IsEqualIID(riid, IID_IViewObject2)) {
    p = static_cast<IViewObject2*>(this);
  } else if (IsEqualIID(riid, IID_IPersist) || IsEqualIID(riid, IID_IPersistStreamInit) ||
             IsEqualIID(riid, IID_IPersistStream)) {
    // IPersistStream's methods are the first ones of IPersistStreamInit, in the same order.
    p = static_cast<IPersistStreamInit*>(this);
  } else if (IsEqualIID(riid, IID_IPersistStorage)) {
    p = static_cast<IPersistStorage*>(this);
  } else if (IsEqualIID(riid, IID_IPersistPropertyBag)) {
    p = static_cast<IPersistPropertyBag*>(this);
  } else if (IsEqualIID(riid, IID_ISpecifyPropertyPages)) {
    p = static_cast<ISpecifyPropertyPages*>(this);
  } else if (IsEqualIID(riid, IID_IPointerInactive)) {
    p = static_cast<IPointerInactive*>(this);
  } else {
    return common::Guarded([&] { return QueryExtraInterface(riid, out); });
  }
  p->AddRef();
  *out = p;
  return S_OK;
}

// ---- services ---------------------------------------------------------------------------------------------
void COleControl::OnResetState() {
  CResetPropExchange px;
  m_impl->RunExchange(px);
}

HRESULT COleControl::FireEvent(DISPID id, std::initializer_list<EventArg> args) {
  if (m_freezeCount > 0) return S_FALSE;
  std::vector<VARIANTARG> reversed(args.size());
  size_t i = args.size();
  for (const EventArg& a : args) reversed[--i] = a.Value();  // shallow: the args own their values
  DISPPARAMS dp{reversed.empty() ? nullptr : reversed.data(), nullptr, UINT(reversed.size()), 0};
  std::vector<common::ComPtr<IUnknown>> sinks = m_impl->m_events.Sinks();
  if (sinks.empty()) return S_OK;
  // A handler may release the control; it stays alive until every sink has been called.
  common::ComPtr<IUnknown> self(m_outer);
  for (const common::ComPtr<IUnknown>& s : sinks) {
    // Sinks were taken as the event dispinterface (or IDispatch): both are IDispatch pointers.
    IDispatch* d = reinterpret_cast<IDispatch*>(s.Get());
    VARIANT result;
    VariantInit(&result);
    d->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &dp, &result, nullptr, nullptr);
    VariantClear(&result);
  }
  return S_OK;
}

bool COleControl::GetAmbientProperty(DISPID id, VARTYPE vt, common::Variant& out) {
  out.Clear();
  if (!m_impl->m_ambient) return false;
  DISPPARAMS none{nullptr, nullptr, 0, 0};
  HRESULT hr = m_impl->m_ambient->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, out.Put(),
                                         nullptr, nullptr);
  if (FAILED(hr)) {
    out.Clear();
    return false;
  }
  if (vt != VT_EMPTY && out.Type() != vt) {
    if (FAILED(VariantChangeType(out.Ptr(), out.Ptr(), 0, vt))) {
      out.Clear();
      return false;
    }
  }
  return true;
}

bool COleControl::AmbientUserMode() {
  common::Variant v;
  if (!GetAmbientProperty(DISPID_AMBIENT_USERMODE, VT_BOOL, v)) return true;
  return v.Ref().boolVal != VARIANT_FALSE;
}

void COleControl::SetModifiedFlag(bool modified) { m_modified = modified; }

void COleControl::InvalidateControl(const RECT* rect, bool erase) {
  if (m_hwnd) {
    InvalidateRect(m_hwnd, rect, erase ? TRUE : FALSE);
  } else {
    m_impl->SendViewChange();
  }
}

void COleControl::Refresh() {
  InvalidateControl();
  if (m_hwnd) UpdateWindow(m_hwnd);
}

void COleControl::GetControlSize(int* cx, int* cy) const {
  int w, h;
  if (m_inPlaceActive && m_posRect.right > m_posRect.left) {
    w = m_posRect.right - m_posRect.left;
    h = m_posRect.bottom - m_posRect.top;
  } else {
    w = MulDiv(m_extent.cx, common::ScreenDpi(LOGPIXELSX), common::kHimetricPerInch);
    h = MulDiv(m_extent.cy, common::ScreenDpi(LOGPIXELSY), common::kHimetricPerInch);
  }
  if (cx) *cx = w;
  if (cy) *cy = h;
}

bool COleControl::SetControlSize(int cx, int cy) {
  if (cx < 0 || cy < 0) return false;
  m_extent.cx = MulDiv(cx, common::kHimetricPerInch, common::ScreenDpi(LOGPIXELSX));
  m_extent.cy = MulDiv(cy, common::kHimetricPerInch, common::ScreenDpi(LOGPIXELSY));
  SetModifiedFlag();
  if (m_inPlaceActive && m_impl->m_inPlaceSite) {
    RECT r = m_posRect;
    r.right = r.left + cx;
    r.bottom = r.top + cy;
    HRESULT hr = m_impl->m_inPlaceSite->OnPosRectChange(&r);
    // A container that does not move us itself leaves the move to us.
    if (FAILED(hr) || m_posRect.right - m_posRect.left != cx || m_posRect.bottom - m_posRect.top != cy) PlaceWindow(r);
  } else if (m_clientSite) {
    m_clientSite->RequestNewObjectLayout();
  }
  m_impl->SendViewChange();
  return true;
}

bool COleControl::BoundPropertyRequestEdit(DISPID id) {
  for (const common::ComPtr<IUnknown>& s : m_impl->m_propNotify.Sinks()) {
    // Only an explicit "no" refuses; a sink that fails has no opinion.
    if (reinterpret_cast<IPropertyNotifySink*>(s.Get())->OnRequestEdit(id) == S_FALSE) return false;
  }
  return true;
}

void COleControl::BoundPropertyChanged(DISPID id) {
  for (const common::ComPtr<IUnknown>& s : m_impl->m_propNotify.Sinks())
    reinterpret_cast<IPropertyNotifySink*>(s.Get())->OnChanged(id);
}

HRESULT COleControl::ShowPropertyPages() {
  if (m_impl->m_controlSite) {
    HRESULT hr = m_impl->m_controlSite->ShowPropertyFrame();
    if (SUCCEEDED(hr)) return hr;
  }
  if (m_info.pageCount == 0) return S_OK;
  std::vector<CLSID> pages(m_info.pages, m_info.pages + m_info.pageCount);
  LPOLESTR type = nullptr;
  std::wstring caption;
  if (SUCCEEDED(OleRegGetUserType(*m_info.clsid, USERCLASSTYPE_SHORT, &type)) && type) caption = type;
  CoTaskMemFree(type);
  HWND parent = m_hwnd ? GetParent(m_hwnd) : nullptr;
  IUnknown* objects[1] = {m_outer};
  return OleCreatePropertyFrame(parent, 0, 0, caption.c_str(), 1, objects, ULONG(pages.size()), pages.data(),
                                LOCALE_USER_DEFAULT, 0, nullptr);
}

void COleControl::ExchangeVersion(CPropExchange& px) {
  DWORD version = m_info.persistVersion;
  px.Version(L"_Version", version, m_info.persistVersion);
}

void COleControl::ExchangeStockProps(CPropExchange& px) {
  long ex = m_extent.cx, ey = m_extent.cy;
  px.Long(L"_ExtentX", ex, m_info.defaultExtent.cx);
  px.Long(L"_ExtentY", ey, m_info.defaultExtent.cy);
  if (px.IsLoading()) {
    if (ex < 0 || ey < 0 || ex > kMaxExtentHimetric || ey > kMaxExtentHimetric) {
      ex = m_info.defaultExtent.cx;
      ey = m_info.defaultExtent.cy;
    }
    m_extent.cx = ex;
    m_extent.cy = ey;
  }
  long stock = kStockPropText | kStockPropEnabled;
  px.Long(L"_StockProps", stock, kStockPropText | kStockPropEnabled);
  px.String(L"Text", m_text, std::wstring());
  bool enabled = m_enabled;
  px.Bool(L"Enabled", enabled, true);
  m_enabled = enabled;
}

// ---- stock properties ------------------------------------------------------------------------------------
void COleControl::ApplyEnabled(bool enabled) {
  m_enabled = enabled;
  SetModifiedFlag();
  if (m_hwnd) EnableWindow(m_hwnd, enabled ? TRUE : FALSE);
  // A disabled control cannot stay the one the user works in.
  if (m_uiActive && !enabled) UIDeactivate();
  OnEnabledChanged();
}

void COleControl::ApplyText(const std::wstring& text) {
  m_text = text;
  SetModifiedFlag();
  OnTextChanged();
  InvalidateControl();
}

HRESULT COleControl::SetEnabled(bool enabled) {
  if (!BoundPropertyRequestEdit(DISPID_ENABLED)) return CTL_E_SETNOTPERMITTED;
  ApplyEnabled(enabled);
  BoundPropertyChanged(DISPID_ENABLED);
  return S_OK;
}

HRESULT COleControl::SetText(const std::wstring& text) {
  if (!BoundPropertyRequestEdit(DISPID_TEXT)) return CTL_E_SETNOTPERMITTED;
  ApplyText(text);
  BoundPropertyChanged(DISPID_TEXT);
  return S_OK;
}

// ---- IProvideClassInfo2 ----------------------------------------------------------------------------------
STDMETHODIMP COleControl::GetClassInfo(ITypeInfo** info) {
  return common::Guarded([&]() -> HRESULT {
    if (!info) return E_POINTER;
    *info = nullptr;
    common::ComPtr<ITypeInfo> ti;
    ZB_RETURN_IF_FAILED(m_impl->TypeInfoOf(*m_info.clsid, ti));
    *info = ti.Detach();
    return S_OK;
  });
}

STDMETHODIMP COleControl::GetGUID(DWORD kind, GUID* guid) {
  if (!guid) return E_POINTER;
  if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) {
    *guid = GUID_NULL;
    return E_INVALIDARG;
  }
  *guid = *m_info.eventsIid;
  return S_OK;
}

// ---- IConnectionPointContainer ---------------------------------------------------------------------------
STDMETHODIMP COleControl::EnumConnectionPoints(IEnumConnectionPoints** out) {
  return common::Guarded([&]() -> HRESULT {
    std::vector<IConnectionPoint*> points = {&m_impl->m_events, &m_impl->m_propNotify};
    return CEnum<ConnectionPointsTraits>::Create(points, out);
  });
}

STDMETHODIMP COleControl::FindConnectionPoint(REFIID riid, IConnectionPoint** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  IConnectionPoint* cp = nullptr;
  if (IsEqualIID(riid, *m_info.eventsIid)) {
    cp = &m_impl->m_events;
  } else if (IsEqualIID(riid, IID_IPropertyNotifySink)) {
    cp = &m_impl->m_propNotify;
  } else {
    return CONNECT_E_NOCONNECTION;
  }
  cp->AddRef();
  *out = cp;
  return S_OK;
}

// ---- IOleControl -----------------------------------------------------------------------------------------
STDMETHODIMP COleControl::GetControlInfo(CONTROLINFO* ci) {
  if (!ci) return E_POINTER;
  if (ci->cb < sizeof(CONTROLINFO)) return E_INVALIDARG;
  ci->hAccel = nullptr;
  ci->cAccel = 0;
  ci->dwFlags = 0;
  return S_OK;
}

STDMETHODIMP COleControl::OnMnemonic(MSG*) { return E_NOTIMPL; }

STDMETHODIMP COleControl::OnAmbientPropertyChange(DISPID id) {
  return common::Guarded([&]() -> HRESULT {
    OnAmbientChanged(id);
    return S_OK;
  });
}

STDMETHODIMP COleControl::FreezeEvents(BOOL freeze) {
  return common::Guarded([&]() -> HRESULT {
    if (freeze) {
      if (++m_freezeCount == 1) OnFreezeEvents(true);
    } else if (m_freezeCount > 0) {
      if (--m_freezeCount == 0) OnFreezeEvents(false);
    }
    return S_OK;
  });
}

// ---- ISpecifyPropertyPages ---------------------------------------------------------------------------
STDMETHODIMP COleControl::GetPages(CAUUID* pages) {
  if (!pages) return E_POINTER;
  pages->cElems = 0;
  pages->pElems = nullptr;
  if (m_info.pageCount == 0) return S_OK;
  GUID* elems = static_cast<GUID*>(CoTaskMemAlloc(sizeof(GUID) * m_info.pageCount));
  if (!elems) return E_OUTOFMEMORY;
  std::copy(m_info.pages, m_info.pages + m_info.pageCount, elems);
  pages->cElems = m_info.pageCount;
  pages->pElems = elems;
  return S_OK;
}

// ---- IPointerInactive: the control works with mouse messages while inactive, no activation needed.
STDMETHODIMP COleControl::GetActivationPolicy(DWORD* policy) {
  if (!policy) return E_POINTER;
  *policy = 0;
  return S_OK;
}
STDMETHODIMP COleControl::OnInactiveMouseMove(LPCRECT, LONG, LONG, DWORD) { return S_OK; }
STDMETHODIMP COleControl::OnInactiveSetCursor(LPCRECT, LONG, LONG, DWORD, BOOL) { return S_FALSE; }

}  // namespace button
