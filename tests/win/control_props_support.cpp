#include "tests/win/control_props_support.h"

#include <gtest/gtest.h>

#include "button/control/ZephonButtonIds.h"

namespace tests {

namespace {
class OleEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { ASSERT_TRUE(m_ole.Ok()); }

 private:
  OleScope m_ole;
};
const auto* const kOle = ::testing::AddGlobalTestEnvironment(new OleEnvironment);
}  // namespace

std::wstring ExeFolder() {
  wchar_t path[MAX_PATH * 2] = {};
  GetModuleFileNameW(nullptr, path, DWORD(sizeof(path) / sizeof(path[0])));
  std::wstring p(path);
  return p.substr(0, p.find_last_of(L"\\/") + 1);
}

HRESULT RegisterControlModule() {
  static HRESULT result = [] {
    HMODULE module = LoadLibraryW((ExeFolder() + L"ZEPHONBUTTONPRO.OCX").c_str());
    if (!module) return HRESULT_FROM_WIN32(GetLastError());
    auto reg = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(
        reinterpret_cast<void*>(GetProcAddress(module, "DllRegisterServer")));
    return reg ? reg() : E_NOINTERFACE;
  }();
  return result;
}

common::ComPtr<IDispatch> CreateControl() {
  common::ComPtr<IDispatch> d;
  CLSID clsid;
  if (FAILED(RegisterControlModule()) || FAILED(CLSIDFromProgID(button::kControlProgId, &clsid))) return d;
  CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, d.PutVoid());
  return d;
}

DISPID IdOf(IDispatch* d, const wchar_t* name) {
  DISPID id = DISPID_UNKNOWN;
  LPOLESTR n = const_cast<LPOLESTR>(name);
  if (FAILED(d->GetIDsOfNames(IID_NULL, &n, 1, LOCALE_USER_DEFAULT, &id))) return DISPID_UNKNOWN;
  return id;
}

namespace {

HRESULT InvokeByName(IDispatch* d, const wchar_t* name, WORD flags, std::vector<common::Variant>& argsLeftToRight,
                     VARIANT* result) {
  const DISPID id = IdOf(d, name);
  if (id == DISPID_UNKNOWN) return DISP_E_UNKNOWNNAME;
  std::vector<VARIANT> reversed;
  for (auto it = argsLeftToRight.rbegin(); it != argsLeftToRight.rend(); ++it) reversed.push_back(*it->Ptr());
  DISPPARAMS params{reversed.empty() ? nullptr : reversed.data(), nullptr, UINT(reversed.size()), 0};
  DISPID put = DISPID_PROPERTYPUT;
  if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
    params.rgdispidNamedArgs = &put;
    params.cNamedArgs = 1;
  }
  UINT argErr = 0;
  return d->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result, nullptr, &argErr);
}

}  // namespace

HRESULT Get(IDispatch* d, const wchar_t* name, common::Variant& out) {
  std::vector<common::Variant> none;
  VariantClear(out.Ptr());
  return InvokeByName(d, name, DISPATCH_PROPERTYGET, none, out.Ptr());
}

HRESULT Put(IDispatch* d, const wchar_t* name, const VARIANT& value) {
  std::vector<common::Variant> args(1);
  VariantCopy(args[0].Ptr(), const_cast<VARIANT*>(&value));
  return InvokeByName(d, name, DISPATCH_PROPERTYPUT, args, nullptr);
}

HRESULT PutRef(IDispatch* d, const wchar_t* name, IDispatch* object) {
  std::vector<common::Variant> args(1);
  args[0].Ptr()->vt = VT_DISPATCH;
  args[0].Ptr()->pdispVal = object;
  if (object) object->AddRef();
  return InvokeByName(d, name, DISPATCH_PROPERTYPUTREF, args, nullptr);
}

HRESULT Call(IDispatch* d, const wchar_t* name, std::vector<common::Variant> args, common::Variant* result) {
  common::Variant ignored;
  return InvokeByName(d, name, DISPATCH_METHOD, args, result ? result->Ptr() : ignored.Ptr());
}

common::Variant I2(short v) {
  common::Variant r;
  r.Ptr()->vt = VT_I2;
  r.Ptr()->iVal = v;
  return r;
}
common::Variant I4(long v) {
  common::Variant r;
  r.Ptr()->vt = VT_I4;
  r.Ptr()->lVal = v;
  return r;
}
common::Variant Bool(bool v) {
  common::Variant r;
  r.Ptr()->vt = VT_BOOL;
  r.Ptr()->boolVal = v ? VARIANT_TRUE : VARIANT_FALSE;
  return r;
}
common::Variant Str(const std::wstring& v) {
  common::Variant r;
  r.Ptr()->vt = VT_BSTR;
  r.Ptr()->bstrVal = SysAllocStringLen(v.data(), UINT(v.size()));
  return r;
}

