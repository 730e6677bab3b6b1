#pragma once
// What the property page tests share: the registered module as a test environment, a recording
// page site, a fixture that opens one page over a new control in a frame window, and helpers that
// set and read the control's properties and drive the page's dialog.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <olectl.h>

#include <atomic>
#include <string>
#include <thread>

#include "button/control/ZephonButtonIds.h"
#include "common/win/ComPtr.h"
#include "tests/support/UiDriver_win.h"

namespace tests {

using common::ComPtr;
using common::QueryAs;
using common::Variant;

using DllFn = HRESULT(STDAPICALLTYPE*)();

class Module : public ::testing::Environment {
 public:
  static HMODULE handle;  // set up once for the whole program (pages_fixture.cpp)
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
    handle = LoadLibraryW((tests::OwnFolder() + L"\\ZEPHONBUTTONPRO.OCX").c_str());
    ASSERT_NE(handle, nullptr);
    ASSERT_EQ(Call("DllRegisterServer"), S_OK);
  }
  void TearDown() override {
    Call("DllUnregisterServer");
    CoFreeUnusedLibraries();
    OleUninitialize();
  }
  static HRESULT Call(const char* name) {
    auto fn = reinterpret_cast<DllFn>(reinterpret_cast<void*>(GetProcAddress(handle, name)));
    return fn ? fn() : E_FAIL;
  }
};

// A page site that records the page's status changes.
class RecordingSite final : public IPropertyPageSite {
 public:
  STDMETHODIMP QueryInterface(REFIID riid, void** out) override {
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IPropertyPageSite)) {
      *out = static_cast<IPropertyPageSite*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ULONG(++refs); }
  STDMETHODIMP_(ULONG) Release() override { return ULONG(--refs); }  // lives on the test's stack
  STDMETHODIMP OnStatusChange(DWORD flags) override {
    statusChanges.push_back(flags);
    return S_OK;
  }
  STDMETHODIMP GetLocaleID(LCID* lcid) override {
    *lcid = 0x409;
    return S_OK;
  }
  STDMETHODIMP GetPageContainer(IUnknown**) override { return E_NOTIMPL; }
  STDMETHODIMP TranslateAccelerator(MSG*) override { return E_NOTIMPL; }
  LONG refs = 1;
  std::vector<DWORD> statusChanges;
};

inline HRESULT PutProperty(IDispatch* disp, const wchar_t* name, VARIANT value) {
  LPOLESTR names[1] = {const_cast<LPOLESTR>(name)};
  DISPID id = 0;
  HRESULT hr = disp->GetIDsOfNames(IID_NULL, names, 1, 0, &id);
  if (FAILED(hr)) return hr;
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS params{&value, &named, 1, 1};
  return disp->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr, nullptr);
}

inline HRESULT PutShort(IDispatch* disp, const wchar_t* name, short v) {
  VARIANT value;
  value.vt = VT_I2;
  value.iVal = v;
  return PutProperty(disp, name, value);
}

inline HRESULT PutBool(IDispatch* disp, const wchar_t* name, bool v) {
  VARIANT value;
  value.vt = VT_BOOL;
  value.boolVal = v ? VARIANT_TRUE : VARIANT_FALSE;
  return PutProperty(disp, name, value);
}

// A property's value or a method's result, as a long (-9999 when the call fails).
inline long GetNumber(IDispatch* disp, const wchar_t* name, WORD flags = DISPATCH_PROPERTYGET) {
  LPOLESTR names[1] = {const_cast<LPOLESTR>(name)};
  DISPID id = 0;
  if (FAILED(disp->GetIDsOfNames(IID_NULL, names, 1, 0, &id))) return -9999;
  DISPPARAMS none{};
  Variant result;
  if (FAILED(disp->Invoke(id, IID_NULL, 0, flags, &none, result.Put(), nullptr, nullptr))) return -9999;
  Variant number;
  if (FAILED(VariantChangeType(number.Put(), result.Ptr(), 0, VT_I4))) return -9999;
  return number.Ref().lVal;
}

