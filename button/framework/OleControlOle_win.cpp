// COleControl as an embedded object: client site, extent, verbs, in-place activation and its
// window, and the view object that draws into any device context.
#include <olectl.h>

#include "button/framework/Enumerators.h"
#include "button/framework/Module.h"
#include "button/framework/OleControlImpl.h"
#include "common/win/ComError.h"

namespace button {

namespace {

short ShiftState() {
  short s = 0;
  if (GetKeyState(VK_SHIFT) < 0) s |= 1;
  if (GetKeyState(VK_CONTROL) < 0) s |= 2;
  if (GetKeyState(VK_MENU) < 0) s |= 4;
  return s;
}

bool RegisterWindowClass(const wchar_t* name, WNDPROC proc) {
  HINSTANCE inst = ModuleInstance();
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  if (GetClassInfoExW(inst, name, &wc)) return true;
  wc = WNDCLASSEXW{};
  wc.cbSize = sizeof(wc);
  // No cursor, brush or icon: the control sets its own cursor and paints every pixel itself.
  wc.style = 0;
  wc.lpfnWndProc = proc;
  wc.hInstance = inst;
  wc.lpszClassName = name;
  return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

// ---- the window -----------------------------------------------------------------------------------
LRESULT CALLBACK COleControl::Impl::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
    auto* control = static_cast<COleControl*>(cs->lpCreateParams);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(control));
    if (control) control->m_hwnd = hwnd;
  }
  auto* control = reinterpret_cast<COleControl*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!control) return DefWindowProcW(hwnd, msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    control->m_hwnd = nullptr;
    return DefWindowProcW(hwnd, msg, wp, lp);
  }
  // A handler may release the control (a container closing it from an event): keep it alive.
  common::ComPtr<IUnknown> hold;
  if (!control->m_impl->m_finalReleasing) hold = common::ComPtr<IUnknown>(control->m_outer);
  LRESULT result = 0;
  const HRESULT handled = common::Guarded([&] {
    if (!control->OnWindowMessage(msg, wp, lp, result)) result = control->DefaultWindowMessage(msg, wp, lp);
    return S_OK;
  });
  if (FAILED(handled)) result = DefWindowProcW(hwnd, msg, wp, lp);
  return result;
}

LRESULT COleControl::DefaultWindowMessage(UINT msg, WPARAM wp, LPARAM lp) {
  HWND hwnd = m_hwnd;
  if (!hwnd) return 0;
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      if (dc) {
        RECT client;
        GetClientRect(hwnd, &client);
        OnDraw(dc, client, ps.rcPaint);
        EndPaint(hwnd, &ps);
      }
      return 0;
    }
    case WM_ERASEBKGND: return 1;  // OnDraw covers every pixel; erasing first would only flicker
    case WM_SIZE: InvalidateRect(hwnd, nullptr, FALSE); return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      if (AmbientUserMode()) {
        if (!m_uiActive) m_impl->UIActivate();
        if (m_hwnd && GetFocus() != m_hwnd) SetFocus(m_hwnd);
      }
      return 0;
    case WM_SETFOCUS:
      if (m_impl->m_controlSite) m_impl->m_controlSite->OnFocus(TRUE);
      if (m_inPlaceActive && !m_uiActive) m_impl->UIActivate();
      return 0;
    case WM_KILLFOCUS:
      if (m_impl->m_controlSite) m_impl->m_controlSite->OnFocus(FALSE);
      return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      short code = short(wp);
      const bool down = msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN;
      FireEvent(down ? DISPID_KEYDOWN : DISPID_KEYUP, {EventArg::ByRefI2(&code), EventArg::I2(ShiftState())});
      if (code == 0) return 0;  // the handler swallowed the key
      return m_hwnd ? DefWindowProcW(m_hwnd, msg, WPARAM(code), lp) : 0;
    }
    case WM_CHAR: {
      short ch = short(wp);
      FireEvent(DISPID_KEYPRESS, {EventArg::ByRefI2(&ch)});
      if (ch == 0) return 0;
      return m_hwnd ? DefWindowProcW(m_hwnd, msg, WPARAM(ch), lp) : 0;
    }
    default: return DefWindowProcW(hwnd, msg, wp, lp);
  }
}

