#include "common/olehost/ControlHost.h"

#include <olectl.h>

#include <algorithm>
#include <new>
#include <vector>

#include "common/win/ComError.h"
#include "common/win/Himetric.h"
#include "common/win/ScreenDpi.h"

namespace common {

namespace {}  // namespace

// The in-place frame: the top-level window around the parent. No menus, tools or status bar.
class CControlHost::Frame final : public IOleInPlaceFrame {
 public:
  explicit Frame(CControlHost* host) : m_host(host) {}
  ComPtr<IOleInPlaceActiveObject> active;

  STDMETHODIMP QueryInterface(REFIID riid, void** out) override {
    if (!out) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IOleWindow) ||
        IsEqualIID(riid, IID_IOleInPlaceUIWindow) || IsEqualIID(riid, IID_IOleInPlaceFrame)) {
      *out = static_cast<IOleInPlaceFrame*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return m_host->AddRef(); }
  STDMETHODIMP_(ULONG) Release() override { return m_host->Release(); }
  STDMETHODIMP GetWindow(HWND* hwnd) override {
    if (!hwnd) return E_POINTER;
    *hwnd = GetAncestor(m_host->m_parent, GA_ROOT);
    return *hwnd ? S_OK : E_FAIL;
  }
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
  STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
  STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
  STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject* object, LPCOLESTR) override {
    active = ComPtr<IOleInPlaceActiveObject>(object);
    m_host->m_activeObject = active;
    return S_OK;
  }
  STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
  STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
  STDMETHODIMP RemoveMenus(HMENU) override { return E_NOTIMPL; }
  STDMETHODIMP SetStatusText(LPCOLESTR) override { return S_OK; }
  STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }
  STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

 private:
  CControlHost* m_host;
};

CControlHost::CControlHost(HWND parent, const RECT& rect, const Options& options)
    : m_parent(parent), m_rect(rect), m_options(options), m_frame(new Frame(this)), m_events(CEventSink::Create()) {
  if (!m_events) throw std::bad_alloc();
  Variant user;
  user.Put()->vt = VT_BOOL;
  user.Ptr()->boolVal = options.userMode ? VARIANT_TRUE : VARIANT_FALSE;
  m_ambient[DISPID_AMBIENT_USERMODE] = user;
}

CControlHost::~CControlHost() { m_frame.reset(); }  // before the control's pointers, as always

HRESULT CControlHost::Create(HWND parent, const RECT& rect, REFCLSID clsid, IPropertyBag* bag, const Options& options,
                             ComPtr<CControlHost>& out) {
  ComPtr<IUnknown> control;
  ZB_RETURN_IF_FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, control.PutVoid()));
  return Attach(parent, rect, control.Get(), bag, options, out);
}

HRESULT CControlHost::Create(HWND parent, const RECT& rect, const wchar_t* progId, IPropertyBag* bag,
                             const Options& options, ComPtr<CControlHost>& out) {
  if (!progId) return E_POINTER;
  CLSID clsid;
  ZB_RETURN_IF_FAILED(progId[0] == L'{' ? CLSIDFromString(progId, &clsid) : CLSIDFromProgID(progId, &clsid));
  return Create(parent, rect, clsid, bag, options, out);
}

HRESULT CControlHost::Attach(HWND parent, const RECT& rect, IUnknown* control, IPropertyBag* bag,
                             const Options& options, ComPtr<CControlHost>& out) {
  out.Reset();
  if (!control) return E_POINTER;
  if (!parent || !IsWindow(parent)) return E_INVALIDARG;
  ComPtr<CControlHost> host;
  try {
    host = ComPtr<CControlHost>::Attach(new CControlHost(parent, rect, options));
  } catch (...) {
    return E_OUTOFMEMORY;
  }
  HRESULT hr = host->Start(control, bag);
  if (FAILED(hr)) {
    host->Close();
    return hr;
  }
  out = std::move(host);
  return S_OK;
}

