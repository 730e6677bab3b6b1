#pragma once
// COleControl: the OLE control base. One implementation of every interface a control container
// expects, for any control; a control class derives from it and adds only what is its own.
//
// How a control uses it
// ---------------------
// 1. Derive and describe the class once:
//      class CMyCtrl : public button::COleControl {
//       public:
//        CMyCtrl() : COleControl(kMyInfo) {}            // kMyInfo: a static button::ControlClassInfo
//        const button::DispTable& Members() const override; // the dispatch table (DispTable.h)
//        void DoPropExchange(button::CPropExchange& px) override;
//        void OnDraw(HDC dc, const RECT& bounds, const RECT& invalid) override;
//      };
//    and create it from the module's class factory with
//      button::CreateControl<CMyCtrl>(outer, riid, out)    // aggregation, refcount and QI handled here
//    The constructor must not fail or call out; work that can fail belongs in DoPropExchange or in
//    OnWindowCreated. Every entry point of the base catches C++ exceptions and returns E_UNEXPECTED,
//    but the derived class should not throw at all.
//
// 2. Dispatch members: Members() returns a static DispTable (build it once, e.g. a function-local
//    static), each entry from button::DispProperty<&Get, &Set>(dispid, L"Name") or
//    button::DispMethod<&Fn>(dispid, L"Name"); add kDispBindable|kDispRequestEdit where the type library
//    says so. A table-driven control may instead list button::DispPropertyEntry(dispid, L"Name", VT_I2) /
//    button::DispMethodEntry(dispid, L"Name", VT_EMPTY, {VT_I2, VT_I2}) and answer them all in its overrides
//    of GetProperty / PutProperty / InvokeMethod (switch on member.id). The stock members `Enabled` (DISPID_ENABLED
//    -514, bindable, requestedit), `Text` (DISPID_TEXT -517, bindable, requestedit) and `Refresh` (DISPID_REFRESH -550)
//    are the base's: do not list them; react to them through OnEnabledChanged / OnTextChanged. DISPID_VALUE (0) is
//    routed to ControlClassInfo::defaultMember. Names for GetIDsOfNames and GetTypeInfo come from the type library
//    (registered, else the module's own TYPELIB resource); the table names are the fallback. Invoke coerces arguments
//    with VariantChangeType and answers DISP_E_MEMBERNOTFOUND, DISP_E_BADPARAMCOUNT, DISP_E_TYPEMISMATCH (with
//    puArgErr), DISP_E_PARAMNOTOPTIONAL, DISP_E_PARAMNOTFOUND; property puts take the named argument
//    DISPID_PROPERTYPUT; object properties accept DISPATCH_PROPERTYPUTREF too.
//
// 3. Property exchange: DoPropExchange(px) runs for load, save AND reset (PropExchange.h). Call the
//    typed exchangers in the persisted order, e.g.
//      ExchangeVersion(px);                           // "_Version" = ControlClassInfo::persistVersion
//      px.Short(L"AlignVer", m_alignVer, 1);  px.Bool(L"AutoSize", m_autoSize, true);
//      px.Color(L"BackGroundColor", m_back, 0x00C08E00);  px.String(L"PictureURL", m_url, L"");
//      px.Font(L"TextFont", m_textFont, m_textFontDesc.Desc());  px.Picture(L"PictureRES", m_picRes);
//      ExchangeStockProps(px);                        // "_ExtentX", "_ExtentY", "_StockProps", "Text", "Enabled"
//      if (px.IsLoading()) { ...refresh derived state... }
//    Loaded values arrive unvalidated: clamp them as the setters would. The base runs the exchange
//    from IPersistStreamInit (Load/Save/InitNew), IPersistStorage (the stream "Contents"),
//    IPersistPropertyBag and IOleControl-less reset (OnResetState, overridable: reset derived
//    holders, then call the base, which runs DoPropExchange in Reset mode).
//    A load that reads nothing usable returns a failure code to the container with the defaults in
//    place; a partial load keeps what it read. CreateControl resets a new control once before handing
//    it out, so a control used without InitNew or Load has its defaults too.
//
// 4. Events: FireEvent(dispid, {EventArg::I2(button), EventArg::I4(x), ...}) fires to every sink of
//    the event dispinterface (ControlClassInfo::eventsIid) with the arguments left to right. Events
//    are dropped while the container has frozen them (IOleControl::FreezeEvents). By-reference
//    arguments: EventArg::ByRefI2(&keyCode) - the handler may change the value. The base fires the
//    stock key events KeyDown (-602), KeyPress (-603), KeyUp (-604) from WM_KEYDOWN/WM_CHAR/WM_KEYUP
//    in DefaultWindowMessage.
//
// 5. Ambient properties: AmbientUserMode() (TRUE when the container does not say),
//    GetAmbientProperty(dispid, vt, out) for others; OnAmbientChanged(dispid) is called when the
//    container announces a change (DISPID_UNKNOWN = several changed).
//
// 6. Painting: OnDraw(dc, bounds, invalid) paints the whole control into `bounds` of `dc`; it serves
//    WM_PAINT (bounds = client rectangle, invalid = update rectangle) and IViewObject::Draw (any DC,
//    also without a window; invalid = bounds). WM_ERASEBKGND is swallowed (flicker-free painting).
//
// 7. Window messages: OnWindowMessage(msg, wp, lp, result) sees every message of the control's window
//    first; return true when handled (result is returned), false to let the base do its default
//    handling. A handler that wants the default in the middle of its own steps calls
//    DefaultWindowMessage(msg, wp, lp) itself and returns true. The default handling: left/right/middle
//    press in user mode UI-activates the control and takes the focus; focus changes notify the site
//    (IOleControlSite::OnFocus); key messages fire the stock key events; WM_PAINT paints through
//    OnDraw; everything else goes to DefWindowProc. OnWindowCreated / OnWindowDestroying bracket the
//    window's life (created on in-place activation; class without cursor, background brush or icon).
//
// 8. Modified / redraw: SetModifiedFlag() after a property changed (IsDirty reports it; a save with
//    clearDirty clears it), InvalidateControl(rect = null, erase = true) redraws the window, or tells
//    the view-advise sink when there is no window. Size: GetControlSize / SetControlSize (pixels;
//    SetControlSize asks the in-place site to move us).
//
// 9. Font and picture holders: CFontHolder / CPictureHolder (FontHolder.h, PictureHolder.h) wrap the
//    platform's standard objects; hand out Dispatch() in getters, take SetFont / SetPictureDispatch in
//    setters, exchange them with px.Font / px.Picture.
//
// 10. Property pages: ISpecifyPropertyPages reports ControlClassInfo::pages in order; DoVerb of
//    OLEIVERB_PROPERTIES (offered under the name of string resource ControlClassInfo::propertiesVerb)
//    asks the site's IOleControlSite::ShowPropertyFrame, else opens OleCreatePropertyFrame itself.
//
// Notes for the control's author (E): ask through a comment here; additions to this header will be
// announced in this block.
//  - Setters called through Invoke run inside the base's exception guard; setters called from C++
//    directly (pages, tests) do not.
//  - OnEnabledChanged runs after the base stored the value and enabled/disabled the window.
//  - Methods that can fail return button::HResult, not HRESULT (HRESULT is a long: a VT_I4 result).
//  - FontDescription::Desc() points into its FontDescription: keep that object alive while the
//    FONTDESC is used (not `FromPoints(...).Desc()` on a temporary).
//  - Containers differ in order: some call InitNew/Load before SetClientSite. Re-read ambient
//    properties (user mode) in OnSetClientSite as well as in the exchange.
//  - The window is destroyed (OnWindowDestroying) on in-place deactivation and, at the latest, when
//    the last reference goes; derived destructors run after that.
//  - OnContainerPlaced runs whenever the container sets the control's rectangle, also after
//    activation: Wine's ATL host sizes its control to the host window on the host's WM_SIZE, which
//    comes after the control's window was created, and ignores OnPosRectChange.
//  - common/olehost has a property bag (CPropertyBag, loadable from text), an event sink with C++
//    handlers and a container site (CControlHost) for tests and the catalogue panel.
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "common/win/ComError.h"
#include "common/win/ComPtr.h"
#include "button/framework/DispTable.h"
#include "button/framework/PropExchange.h"