bool COleControl::Impl::CreateControlWindow(HWND parent, const RECT& pos) {
  if (m_owner->m_hwnd) {
    SetParent(m_owner->m_hwnd, parent);
    return true;
  }
  const wchar_t* cls = m_owner->m_info.windowClass;
  if (!RegisterWindowClass(cls, &WindowProc)) return false;
  HWND hwnd = CreateWindowExW(0, cls, L"", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, pos.left, pos.top,
                              pos.right - pos.left, pos.bottom - pos.top, parent, nullptr, ModuleInstance(), m_owner);
  if (!hwnd) return false;
  if (!m_owner->m_enabled) EnableWindow(hwnd, FALSE);
  m_owner->OnWindowCreated();
  return m_owner->m_hwnd != nullptr;
}

void COleControl::Impl::DestroyControlWindow() {
  HWND hwnd = m_owner->m_hwnd;
  if (!hwnd) return;
  m_owner->OnWindowDestroying();
  DestroyWindow(hwnd);
  m_owner->m_hwnd = nullptr;
}

// ---- activation ---------------------------------------------------------------------------------
HRESULT COleControl::Impl::InPlaceActivate(LONG verb, const RECT* pos) {
  COleControl& c = *m_owner;
  if (!c.m_clientSite) return E_UNEXPECTED;
  if (!c.m_inPlaceActive) {
    common::ComPtr<IOleInPlaceSite> site = common::QueryAs<IOleInPlaceSite>(c.m_clientSite.Get());
    if (!site) return OLEOBJ_E_INVALIDVERB;
    HRESULT hr = site->CanInPlaceActivate();
    if (hr != S_OK) return FAILED(hr) ? hr : E_FAIL;
    common::ComPtr<IOleInPlaceSiteEx> siteEx = common::QueryAs<IOleInPlaceSiteEx>(site.Get());
    BOOL noRedraw = FALSE;
    ZB_RETURN_IF_FAILED(hr = siteEx ? siteEx->OnInPlaceActivateEx(&noRedraw, 0) : site->OnInPlaceActivate());
    m_inPlaceSite = site;
    m_inPlaceSiteEx = siteEx;
    c.m_inPlaceActive = true;

    OLEINPLACEFRAMEINFO frameInfo{};
    frameInfo.cb = sizeof(frameInfo);
    RECT posRect{}, clipRect{};
    m_frame.Reset();
    m_uiWindow.Reset();
    hr = site->GetWindowContext(m_frame.Put(), m_uiWindow.Put(), &posRect, &clipRect, &frameInfo);
    if (pos) posRect = *pos;
    HWND parent = nullptr;
    if (SUCCEEDED(hr)) hr = site->GetWindow(&parent);
    if (SUCCEEDED(hr) && !parent) hr = E_FAIL;
    // Known before the window exists: a control that sizes itself on creation moves from here.
    c.m_posRect = posRect;
    if (SUCCEEDED(hr) && !CreateControlWindow(parent, posRect)) hr = E_OUTOFMEMORY;
    if (FAILED(hr)) {
      c.m_inPlaceActive = false;
      if (siteEx) {
        siteEx->OnInPlaceDeactivateEx(TRUE);
      } else {
        site->OnInPlaceDeactivate();
      }
      ReleaseInPlaceSite();
      return hr;
    }
    ShowWindow(c.m_hwnd, SW_SHOWNA);
    if (!noRedraw) InvalidateRect(c.m_hwnd, nullptr, FALSE);
  } else if (pos) {
    c.SetObjectRects(pos, pos);
  }
  if (verb == OLEIVERB_PRIMARY || verb == OLEIVERB_UIACTIVATE) return UIActivate();
  return S_OK;
}