HRESULT CControlHost::Start(IUnknown* control, IPropertyBag* bag) {
  m_control = ComPtr<IUnknown>(control);
  m_oleObject = QueryAs<IOleObject>(control);
  if (!m_oleObject) return E_NOINTERFACE;
  DWORD misc = 0;
  if (FAILED(m_oleObject->GetMiscStatus(DVASPECT_CONTENT, &misc))) misc = 0;
  const bool siteFirst = (misc & OLEMISC_SETCLIENTSITEFIRST) != 0;
  HRESULT hr = S_OK;
  if (siteFirst) {
    ZB_RETURN_IF_FAILED(hr = m_oleObject->SetClientSite(this));
  }
  // The sink listens from the start: a control may fire events while it loads.
  if (m_options.setupEvents) m_options.setupEvents(*m_events.Get());
  m_events->Connect(control, m_options.events);
  if (bag) {
    ComPtr<IPersistPropertyBag> ppb = QueryAs<IPersistPropertyBag>(control);
    m_loadResult = ppb ? ppb->Load(bag, nullptr) : E_NOINTERFACE;
  } else if (ComPtr<IPersistStreamInit> psi = QueryAs<IPersistStreamInit>(control)) {
    m_loadResult = psi->InitNew();
  } else if (ComPtr<IPersistPropertyBag> ppb = QueryAs<IPersistPropertyBag>(control)) {
    m_loadResult = ppb->InitNew();
  }
  if (!siteFirst) {
    ZB_RETURN_IF_FAILED(hr = m_oleObject->SetClientSite(this));
  }
  // The container decides the size.
  SIZEL extent{MulDiv(m_rect.right - m_rect.left, kHimetricPerInch, ScreenDpi(LOGPIXELSX)),
               MulDiv(m_rect.bottom - m_rect.top, kHimetricPerInch, ScreenDpi(LOGPIXELSY))};
  m_oleObject->SetExtent(DVASPECT_CONTENT, &extent);
  // A control without events or bound properties is fine.
  if (ComPtr<IConnectionPointContainer> cpc = QueryAs<IConnectionPointContainer>(control)) {
    ComPtr<IConnectionPoint> cp;
    if (SUCCEEDED(cpc->FindConnectionPoint(IID_IPropertyNotifySink, cp.Put())) &&
        SUCCEEDED(cp->Advise(static_cast<IPropertyNotifySink*>(this), &m_notifyCookie)))
      m_notifyPoint = cp;
  }
  ZB_RETURN_IF_FAILED(hr = m_oleObject->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, this, 0, m_parent, &m_rect));
  m_inPlaceObject = QueryAs<IOleInPlaceObject>(control);
  return S_OK;
}

void CControlHost::Close() {
  ComPtr<CControlHost> self(this);  // the control's last release may drop the site's last reference
  if (m_events) m_events->Disconnect();
  if (m_notifyPoint) {
    m_notifyPoint->Unadvise(m_notifyCookie);
    m_notifyPoint.Reset();
  }
  if (m_inPlaceObject) m_inPlaceObject->InPlaceDeactivate();
  if (m_oleObject) {
    m_oleObject->Close(OLECLOSE_NOSAVE);
    m_oleObject->SetClientSite(nullptr);
  }
  m_activeObject.Reset();
  if (m_frame) m_frame->active.Reset();
  m_inPlaceObject.Reset();
  m_oleObject.Reset();
  m_control.Reset();
}

HWND CControlHost::ControlWindow() const {
  HWND hwnd = nullptr;
  if (!m_inPlaceObject || FAILED(m_inPlaceObject->GetWindow(&hwnd))) return nullptr;
  return hwnd;
}

HRESULT CControlHost::SetRect(const RECT& rect) {
  m_rect = rect;
  if (!m_inPlaceObject) return S_FALSE;
  return m_inPlaceObject->SetObjectRects(&rect, &rect);
}

void CControlHost::SetAmbient(DISPID id, const VARIANT& value) {
  Variant v;
  VariantCopy(v.Put(), const_cast<VARIANT*>(&value));
  m_ambient[id] = v;
  if (ComPtr<IOleControl> oc = QueryAs<IOleControl>(m_control.Get())) oc->OnAmbientPropertyChange(id);
}

void CControlHost::SetUserMode(bool userMode) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_BOOL;
  v.boolVal = userMode ? VARIANT_TRUE : VARIANT_FALSE;
  SetAmbient(DISPID_AMBIENT_USERMODE, v);
}

bool CControlHost::UserMode() const {
  auto it = m_ambient.find(DISPID_AMBIENT_USERMODE);
  return it == m_ambient.end() || it->second.Ref().boolVal != VARIANT_FALSE;
}

HRESULT CControlHost::Save(IPropertyBag* bag, bool clearDirty) {
  ComPtr<IPersistPropertyBag> ppb = QueryAs<IPersistPropertyBag>(m_control.Get());
  if (!ppb) return E_NOINTERFACE;
  return ppb->Save(bag, clearDirty ? TRUE : FALSE, TRUE);
}

HRESULT CControlHost::DispIdOf(IDispatch* disp, const wchar_t* name, DISPID& id) {
  LPOLESTR names[1] = {const_cast<LPOLESTR>(name)};
  return disp->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
}

