// The OLE control framework through its COM interfaces, with a tiny control of its own: dispatch
// errors and coercion, bound stock properties, connection points, persistence (round trips and
// damaged data), drawing without a window, pages and verbs, aggregation and lifetime.
#include <gtest/gtest.h>

#include <olectl.h>

#include <vector>

#include "common/win/ComPtr.h"
#include "button/framework/PropRecords.h"
#include "common/olehost/EventSink.h"
#include "common/olehost/PropertyBag.h"
#include "tests/win/control_module_testctl.h"

using common::ComPtr;
using common::QueryAs;
using common::Variant;
using namespace tests;

namespace {

class OleEnv : public ::testing::Environment {
 public:
  void SetUp() override { ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr))); }
  void TearDown() override { OleUninitialize(); }
};
const auto* const g_env = ::testing::AddGlobalTestEnvironment(new OleEnv);

ComPtr<IUnknown> NewControl(bool initNew = true) {
  ComPtr<IUnknown> unk;
  EXPECT_EQ(CTestCtl::Create(nullptr, IID_IUnknown, unk.PutVoid()), S_OK);
  if (initNew) {
    EXPECT_EQ(QueryAs<IPersistStreamInit>(unk.Get())->InitNew(), S_OK);
  }
  return unk;
}

CTestCtl& Impl(IUnknown* unk) {
  // The test control is the object behind every interface it hands out.
  return *static_cast<CTestCtl*>(static_cast<IDispatch*>(QueryAs<IDispatch>(unk).Get()));
}

HRESULT Put(IDispatch* d, DISPID id, VARIANT v, WORD flags = DISPATCH_PROPERTYPUT, UINT* argErr = nullptr) {
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS dp{&v, &named, 1, 1};
  return d->Invoke(id, IID_NULL, 0, flags, &dp, nullptr, nullptr, argErr);
}

HRESULT Get(IDispatch* d, DISPID id, Variant& out) {
  DISPPARAMS none{nullptr, nullptr, 0, 0};
  return d->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, out.Put(), nullptr, nullptr);
}

// Arguments left to right.
HRESULT Call(IDispatch* d, DISPID id, std::vector<VARIANT> args, Variant* out = nullptr, UINT* argErr = nullptr) {
  std::vector<VARIANT> rev(args.rbegin(), args.rend());
  DISPPARAMS dp{rev.empty() ? nullptr : rev.data(), nullptr, UINT(rev.size()), 0};
  return d->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &dp, out ? out->Put() : nullptr, nullptr, argErr);
}

VARIANT I2(short v) {
  VARIANT r;
  VariantInit(&r);
  r.vt = VT_I2;
  r.iVal = v;
  return r;
}
VARIANT I4(long v) {
  VARIANT r;
  VariantInit(&r);
  r.vt = VT_I4;
  r.lVal = v;
  return r;
}
VARIANT Str(const wchar_t* s) {  // the caller's BSTR leaks only in failing tests
  VARIANT r;
  VariantInit(&r);
  r.vt = VT_BSTR;
  r.bstrVal = SysAllocString(s);
  return r;
}
VARIANT Missing() {
  VARIANT r;
  VariantInit(&r);
  r.vt = VT_ERROR;
  r.scode = DISP_E_PARAMNOTFOUND;
  return r;
}

// A 24-bit picture of w x h filled with one colour.
ComPtr<IPictureDisp> SolidPicture(int w, int h, COLORREF c) {
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bmp);
  RECT r{0, 0, w, h};
  HBRUSH b = CreateSolidBrush(c);
  FillRect(dc, &r, b);
  DeleteObject(b);
  SelectObject(dc, old);
  DeleteDC(dc);
  button::CPictureHolder holder;
  EXPECT_EQ(holder.CreateFromBitmap(bmp), S_OK);
  return holder.Dispatch();
}

// Colour of pixel (x, y) after the picture is drawn at its natural size.
COLORREF PicturePixel(IPictureDisp* pic, int x, int y) {
  button::CPictureHolder h;
  h.SetPictureDispatch(pic);
  SIZE s{};
  if (!h.SizePixels(s)) return CLR_INVALID;
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bmp = CreateCompatibleBitmap(screen, s.cx, s.cy);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, bmp);
  RECT r{0, 0, s.cx, s.cy};
  h.Render(dc, r, r);
  COLORREF c = GetPixel(dc, x, y);
  SelectObject(dc, old);
  DeleteObject(bmp);
  DeleteDC(dc);
  return c;
}

