#pragma once
// CControlHost: a container site for one ActiveX control inside a window of ours. It creates (or
// takes) the control, loads its properties from a property bag or starts it new, activates it in
// place as a child of the parent window, answers ambient properties (user mode settable), delivers
// events to C++ handlers (events()), and follows bindable properties (OnRequestEdit / OnChanged).
// Any control class will do. HostedControl closes the site when it goes out of scope: the control
// holds references to its site, so the site must be closed, not just released.
#include <windows.h>
#include <ocidl.h>

#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <string>

#include "common/win/ComObject.h"
#include "common/win/ComPtr.h"
#include "common/olehost/EventSink.h"

namespace common {

class CControlHost final : public CComObject<CControlHost, IOleClientSite, IOleInPlaceSiteEx, IOleControlSite,
                                             IDispatch, IPropertyNotifySink> {
 public:
  struct Options {
    bool userMode = true;
    const IID* events = nullptr;  // the control's default source when null
    // Installs event handlers before the control loads, so events fired while loading (a picture
    // that cannot be read, say) reach the container too.
    std::function<void(CEventSink&)> setupEvents;
  };

  // Creates the control of class `clsid` (or ProgID), loads it from `bag` (null: starts it new) and
  // activates it at `rect` (pixels, client coordinates of `parent`).
  static HRESULT Create(HWND parent, const RECT& rect, REFCLSID clsid, IPropertyBag* bag, const Options& options,
                        ComPtr<CControlHost>& out);
  static HRESULT Create(HWND parent, const RECT& rect, const wchar_t* progId, IPropertyBag* bag, const Options& options,
                        ComPtr<CControlHost>& out);
  // The same for a control object made elsewhere.
  static HRESULT Attach(HWND parent, const RECT& rect, IUnknown* control, IPropertyBag* bag, const Options& options,
                        ComPtr<CControlHost>& out);

  // Deactivates and releases the control; the host is useless afterwards.
  void Close();

  IUnknown* Control() const { return m_control.Get(); }
  ComPtr<IDispatch> Dispatch() const { return QueryAs<IDispatch>(m_control.Get()); }
  HWND ControlWindow() const;
  HWND Parent() const { return m_parent; }
  RECT Rect() const { return m_rect; }
  HRESULT SetRect(const RECT& rect);
  // What loading the property bag answered (S_OK when started new).
  HRESULT LoadResult() const { return m_loadResult; }
  bool InPlaceActive() const { return m_inPlaceActive; }
  bool UIActive() const { return m_uiActive; }
  int FocusNotifications() const { return m_focusIn; }

  CEventSink& Events() { return *m_events.Get(); }

  // Ambient properties; changing one tells the control.
  void SetUserMode(bool userMode);
  bool UserMode() const;
  void SetAmbient(DISPID id, const VARIANT& value);

  // Bound properties: `allow` decides OnRequestEdit (true when unset), `changed` hears OnChanged.
  void OnRequestEdit(std::function<bool(DISPID)> allow) { m_allowEdit = std::move(allow); }
  void OnPropertyChanged(std::function<void(DISPID)> changed) { m_changed = std::move(changed); }
  // The control asks the container to show its property pages (DoVerb properties).
  void OnShowPropertyFrame(std::function<HRESULT()> show) { m_showFrame = std::move(show); }

  // Saves the control's properties into a bag.
  HRESULT Save(IPropertyBag* bag, bool clearDirty = true);

  // Dispatch helpers by member name.
  HRESULT GetProperty(const wchar_t* name, Variant& out);
  HRESULT PutProperty(const wchar_t* name, const VARIANT& value);
  // Arguments left to right.
  HRESULT Call(const wchar_t* name, std::initializer_list<VARIANT> args, Variant* result = nullptr);

  // Lets the UI-active control see keystrokes first (call from the message loop).
  bool PreTranslateMessage(MSG* msg);

  // ---- COM
  // IOleClientSite
  STDMETHODIMP SaveObject() override;
  STDMETHODIMP GetMoniker(DWORD assign, DWORD which, IMoniker** mk) override;
  STDMETHODIMP GetContainer(IOleContainer** container) override;
  STDMETHODIMP ShowObject() override;
  STDMETHODIMP OnShowWindow(BOOL show) override;
  STDMETHODIMP RequestNewObjectLayout() override;
  // IOleWindow
  STDMETHODIMP GetWindow(HWND* hwnd) override;
  STDMETHODIMP ContextSensitiveHelp(BOOL enter) override;
  // IOleInPlaceSite
  STDMETHODIMP CanInPlaceActivate() override;
  STDMETHODIMP OnInPlaceActivate() override;
  STDMETHODIMP OnUIActivate() override;
  STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc, LPRECT pos, LPRECT clip,
                                LPOLEINPLACEFRAMEINFO info) override;
  STDMETHODIMP Scroll(SIZE extent) override;
  STDMETHODIMP OnUIDeactivate(BOOL undoable) override;
  STDMETHODIMP OnInPlaceDeactivate() override;
  STDMETHODIMP DiscardUndoState() override;
  STDMETHODIMP DeactivateAndUndo() override;
  STDMETHODIMP OnPosRectChange(LPCRECT pos) override;
  // IOleInPlaceSiteEx
  STDMETHODIMP OnInPlaceActivateEx(BOOL* noRedraw, DWORD flags) override;
  STDMETHODIMP OnInPlaceDeactivateEx(BOOL noRedraw) override;
  STDMETHODIMP RequestUIActivate() override;
  // IOleControlSite
  STDMETHODIMP OnControlInfoChanged() override;
  STDMETHODIMP LockInPlaceActive(BOOL lock) override;
  STDMETHODIMP GetExtendedControl(IDispatch** disp) override;
  STDMETHODIMP TransformCoords(POINTL* himetric, POINTF* container, DWORD flags) override;
  STDMETHODIMP TranslateAccelerator(MSG* msg, DWORD modifiers) override;
  STDMETHODIMP OnFocus(BOOL gotFocus) override;
  STDMETHODIMP ShowPropertyFrame() override;
  // IDispatch: the ambient properties
  STDMETHODIMP GetTypeInfoCount(UINT* count) override;
  STDMETHODIMP GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
  STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) override;
  STDMETHODIMP Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                      EXCEPINFO* excep, UINT* argErr) override;
  // IPropertyNotifySink
  STDMETHODIMP OnChanged(DISPID id) override;
  STDMETHODIMP OnRequestEdit(DISPID id) override;

 private:
  class Frame;
  friend class CComObject<CControlHost, IOleClientSite, IOleInPlaceSiteEx, IOleControlSite, IDispatch,
                          IPropertyNotifySink>;
  CControlHost(HWND parent, const RECT& rect, const Options& options);
  ~CControlHost();
  HRESULT Start(IUnknown* control, IPropertyBag* bag);
  HRESULT DispIdOf(IDispatch* disp, const wchar_t* name, DISPID& id);

  HWND m_parent;
  RECT m_rect;
  Options m_options;
  std::unique_ptr<Frame> m_frame;  // shares our reference count
  ComPtr<IUnknown> m_control;
  ComPtr<IOleObject> m_oleObject;
  ComPtr<IOleInPlaceObject> m_inPlaceObject;
  ComPtr<IOleInPlaceActiveObject> m_activeObject;
  ComPtr<CEventSink> m_events;
  ComPtr<IConnectionPoint> m_notifyPoint;
  DWORD m_notifyCookie = 0;
  std::map<DISPID, Variant> m_ambient;
  HRESULT m_loadResult = S_OK;
  bool m_inPlaceActive = false;
  bool m_uiActive = false;
  int m_focusIn = 0;
  std::function<bool(DISPID)> m_allowEdit;
  std::function<void(DISPID)> m_changed;
  std::function<HRESULT()> m_showFrame;
};

// Owns a host and closes it on destruction.
class HostedControl {
 public:
  HostedControl() = default;
  explicit HostedControl(ComPtr<CControlHost> host) : m_host(std::move(host)) {}
  HostedControl(HostedControl&&) = default;
  HostedControl& operator=(HostedControl&& o) {
    if (this != &o) {
      Reset();
      m_host = std::move(o.m_host);
    }
    return *this;
  }
  ~HostedControl() { Reset(); }
  void Reset() {
    if (m_host) m_host->Close();
    m_host.Reset();
  }
  CControlHost* operator->() const { return m_host.Get(); }
  CControlHost* Get() const { return m_host.Get(); }
  explicit operator bool() const { return bool(m_host); }

 private:
  ComPtr<CControlHost> m_host;
};

}  // namespace common