HRESULT COleControl::Impl::UIActivate() {
  COleControl& c = *m_owner;
  if (!c.m_inPlaceActive || !m_inPlaceSite) return E_UNEXPECTED;
  if (c.m_uiActive) return S_OK;
  c.m_uiActive = true;
  m_inPlaceSite->OnUIActivate();
  if (c.m_hwnd && GetFocus() != c.m_hwnd) SetFocus(c.m_hwnd);
  IOleInPlaceActiveObject* active = static_cast<IOleInPlaceActiveObject*>(&c);
  if (m_frame) {
    m_frame->SetActiveObject(active, nullptr);
    m_frame->SetBorderSpace(nullptr);
  }
  if (m_uiWindow) {
    m_uiWindow->SetActiveObject(active, nullptr);
    m_uiWindow->SetBorderSpace(nullptr);
  }
  return S_OK;
}

void COleControl::Impl::ReleaseInPlaceSite() {
  m_frame.Reset();
  m_uiWindow.Reset();
  m_inPlaceSiteEx.Reset();
  m_inPlaceSite.Reset();
}

// ---- IOleObject -----------------------------------------------------------------------------------------
STDMETHODIMP COleControl::SetClientSite(IOleClientSite* site) {
  return common::Guarded([&]() -> HRESULT {
    m_clientSite = common::ComPtr<IOleClientSite>(site);
    m_impl->m_ambient = common::QueryAs<IDispatch>(site);
    m_impl->m_controlSite = common::QueryAs<IOleControlSite>(site);
    OnSetClientSite();
    return S_OK;
  });
}

STDMETHODIMP COleControl::GetClientSite(IOleClientSite** site) {
  if (!site) return E_POINTER;
  return m_clientSite.CopyTo(site);
}

STDMETHODIMP COleControl::SetHostNames(LPCOLESTR, LPCOLESTR) { return S_OK; }

STDMETHODIMP COleControl::Close(DWORD saveOption) {
  return common::Guarded([&]() -> HRESULT {
    InPlaceDeactivate();
    if (m_modified && m_clientSite && (saveOption == OLECLOSE_SAVEIFDIRTY || saveOption == OLECLOSE_PROMPTSAVE))
      m_clientSite->SaveObject();
    if (m_impl->m_oleAdvise) m_impl->m_oleAdvise->SendOnClose();
    return S_OK;
  });
}

STDMETHODIMP COleControl::SetMoniker(DWORD, IMoniker*) { return E_NOTIMPL; }

STDMETHODIMP COleControl::GetMoniker(DWORD assign, DWORD which, IMoniker** mk) {
  if (!mk) return E_POINTER;
  *mk = nullptr;
  if (!m_clientSite) return E_UNEXPECTED;
  return m_clientSite->GetMoniker(assign, which, mk);
}

STDMETHODIMP COleControl::InitFromData(IDataObject*, BOOL, DWORD) { return E_NOTIMPL; }

STDMETHODIMP COleControl::GetClipboardData(DWORD, IDataObject** data) {
  if (data) *data = nullptr;
  return E_NOTIMPL;
}

STDMETHODIMP COleControl::DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND, LPCRECT posRect) {
  return common::Guarded([&]() -> HRESULT {
    if (site && !m_clientSite) SetClientSite(site);
    switch (verb) {
      case OLEIVERB_PRIMARY:
      case OLEIVERB_SHOW:
      case OLEIVERB_UIACTIVATE:
      case OLEIVERB_INPLACEACTIVATE: return m_impl->InPlaceActivate(verb, posRect);
      case OLEIVERB_HIDE:
        UIDeactivate();
        if (m_hwnd) ShowWindow(m_hwnd, SW_HIDE);
        return S_OK;
      case OLEIVERB_PROPERTIES: return ShowPropertyPages();
      case OLEIVERB_OPEN:
      case OLEIVERB_DISCARDUNDOSTATE: return E_NOTIMPL;
      default:
        if (verb > 0) {
          // Unknown positive verbs act as the primary one.
          HRESULT hr = m_impl->InPlaceActivate(OLEIVERB_PRIMARY, posRect);
          return FAILED(hr) ? hr : OLEOBJ_S_INVALIDVERB;
        }
        return E_NOTIMPL;
    }
  });
}