// Gives every persisted property a value other than its default.
void SetEverything(IUnknown* unk) {
  ComPtr<IDispatch> d = QueryAs<IDispatch>(unk);
  ASSERT_EQ(Put(d.Get(), kDispNumber, I2(-1234)), S_OK);
  ASSERT_EQ(Put(d.Get(), kDispColour, I4(LONG(0x80FF00FFu))), S_OK);
  ASSERT_EQ(Put(d.Get(), kDispCaption, Str(L"Gr\u00fc\u00dfe\n\"quoted\"")), S_OK);
  VARIANT f;
  VariantInit(&f);
  f.vt = VT_BOOL;
  f.boolVal = VARIANT_FALSE;
  ASSERT_EQ(Put(d.Get(), kDispFlag, f), S_OK);
  ASSERT_EQ(Put(d.Get(), DISPID_TEXT, Str(L"stock text")), S_OK);
  ASSERT_EQ(Put(d.Get(), DISPID_ENABLED, f), S_OK);
  CTestCtl& c = Impl(unk);
  button::FontDescription desc = button::FontDescription::FromPoints(L"Courier New", 13.5, FW_NORMAL);
  desc.italic = true;
  FONTDESC fd = desc.Desc();
  ASSERT_EQ(c.font.Initialize(fd), S_OK);
  ComPtr<IPictureDisp> pic = SolidPicture(6, 4, RGB(10, 200, 30));
  VARIANT p;
  VariantInit(&p);
  p.vt = VT_DISPATCH;
  p.pdispVal = pic.Get();
  ASSERT_EQ(Put(d.Get(), kDispPicture, p, DISPATCH_PROPERTYPUTREF), S_OK);
  SIZEL ext{5000, 3000};
  ASSERT_EQ(QueryAs<IOleObject>(unk)->SetExtent(DVASPECT_CONTENT, &ext), S_OK);
}

void ExpectEverything(IUnknown* unk) {
  CTestCtl& c = Impl(unk);
  EXPECT_EQ(c.number, -1234);
  EXPECT_EQ(c.colour, 0x80FF00FFu);
  EXPECT_EQ(c.caption, L"Gr\u00fc\u00dfe\n\"quoted\"");
  EXPECT_FALSE(c.flag);
  EXPECT_EQ(c.GetText(), L"stock text");
  EXPECT_FALSE(c.GetEnabled());
  button::FontDescription fd = c.font.Describe();
  EXPECT_EQ(fd.size.int64, 135000);
  EXPECT_TRUE(fd.italic);
  EXPECT_EQ(fd.weight, FW_NORMAL);
  EXPECT_EQ(c.picture.Type(), PICTYPE_BITMAP);
  SIZE s{};
  EXPECT_TRUE(c.picture.SizePixels(s));
  EXPECT_EQ(s.cx, 6);
  EXPECT_EQ(s.cy, 4);
  EXPECT_EQ(PicturePixel(c.GetPicture().Get(), 3, 2), RGB(10, 200, 30));
  SIZEL ext{};
  QueryAs<IOleObject>(unk)->GetExtent(DVASPECT_CONTENT, &ext);
  EXPECT_EQ(ext.cx, 5000);
  EXPECT_EQ(ext.cy, 3000);
}

void ExpectDefaults(IUnknown* unk) {
  CTestCtl& c = Impl(unk);
  EXPECT_EQ(c.number, kDefaultNumber);
  EXPECT_EQ(c.colour, kDefaultColour);
  EXPECT_EQ(c.caption, L"caption");
  EXPECT_EQ(c.flag, kDefaultFlag);
  EXPECT_EQ(c.GetText(), L"");
  EXPECT_TRUE(c.GetEnabled());
  EXPECT_EQ(c.font.Describe().weight, FW_BOLD);
  EXPECT_TRUE(c.picture.IsEmpty());
}

std::vector<uint8_t> SaveToBytes(IUnknown* unk) {
  ComPtr<IStream> s;
  EXPECT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, s.Put()), S_OK);
  EXPECT_EQ(QueryAs<IPersistStreamInit>(unk)->Save(s.Get(), TRUE), S_OK);
  STATSTG st{};
  s->Stat(&st, STATFLAG_NONAME);
  std::vector<uint8_t> bytes(size_t(st.cbSize.QuadPart));
  LARGE_INTEGER zero{};
  s->Seek(zero, STREAM_SEEK_SET, nullptr);
  ULONG got = 0;
  s->Read(bytes.data(), ULONG(bytes.size()), &got);
  return bytes;
}

HRESULT LoadFromBytes(IUnknown* unk, const std::vector<uint8_t>& bytes) {
  ComPtr<IStream> s;
  CreateStreamOnHGlobal(nullptr, TRUE, s.Put());
  ULONG w = 0;
  if (!bytes.empty()) s->Write(bytes.data(), ULONG(bytes.size()), &w);
  LARGE_INTEGER zero{};
  s->Seek(zero, STREAM_SEEK_SET, nullptr);
  return QueryAs<IPersistStreamInit>(unk)->Load(s.Get());
}

}  // namespace