HRESULT CControlHost::GetProperty(const wchar_t* name, Variant& out) {
  ComPtr<IDispatch> disp = Dispatch();
  if (!disp) return E_NOINTERFACE;
  DISPID id;
  ZB_RETURN_IF_FAILED(DispIdOf(disp.Get(), name, id));
  DISPPARAMS none{nullptr, nullptr, 0, 0};
  return disp->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, out.Put(), nullptr, nullptr);
}

HRESULT CControlHost::PutProperty(const wchar_t* name, const VARIANT& value) {
  ComPtr<IDispatch> disp = Dispatch();
  if (!disp) return E_NOINTERFACE;
  DISPID id;
  ZB_RETURN_IF_FAILED(DispIdOf(disp.Get(), name, id));
  VARIANT arg = value;  // shallow: DISPPARAMS does not own it
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS dp{&arg, &named, 1, 1};
  WORD flags = (value.vt == VT_DISPATCH || value.vt == VT_UNKNOWN) ? DISPATCH_PROPERTYPUTREF : DISPATCH_PROPERTYPUT;
  return disp->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &dp, nullptr, nullptr, nullptr);
}

HRESULT CControlHost::Call(const wchar_t* name, std::initializer_list<VARIANT> args, Variant* result) {
  ComPtr<IDispatch> disp = Dispatch();
  if (!disp) return E_NOINTERFACE;
  DISPID id;
  ZB_RETURN_IF_FAILED(DispIdOf(disp.Get(), name, id));
  std::vector<VARIANT> reversed(args.begin(), args.end());
  std::reverse(reversed.begin(), reversed.end());
  DISPPARAMS dp{reversed.empty() ? nullptr : reversed.data(), nullptr, UINT(reversed.size()), 0};
  return disp->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &dp, result ? result->Put() : nullptr,
                      nullptr, nullptr);
}

bool CControlHost::PreTranslateMessage(MSG* msg) {
  if (!msg || !m_activeObject) return false;
  if (msg->message < WM_KEYFIRST || msg->message > WM_KEYLAST) return false;
  return m_activeObject->TranslateAccelerator(msg) == S_OK;
}

// ---- IOleClientSite -----------------------------------------------------------------------------------
STDMETHODIMP CControlHost::SaveObject() { return E_NOTIMPL; }
STDMETHODIMP CControlHost::GetMoniker(DWORD, DWORD, IMoniker** mk) {
  if (mk) *mk = nullptr;
  return E_NOTIMPL;
}
STDMETHODIMP CControlHost::GetContainer(IOleContainer** container) {
  if (container) *container = nullptr;
  return E_NOINTERFACE;
}
STDMETHODIMP CControlHost::ShowObject() { return S_OK; }
STDMETHODIMP CControlHost::OnShowWindow(BOOL) { return S_OK; }
STDMETHODIMP CControlHost::RequestNewObjectLayout() { return E_NOTIMPL; }

// ---- IOleInPlaceSite(Ex) ------------------------------------------------------------------------------
STDMETHODIMP CControlHost::GetWindow(HWND* hwnd) {
  if (!hwnd) return E_POINTER;
  *hwnd = m_parent;
  return S_OK;
}
STDMETHODIMP CControlHost::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }
STDMETHODIMP CControlHost::CanInPlaceActivate() { return S_OK; }
STDMETHODIMP CControlHost::OnInPlaceActivate() {
  m_inPlaceActive = true;
  return S_OK;
}
STDMETHODIMP CControlHost::OnUIActivate() {
  m_uiActive = true;
  return S_OK;
}

STDMETHODIMP CControlHost::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc, LPRECT pos,
                                            LPRECT clip, LPOLEINPLACEFRAMEINFO info) {
  if (!frame || !doc || !pos || !clip || !info) return E_POINTER;
  *frame = m_frame.get();
  m_frame->AddRef();
  *doc = nullptr;
  *pos = m_rect;
  *clip = m_rect;
  info->fMDIApp = FALSE;
  info->hwndFrame = GetAncestor(m_parent, GA_ROOT);
  info->haccel = nullptr;
  info->cAccelEntries = 0;
  return S_OK;
}

STDMETHODIMP CControlHost::Scroll(SIZE) { return E_NOTIMPL; }
STDMETHODIMP CControlHost::OnUIDeactivate(BOOL) {
  m_uiActive = false;
  return S_OK;
}
STDMETHODIMP CControlHost::OnInPlaceDeactivate() {
  m_inPlaceActive = false;
  m_uiActive = false;
  return S_OK;
}
STDMETHODIMP CControlHost::DiscardUndoState() { return E_NOTIMPL; }
STDMETHODIMP CControlHost::DeactivateAndUndo() { return E_NOTIMPL; }