namespace button {

// Constant facts about a control class.
struct ControlClassInfo {
  const CLSID* clsid;
  const IID* dispatchIid;  // the control's dispinterface (QueryInterface answers it with IDispatch)
  const IID* eventsIid;    // the default source dispinterface
  const GUID* libid;       // type library holding both
  WORD libMajor;
  WORD libMinor;
  DWORD persistVersion;  // "_Version"
  DWORD miscStatus;      // IOleObject::GetMiscStatus(DVASPECT_CONTENT)
  DISPID defaultMember;  // what DISPID_VALUE means
  const CLSID* pages;    // property pages in the order reported
  UINT pageCount;
  UINT propertiesVerb;         // string resource naming the properties verb; 0 = not offered
  const wchar_t* windowClass;  // window class name of the control's window
  SIZEL defaultExtent;         // HIMETRIC, used until the container sets one
};

// One event argument (owns its VARIANT).
class EventArg {
 public:
  static EventArg I2(short v);
  static EventArg I4(long v);
  static EventArg Bool(bool v);
  static EventArg Str(const std::wstring& v);
  // The handler may change *v.
  static EventArg ByRefI2(short* v);
  EventArg(const EventArg&) = default;
  const VARIANT& Value() const { return *m_value.Ptr(); }

 private:
  EventArg() = default;
  common::Variant m_value;
};

class COleControl : public IDispatch,
                    public IProvideClassInfo2,
                    public IConnectionPointContainer,
                    public IOleObject,
                    public IOleInPlaceObject,
                    public IOleInPlaceActiveObject,
                    public IOleControl,
                    public IViewObject2,
                    public IPersistStreamInit,
                    public IPersistStorage,
                    public IPersistPropertyBag,
                    public ISpecifyPropertyPages,
                    public IPointerInactive {
 public:
  // ---- to override ---------------------------------------------------------------------------------
  virtual const DispTable& Members() const = 0;
  virtual void DoPropExchange(CPropExchange& px) = 0;
  virtual void OnDraw(HDC dc, const RECT& bounds, const RECT& invalid) = 0;
  virtual bool OnWindowMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) { return false; }
  virtual void OnWindowCreated() {}
  virtual void OnWindowDestroying() {}
  // The container placed the control (SetObjectRects): a control that sizes itself re-applies its
  // size here.
  virtual void OnContainerPlaced() {}
  virtual void OnEnabledChanged() {}
  virtual void OnTextChanged() {}
  virtual void OnAmbientChanged(DISPID id) {}
  virtual void OnFreezeEvents(bool frozen) {}
  virtual void OnSetClientSite() {}
  // New control or IPersistStreamInit::InitNew: runs DoPropExchange in Reset mode.
  virtual void OnResetState();
  // Members whose table entry has no callback (DispPropertyEntry / DispMethodEntry) arrive here, with
  // values already coerced to the entry's VARTYPEs (args left to right, `result` VT_EMPTY on entry).
  virtual HRESULT GetProperty(const DispMember& member, VARIANT* result) { return DISP_E_MEMBERNOTFOUND; }
  virtual HRESULT PutProperty(const DispMember& member, const VARIANT& value) { return DISP_E_MEMBERNOTFOUND; }
  virtual HRESULT InvokeMethod(const DispMember& member, const VARIANT* args, VARIANT* result) {
    return DISP_E_MEMBERNOTFOUND;
  }
  // Extra interfaces of the derived class (called for IIDs the base does not know).
  virtual HRESULT QueryExtraInterface(REFIID riid, void** out) { return E_NOINTERFACE; }