TEST(Framework, InvokeReportsEachKindOfBadCall) {
  ComPtr<IUnknown> unk = NewControl();
  ComPtr<IDispatch> d = QueryAs<IDispatch>(unk.Get());
  Variant out;
  UINT argErr = 99;
  DISPPARAMS none{nullptr, nullptr, 0, 0};
  EXPECT_EQ(d->Invoke(777, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, out.Put(), nullptr, nullptr),
            DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(d->Invoke(kDispNumber, IID_IDispatch, 0, DISPATCH_PROPERTYGET, &none, out.Put(), nullptr, nullptr),
            DISP_E_UNKNOWNINTERFACE);
  // A put without the named DISPID_PROPERTYPUT argument, and one with two values.
  VARIANT v = I2(1);
  DISPPARAMS unnamed{&v, nullptr, 1, 0};
  EXPECT_EQ(d->Invoke(kDispNumber, IID_NULL, 0, DISPATCH_PROPERTYPUT, &unnamed, nullptr, nullptr, nullptr),
            DISP_E_PARAMNOTOPTIONAL);
  VARIANT two[2] = {I2(1), I2(2)};
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS twoArgs{two, &named, 2, 1};
  EXPECT_EQ(d->Invoke(kDispNumber, IID_NULL, 0, DISPATCH_PROPERTYPUT, &twoArgs, nullptr, nullptr, nullptr),
            DISP_E_BADPARAMCOUNT);
  // Values that cannot become the member's type.
  EXPECT_EQ(Put(d.Get(), kDispNumber, Str(L"abc"), DISPATCH_PROPERTYPUT, &argErr), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(argErr, 0u);
  EXPECT_EQ(Put(d.Get(), kDispNumber, I4(70000)), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(Impl(unk.Get()).number, kDefaultNumber);
  // Read-only, put-by-reference on a plain value, a method used as a property.
  EXPECT_EQ(Put(d.Get(), kDispReadOnly, I4(1)), DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(Put(d.Get(), kDispNumber, I2(1), DISPATCH_PROPERTYPUTREF), DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(Get(d.Get(), kDispAdd, out), DISP_E_MEMBERNOTFOUND);
  // Methods: too many, too few, missing and wrongly typed arguments, unknown named argument.
  EXPECT_EQ(Call(d.Get(), kDispAdd, {I2(1), I4(2), I4(3)}), DISP_E_BADPARAMCOUNT);
  EXPECT_EQ(Call(d.Get(), kDispAdd, {I2(1)}), DISP_E_BADPARAMCOUNT);
  argErr = 99;
  EXPECT_EQ(Call(d.Get(), kDispAdd, {Missing(), I4(2)}, &out, &argErr), DISP_E_PARAMNOTOPTIONAL);
  EXPECT_EQ(argErr, 1u);  // rgvarg index: arguments are listed right to left
  argErr = 99;
  EXPECT_EQ(Call(d.Get(), kDispAdd, {I2(1), Str(L"x")}, &out, &argErr), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(argErr, 0u);
  VARIANT one = I2(1);
  DISPID bogus = 7;
  DISPPARAMS badNamed{&one, &bogus, 1, 1};
  EXPECT_EQ(d->Invoke(kDispAdd, IID_NULL, 0, DISPATCH_METHOD, &badNamed, out.Put(), nullptr, nullptr),
            DISP_E_PARAMNOTFOUND);
  // A member's own failure comes back unchanged and leaves no result behind.
  EXPECT_EQ(Call(d.Get(), kDispFail, {}, &out), E_ACCESSDENIED);
  EXPECT_EQ(out.Type(), VT_EMPTY);
}

TEST(Framework, InvokeCoercesArgumentsAndRoutesTheDefaultMember) {
  ComPtr<IUnknown> unk = NewControl();
  ComPtr<IDispatch> d = QueryAs<IDispatch>(unk.Get());
  Variant out;
  // Text and by-reference values are converted; the result has the declared type.
  short byRef = 40;
  VARIANT ref;
  VariantInit(&ref);
  ref.vt = VT_BYREF | VT_I2;
  ref.piVal = &byRef;
  ASSERT_EQ(Call(d.Get(), kDispAdd, {ref, Str(L"2")}, &out), S_OK);
  EXPECT_EQ(out.Type(), VT_I4);
  EXPECT_EQ(out.Ref().lVal, 42);
  // Named arguments in any order (DISPID = parameter position).
  VARIANT args[2] = {I2(7), I4(100)};  // b=100 named 1 first, a=7 named 0
  args[0] = I4(100);
  args[1] = I2(7);
  DISPID names[2] = {1, 0};
  DISPPARAMS dp{args, names, 2, 2};
  ASSERT_EQ(d->Invoke(kDispAdd, IID_NULL, 0, DISPATCH_METHOD, &dp, out.Put(), nullptr, nullptr), S_OK);
  EXPECT_EQ(out.Ref().lVal, 107);
  ASSERT_EQ(Put(d.Get(), kDispNumber, Str(L"12")), S_OK);
  EXPECT_EQ(Impl(unk.Get()).number, 12);
  // Colours keep all 32 bits whether given as a negative Long or an unsigned value.
  ASSERT_EQ(Put(d.Get(), kDispColour, I4(-2147483643)), S_OK);
  EXPECT_EQ(Impl(unk.Get()).colour, 0x80000005u);
  VARIANT u;
  VariantInit(&u);
  u.vt = VT_UI4;
  u.ulVal = 0xFFFFFFFFu;
  ASSERT_EQ(Put(d.Get(), kDispColour, u), S_OK);
  ASSERT_EQ(Get(d.Get(), kDispColour, out), S_OK);
  EXPECT_EQ(ULONG(out.Ref().lVal), 0xFFFFFFFFu);
  // DISPID_VALUE is the control's default member.
  ASSERT_EQ(Put(d.Get(), DISPID_VALUE, Str(L"via value")), S_OK);
  ASSERT_EQ(Get(d.Get(), kDispCaption, out), S_OK);
  EXPECT_STREQ(out.Ref().bstrVal, L"via value");
  // A member the control answers itself, and names without a type library.
  ASSERT_EQ(Put(d.Get(), kDispGeneric, I2(9)), S_OK);
  ASSERT_EQ(Get(d.Get(), kDispGeneric, out), S_OK);
  EXPECT_EQ(out.Ref().lVal, 9);
  LPOLESTR name = const_cast<LPOLESTR>(L"eCHO");
  DISPID id = 0;
  EXPECT_EQ(d->GetIDsOfNames(IID_NULL, &name, 1, 0, &id), S_OK);
  EXPECT_EQ(id, kDispEcho);
  name = const_cast<LPOLESTR>(L"Enabled");
  EXPECT_EQ(d->GetIDsOfNames(IID_NULL, &name, 1, 0, &id), S_OK);
  EXPECT_EQ(id, DISPID_ENABLED);
  name = const_cast<LPOLESTR>(L"NoSuchMember");
  EXPECT_EQ(d->GetIDsOfNames(IID_NULL, &name, 1, 0, &id), DISP_E_UNKNOWNNAME);
  EXPECT_EQ(id, DISPID_UNKNOWN);
}

// A property-notify sink that can refuse edits.
class NotifySink : public IPropertyNotifySink {
 public:
  bool allow = true;
  std::vector<DISPID> requested, changed;
  STDMETHODIMP QueryInterface(REFIID riid, void** out) override {
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IPropertyNotifySink)) {
      *out = this;
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
  STDMETHODIMP_(ULONG) Release() override { return --refs; }
  STDMETHODIMP OnChanged(DISPID id) override {
    changed.push_back(id);
    return S_OK;
  }
  STDMETHODIMP OnRequestEdit(DISPID id) override {
    requested.push_back(id);
    return allow ? S_OK : S_FALSE;
  }
  ULONG refs = 1;
};

TEST(Framework, BoundStockPropertiesAskBeforeAndTellAfter) {
  ComPtr<IUnknown> unk = NewControl();
  ComPtr<IDispatch> d = QueryAs<IDispatch>(unk.Get());
  ComPtr<IConnectionPoint> cp;
  ASSERT_EQ(QueryAs<IConnectionPointContainer>(unk.Get())->FindConnectionPoint(IID_IPropertyNotifySink, cp.Put()),
            S_OK);
  NotifySink sink;
  DWORD cookie = 0;
  ASSERT_EQ(cp->Advise(&sink, &cookie), S_OK);
  CTestCtl& c = Impl(unk.Get());

  VARIANT off;
  VariantInit(&off);
  off.vt = VT_BOOL;
  off.boolVal = VARIANT_FALSE;
  ASSERT_EQ(Put(d.Get(), DISPID_ENABLED, off), S_OK);
  EXPECT_FALSE(c.GetEnabled());
  EXPECT_EQ(c.enabledChanges, 1);
  EXPECT_EQ(sink.requested, std::vector<DISPID>{DISPID_ENABLED});
  EXPECT_EQ(sink.changed, std::vector<DISPID>{DISPID_ENABLED});

  sink.allow = false;
  EXPECT_EQ(Put(d.Get(), DISPID_TEXT, Str(L"refused")), CTL_E_SETNOTPERMITTED);
  EXPECT_EQ(c.GetText(), L"");
  EXPECT_EQ(sink.changed.size(), 1u);
  EXPECT_EQ(c.SetEnabled(true), CTL_E_SETNOTPERMITTED);
  EXPECT_FALSE(c.GetEnabled());
  // The control's own bindable members get the same treatment.
  EXPECT_EQ(Put(d.Get(), kDispGeneric, I4(5)), CTL_E_SETNOTPERMITTED);
  sink.allow = true;
  ASSERT_EQ(Put(d.Get(), kDispGeneric, I4(5)), S_OK);
  ASSERT_EQ(Put(d.Get(), DISPID_TEXT, Str(L"ok")), S_OK);
  EXPECT_EQ(c.GetText(), L"ok");
  EXPECT_EQ(sink.changed, (std::vector<DISPID>{DISPID_ENABLED, kDispGeneric, DISPID_TEXT}));
  EXPECT_EQ(Call(d.Get(), DISPID_REFRESH, {}), S_OK);
  ASSERT_EQ(cp->Unadvise(cookie), S_OK);
  EXPECT_EQ(sink.refs, 1u);
}

TEST(Framework, ConnectionPointsAdviseFireAndUnadvise) {
  ComPtr<IUnknown> unk = NewControl();
  ComPtr<IConnectionPointContainer> cpc = QueryAs<IConnectionPointContainer>(unk.Get());
  ComPtr<IConnectionPoint> cp;
  EXPECT_EQ(cpc->FindConnectionPoint(IID_IDispatch, cp.Put()), CONNECT_E_NOCONNECTION);
  ASSERT_EQ(cpc->FindConnectionPoint(DIID_TestCtlEvents, cp.Put()), S_OK);
  IID iid{};
  cp->GetConnectionInterface(&iid);
  EXPECT_TRUE(IsEqualIID(iid, DIID_TestCtlEvents));
  ComPtr<IEnumConnectionPoints> points;
  ASSERT_EQ(cpc->EnumConnectionPoints(points.Put()), S_OK);
  IConnectionPoint* got[3] = {};
  ULONG fetched = 0;
  EXPECT_EQ(points->Next(3, got, &fetched), S_FALSE);
  EXPECT_EQ(fetched, 2u);
  for (ULONG i = 0; i < fetched; ++i) got[i]->Release();

  // An object that is no sink at all is refused.
  ComPtr<common::CPropertyBag> notASink = common::CPropertyBag::Create();
  DWORD cookie = 0;
  EXPECT_EQ(cp->Advise(notASink.Get(), &cookie), CONNECT_E_CANNOTCONNECT);

  std::vector<std::pair<short, std::wstring>> calls;
  ComPtr<common::CEventSink> sink = common::CEventSink::Create();
  sink->On(kEventFired, [&](const std::vector<VARIANT*>& args) {
    ASSERT_EQ(args.size(), 2u);
    calls.emplace_back(args[0]->iVal, args[1]->bstrVal);
  });
  ASSERT_EQ(sink->Connect(unk.Get()), S_OK);  // finds the event interface through IProvideClassInfo2
  ComPtr<IDispatch> d = QueryAs<IDispatch>(unk.Get());
  ASSERT_EQ(Call(d.Get(), kDispFire, {I2(3)}), S_OK);
  ComPtr<IEnumConnections> conns;
  ASSERT_EQ(cp->EnumConnections(conns.Put()), S_OK);
  CONNECTDATA cd{};
  ASSERT_EQ(conns->Next(1, &cd, nullptr), S_OK);
  EXPECT_NE(cd.dwCookie, 0u);
  cd.pUnk->Release();

  // Frozen events are dropped, not queued.
  ComPtr<IOleControl> oc = QueryAs<IOleControl>(unk.Get());
  oc->FreezeEvents(TRUE);
  Call(d.Get(), kDispFire, {I2(4)});
  oc->FreezeEvents(FALSE);
  Call(d.Get(), kDispFire, {I2(5)});
  sink->Disconnect();
  Call(d.Get(), kDispFire, {I2(6)});
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].first, 3);
  EXPECT_EQ(calls[0].second, L"fired");
  EXPECT_EQ(calls[1].first, 5);
  EXPECT_EQ(cp->Unadvise(12345), CONNECT_E_NOCONNECTION);
}

TEST(Framework, StreamStorageAndBagRoundTripsKeepEveryValue) {
  ComPtr<IUnknown> a = NewControl();
  SetEverything(a.Get());
  EXPECT_EQ(QueryAs<IPersistStreamInit>(a.Get())->IsDirty(), S_OK);

  // Stream.
  std::vector<uint8_t> bytes = SaveToBytes(a.Get());
  EXPECT_EQ(QueryAs<IPersistStreamInit>(a.Get())->IsDirty(), S_FALSE);
  ULARGE_INTEGER max{};
  QueryAs<IPersistStreamInit>(a.Get())->GetSizeMax(&max);
  EXPECT_GE(max.QuadPart, bytes.size());
  ComPtr<IUnknown> b = NewControl(false);
  ASSERT_EQ(LoadFromBytes(b.Get(), bytes), S_OK);
  ExpectEverything(b.Get());
  EXPECT_EQ(SaveToBytes(b.Get()), bytes) << "a second save writes the same bytes";

  // Storage ("Contents" stream in a compound file in memory).
  ComPtr<ILockBytes> lb;
  ASSERT_EQ(CreateILockBytesOnHGlobal(nullptr, TRUE, lb.Put()), S_OK);
  ComPtr<IStorage> stg;
  ASSERT_EQ(StgCreateDocfileOnILockBytes(lb.Get(), STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, stg.Put()),
            S_OK);
  ASSERT_EQ(QueryAs<IPersistStorage>(a.Get())->Save(stg.Get(), FALSE), S_OK);
  QueryAs<IPersistStorage>(a.Get())->SaveCompleted(nullptr);
  CLSID saved{};
  ReadClassStg(stg.Get(), &saved);
  EXPECT_TRUE(IsEqualCLSID(saved, CLSID_TestCtl));
  ComPtr<IUnknown> c = NewControl(false);
  ASSERT_EQ(QueryAs<IPersistStorage>(c.Get())->Load(stg.Get()), S_OK);
  ExpectEverything(c.Get());

  // Property bag, through its text form and back.
  ComPtr<common::CPropertyBag> bag = common::CPropertyBag::Create();
  ASSERT_EQ(QueryAs<IPersistPropertyBag>(a.Get())->Save(bag.Get(), TRUE, TRUE), S_OK);
  std::wstring text, error;
  ASSERT_TRUE(bag->SaveText(text, error)) << std::string(error.begin(), error.end());
  ComPtr<common::CPropertyBag> bag2 = common::CPropertyBag::Create();
  ASSERT_TRUE(bag2->LoadText(text, error));
  ComPtr<IUnknown> e = NewControl(false);
  ASSERT_EQ(QueryAs<IPersistPropertyBag>(e.Get())->Load(bag2.Get(), nullptr), S_OK);
  ExpectEverything(e.Get());
}

TEST(Framework, ControlsSavedOneAfterAnotherInOneStreamLoadBackInTurn) {
  ComPtr<IUnknown> a = NewControl();
  ComPtr<IUnknown> b = NewControl();
  SetEverything(a.Get());
  ComPtr<IStream> s;
  ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, s.Put()), S_OK);
  ASSERT_EQ(QueryAs<IPersistStreamInit>(a.Get())->Save(s.Get(), TRUE), S_OK);
  ASSERT_EQ(QueryAs<IPersistStreamInit>(b.Get())->Save(s.Get(), TRUE), S_OK);
  const char tail[] = "container data";
  ULONG written = 0;
  s->Write(tail, sizeof(tail), &written);
  LARGE_INTEGER zero{};
  s->Seek(zero, STREAM_SEEK_SET, nullptr);
  ComPtr<IUnknown> a2 = NewControl(false);
  ComPtr<IUnknown> b2 = NewControl(false);
  ASSERT_EQ(QueryAs<IPersistStreamInit>(a2.Get())->Load(s.Get()), S_OK);
  ASSERT_EQ(QueryAs<IPersistStreamInit>(b2.Get())->Load(s.Get()), S_OK);
  ExpectEverything(a2.Get());
  ExpectDefaults(b2.Get());
  char back[sizeof(tail)] = {};
  ULONG got = 0;
  s->Read(back, sizeof(back), &got);
  EXPECT_EQ(got, sizeof(tail));
  EXPECT_STREQ(back, tail);
}

TEST(Framework, DamagedStreamsLoadWhatTheyCanAndReportNothingUsable) {
  ComPtr<IUnknown> a = NewControl();
  SetEverything(a.Get());
  const std::vector<uint8_t> good = SaveToBytes(a.Get());

  // Nothing, foreign bytes, a newer format: failure, every value at its default.
  for (const std::vector<uint8_t>& bad : {std::vector<uint8_t>{}, std::vector<uint8_t>(40, 0xAB),
                                          std::vector<uint8_t>(good.begin(), good.begin() + 10)}) {
    ComPtr<IUnknown> c = NewControl(false);
    EXPECT_TRUE(FAILED(LoadFromBytes(c.Get(), bad)));
    ExpectDefaults(c.Get());
  }
  std::vector<uint8_t> newer = good;
  newer[4] = 9;
  ComPtr<IUnknown> n = NewControl(false);
  EXPECT_TRUE(FAILED(LoadFromBytes(n.Get(), newer)));
  ExpectDefaults(n.Get());

  // Every truncation: no crash, and each value is either the saved one or its default.
  for (size_t cut = button::kHeaderBytes; cut < good.size(); cut += 7) {
    ComPtr<IUnknown> c = NewControl(false);
    HRESULT hr = LoadFromBytes(c.Get(), std::vector<uint8_t>(good.begin(), good.begin() + cut));
    CTestCtl& t = Impl(c.Get());
    EXPECT_TRUE(t.number == -1234 || t.number == kDefaultNumber) << cut;
    EXPECT_TRUE(t.caption == L"caption" || t.caption == L"Gr\u00fc\u00dfe\n\"quoted\"") << cut;
    EXPECT_TRUE(t.font.HasFont()) << cut;
    if (cut == button::kHeaderBytes) {
      EXPECT_TRUE(FAILED(hr));
    }
  }

  // A header claiming far more payload than the stream holds, and wrongly typed records.
  button::RecordWriter w;
  w.String(u"Number", u"not a number");
  w.Short(u"Colour", 3);
  w.Blob(u"Font", {1, 2, 3, 4, 5, 6, 7, 8});
  w.Blob(u"Picture", {'l', 't', 0, 0, 200, 0, 0, 0, 1, 2, 3});
  w.String(u"Caption", u"kept");
  std::vector<uint8_t> mixed = w.Finish();
  const uint32_t claim = button::kMaxPayload;
  memcpy(mixed.data() + 12, &claim, 4);
  ComPtr<IUnknown> m = NewControl(false);
  EXPECT_EQ(LoadFromBytes(m.Get(), mixed), S_OK);
  CTestCtl& t = Impl(m.Get());
  EXPECT_EQ(t.caption, L"kept");
  EXPECT_EQ(t.number, kDefaultNumber);
  EXPECT_EQ(t.colour, kDefaultColour);
  EXPECT_EQ(t.font.Describe().weight, FW_BOLD);
  EXPECT_TRUE(t.picture.IsEmpty());
}

TEST(Framework, PropertyBagsWithMissingOrWrongValuesKeepDefaults) {
  ComPtr<common::CPropertyBag> bag = common::CPropertyBag::Create();
  std::wstring error;
  ASSERT_TRUE(
      bag->LoadText(L"Number=BSTR:\"twelve\"\nColour=UI4:4294967295\nCaption=I4:77\n"
                    L"Font=BYTES:00ff\nPicture=BSTR:\"x\"\nFlag=I2:0\n",
                    error));
  ComPtr<IUnknown> c = NewControl(false);
  EXPECT_EQ(QueryAs<IPersistPropertyBag>(c.Get())->Load(bag.Get(), nullptr), S_OK);
  CTestCtl& t = Impl(c.Get());
  EXPECT_EQ(t.number, kDefaultNumber);
  EXPECT_EQ(t.colour, 0xFFFFFFFFu);
  EXPECT_EQ(t.caption, L"77");
  EXPECT_FALSE(t.flag);
  EXPECT_EQ(t.font.Describe().weight, FW_BOLD);
  EXPECT_TRUE(t.picture.IsEmpty());

  ComPtr<common::CPropertyBag> empty = common::CPropertyBag::Create();
  ComPtr<IUnknown> d = NewControl(false);
  EXPECT_EQ(QueryAs<IPersistPropertyBag>(d.Get())->Load(empty.Get(), nullptr), E_FAIL);
  ExpectDefaults(d.Get());
}

TEST(Framework, ViewObjectDrawsIntoAnyDeviceContext) {
  ComPtr<IUnknown> unk = NewControl();
  ComPtr<IDispatch> d = QueryAs<IDispatch>(unk.Get());
  ASSERT_EQ(Put(d.Get(), kDispColour, I4(RGB(200, 10, 60))), S_OK);
  ComPtr<IViewObject2> view = QueryAs<IViewObject2>(unk.Get());
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 20, 10, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bmp = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, bmp);
  RECTL bounds{5, 2, 15, 8};
  ASSERT_EQ(view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, dc, &bounds, nullptr, nullptr, 0), S_OK);
  EXPECT_EQ(GetPixel(dc, 6, 3), RGB(200, 10, 60));
  EXPECT_EQ(GetPixel(dc, 2, 3), RGB(0, 0, 0));
  EXPECT_EQ(view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, dc, nullptr, nullptr, nullptr, 0),
            E_INVALIDARG);
  EXPECT_EQ(view->Draw(DVASPECT_ICON, -1, nullptr, nullptr, nullptr, dc, &bounds, nullptr, nullptr, 0), DV_E_DVASPECT);
  SelectObject(dc, old);
  DeleteObject(bmp);
  DeleteDC(dc);
  SIZEL ext{};
  ASSERT_EQ(view->GetExtent(DVASPECT_CONTENT, -1, nullptr, &ext), S_OK);
  EXPECT_EQ(ext.cx, 2540);
  EXPECT_EQ(ext.cy, 1270);
}