inline std::wstring ListItem(HWND list, int index) {
  wchar_t text[128] = {};
  SendMessageW(list, CB_GETLBTEXT, WPARAM(index), LPARAM(text));
  return text;
}

// Picks a list entry the way the user does: the selection changes, then the owner is told.
inline void PickListEntry(HWND dialog, int id, int index) {
  HWND list = GetDlgItem(dialog, id);
  SendMessageW(list, CB_SETCURSEL, WPARAM(index), 0);
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), LPARAM(list));
}

inline bool Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }
inline int Selection(HWND dialog, int id) { return int(SendDlgItemMessageW(dialog, id, CB_GETCURSEL, 0, 0)); }

inline void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// A descendant of `root` with this control id and class (the page dialog inside a frame's tab).
inline HWND FindDescendant(HWND root, int id, const wchar_t* className) {
  struct Search {
    int id;
    const wchar_t* className;
    HWND found;
  } search{id, className, nullptr};
  EnumChildWindows(
      root,
      [](HWND w, LPARAM p) CALLBACK -> BOOL {
        auto* s = reinterpret_cast<Search*>(p);
        if (GetDlgCtrlID(w) == s->id && tests::ClassOf(w) == s->className) {
          s->found = w;
          return FALSE;
        }
        return TRUE;
      },
      LPARAM(&search));
  return search.found;
}

// Watches, from a thread of its own, for a modal dialog of this process that the test thread is
// running, lets `inspect` look at it, then closes it with `closeCommand`. Deterministic: it waits
// for the window itself, with a generous limit.
class ModalWatcher {
 public:
  template <class Inspect>
  ModalWatcher(const wchar_t* caption, int closeCommand, Inspect inspect)
      : m_thread([this, caption, closeCommand, inspect] {
          const ULONGLONG end = GetTickCount64() + 30000;
          HWND window = nullptr;
          while (!window && GetTickCount64() < end) {
            for (HWND w : tests::TopWindows(GetCurrentProcessId(), L"#32770"))
              if (tests::TextOf(w).find(caption) != std::wstring::npos) window = w;
            if (!window) Sleep(20);
          }
          if (window) {
            // The page inside a frame comes up after the frame's own window.
            while (!inspect(window) && GetTickCount64() < end) Sleep(20);
            m_seen = true;
            PostMessageW(window, WM_COMMAND, MAKEWPARAM(closeCommand, BN_CLICKED), 0);
          }
          m_done = true;
        }) {}
  ~ModalWatcher() { Join(); }
  void Join() {
    if (m_thread.joinable()) m_thread.join();
  }
  bool Done() const { return m_done; }
  bool Seen() const { return m_seen; }

 private:
  std::atomic<bool> m_done{false};
  std::atomic<bool> m_seen{false};
  std::thread m_thread;
};

// The tooltip window of this thread (a page's tips), or null.
inline HWND ThreadToolTip() {
  HWND tip = nullptr;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND w, LPARAM p) CALLBACK -> BOOL {
        if (tests::ClassOf(w) == TOOLTIPS_CLASSW) *reinterpret_cast<HWND*>(p) = w;
        return TRUE;
      },
      LPARAM(&tip));
  return tip;
}

