#pragma once
// What the control's tests share: the control module loaded and registered, a control created by its
// ProgID, late-bound calls by name, an event recorder, an ordered property bag, a design-time client
// site, and drawing the control into memory.
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "common/win/ComPtr.h"
#include "common/olehost/EventSink.h"

namespace tests {

// OleInitialize for the test's thread (the test programs hold one for their whole run).
class OleScope {
 public:
  OleScope() : m_hr(OleInitialize(nullptr)) {}
  ~OleScope() {
    if (SUCCEEDED(m_hr)) OleUninitialize();
  }
  bool Ok() const { return SUCCEEDED(m_hr); }

 private:
  HRESULT m_hr;
};

// Folder of the running test program, with a trailing backslash.
std::wstring ExeFolder();
// Loads ZEPHONBUTTONPRO.OCX from the test's folder and registers it (once per process).
HRESULT RegisterControlModule();
// A new control through CoCreateInstance by ProgID.
common::ComPtr<IDispatch> CreateControl();

DISPID IdOf(IDispatch* d, const wchar_t* name);
HRESULT Get(IDispatch* d, const wchar_t* name, common::Variant& out);
HRESULT Put(IDispatch* d, const wchar_t* name, const VARIANT& value);
HRESULT PutRef(IDispatch* d, const wchar_t* name, IDispatch* object);
// Calls a method with arguments given left to right.
HRESULT Call(IDispatch* d, const wchar_t* name, std::vector<common::Variant> args, common::Variant* result = nullptr);

common::Variant I2(short v);
common::Variant I4(long v);
common::Variant Bool(bool v);
common::Variant Str(const std::wstring& v);
long AsLong(const common::Variant& v);  // after coercion to VT_I4
std::wstring AsStr(const common::Variant& v);

long GetLong(IDispatch* d, const wchar_t* name);
std::wstring GetStr(IDispatch* d, const wchar_t* name);

// Records the control's events: DISPID and the arguments as text, left to right.
struct Event {
  DISPID id;
  std::vector<std::wstring> args;
};
class EventRecorder {
 public:
  // Connects to the control's event connection point (null when it cannot).
  static std::unique_ptr<EventRecorder> Attach(IDispatch* control);
  ~EventRecorder();
  std::vector<Event> events;
  // The first argument of every event with this DISPID.
  std::vector<std::wstring> TextsOf(DISPID id) const;

 private:
  EventRecorder() = default;
  common::ComPtr<common::CEventSink> m_sink;
};

// A property bag that keeps its entries in the order they were written.
class OrderedBag final : public IPropertyBag {
 public:
  static common::ComPtr<OrderedBag> Make();
  std::vector<std::pair<std::wstring, common::Variant>> entries;
  const common::Variant* Find(const std::wstring& name) const;
  std::vector<std::wstring> Names() const;

  STDMETHODIMP QueryInterface(REFIID riid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;
  STDMETHODIMP Read(LPCOLESTR name, VARIANT* value, IErrorLog* log) override;
  STDMETHODIMP Write(LPCOLESTR name, VARIANT* value) override;

 private:
  OrderedBag() = default;
  LONG m_refs = 1;
};

// A client site whose ambient UserMode the test sets (FALSE = design time).
class AmbientSite final : public IOleClientSite, public IDispatch {
 public:
  static common::ComPtr<AmbientSite> Make(bool userMode);
  bool userMode;

  STDMETHODIMP QueryInterface(REFIID riid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;
  STDMETHODIMP SaveObject() override { return E_NOTIMPL; }
  STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
  STDMETHODIMP GetContainer(IOleContainer**) override { return E_NOINTERFACE; }
  STDMETHODIMP ShowObject() override { return S_OK; }
  STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
  STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }
  STDMETHODIMP GetTypeInfoCount(UINT* n) override;
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override;
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
  STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result, EXCEPINFO*, UINT*) override;

 private:
  explicit AmbientSite(bool mode) : userMode(mode) {}
  LONG m_refs = 1;
};
// Gives the control `site`; then InitNew.
HRESULT SiteAndInit(IDispatch* control, IOleClientSite* site);

// What the control displays: IViewObject::Draw into a w × h memory bitmap first filled with `fill`
// (0x00BBGGRR). Pixels come back as 0x00RRGGBB, row 0 at the top.
struct Drawing {
  int w = 0, h = 0;
  std::vector<uint32_t> px;
  uint32_t At(int x, int y) const { return px[size_t(y) * w + x]; }
  // Size of the area whose pixels differ from `back` (0x00RRGGBB), counted from the top-left.
  SIZE ExtentNot(uint32_t back) const;
};
bool DrawControl(IDispatch* control, int w, int h, COLORREF fill, Drawing& out);

// A bitmap picture object of w × h pixels filled with `colour` (0x00BBGGRR).
common::ComPtr<IPictureDisp> MakeBitmapPicture(int w, int h, COLORREF colour);

}  // namespace tests