// A client site that shows property frames itself.
class PagesSite : public IOleClientSite, public IOleControlSite {
 public:
  int framesShown = 0;
  STDMETHODIMP QueryInterface(REFIID riid, void** out) override {
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IOleClientSite)) {
      *out = static_cast<IOleClientSite*>(this);
    } else if (IsEqualIID(riid, IID_IOleControlSite)) {
      *out = static_cast<IOleControlSite*>(this);
    } else {
      *out = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP SaveObject() override { return E_NOTIMPL; }
  STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
  STDMETHODIMP GetContainer(IOleContainer**) override { return E_NOINTERFACE; }
  STDMETHODIMP ShowObject() override { return S_OK; }
  STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
  STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }
  STDMETHODIMP OnControlInfoChanged() override { return S_OK; }
  STDMETHODIMP LockInPlaceActive(BOOL) override { return S_OK; }
  STDMETHODIMP GetExtendedControl(IDispatch**) override { return E_NOTIMPL; }
  STDMETHODIMP TransformCoords(POINTL*, POINTF*, DWORD) override { return E_NOTIMPL; }
  STDMETHODIMP TranslateAccelerator(MSG*, DWORD) override { return S_FALSE; }
  STDMETHODIMP OnFocus(BOOL) override { return S_OK; }
  STDMETHODIMP ShowPropertyFrame() override {
    ++framesShown;
    return S_OK;
  }
};