  // ---- services for the derived class ------------------------------------------------------------
  HRESULT FireEvent(DISPID id, std::initializer_list<EventArg> args = {});
  bool AmbientUserMode();
  bool GetAmbientProperty(DISPID id, VARTYPE vt, common::Variant& out);
  void SetModifiedFlag(bool modified = true);
  bool IsModified() const { return m_modified; }
  void InvalidateControl(const RECT* rect = nullptr, bool erase = true);
  void Refresh();
  HWND Window() const { return m_hwnd; }
  bool IsInPlaceActive() const { return m_inPlaceActive; }
  bool IsUIActive() const { return m_uiActive; }
  void GetControlSize(int* cx, int* cy) const;
  bool SetControlSize(int cx, int cy);
  IOleClientSite* ClientSite() const { return m_clientSite.Get(); }
  const ControlClassInfo& ClassInfo() const { return m_info; }
  // Asks bound-property sinks; false when one refuses the edit.
  bool BoundPropertyRequestEdit(DISPID id);
  void BoundPropertyChanged(DISPID id);
  HRESULT ShowPropertyPages();
  // "_Version", then "_ExtentX", "_ExtentY", "_StockProps", "Text", "Enabled".
  void ExchangeVersion(CPropExchange& px);
  void ExchangeStockProps(CPropExchange& px);
  // Default handling of a window message (see 7 above).
  LRESULT DefaultWindowMessage(UINT msg, WPARAM wp, LPARAM lp);

