// The container library with the framework's test control: activation in a window, ambient user
// mode, events to C++ handlers (by-reference arguments), bound properties, size requests, property
// pages, loading from text and closing; and the same control in Wine's ATL host.
#include <gtest/gtest.h>

#include <olectl.h>

#include "common/olehost/ControlHost.h"
#include "common/olehost/PropertyBag.h"
#include "tests/win/control_module_testctl.h"

using common::CControlHost;
using common::ComPtr;
using common::CPropertyBag;
using common::HostedControl;
using common::QueryAs;
using common::Variant;
using namespace tests;

namespace {

class OleEnv : public ::testing::Environment {
 public:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
    registration = new TestCtlClassRegistration();
    ASSERT_EQ(registration->result(), S_OK);
  }
  void TearDown() override {
    delete registration;
    OleUninitialize();
  }
  TestCtlClassRegistration* registration = nullptr;
};
const auto* const g_env = ::testing::AddGlobalTestEnvironment(new OleEnv);

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

CTestCtl& Impl(IUnknown* unk) {
  return *static_cast<CTestCtl*>(static_cast<IDispatch*>(QueryAs<IDispatch>(unk).Get()));
}

class Host : public ::testing::Test {
 protected:
  void SetUp() override {
    parent = CreateWindowExW(0, L"STATIC", L"panel", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0, 320, 240,
                             nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(parent, nullptr);
    before = button::COleControl::LiveObjects();
  }
  void TearDown() override {
    DestroyWindow(parent);
    Pump();
    EXPECT_EQ(button::COleControl::LiveObjects(), before) << "every control was released";
  }
  HostedControl Make(IPropertyBag* bag = nullptr, bool userMode = true) {
    ComPtr<CControlHost> host;
    CControlHost::Options options;
    options.userMode = userMode;
    EXPECT_EQ(CControlHost::Create(parent, rect, CLSID_TestCtl, bag, options, host), S_OK);
    return HostedControl(host);
  }
  HWND parent = nullptr;
  RECT rect{20, 30, 120, 80};
  LONG before = 0;
};

}  // namespace

TEST_F(Host, ActivatesInPlaceAndClosesCleanly) {
  int destroyed = 0;
  {
    HostedControl h = Make();
    ASSERT_TRUE(h);
    EXPECT_TRUE(h->InPlaceActive());
    EXPECT_FALSE(h->UIActive());
    HWND w = h->ControlWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(GetParent(w), parent);
    RECT r;
    GetWindowRect(w, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 20);
    EXPECT_EQ(r.top, 30);
    EXPECT_EQ(r.right - r.left, 100);
    EXPECT_EQ(r.bottom - r.top, 50);
    CTestCtl& c = Impl(h->Control());
    EXPECT_EQ(c.windowsCreated, 1);
    UpdateWindow(w);
    Pump();
    EXPECT_GE(c.draws, 1);

    // The container moves the control; the control asks to be resized.
    ASSERT_EQ(h->SetRect(RECT{0, 0, 60, 40}), S_OK);
    GetClientRect(w, &r);
    EXPECT_EQ(r.right, 60);
    EXPECT_TRUE(c.SetControlSize(90, 45));
    EXPECT_EQ(h->Rect().right, 90);
    EXPECT_EQ(h->Rect().bottom, 45);
    GetClientRect(w, &r);
    EXPECT_EQ(r.right, 90);
    EXPECT_EQ(r.bottom, 45);

    // A click makes it the active control with the focus.
    SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(h->UIActive());
    EXPECT_EQ(GetFocus(), w);
    EXPECT_GE(h->FocusNotifications(), 1);
    ComPtr<IUnknown> keep(h->Control());
    h.Reset();
    EXPECT_FALSE(IsWindow(w));
    destroyed = Impl(keep.Get()).windowsDestroyed;
  }
  EXPECT_EQ(destroyed, 1);
}

TEST_F(Host, AmbientUserModeReachesTheControl) {
  HostedControl design = Make(nullptr, false);
  CTestCtl& c = Impl(design->Control());
  EXPECT_FALSE(c.AmbientUserMode());
  design->SetUserMode(true);
  EXPECT_EQ(c.lastAmbient, DISPID_AMBIENT_USERMODE);
  EXPECT_TRUE(c.userMode);
  Variant v;
  EXPECT_TRUE(c.GetAmbientProperty(DISPID_AMBIENT_LOCALEID, VT_I4, v));
  EXPECT_FALSE(c.GetAmbientProperty(DISPID_AMBIENT_FONT, VT_DISPATCH, v));
}

TEST_F(Host, EventsReachHandlersInOrderAndByReferenceArgumentsCanBeChanged) {
  HostedControl h = Make();
  std::vector<DISPID> order;
  h->Events().OnAny([&](DISPID id, const std::vector<VARIANT*>&) { order.push_back(id); });
  short seenKey = 0, seenShift = -1;
  h->Events().On(DISPID_KEYDOWN, [&](const std::vector<VARIANT*>& args) {
    ASSERT_EQ(args.size(), 2u);
    ASSERT_EQ(args[0]->vt, VT_BYREF | VT_I2);
    seenKey = *args[0]->piVal;
    seenShift = args[1]->iVal;
    *args[0]->piVal = 0;  // swallow the key
  });
  std::vector<short> fired;
  h->Events().On(kEventFired, [&](const std::vector<VARIANT*>& args) { fired.push_back(args[0]->iVal); });
  HWND w = h->ControlWindow();
  SendMessageW(w, WM_KEYDOWN, 'A', 0);
  SendMessageW(w, WM_CHAR, 'a', 0);
  SendMessageW(w, WM_KEYUP, 'A', 0);
  VARIANT n;
  VariantInit(&n);
  n.vt = VT_I2;
  n.iVal = 8;
  ASSERT_EQ(h->Call(L"Fire", {n}), S_OK);
  EXPECT_EQ(seenKey, 'A');
  EXPECT_EQ(seenShift, 0);
  EXPECT_EQ(order, (std::vector<DISPID>{DISPID_KEYDOWN, DISPID_KEYPRESS, DISPID_KEYUP, kEventFired}));
  EXPECT_EQ(fired, std::vector<short>{8});
}