class PageFixture : public ::testing::Test {
 protected:
  explicit PageFixture(const CLSID& pageClass) : pageClass(pageClass) {}
  void SetUp() override {
    ASSERT_EQ(
        CoCreateInstance(button::CLSID_ZephonButton, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, control.PutVoid()),
        S_OK);
    ASSERT_EQ(QueryAs<IPersistStreamInit>(control.Get())->InitNew(), S_OK);
    ASSERT_EQ(CoCreateInstance(pageClass, nullptr, CLSCTX_INPROC_SERVER, IID_IPropertyPage2, page.PutVoid()), S_OK);
    ASSERT_EQ(page->SetPageSite(&site), S_OK);
    parent = CreateWindowExW(0, L"STATIC", L"frame", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 10, 10, 600,
                             400, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(parent, nullptr);
  }
  void TearDown() override {
    if (page) {
      page->Deactivate();
      page->SetObjects(0, nullptr);
      page->SetPageSite(nullptr);
      page.Reset();
    }
    control.Reset();
    if (parent) DestroyWindow(parent);
    Pump();
  }
  // Gives the page the control and shows it in the parent; returns the page's dialog.
  HWND Open() {
    IUnknown* objects[1] = {control.Get()};
    EXPECT_EQ(page->SetObjects(1, objects), S_OK);
    return Show();
  }
  // Puts a page of another class in place of the current one.
  void SwitchPage(const CLSID& other) {
    page->Deactivate();
    page->SetObjects(0, nullptr);
    page->SetPageSite(nullptr);
    page.Reset();
    ASSERT_EQ(CoCreateInstance(other, nullptr, CLSCTX_INPROC_SERVER, IID_IPropertyPage2, page.PutVoid()), S_OK);
    ASSERT_EQ(page->SetPageSite(&site), S_OK);
  }
  HWND Show() {
    PROPPAGEINFO info{};
    EXPECT_EQ(page->GetPageInfo(&info), S_OK);
    CoTaskMemFree(info.pszTitle);
    RECT rect{0, 0, info.size.cx, info.size.cy};
    EXPECT_EQ(page->Activate(parent, &rect, FALSE), S_OK);
    EXPECT_EQ(page->Show(SW_SHOW), S_OK);
    return FindWindowExW(parent, nullptr, L"#32770", nullptr);
  }

  CLSID pageClass;
  ComPtr<IDispatch> control;
  ComPtr<IPropertyPage2> page;
  RecordingSite site;
  HWND parent = nullptr;
};

// The fixture of one page class.
template <const CLSID& kPageClass>
class PageTest : public PageFixture {
 protected:
  PageTest() : PageFixture(kPageClass) {}
};

inline HRESULT PutString(IDispatch* disp, const wchar_t* name, const wchar_t* text) {
  Variant value;
  VARIANT* v = value.Put();
  v->vt = VT_BSTR;
  v->bstrVal = SysAllocString(text);
  return PutProperty(disp, name, *v);
}

inline HRESULT PutLong(IDispatch* disp, const wchar_t* name, long v) {
  VARIANT value;
  value.vt = VT_I4;
  value.lVal = v;
  return PutProperty(disp, name, value);
}

inline std::wstring GetString(IDispatch* disp, const wchar_t* name) {
  LPOLESTR names[1] = {const_cast<LPOLESTR>(name)};
  DISPID id = 0;
  if (FAILED(disp->GetIDsOfNames(IID_NULL, names, 1, 0, &id))) return L"<none>";
  DISPPARAMS none{};
  Variant result, text;  // numbers as their decimal text
  if (FAILED(disp->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, result.Put(), nullptr, nullptr)) ||
      FAILED(VariantChangeType(text.Put(), result.Ptr(), 0, VT_BSTR)))
    return L"<failed>";
  return text.Ref().bstrVal ? text.Ref().bstrVal : L"";
}

inline std::wstring BoxText(HWND dialog, int id) { return tests::TextOf(GetDlgItem(dialog, id)); }

// A spin arrow pressed: the scroll bar tells its owner.
inline void PressArrow(HWND dialog, int scrollBar, int code) {
  SendMessageW(dialog, WM_VSCROLL, MAKEWPARAM(code, 0), LPARAM(GetDlgItem(dialog, scrollBar)));
}

inline std::wstring ItemText(HWND dialog, int id) { return tests::TextOf(GetDlgItem(dialog, id)); }

inline void ClickButton(HWND dialog, int id) { SendDlgItemMessageW(dialog, id, BM_CLICK, 0, 0); }

// Lets the page and its controls finish painting what is pending, children last as on screen.
inline void FinishPainting(HWND dialog) { RedrawWindow(dialog, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN); }

// What the page shows at client pixel (x, y), read back from the screen.
inline COLORREF PagePixel(HWND dialog, int x, int y) {
  FinishPainting(dialog);
  HDC dc = GetDC(dialog);
  const COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(dialog, dc);
  return c;
}

}  // namespace tests