STDMETHODIMP COleControl::EnumVerbs(IEnumOLEVERB** out) {
  return common::Guarded([&]() -> HRESULT {
    if (!out) return E_POINTER;
    *out = nullptr;
    std::vector<OLEVERB> verbs;
    std::wstring name;
    if (m_info.propertiesVerb) name = LoadModuleString(m_info.propertiesVerb);
    if (!name.empty()) {
      OLEVERB v{};
      v.lVerb = OLEIVERB_PROPERTIES;
      v.lpszVerbName = const_cast<LPOLESTR>(name.c_str());
      v.fuFlags = MF_STRING;
      v.grfAttribs = OLEVERBATTRIB_ONCONTAINERMENU;
      verbs.push_back(v);
    }
    return CEnum<VerbsTraits>::Create(verbs, out);
  });
}

STDMETHODIMP COleControl::Update() { return S_OK; }
STDMETHODIMP COleControl::IsUpToDate() { return S_OK; }

STDMETHODIMP COleControl::GetUserClassID(CLSID* clsid) {
  if (!clsid) return E_POINTER;
  *clsid = *m_info.clsid;
  return S_OK;
}

STDMETHODIMP COleControl::GetUserType(DWORD form, LPOLESTR* type) {
  if (!type) return E_POINTER;
  return OleRegGetUserType(*m_info.clsid, form, type);
}

STDMETHODIMP COleControl::SetExtent(DWORD aspect, SIZEL* size) {
  if (!size) return E_POINTER;
  if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
  if (size->cx < 0 || size->cy < 0) return E_INVALIDARG;
  if (size->cx != m_extent.cx || size->cy != m_extent.cy) {
    m_extent = *size;
    SetModifiedFlag();
    m_impl->SendViewChange();
  }
  return S_OK;
}

STDMETHODIMP COleControl::GetExtent(DWORD aspect, SIZEL* size) {
  if (!size) return E_POINTER;
  if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
  *size = m_extent;
  return S_OK;
}

STDMETHODIMP COleControl::Advise(IAdviseSink* sink, DWORD* cookie) {
  if (!cookie) return E_POINTER;
  *cookie = 0;
  if (!m_impl->m_oleAdvise) {
    ZB_RETURN_IF_FAILED(CreateOleAdviseHolder(m_impl->m_oleAdvise.Put()));
  }
  return m_impl->m_oleAdvise->Advise(sink, cookie);
}

STDMETHODIMP COleControl::Unadvise(DWORD cookie) {
  if (!m_impl->m_oleAdvise) return OLE_E_NOCONNECTION;
  return m_impl->m_oleAdvise->Unadvise(cookie);
}

STDMETHODIMP COleControl::EnumAdvise(IEnumSTATDATA** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (!m_impl->m_oleAdvise) return S_FALSE;
  return m_impl->m_oleAdvise->EnumAdvise(out);
}

STDMETHODIMP COleControl::GetMiscStatus(DWORD, DWORD* status) {
  if (!status) return E_POINTER;
  *status = m_info.miscStatus;
  return S_OK;
}

STDMETHODIMP COleControl::SetColorScheme(LOGPALETTE*) { return E_NOTIMPL; }

// ---- IOleWindow / IOleInPlaceObject / IOleInPlaceActiveObject -------------------------------------
STDMETHODIMP COleControl::GetWindow(HWND* hwnd) {
  if (!hwnd) return E_POINTER;
  *hwnd = m_hwnd;
  return m_hwnd ? S_OK : E_FAIL;
}

STDMETHODIMP COleControl::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }

STDMETHODIMP COleControl::InPlaceDeactivate() {
  return common::Guarded([&]() -> HRESULT {
    if (!m_inPlaceActive) return S_OK;
    UIDeactivate();
    m_inPlaceActive = false;
    m_impl->DestroyControlWindow();
    if (m_impl->m_inPlaceSiteEx) {
      m_impl->m_inPlaceSiteEx->OnInPlaceDeactivateEx(TRUE);
    } else if (m_impl->m_inPlaceSite) {
      m_impl->m_inPlaceSite->OnInPlaceDeactivate();
    }
    m_impl->ReleaseInPlaceSite();
    return S_OK;
  });
}