TEST(Framework, PagesMiscStatusAndThePropertiesVerb) {
  ComPtr<IUnknown> unk = NewControl();
  CAUUID pages{};
  ASSERT_EQ(QueryAs<ISpecifyPropertyPages>(unk.Get())->GetPages(&pages), S_OK);
  ASSERT_EQ(pages.cElems, 2u);
  EXPECT_TRUE(IsEqualCLSID(pages.pElems[1], CLSID_CFontPropPage));
  CoTaskMemFree(pages.pElems);
  ComPtr<IOleObject> ole = QueryAs<IOleObject>(unk.Get());
  DWORD misc = 0;
  ole->GetMiscStatus(DVASPECT_CONTENT, &misc);
  EXPECT_EQ(misc, DWORD(OLEMISC_ACTIVATEWHENVISIBLE | OLEMISC_SETCLIENTSITEFIRST | OLEMISC_INSIDEOUT));
  PagesSite site;
  ASSERT_EQ(ole->SetClientSite(&site), S_OK);
  EXPECT_EQ(ole->DoVerb(OLEIVERB_PROPERTIES, nullptr, &site, 0, nullptr, nullptr), S_OK);
  EXPECT_EQ(site.framesShown, 1);
  // Without an in-place site there is no activation, and the answer says so.
  EXPECT_TRUE(FAILED(ole->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &site, 0, nullptr, nullptr)));
  ole->SetClientSite(nullptr);
  GUID events{};
  ASSERT_EQ(QueryAs<IProvideClassInfo2>(unk.Get())->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &events), S_OK);
  EXPECT_TRUE(IsEqualIID(events, DIID_TestCtlEvents));
}