  // Stock properties.
  bool GetEnabled() const { return m_enabled; }
  HRESULT SetEnabled(bool enabled);
  const std::wstring& GetText() const { return m_text; }
  HRESULT SetText(const std::wstring& text);

  // ---- IUnknown (delegates to the controlling unknown) ----------------------------------------------
  STDMETHODIMP QueryInterface(REFIID riid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;

  // ---- IDispatch
  STDMETHODIMP GetTypeInfoCount(UINT* count) override;
  STDMETHODIMP GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
  STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) override;
  STDMETHODIMP Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                      EXCEPINFO* excep, UINT* argErr) override;
  // ---- IProvideClassInfo2
  STDMETHODIMP GetClassInfo(ITypeInfo** info) override;
  STDMETHODIMP GetGUID(DWORD kind, GUID* guid) override;
  // ---- IConnectionPointContainer
  STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** out) override;
  STDMETHODIMP FindConnectionPoint(REFIID riid, IConnectionPoint** out) override;
  // ---- IOleObject
  STDMETHODIMP SetClientSite(IOleClientSite* site) override;
  STDMETHODIMP GetClientSite(IOleClientSite** site) override;
  STDMETHODIMP SetHostNames(LPCOLESTR app, LPCOLESTR obj) override;
  STDMETHODIMP Close(DWORD saveOption) override;
  STDMETHODIMP SetMoniker(DWORD which, IMoniker* mk) override;
  STDMETHODIMP GetMoniker(DWORD assign, DWORD which, IMoniker** mk) override;
  STDMETHODIMP InitFromData(IDataObject* data, BOOL creation, DWORD reserved) override;
  STDMETHODIMP GetClipboardData(DWORD reserved, IDataObject** data) override;
  STDMETHODIMP DoVerb(LONG verb, LPMSG msg, IOleClientSite* site, LONG index, HWND parent, LPCRECT posRect) override;
  STDMETHODIMP EnumVerbs(IEnumOLEVERB** out) override;
  STDMETHODIMP Update() override;
  STDMETHODIMP IsUpToDate() override;
  STDMETHODIMP GetUserClassID(CLSID* clsid) override;
  STDMETHODIMP GetUserType(DWORD form, LPOLESTR* type) override;
  STDMETHODIMP SetExtent(DWORD aspect, SIZEL* size) override;
  STDMETHODIMP GetExtent(DWORD aspect, SIZEL* size) override;
  STDMETHODIMP Advise(IAdviseSink* sink, DWORD* cookie) override;
  STDMETHODIMP Unadvise(DWORD cookie) override;
  STDMETHODIMP EnumAdvise(IEnumSTATDATA** out) override;
  STDMETHODIMP GetMiscStatus(DWORD aspect, DWORD* status) override;
  STDMETHODIMP SetColorScheme(LOGPALETTE* pal) override;
  // ---- IOleWindow (shared by IOleInPlaceObject and IOleInPlaceActiveObject)
  STDMETHODIMP GetWindow(HWND* hwnd) override;
  STDMETHODIMP ContextSensitiveHelp(BOOL enter) override;
  // ---- IOleInPlaceObject
  STDMETHODIMP InPlaceDeactivate() override;
  STDMETHODIMP UIDeactivate() override;
  STDMETHODIMP SetObjectRects(LPCRECT pos, LPCRECT clip) override;
  STDMETHODIMP ReactivateAndUndo() override;
  // ---- IOleInPlaceActiveObject
  STDMETHODIMP TranslateAccelerator(LPMSG msg) override;
  STDMETHODIMP OnFrameWindowActivate(BOOL activate) override;
  STDMETHODIMP OnDocWindowActivate(BOOL activate) override;
  STDMETHODIMP ResizeBorder(LPCRECT border, IOleInPlaceUIWindow* window, BOOL frame) override;
  STDMETHODIMP EnableModeless(BOOL enable) override;
  // ---- IOleControl
  STDMETHODIMP GetControlInfo(CONTROLINFO* ci) override;
  STDMETHODIMP OnMnemonic(MSG* msg) override;
  STDMETHODIMP OnAmbientPropertyChange(DISPID id) override final;
  STDMETHODIMP FreezeEvents(BOOL freeze) override;
  // ---- IViewObject2
  STDMETHODIMP Draw(DWORD aspect, LONG index, void* aspectInfo, DVTARGETDEVICE* td, HDC hdcTarget, HDC hdcDraw,
                    LPCRECTL bounds, LPCRECTL wBounds, BOOL(STDMETHODCALLTYPE* cont)(ULONG_PTR),
                    ULONG_PTR contArg) override;
  STDMETHODIMP GetColorSet(DWORD aspect, LONG index, void* aspectInfo, DVTARGETDEVICE* td, HDC hdcTarget,
                           LOGPALETTE** colors) override;
  STDMETHODIMP Freeze(DWORD aspect, LONG index, void* aspectInfo, DWORD* freeze) override;
  STDMETHODIMP Unfreeze(DWORD freeze) override;
  STDMETHODIMP SetAdvise(DWORD aspects, DWORD advf, IAdviseSink* sink) override;
  STDMETHODIMP GetAdvise(DWORD* aspects, DWORD* advf, IAdviseSink** sink) override;
  STDMETHODIMP GetExtent(DWORD aspect, LONG index, DVTARGETDEVICE* td, LPSIZEL size) override;
  // ---- IPersist (shared)
  STDMETHODIMP GetClassID(CLSID* clsid) override;
  // ---- IPersistStreamInit
  STDMETHODIMP IsDirty() override;
  STDMETHODIMP Load(IStream* stream) override;
  STDMETHODIMP Save(IStream* stream, BOOL clearDirty) override;
  STDMETHODIMP GetSizeMax(ULARGE_INTEGER* size) override;
  STDMETHODIMP InitNew() override;
  // ---- IPersistStorage (IsDirty shared)
  STDMETHODIMP InitNew(IStorage* storage) override;
  STDMETHODIMP Load(IStorage* storage) override;
  STDMETHODIMP Save(IStorage* storage, BOOL sameAsLoad) override;
  STDMETHODIMP SaveCompleted(IStorage* storage) override;
  STDMETHODIMP HandsOffStorage() override;
  // ---- IPersistPropertyBag (InitNew shared with IPersistStreamInit)
  STDMETHODIMP Load(IPropertyBag* bag, IErrorLog* log) override;
  STDMETHODIMP Save(IPropertyBag* bag, BOOL clearDirty, BOOL saveAll) override;
  // ---- ISpecifyPropertyPages
  STDMETHODIMP GetPages(CAUUID* pages) override;
  // ---- IPointerInactive
  STDMETHODIMP GetActivationPolicy(DWORD* policy) override;
  STDMETHODIMP OnInactiveMouseMove(LPCRECT bounds, LONG x, LONG y, DWORD keyState) override;
  STDMETHODIMP OnInactiveSetCursor(LPCRECT bounds, LONG x, LONG y, DWORD msg, BOOL setAlways) override;

  // The non-delegating unknown (what an aggregating outer object holds).
  IUnknown* InnerUnknown() { return &m_inner; }
  // Used by CreateControl: sets the controlling unknown (outer, or the inner one).
  void SetOuter(IUnknown* outer);

  // Objects alive in the module (for DllCanUnloadNow and leak tests).
  static LONG LiveObjects();

 protected:
  explicit COleControl(const ControlClassInfo& info);
  virtual ~COleControl();

 private:
  class Inner : public IUnknown {
   public:
    explicit Inner(COleControl* owner) : m_owner(owner) {}
    STDMETHODIMP QueryInterface(REFIID riid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

   private:
    COleControl* m_owner;
  };
  friend class Inner;
  class Impl;  // connection points, advise holders, type info cache, window procedure
  friend class Impl;

  HRESULT InternalQueryInterface(REFIID riid, void** out);
  // Clean-up while the derived object is still whole (last reference gone).
  void FinalRelease();
  // Takes `pos` as the control's place and moves its window there.
  void PlaceWindow(const RECT& pos);
  // Stock property changes without the bound-property notifications.
  void ApplyEnabled(bool enabled);
  void ApplyText(const std::wstring& text);

  const ControlClassInfo& m_info;
  LONG m_refs = 1;
  Inner m_inner{this};
  IUnknown* m_outer = &m_inner;
  std::unique_ptr<Impl> m_impl;

  common::ComPtr<IOleClientSite> m_clientSite;
  HWND m_hwnd = nullptr;
  bool m_inPlaceActive = false;
  bool m_uiActive = false;
  bool m_modified = false;
  bool m_enabled = true;
  std::wstring m_text;
  SIZEL m_extent{};  // HIMETRIC
  RECT m_posRect{};
  LONG m_freezeCount = 0;
};

// Creates a control of class T (derived from COleControl), aggregated into `outer` when given
// (then riid must be IID_IUnknown).
template <class T>
HRESULT CreateControl(IUnknown* outer, REFIID riid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (outer && !IsEqualIID(riid, IID_IUnknown)) return CLASS_E_NOAGGREGATION;
  T* obj = nullptr;
  try {
    obj = new T();
  } catch (...) {
    return E_OUTOFMEMORY;
  }
  obj->SetOuter(outer);
  // The construction reference goes with `inner`; the QI's reference keeps the control alive.
  const common::ComPtr<IUnknown> inner = common::ComPtr<IUnknown>::Attach(obj->InnerUnknown());
  // A new control starts with its defaults in place, as after InitNew: script hosts create controls
  // and use them through IDispatch alone, with no initialisation call and no site.
  ZB_RETURN_IF_FAILED(obj->InitNew());
  return inner->QueryInterface(riid, out);
}

}  // namespace button