STDMETHODIMP COleControl::UIDeactivate() {
  return common::Guarded([&]() -> HRESULT {
    if (!m_uiActive) return S_OK;
    m_uiActive = false;
    if (m_impl->m_uiWindow) m_impl->m_uiWindow->SetActiveObject(nullptr, nullptr);
    if (m_impl->m_frame) m_impl->m_frame->SetActiveObject(nullptr, nullptr);
    if (m_impl->m_inPlaceSite) m_impl->m_inPlaceSite->OnUIDeactivate(FALSE);
    return S_OK;
  });
}

STDMETHODIMP COleControl::SetObjectRects(LPCRECT pos, LPCRECT) {
  if (!pos) return E_POINTER;
  if (pos->right < pos->left || pos->bottom < pos->top) return E_INVALIDARG;
  return common::Guarded([&]() -> HRESULT {
    PlaceWindow(*pos);
    OnContainerPlaced();
    return S_OK;
  });
}

void COleControl::PlaceWindow(const RECT& pos) {
  m_posRect = pos;
  if (m_hwnd) MoveWindow(m_hwnd, pos.left, pos.top, pos.right - pos.left, pos.bottom - pos.top, TRUE);
}

STDMETHODIMP COleControl::ReactivateAndUndo() { return E_NOTIMPL; }

STDMETHODIMP COleControl::TranslateAccelerator(LPMSG) { return S_FALSE; }
STDMETHODIMP COleControl::OnFrameWindowActivate(BOOL) { return S_OK; }
STDMETHODIMP COleControl::OnDocWindowActivate(BOOL) { return S_OK; }
STDMETHODIMP COleControl::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) { return S_OK; }
STDMETHODIMP COleControl::EnableModeless(BOOL) { return S_OK; }

// ---- IViewObject2 ---------------------------------------------------------------------------------------
STDMETHODIMP COleControl::Draw(DWORD aspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC hdcDraw, LPCRECTL bounds, LPCRECTL,
                               BOOL(STDMETHODCALLTYPE*)(ULONG_PTR), ULONG_PTR) {
  return common::Guarded([&]() -> HRESULT {
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (!hdcDraw) return E_INVALIDARG;
    if (!bounds) return E_INVALIDARG;
    RECT rc{bounds->left, bounds->top, bounds->right, bounds->bottom};
    if (rc.right < rc.left || rc.bottom < rc.top) return E_INVALIDARG;
    OnDraw(hdcDraw, rc, rc);
    return S_OK;
  });
}

STDMETHODIMP COleControl::GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, LOGPALETTE** colors) {
  if (colors) *colors = nullptr;
  return S_FALSE;
}

STDMETHODIMP COleControl::Freeze(DWORD, LONG, void*, DWORD* freeze) {
  if (freeze) *freeze = 0;
  return E_NOTIMPL;
}

STDMETHODIMP COleControl::Unfreeze(DWORD) { return E_NOTIMPL; }

STDMETHODIMP COleControl::SetAdvise(DWORD aspects, DWORD advf, IAdviseSink* sink) {
  m_impl->m_viewSink = common::ComPtr<IAdviseSink>(sink);
  m_impl->m_viewAspects = aspects;
  m_impl->m_viewAdvf = advf;
  if (sink && (advf & ADVF_PRIMEFIRST)) m_impl->SendViewChange();
  return S_OK;
}

STDMETHODIMP COleControl::GetAdvise(DWORD* aspects, DWORD* advf, IAdviseSink** sink) {
  if (aspects) *aspects = m_impl->m_viewAspects;
  if (advf) *advf = m_impl->m_viewAdvf;
  if (sink) m_impl->m_viewSink.CopyTo(sink);
  return S_OK;
}

STDMETHODIMP COleControl::GetExtent(DWORD aspect, LONG, DVTARGETDEVICE*, LPSIZEL size) {
  if (!size) return E_POINTER;
  if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
  *size = m_extent;
  return S_OK;
}

}  // namespace button