long AsLong(const common::Variant& v) {
  VARIANT c;
  VariantInit(&c);
  if (FAILED(VariantChangeType(&c, const_cast<VARIANT*>(v.Ptr()), 0, VT_I4))) return LONG_MIN;
  return c.lVal;
}

std::wstring AsStr(const common::Variant& v) {
  if (v.Ptr()->vt != VT_BSTR || !v.Ptr()->bstrVal) return std::wstring();
  return std::wstring(v.Ptr()->bstrVal, SysStringLen(v.Ptr()->bstrVal));
}

long GetLong(IDispatch* d, const wchar_t* name) {
  common::Variant v;
  if (FAILED(Get(d, name, v))) return LONG_MIN;
  return AsLong(v);
}

std::wstring GetStr(IDispatch* d, const wchar_t* name) {
  common::Variant v;
  if (FAILED(Get(d, name, v))) return L"<failed>";
  return AsStr(v);
}

// ---- EventRecorder --------------------------------------------------------------------------------

std::unique_ptr<EventRecorder> EventRecorder::Attach(IDispatch* control) {
  std::unique_ptr<EventRecorder> r(new EventRecorder);
  r->m_sink = common::CEventSink::Create();
  EventRecorder* self = r.get();
  r->m_sink->OnAny([self](DISPID id, const std::vector<VARIANT*>& args) {
    Event e{id, {}};
    for (VARIANT* arg : args) {
      VARIANT text;
      VariantInit(&text);
      if (SUCCEEDED(VariantChangeType(&text, arg, VARIANT_ALPHABOOL, VT_BSTR)))
        e.args.emplace_back(text.bstrVal, SysStringLen(text.bstrVal));
      else
        e.args.emplace_back(L"?");
      VariantClear(&text);
    }
    self->events.push_back(std::move(e));
  });
  if (FAILED(r->m_sink->Connect(control, &button::DIID__DZephonButtonEvents))) return nullptr;
  return r;
}

EventRecorder::~EventRecorder() {
  if (m_sink) m_sink->Disconnect();
}

std::vector<std::wstring> EventRecorder::TextsOf(DISPID id) const {
  std::vector<std::wstring> out;
  for (const Event& e : events)
    if (e.id == id) out.push_back(e.args.empty() ? std::wstring() : e.args[0]);
  return out;
}

// ---- OrderedBag -----------------------------------------------------------------------------------

common::ComPtr<OrderedBag> OrderedBag::Make() { return common::ComPtr<OrderedBag>::Attach(new OrderedBag); }

const common::Variant* OrderedBag::Find(const std::wstring& name) const {
  for (const auto& e : entries)
    if (e.first == name) return &e.second;
  return nullptr;
}

std::vector<std::wstring> OrderedBag::Names() const {
  std::vector<std::wstring> out;
  for (const auto& e : entries) out.push_back(e.first);
  return out;
}

STDMETHODIMP OrderedBag::QueryInterface(REFIID riid, void** out) {
  if (!out) return E_POINTER;
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IPropertyBag)) {
    *out = static_cast<IPropertyBag*>(this);
    AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}
STDMETHODIMP_(ULONG) OrderedBag::AddRef() { return ULONG(InterlockedIncrement(&m_refs)); }
STDMETHODIMP_(ULONG) OrderedBag::Release() {
  const LONG n = InterlockedDecrement(&m_refs);
  if (n == 0) delete this;
  return ULONG(n);
}
STDMETHODIMP OrderedBag::Read(LPCOLESTR name, VARIANT* value, IErrorLog*) {
  if (!name || !value) return E_POINTER;
  const common::Variant* v = Find(name);
  if (!v) return E_INVALIDARG;
  const VARTYPE want = value->vt;
  VariantClear(value);
  if (want == VT_EMPTY) return VariantCopy(value, const_cast<VARIANT*>(v->Ptr()));
  return VariantChangeType(value, const_cast<VARIANT*>(v->Ptr()), 0, want);
}
STDMETHODIMP OrderedBag::Write(LPCOLESTR name, VARIANT* value) {
  if (!name || !value) return E_POINTER;
  common::Variant copy;
  HRESULT hr = VariantCopy(copy.Ptr(), value);
  if (FAILED(hr)) return hr;
  for (auto& e : entries)
    if (e.first == name) {
      e.second = std::move(copy);
      return S_OK;
    }
  entries.emplace_back(name, std::move(copy));
  return S_OK;
}

// ---- AmbientSite ----------------------------------------------------------------------------------

common::ComPtr<AmbientSite> AmbientSite::Make(bool userMode) {
  return common::ComPtr<AmbientSite>::Attach(new AmbientSite(userMode));
}
STDMETHODIMP AmbientSite::QueryInterface(REFIID riid, void** out) {
  if (!out) return E_POINTER;
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IOleClientSite)) {
    *out = static_cast<IOleClientSite*>(this);
  } else if (IsEqualIID(riid, IID_IDispatch)) {
    *out = static_cast<IDispatch*>(this);
  } else {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}