// An outer object that aggregates the control.
class Outer : public IUnknown {
 public:
  ComPtr<IUnknown> inner;
  LONG refs = 1;
  STDMETHODIMP QueryInterface(REFIID riid, void** out) override {
    if (IsEqualIID(riid, IID_IUnknown)) {
      *out = this;
      AddRef();
      return S_OK;
    }
    return inner->QueryInterface(riid, out);
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ULONG(++refs); }
  STDMETHODIMP_(ULONG) Release() override { return ULONG(--refs); }
};

TEST(Framework, AggregationAndLifetimeLeaveNothingBehind) {
  const LONG before = button::COleControl::LiveObjects();
  {
    Outer outer;
    ASSERT_EQ(CTestCtl::Create(&outer, IID_IUnknown, outer.inner.PutVoid()), S_OK);
    EXPECT_EQ(CTestCtl::Create(&outer, IID_IDispatch, nullptr), E_POINTER);
    void* p = nullptr;
    EXPECT_EQ(CTestCtl::Create(&outer, IID_IDispatch, &p), CLASS_E_NOAGGREGATION);
    ComPtr<IDispatch> d;
    ASSERT_EQ(outer.QueryInterface(IID_IDispatch, d.PutVoid()), S_OK);
    ComPtr<IUnknown> identity;
    ASSERT_EQ(d->QueryInterface(IID_IUnknown, identity.PutVoid()), S_OK);
    EXPECT_EQ(identity.Get(), static_cast<IUnknown*>(&outer));  // QI goes through the outer object
    const LONG held = outer.refs;
    d.Reset();
    identity.Reset();
    EXPECT_EQ(outer.refs, held - 2);
    EXPECT_EQ(button::COleControl::LiveObjects(), before + 1);
    outer.inner.Reset();
  }
  EXPECT_EQ(button::COleControl::LiveObjects(), before);
  // Connection points hold the control: it lives until the last of them goes.
  ComPtr<IConnectionPoint> cp;
  {
    ComPtr<IUnknown> unk = NewControl();
    QueryAs<IConnectionPointContainer>(unk.Get())->FindConnectionPoint(DIID_TestCtlEvents, cp.Put());
  }
  EXPECT_EQ(button::COleControl::LiveObjects(), before + 1);
  cp.Reset();
  EXPECT_EQ(button::COleControl::LiveObjects(), before);
}