TEST_F(Host, BoundPropertiesFollowTheContainersPolicy) {
  HostedControl h = Make();
  std::vector<DISPID> changed;
  h->OnPropertyChanged([&](DISPID id) { changed.push_back(id); });
  bool allow = false;
  h->OnRequestEdit([&](DISPID) { return allow; });
  VARIANT text;
  VariantInit(&text);
  text.vt = VT_BSTR;
  text.bstrVal = SysAllocString(L"Salir");
  EXPECT_EQ(h->PutProperty(L"Text", text), CTL_E_SETNOTPERMITTED);
  allow = true;
  EXPECT_EQ(h->PutProperty(L"Text", text), S_OK);
  VariantClear(&text);
  EXPECT_EQ(changed, std::vector<DISPID>{DISPID_TEXT});
  Variant v;
  ASSERT_EQ(h->GetProperty(L"Text", v), S_OK);
  EXPECT_STREQ(v.Ref().bstrVal, L"Salir");

  int frames = 0;
  h->OnShowPropertyFrame([&] {
    ++frames;
    return S_OK;
  });
  ComPtr<IOleObject> ole = QueryAs<IOleObject>(h->Control());
  EXPECT_EQ(ole->DoVerb(OLEIVERB_PROPERTIES, nullptr, nullptr, 0, parent, &rect), S_OK);
  EXPECT_EQ(frames, 1);
}

TEST_F(Host, EventsFiredWhileLoadingReachTheContainer) {
  ComPtr<CPropertyBag> bag = CPropertyBag::Create();
  std::wstring error;
  ASSERT_TRUE(bag->LoadText(L"Number=I2:-3\n", error));
  std::vector<short> fired;
  CControlHost::Options options;
  options.setupEvents = [&](common::CEventSink& events) {
    events.On(kEventFired, [&](const std::vector<VARIANT*>& args) { fired.push_back(args[0]->iVal); });
  };
  ComPtr<CControlHost> host;
  ASSERT_EQ(CControlHost::Create(parent, rect, CLSID_TestCtl, bag.Get(), options, host), S_OK);
  HostedControl h(host);
  EXPECT_EQ(fired, std::vector<short>{-3});
}

TEST_F(Host, LoadsFromTextAndSavesBack) {
  ComPtr<CPropertyBag> bag = CPropertyBag::Create();
  std::wstring error;
  ASSERT_TRUE(bag->LoadText(L"Number=I2:77\nCaption=BSTR:\"hola\"\nEnabled=BOOL:False\n", error));
  HostedControl h = Make(bag.Get());
  EXPECT_EQ(h->LoadResult(), S_OK);
  CTestCtl& c = Impl(h->Control());
  EXPECT_EQ(c.number, 77);
  EXPECT_EQ(c.caption, L"hola");
  EXPECT_FALSE(c.GetEnabled());
  EXPECT_FALSE(IsWindowEnabled(h->ControlWindow()));
  ComPtr<CPropertyBag> out = CPropertyBag::Create();
  ASSERT_EQ(h->Save(out.Get()), S_OK);
  std::wstring text;
  ASSERT_TRUE(out->SaveText(text, error));
  EXPECT_NE(text.find(L"Number=I2:77\n"), std::wstring::npos);
  EXPECT_NE(text.find(L"Caption=BSTR:\"hola\"\n"), std::wstring::npos);
  // Bad text changes nothing in the bag.
  EXPECT_FALSE(out->LoadText(L"Number=I2:x", error));
  EXPECT_TRUE(out->Has(L"Caption"));
}

TEST_F(Host, TheSameControlRunsInWinesAtlHost) {
  HMODULE atl = LoadLibraryW(L"atl.dll");
  ASSERT_NE(atl, nullptr);
  auto init = reinterpret_cast<BOOL(WINAPI*)()>(GetProcAddress(atl, "AtlAxWinInit"));
  auto attach =
      reinterpret_cast<HRESULT(WINAPI*)(IUnknown*, HWND, IUnknown**)>(GetProcAddress(atl, "AtlAxAttachControl"));
  ASSERT_TRUE(init && attach);
  ASSERT_TRUE(init());
  HWND ax = CreateWindowExW(0, L"AtlAxWin", L"", WS_CHILD | WS_VISIBLE, 0, 0, 80, 40, parent, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(ax, nullptr);
  ComPtr<IUnknown> control;
  ASSERT_EQ(CTestCtl::Create(nullptr, IID_IUnknown, control.PutVoid()), S_OK);
  ComPtr<IUnknown> container;
  ASSERT_EQ(attach(control.Get(), ax, container.Put()), S_OK);
  CTestCtl& c = Impl(control.Get());
  EXPECT_TRUE(c.IsInPlaceActive());
  ASSERT_NE(c.Window(), nullptr);
  EXPECT_EQ(GetParent(c.Window()), ax);
  UpdateWindow(c.Window());
  Pump();
  EXPECT_GE(c.draws, 1);
  container.Reset();
  DestroyWindow(ax);
  Pump();
  control.Reset();
}