STDMETHODIMP_(ULONG) AmbientSite::AddRef() { return ULONG(InterlockedIncrement(&m_refs)); }
STDMETHODIMP_(ULONG) AmbientSite::Release() {
  const LONG n = InterlockedDecrement(&m_refs);
  if (n == 0) delete this;
  return ULONG(n);
}
STDMETHODIMP AmbientSite::GetTypeInfoCount(UINT* n) {
  *n = 0;
  return S_OK;
}
STDMETHODIMP AmbientSite::GetTypeInfo(UINT, LCID, ITypeInfo**) { return E_NOTIMPL; }
STDMETHODIMP AmbientSite::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return DISP_E_UNKNOWNNAME; }
STDMETHODIMP AmbientSite::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result, EXCEPINFO*, UINT*) {
  if (id != DISPID_AMBIENT_USERMODE || !result) return DISP_E_MEMBERNOTFOUND;
  VariantInit(result);
  result->vt = VT_BOOL;
  result->boolVal = userMode ? VARIANT_TRUE : VARIANT_FALSE;
  return S_OK;
}

HRESULT SiteAndInit(IDispatch* control, IOleClientSite* site) {
  auto object = common::QueryAs<IOleObject>(control);
  auto persist = common::QueryAs<IPersistStreamInit>(control);
  if (!object || !persist) return E_NOINTERFACE;
  HRESULT hr = object->SetClientSite(site);
  if (FAILED(hr)) return hr;
  return persist->InitNew();
}

// ---- drawing --------------------------------------------------------------------------------------

SIZE Drawing::ExtentNot(uint32_t back) const {
  SIZE s{0, 0};
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (At(x, y) != back) {
        if (x + 1 > s.cx) s.cx = x + 1;
        if (y + 1 > s.cy) s.cy = y + 1;
      }
  return s;
}

namespace {

// A memory DC holding a w × h DIB section of `bpp` bits filled with `fill`; rows top-down on request.
class FilledDib {
 public:
  FilledDib(int w, int h, int bpp, bool topDown, COLORREF fill) : m_screen(GetDC(nullptr)) {
    m_dc = CreateCompatibleDC(m_screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = topDown ? -h : h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = WORD(bpp);
    m_bmp = CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &m_bits, nullptr, 0);
    m_old = SelectObject(m_dc, m_bmp);
    RECT rc{0, 0, w, h};
    HBRUSH brush = CreateSolidBrush(fill);
    FillRect(m_dc, &rc, brush);
    DeleteObject(brush);
    GdiFlush();
  }
  ~FilledDib() {
    SelectObject(m_dc, m_old);
    if (m_bmp) DeleteObject(m_bmp);
    DeleteDC(m_dc);
    ReleaseDC(nullptr, m_screen);
  }
  HDC Dc() const { return m_dc; }
  const void* Bits() const { return m_bits; }
  // Deselects the bitmap and hands it over.
  HBITMAP Release() {
    SelectObject(m_dc, m_old);
    m_old = nullptr;
    HBITMAP b = m_bmp;
    m_bmp = nullptr;
    return b;
  }

 private:
  HDC m_screen, m_dc;
  HBITMAP m_bmp = nullptr;
  HGDIOBJ m_old = nullptr;
  void* m_bits = nullptr;
};

}  // namespace

bool DrawControl(IDispatch* control, int w, int h, COLORREF fill, Drawing& out) {
  auto view = common::QueryAs<IViewObject>(control);
  if (!view) return false;
  FilledDib dib(w, h, 32, true, fill);  // top-down, so rows read in screen order
  RECTL bounds{0, 0, w, h};
  const HRESULT hr =
      view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, dib.Dc(), &bounds, nullptr, nullptr, 0);
  GdiFlush();
  out.w = w;
  out.h = h;
  const uint32_t* p = static_cast<const uint32_t*>(dib.Bits());
  out.px.assign(p, p + size_t(w) * h);
  for (uint32_t& v : out.px) v &= 0x00FFFFFF;
  return SUCCEEDED(hr);
}

common::ComPtr<IPictureDisp> MakeBitmapPicture(int w, int h, COLORREF colour) {
  HBITMAP bmp = FilledDib(w, h, 24, false, colour).Release();
  PICTDESC desc{};
  desc.cbSizeofstruct = sizeof(desc);
  desc.picType = PICTYPE_BITMAP;
  desc.bmp.hbitmap = bmp;
  common::ComPtr<IPictureDisp> pic;
  if (FAILED(OleCreatePictureIndirect(&desc, IID_IPictureDisp, TRUE, pic.PutVoid()))) DeleteObject(bmp);
  return pic;
}

}  // namespace tests