STDMETHODIMP CControlHost::OnPosRectChange(LPCRECT pos) {
  if (!pos) return E_POINTER;
  m_rect = *pos;
  if (m_inPlaceObject) return m_inPlaceObject->SetObjectRects(pos, pos);
  if (ComPtr<IOleInPlaceObject> ipo = QueryAs<IOleInPlaceObject>(m_control.Get())) return ipo->SetObjectRects(pos, pos);
  return S_OK;
}

STDMETHODIMP CControlHost::OnInPlaceActivateEx(BOOL* noRedraw, DWORD) {
  if (noRedraw) *noRedraw = FALSE;
  m_inPlaceActive = true;
  return S_OK;
}
STDMETHODIMP CControlHost::OnInPlaceDeactivateEx(BOOL) { return OnInPlaceDeactivate(); }
STDMETHODIMP CControlHost::RequestUIActivate() { return S_OK; }

// ---- IOleControlSite ----------------------------------------------------------------------------------
STDMETHODIMP CControlHost::OnControlInfoChanged() { return S_OK; }
STDMETHODIMP CControlHost::LockInPlaceActive(BOOL) { return S_OK; }
STDMETHODIMP CControlHost::GetExtendedControl(IDispatch** disp) {
  if (disp) *disp = nullptr;
  return E_NOTIMPL;
}

STDMETHODIMP CControlHost::TransformCoords(POINTL* himetric, POINTF* container, DWORD flags) {
  if (!himetric || !container) return E_POINTER;
  const double dx = ScreenDpi(LOGPIXELSX), dy = ScreenDpi(LOGPIXELSY);
  if (flags & XFORMCOORDS_HIMETRICTOCONTAINER) {
    container->x = float(himetric->x * dx / kHimetricPerInch);
    container->y = float(himetric->y * dy / kHimetricPerInch);
  } else if (flags & XFORMCOORDS_CONTAINERTOHIMETRIC) {
    himetric->x = LONG(container->x * double(kHimetricPerInch) / dx + (container->x < 0 ? -0.5 : 0.5));
    himetric->y = LONG(container->y * double(kHimetricPerInch) / dy + (container->y < 0 ? -0.5 : 0.5));
  } else {
    return E_INVALIDARG;
  }
  return S_OK;
}

STDMETHODIMP CControlHost::TranslateAccelerator(MSG*, DWORD) { return S_FALSE; }
STDMETHODIMP CControlHost::OnFocus(BOOL gotFocus) {
  if (gotFocus) ++m_focusIn;
  return S_OK;
}
STDMETHODIMP CControlHost::ShowPropertyFrame() {
  if (!m_showFrame) return E_NOTIMPL;
  return Guarded([&] { return m_showFrame(); });
}

// ---- ambient properties -------------------------------------------------------------------------------
STDMETHODIMP CControlHost::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}
STDMETHODIMP CControlHost::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  if (info) *info = nullptr;
  return E_NOTIMPL;
}
STDMETHODIMP CControlHost::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }

STDMETHODIMP CControlHost::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                                  UINT*) {
  if (!(flags & DISPATCH_PROPERTYGET)) return DISP_E_MEMBERNOTFOUND;
  if (!result) return E_POINTER;
  VariantInit(result);
  auto it = m_ambient.find(id);
  if (it != m_ambient.end()) return VariantCopy(result, const_cast<VARIANT*>(it->second.Ptr()));
  switch (id) {
    case DISPID_AMBIENT_UIDEAD:
    case DISPID_AMBIENT_MESSAGEREFLECT:
      result->vt = VT_BOOL;
      result->boolVal = VARIANT_FALSE;
      return S_OK;
    case DISPID_AMBIENT_SHOWGRABHANDLES:
    case DISPID_AMBIENT_SHOWHATCHING:
      result->vt = VT_BOOL;
      result->boolVal = UserMode() ? VARIANT_FALSE : VARIANT_TRUE;
      return S_OK;
    case DISPID_AMBIENT_LOCALEID:
      result->vt = VT_I4;
      result->lVal = LONG(GetUserDefaultLCID());
      return S_OK;
    default: return DISP_E_MEMBERNOTFOUND;
  }
}

// ---- IPropertyNotifySink ------------------------------------------------------------------------------
STDMETHODIMP CControlHost::OnChanged(DISPID id) {
  return Guarded([&] {
    if (m_changed) m_changed(id);
    return S_OK;
  });
}

STDMETHODIMP CControlHost::OnRequestEdit(DISPID id) {
  const HRESULT hr = Guarded([&] { return !m_allowEdit || m_allowEdit(id) ? S_OK : S_FALSE; });
  return FAILED(hr) ? S_OK : hr;  // only the handler's answer refuses an edit
}

}  // namespace common
