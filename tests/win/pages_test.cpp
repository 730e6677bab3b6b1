// The General page as a container's property frame drives it, through the registered module:
// page info, the control's values shown in the dialog, edits marking the page dirty and telling the
// site, Apply writing back to the control, page switching, the about box, and the platform's own
// property frame opening the control's pages.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>
#include <olectl.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "button/control/ZephonButtonIds.h"
#include "button/control/framework/ComPtr.h"
#include "button/pixels/EffectPass.h"
#include "button/pixels/ImageDIB.h"
#include "tests/support/UiDriver_win.h"
#include "tests/win/control_pictures_files.h"

using zb::ComPtr;
using zb::QueryAs;
using zb::Variant;

namespace {

using DllFn = HRESULT(STDAPICALLTYPE*)();

class Module : public ::testing::Environment {
 public:
  static HMODULE handle;
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
    handle = LoadLibraryW((zbtest::ui::OwnFolder() + L"\\ZEPHONBUTTONPRO.OCX").c_str());
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
HMODULE Module::handle = nullptr;
const auto* const g_env = ::testing::AddGlobalTestEnvironment(new Module);

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

HRESULT PutProperty(IDispatch* disp, const wchar_t* name, VARIANT value) {
  LPOLESTR names[1] = {const_cast<LPOLESTR>(name)};
  DISPID id = 0;
  HRESULT hr = disp->GetIDsOfNames(IID_NULL, names, 1, 0, &id);
  if (FAILED(hr)) return hr;
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS params{&value, &named, 1, 1};
  return disp->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr, nullptr);
}

HRESULT PutShort(IDispatch* disp, const wchar_t* name, short v) {
  VARIANT value;
  value.vt = VT_I2;
  value.iVal = v;
  return PutProperty(disp, name, value);
}

HRESULT PutBool(IDispatch* disp, const wchar_t* name, bool v) {
  VARIANT value;
  value.vt = VT_BOOL;
  value.boolVal = v ? VARIANT_TRUE : VARIANT_FALSE;
  return PutProperty(disp, name, value);
}

// A property's value or a method's result, as a long (-9999 when the call fails).
long GetNumber(IDispatch* disp, const wchar_t* name, WORD flags = DISPATCH_PROPERTYGET) {
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

std::wstring ListItem(HWND list, int index) {
  wchar_t text[128] = {};
  SendMessageW(list, CB_GETLBTEXT, WPARAM(index), LPARAM(text));
  return text;
}

// Picks a list entry the way the user does: the selection changes, then the owner is told.
void PickListEntry(HWND dialog, int id, int index) {
  HWND list = GetDlgItem(dialog, id);
  SendMessageW(list, CB_SETCURSEL, WPARAM(index), 0);
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), LPARAM(list));
}

bool Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }
int Selection(HWND dialog, int id) { return int(SendDlgItemMessageW(dialog, id, CB_GETCURSEL, 0, 0)); }

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// A descendant of `root` with this control id and class (the page dialog inside a frame's tab).
HWND FindDescendant(HWND root, int id, const wchar_t* className) {
  struct Search {
    int id;
    const wchar_t* className;
    HWND found;
  } search{id, className, nullptr};
  EnumChildWindows(
      root,
      [](HWND w, LPARAM p) CALLBACK -> BOOL {
        auto* s = reinterpret_cast<Search*>(p);
        if (GetDlgCtrlID(w) == s->id && zbtest::ui::ClassOf(w) == s->className) {
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
            for (HWND w : zbtest::ui::TopWindows(GetCurrentProcessId(), L"#32770"))
              if (zbtest::ui::TextOf(w).find(caption) != std::wstring::npos) window = w;
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
HWND ThreadToolTip() {
  HWND tip = nullptr;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND w, LPARAM p) CALLBACK -> BOOL {
        if (zbtest::ui::ClassOf(w) == TOOLTIPS_CLASSW) *reinterpret_cast<HWND*>(p) = w;
        return TRUE;
      },
      LPARAM(&tip));
  return tip;
}

class PageFixture : public ::testing::Test {
 protected:
  explicit PageFixture(const CLSID& pageClass) : pageClass(pageClass) {}
  void SetUp() override {
    ASSERT_EQ(CoCreateInstance(zephon::CLSID_ZephonButton, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                               control.PutVoid()),
              S_OK);
    ASSERT_EQ(QueryAs<IPersistStreamInit>(control.Get())->InitNew(), S_OK);
    ASSERT_EQ(CoCreateInstance(pageClass, nullptr, CLSCTX_INPROC_SERVER, IID_IPropertyPage2,
                               page.PutVoid()),
              S_OK);
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

class GeneralPage : public PageFixture {
 protected:
  GeneralPage() : PageFixture(zephon::CLSID_ZephonGeneralPage) {}
};

class ProfiPage : public PageFixture {
 protected:
  ProfiPage() : PageFixture(zephon::CLSID_ZephonProfiPage) {}
};

TEST_F(GeneralPage, InfoGivesCaptionAndTheTemplateSize) {
  PROPPAGEINFO info{};
  ASSERT_EQ(page->GetPageInfo(&info), S_OK);
  EXPECT_STREQ(info.pszTitle, L"General");
  CoTaskMemFree(info.pszTitle);
  HWND dialog = Open();
  ASSERT_NE(dialog, nullptr);
  // 250 x 110 dialog units in the page's own font.
  RECT units{0, 0, 250, 110};
  ASSERT_TRUE(MapDialogRect(dialog, &units));
  EXPECT_EQ(info.size.cx, units.right);
  EXPECT_EQ(info.size.cy, units.bottom);
  EXPECT_EQ(page->IsPageDirty(), S_FALSE);
}

TEST_F(GeneralPage, ShowsTheControlsPropertiesWithListsAndTips) {
  ASSERT_EQ(PutShort(control.Get(), L"AlignHor", 2), S_OK);
  ASSERT_EQ(PutShort(control.Get(), L"AlignVer", 0), S_OK);
  ASSERT_EQ(PutShort(control.Get(), L"Stretch", 4), S_OK);
  ASSERT_EQ(PutBool(control.Get(), L"AutoHandCursor", true), S_OK);
  ASSERT_EQ(PutBool(control.Get(), L"FlipHorisontal", true), S_OK);
  ASSERT_EQ(PutShort(control.Get(), L"HoldingFlag", 0x0305), S_OK);
  HWND dialog = Open();
  ASSERT_NE(dialog, nullptr);

  EXPECT_EQ(Selection(dialog, 290), 2);
  EXPECT_EQ(Selection(dialog, 291), 0);
  EXPECT_EQ(Selection(dialog, 292), 4);
  EXPECT_EQ(Selection(dialog, 674), 3);
  EXPECT_TRUE(Checked(dialog, 232));
  EXPECT_TRUE(Checked(dialog, 235));  // AutoSize's default, but unusable with "Fixed 96x96"
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, 235)));
  EXPECT_FALSE(Checked(dialog, 233));
  EXPECT_TRUE(Checked(dialog, 234));
  EXPECT_TRUE(Checked(dialog, 625));  // Wine reports a system newer than 4.0
  wchar_t flag[16] = {};
  GetDlgItemTextW(dialog, 507, flag, 16);
  EXPECT_STREQ(flag, L"773");
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, 507)));

  EXPECT_EQ(ListItem(GetDlgItem(dialog, 292), 4), L"Fixed 96x96");
  EXPECT_EQ(ListItem(GetDlgItem(dialog, 674), 1), L"FlatButton and  ClickOffset");
  EXPECT_EQ(ListItem(GetDlgItem(dialog, 674), 5), L"Check+AutoButtonize");
  wchar_t text[64] = {};
  GetDlgItemTextW(dialog, 228, text, 64);
  EXPECT_STREQ(text, L"About    |   Upgrade ");

  // The tooltip over the mode list and the extensions box.
  HWND tip = ThreadToolTip();
  ASSERT_NE(tip, nullptr);
  EXPECT_EQ(GetWindow(tip, GW_OWNER), parent);  // a popup's owner is the top-level window
  EXPECT_EQ(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 2);
  EXPECT_EQ(SendMessageW(tip, TTM_GETMAXTIPWIDTH, 0, 0), 260);
  EXPECT_EQ(SendMessageW(tip, TTM_GETDELAYTIME, TTDT_AUTOPOP, 0), 20000);

  EXPECT_EQ(page->IsPageDirty(), S_FALSE);
  EXPECT_TRUE(site.statusChanges.empty());
  // The frame outlives the page: the tooltip goes with the page, not with the frame.
  ASSERT_EQ(page->Deactivate(), S_OK);
  EXPECT_FALSE(IsWindow(tip));
}

TEST_F(GeneralPage, PickingAModeKeepsThePictureBitsAndApplyWritesIt) {
  ASSERT_EQ(PutShort(control.Get(), L"HoldingFlag", 0x0005), S_OK);
  HWND dialog = Open();
  ASSERT_NE(dialog, nullptr);
  PickListEntry(dialog, 674, 5);
  wchar_t flag[16] = {};
  GetDlgItemTextW(dialog, 507, flag, 16);
  EXPECT_STREQ(flag, L"1285");  // 0x0505
  EXPECT_EQ(page->IsPageDirty(), S_OK);
  ASSERT_FALSE(site.statusChanges.empty());
  EXPECT_TRUE(site.statusChanges.back() & PROPPAGESTATUS_DIRTY);

  // A check box edit, by a click.
  SendDlgItemMessageW(dialog, 233, BM_CLICK, 0, 0);
  EXPECT_TRUE(Checked(dialog, 233));
  EXPECT_EQ(GetNumber(control.Get(), L"FlipVertical"), 0);

  ASSERT_EQ(page->Apply(), S_OK);
  EXPECT_EQ(GetNumber(control.Get(), L"HoldingFlag"), 0x0505);
  EXPECT_EQ(GetNumber(control.Get(), L"GetButtonMode", DISPATCH_METHOD), 5);
  EXPECT_NE(GetNumber(control.Get(), L"FlipVertical"), 0);
  EXPECT_EQ(page->IsPageDirty(), S_FALSE);
}

TEST_F(GeneralPage, StretchRulesAutoSizeAndTheExtensionsBoxCannotBeChanged) {
  HWND dialog = Open();
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, 235)));
  PickListEntry(dialog, 292, 4);
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, 235)));
  PickListEntry(dialog, 292, 3);
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, 235)));
  PickListEntry(dialog, 292, 0);
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, 235)));

  site.statusChanges.clear();
  const bool before = Checked(dialog, 625);
  SendDlgItemMessageW(dialog, 625, BM_CLICK, 0, 0);
  EXPECT_EQ(Checked(dialog, 625), before);
  EXPECT_TRUE(site.statusChanges.empty());  // not a property: no edit
}

TEST_F(GeneralPage, EditsSurviveLeavingThePageAndComeBackWithIt) {
  HWND dialog = Open();
  ASSERT_NE(dialog, nullptr);
  PickListEntry(dialog, 290, 0);
  ASSERT_EQ(page->Deactivate(), S_OK);
  EXPECT_EQ(FindWindowExW(parent, nullptr, L"#32770", nullptr), nullptr);
  EXPECT_EQ(page->IsPageDirty(), S_OK);
  EXPECT_EQ(GetNumber(control.Get(), L"AlignHor"), 1);  // nothing written yet

  RECT rect{0, 0, 400, 200};
  ASSERT_EQ(page->Activate(parent, &rect, FALSE), S_OK);
  dialog = FindWindowExW(parent, nullptr, L"#32770", nullptr);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(Selection(dialog, 290), 0);
  // Applying after the page is gone again still writes what it holds.
  ASSERT_EQ(page->Deactivate(), S_OK);
  ASSERT_EQ(page->Apply(), S_OK);
  EXPECT_EQ(GetNumber(control.Get(), L"AlignHor"), 0);
}

TEST_F(GeneralPage, AboutButtonOpensTheAboutBoxOnce) {
  HWND dialog = Open();
  ASSERT_NE(dialog, nullptr);
  std::wstring text;
  ModalWatcher watcher(L"About ZephonButtonPro", IDOK, [&text](HWND box) {
    text = zbtest::ui::TextOf(GetDlgItem(box, 1221));
    return !text.empty();
  });
  zbtest::ui::Click(GetDlgItem(dialog, 228));
  const ULONGLONG end = GetTickCount64() + 60000;
  while (!watcher.Done() && GetTickCount64() < end) {
    Pump();
    Sleep(10);
  }
  watcher.Join();
  Pump();
  EXPECT_TRUE(watcher.Seen());
  EXPECT_NE(text.find(L"ZephonButtonPro"), std::wstring::npos);
}

// The platform's frame over the pages the control names: it creates the pages it can, shows ours
// and closes without failure.
TEST_F(GeneralPage, PlatformPropertyFrameShowsTheGeneralPage) {
  CAUUID pages{};
  ASSERT_EQ(QueryAs<ISpecifyPropertyPages>(control.Get())->GetPages(&pages), S_OK);
  bool pageInFrame = false;
  ModalWatcher watcher(L"Button", IDCANCEL, [&pageInFrame](HWND frame) {
    HWND list = FindDescendant(frame, 674, L"ComboBox");
    pageInFrame = list && IsWindowVisible(list);
    return pageInFrame;
  });
  IUnknown* objects[1] = {control.Get()};
  const HRESULT hr =
      OleCreatePropertyFrame(parent, 0, 0, L"Button", 1, objects, pages.cElems, pages.pElems, 0x409, 0, nullptr);
  CoTaskMemFree(pages.pElems);
  watcher.Join();
  EXPECT_EQ(hr, S_OK);
  EXPECT_TRUE(watcher.Seen());
  EXPECT_TRUE(pageInFrame);
}

TEST_F(ProfiPage, SwitchesStartAtTheDefaultsShowTheControlAndApply) {
  PROPPAGEINFO info{};
  ASSERT_EQ(page->GetPageInfo(&info), S_OK);
  EXPECT_STREQ(info.pszTitle, L"Profi");
  CoTaskMemFree(info.pszTitle);
  // Before any control is read: HideHelpers and SmartLoading on, the others off.
  HWND dialog = Show();
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(Checked(dialog, 236));
  EXPECT_TRUE(Checked(dialog, 237));
  EXPECT_FALSE(Checked(dialog, 238));
  EXPECT_FALSE(Checked(dialog, 239));
  HBITMAP picture = reinterpret_cast<HBITMAP>(SendDlgItemMessageW(dialog, 1231, STM_GETIMAGE, IMAGE_BITMAP, 0));
  BITMAP bm{};
  ASSERT_TRUE(picture && GetObjectW(picture, sizeof(bm), &bm));
  EXPECT_EQ(bm.bmWidth, 56);
  EXPECT_EQ(bm.bmHeight, 38);
  ASSERT_EQ(page->Deactivate(), S_OK);

  ASSERT_EQ(PutBool(control.Get(), L"FastDraw", true), S_OK);
  ASSERT_EQ(PutBool(control.Get(), L"HideHelpers", false), S_OK);
  dialog = Open();
  ASSERT_NE(dialog, nullptr);
  EXPECT_FALSE(Checked(dialog, 236));
  EXPECT_TRUE(Checked(dialog, 239));
  SendDlgItemMessageW(dialog, 237, BM_CLICK, 0, 0);
  EXPECT_EQ(page->IsPageDirty(), S_OK);
  ASSERT_EQ(page->Apply(), S_OK);
  EXPECT_EQ(GetNumber(control.Get(), L"SmartLoading"), 0);
  EXPECT_NE(GetNumber(control.Get(), L"FastDraw"), 0);
}

}  // namespace

namespace {

class TextPage : public PageFixture {
 protected:
  TextPage() : PageFixture(zephon::CLSID_ZephonTextPage) {}
};

class ToolTipPage : public PageFixture {
 protected:
  ToolTipPage() : PageFixture(zephon::CLSID_ZephonToolTipPage) {}
};

HRESULT PutString(IDispatch* disp, const wchar_t* name, const wchar_t* text) {
  Variant value;
  VARIANT* v = value.Put();
  v->vt = VT_BSTR;
  v->bstrVal = SysAllocString(text);
  return PutProperty(disp, name, *v);
}

HRESULT PutLong(IDispatch* disp, const wchar_t* name, long v) {
  VARIANT value;
  value.vt = VT_I4;
  value.lVal = v;
  return PutProperty(disp, name, value);
}

std::wstring GetString(IDispatch* disp, const wchar_t* name) {
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

std::wstring BoxText(HWND dialog, int id) { return zbtest::ui::TextOf(GetDlgItem(dialog, id)); }

// A spin arrow pressed: the scroll bar tells its owner.
void PressArrow(HWND dialog, int scrollBar, int code) {
  SendMessageW(dialog, WM_VSCROLL, MAKEWPARAM(code, 0), LPARAM(GetDlgItem(dialog, scrollBar)));
}

// The page's visible test tooltip, once it is up (null after the wait).
HWND WaitForTestTip(DWORD timeoutMs) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  while (GetTickCount64() < end) {
    Pump();
    HWND found = nullptr;
    for (HWND w : zbtest::ui::TopWindows(GetCurrentProcessId()))
      if (zbtest::ui::TextOf(w) == L"ZephonToolTip" && IsWindowVisible(w)) found = w;
    if (found) return found;
    Sleep(10);
  }
  return nullptr;
}

LONG WidthOf(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return r.right - r.left;
}

// The tooltip's left border, in the middle of its height, once painted (CLR_INVALID until then).
bool WaitForBorder(HWND tip, COLORREF expected, COLORREF& seen) {
  const ULONGLONG end = GetTickCount64() + 20000;
  do {
    Pump();
    RECT r{};
    GetClientRect(tip, &r);
    HDC dc = GetDC(tip);
    seen = dc ? GetPixel(dc, 0, r.bottom / 2) : CLR_INVALID;
    if (dc) ReleaseDC(tip, dc);
    if (seen == expected) return true;
    Sleep(20);
  } while (GetTickCount64() < end);
  return false;
}

TEST_F(TextPage, ShowsTheTextPropertiesStepsTheBoxesAndApplies) {
  PROPPAGEINFO info{};
  ASSERT_EQ(page->GetPageInfo(&info), S_OK);
  EXPECT_STREQ(info.pszTitle, L"Text");
  CoTaskMemFree(info.pszTitle);
  ASSERT_EQ(PutString(control.Get(), L"Text", L"Play\r\nnow"), S_OK);
  ASSERT_EQ(PutShort(control.Get(), L"TextBlendValue", 0), S_OK);
  ASSERT_EQ(PutLong(control.Get(), L"TextVerticalOffset", 5), S_OK);
  ASSERT_EQ(PutShort(control.Get(), L"TextApplyTo", 3), S_OK);
  ASSERT_EQ(PutShort(control.Get(), L"TextAlignHor", 2), S_OK);
  ASSERT_EQ(PutBool(control.Get(), L"TextWordBreak", true), S_OK);
  HWND dialog = Open();
  ASSERT_NE(dialog, nullptr);

  EXPECT_EQ(BoxText(dialog, 394), L"Play\r\nnow");
  EXPECT_EQ(BoxText(dialog, 527), L"0");
  EXPECT_EQ(BoxText(dialog, 529), L"5");
  EXPECT_EQ(Selection(dialog, 550), 3);
  EXPECT_EQ(ListItem(GetDlgItem(dialog, 550), 3), L"Normal & Over");
  EXPECT_EQ(ListItem(GetDlgItem(dialog, 550), 6), L"On Focus");
  EXPECT_EQ(Selection(dialog, 293), 2);
  EXPECT_EQ(Selection(dialog, 294), 1);
  EXPECT_TRUE(Checked(dialog, 524));
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, 294)));  // word-broken text ignores it
  EXPECT_EQ(page->IsPageDirty(), S_FALSE);

  PressArrow(dialog, 528, SB_LINEDOWN);
  EXPECT_EQ(BoxText(dialog, 527), L"0");
  PressArrow(dialog, 528, SB_PAGEUP);  // only the arrows step
  EXPECT_EQ(BoxText(dialog, 527), L"0");
  EXPECT_EQ(page->IsPageDirty(), S_FALSE);
  PressArrow(dialog, 530, SB_LINEUP);
  EXPECT_EQ(BoxText(dialog, 529), L"6");
  EXPECT_EQ(page->IsPageDirty(), S_OK);

  SendDlgItemMessageW(dialog, 524, BM_CLICK, 0, 0);
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, 294)));
  // A typed value outside the byte: the step's result is held to it.
  SetDlgItemTextW(dialog, 527, L"300");
  PressArrow(dialog, 528, SB_LINEDOWN);
  EXPECT_EQ(BoxText(dialog, 527), L"255");
  SetDlgItemTextW(dialog, 527, L"-5");
  PressArrow(dialog, 528, SB_LINEUP);
  EXPECT_EQ(BoxText(dialog, 527), L"0");
  SetDlgItemTextW(dialog, 394, L"Jugar");
  ASSERT_EQ(page->Apply(), S_OK);
  EXPECT_EQ(GetNumber(control.Get(), L"TextVerticalOffset"), 6);
  EXPECT_EQ(GetNumber(control.Get(), L"TextWordBreak"), 0);
  EXPECT_EQ(GetNumber(control.Get(), L"TextBlendValue"), 0);
  EXPECT_EQ(GetString(control.Get(), L"Text"), L"Jugar");
  EXPECT_EQ(page->IsPageDirty(), S_FALSE);
}

TEST_F(ToolTipPage, ShowsTheTooltipPropertiesAnimationPeriodsSystemColorsMarkAndApplies) {
  PROPPAGEINFO info{};
  ASSERT_EQ(page->GetPageInfo(&info), S_OK);
  EXPECT_STREQ(info.pszTitle, L"ToolTip");
  CoTaskMemFree(info.pszTitle);
  ASSERT_EQ(PutString(control.Get(), L"ToolTipString", L"Hello"), S_OK);
  ASSERT_EQ(PutLong(control.Get(), L"ToolTipWaitTime", 500), S_OK);
  ASSERT_EQ(PutShort(control.Get(), L"ToolTipEffect", 2), S_OK);
  HWND dialog = Open();
  ASSERT_NE(dialog, nullptr);

  EXPECT_EQ(BoxText(dialog, 440), L"Hello");
  EXPECT_EQ(BoxText(dialog, 442), L"500");
  EXPECT_EQ(BoxText(dialog, 443), L"7000");
  EXPECT_EQ(BoxText(dialog, 444), L"20");
  EXPECT_TRUE(Checked(dialog, 450));
  EXPECT_FALSE(Checked(dialog, 448));
  EXPECT_EQ(BoxText(dialog, 473), L"13137920");  // the back colour's default, 0x00C87800
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, 473)));
  EXPECT_TRUE(Checked(dialog, 231));   // "No Wait" starts on
  EXPECT_FALSE(Checked(dialog, 232));  // no "&" in the text
  EXPECT_EQ(page->IsPageDirty(), S_FALSE);

  SendDlgItemMessageW(dialog, 452, BM_CLICK, 0, 0);
  EXPECT_EQ(BoxText(dialog, 444), L"0");
  SendDlgItemMessageW(dialog, 448, BM_CLICK, 0, 0);
  EXPECT_EQ(BoxText(dialog, 444), L"20");
  SendDlgItemMessageW(dialog, 451, BM_CLICK, 0, 0);
  EXPECT_EQ(BoxText(dialog, 444), L"2");
  EXPECT_EQ(page->IsPageDirty(), S_OK);

  // An edit not yet taken by the page survives the mark.
  SetDlgItemTextW(dialog, 440, L"Hola");
  SendDlgItemMessageW(dialog, 232, BM_CLICK, 0, 0);
  EXPECT_EQ(BoxText(dialog, 440), L"&Hola");
  SendDlgItemMessageW(dialog, 232, BM_CLICK, 0, 0);
  EXPECT_EQ(BoxText(dialog, 440), L"Hola");
  SendDlgItemMessageW(dialog, 232, BM_CLICK, 0, 0);
  SendDlgItemMessageW(dialog, 231, BM_CLICK, 0, 0);

  // The page settings outlive the dialog.
  ASSERT_EQ(page->Deactivate(), S_OK);
  dialog = Show();
  ASSERT_NE(dialog, nullptr);
  EXPECT_FALSE(Checked(dialog, 231));
  EXPECT_TRUE(Checked(dialog, 232));
  EXPECT_TRUE(Checked(dialog, 451));

  ASSERT_EQ(page->Apply(), S_OK);
  EXPECT_EQ(GetString(control.Get(), L"ToolTipString"), L"&Hola");
  EXPECT_EQ(GetNumber(control.Get(), L"ToolTipEffect"), 3);
  EXPECT_EQ(GetNumber(control.Get(), L"ToolTipAnimTime"), 2);
  EXPECT_EQ(GetNumber(control.Get(), L"ToolTipWaitTime"), 500);
}

TEST_F(ToolTipPage, ShowToolTipShowsSamplesInThePageOrSystemColoursAndHidesWithThePage) {
  const COLORREF green = RGB(0, 255, 0);
  ASSERT_EQ(PutLong(control.Get(), L"ToolTipBorderColor", long(green)), S_OK);
  ASSERT_EQ(PutShort(control.Get(), L"ToolTipEffect", 4), S_OK);
  ASSERT_EQ(PutLong(control.Get(), L"ToolTipAnimTime", 0), S_OK);
  ASSERT_EQ(PutLong(control.Get(), L"ToolTipShowTime", 600000), S_OK);
  ASSERT_EQ(PutLong(control.Get(), L"ToolTipWaitTime", 60000), S_OK);  // "No Wait" skips it
  HWND dialog = Open();
  ASSERT_NE(dialog, nullptr);

  // An empty text: the user-colours sample, in the page's colours.
  SendDlgItemMessageW(dialog, 454, BM_CLICK, 0, 0);
  HWND tip = WaitForTestTip(20000);
  ASSERT_NE(tip, nullptr);
  EXPECT_EQ(GetWindow(tip, GW_OWNER), parent);
  COLORREF seen = 0;
  EXPECT_TRUE(WaitForBorder(tip, green, seen)) << std::hex << seen;
  const LONG userWidth = WidthOf(tip);

  // Hiding the page takes the tooltip away.
  ASSERT_EQ(page->Show(SW_HIDE), S_OK);
  EXPECT_FALSE(IsWindow(tip));
  ASSERT_EQ(page->Show(SW_SHOW), S_OK);

  // A bare "&": the system-colours sample, in the system's colours.
  SetDlgItemTextW(dialog, 440, L"&");
  SendDlgItemMessageW(dialog, 454, BM_CLICK, 0, 0);
  tip = WaitForTestTip(20000);
  ASSERT_NE(tip, nullptr);
  EXPECT_TRUE(WaitForBorder(tip, GetSysColor(COLOR_3DDKSHADOW), seen)) << std::hex << seen;
  // "Test with system colors" is the longer sample.
  EXPECT_GT(WidthOf(tip), userWidth);
  ASSERT_EQ(page->Deactivate(), S_OK);
  EXPECT_FALSE(IsWindow(tip));
}

}  // namespace

// The Colors and Effects pages.
namespace {

class ColorsPage : public PageFixture {
 protected:
  ColorsPage() : PageFixture(zephon::CLSID_ZephonColorsPage) {}
};

class EffectsPage : public PageFixture {
 protected:
  EffectsPage() : PageFixture(zephon::CLSID_ZephonEffectsPage) {}
};

HRESULT PutColor(IDispatch* disp, const wchar_t* name, uint32_t colorref) {
  VARIANT value;
  value.vt = VT_I4;
  value.lVal = LONG(colorref);
  return PutProperty(disp, name, value);
}

std::wstring ItemText(HWND dialog, int id) { return zbtest::ui::TextOf(GetDlgItem(dialog, id)); }

void ClickButton(HWND dialog, int id) { SendDlgItemMessageW(dialog, id, BM_CLICK, 0, 0); }

// Lets the page and its controls finish painting what is pending, children last as on screen.
void FinishPainting(HWND dialog) { RedrawWindow(dialog, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN); }

// What the page shows at client pixel (x, y), read back from the screen.
COLORREF PagePixel(HWND dialog, int x, int y) {
  FinishPainting(dialog);
  HDC dc = GetDC(dialog);
  const COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(dialog, dc);
  return c;
}

void Press(HWND dialog, int x, int y) {
  SendMessageW(dialog, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  SendMessageW(dialog, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

std::wstring Numbers(HWND dialog) {
  return ItemText(dialog, 349) + L"," + ItemText(dialog, 350) + L"," + ItemText(dialog, 351);
}

TEST_F(ColorsPage, OpensOnTheBackColourLockedWithTipsAndTheControlsColours) {
  PROPPAGEINFO info{};
  ASSERT_EQ(page->GetPageInfo(&info), S_OK);
  EXPECT_STREQ(info.pszTitle, L"Color");
  CoTaskMemFree(info.pszTitle);
  ASSERT_EQ(PutColor(control.Get(), L"BackGroundColor", 0x00332211), S_OK);
  ASSERT_EQ(PutColor(control.Get(), L"TextColor", 0x000000FF), S_OK);
  HWND dialog = Open();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(ItemText(dialog, 397), L"3351057");
  EXPECT_EQ(ItemText(dialog, 412), L"255");
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, 397)));
  EXPECT_EQ(Numbers(dialog), L"17,34,51");
  EXPECT_TRUE(Checked(dialog, 399));
  EXPECT_TRUE(Checked(dialog, 423));
  EXPECT_TRUE(Checked(dialog, 345));
  EXPECT_FALSE(Checked(dialog, 231));
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, 364)));
  EXPECT_EQ(PagePixel(dialog, 170, 130), RGB(17, 34, 51));  // the loaded item's swatch

  HWND tip = ThreadToolTip();
  ASSERT_NE(tip, nullptr);
  EXPECT_EQ(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 6);
  EXPECT_EQ(page->IsPageDirty(), S_FALSE);

  // Locked: choosing an item loads it at once.
  ClickButton(dialog, 411);
  EXPECT_EQ(Numbers(dialog), L"255,0,0");
  EXPECT_EQ(page->IsPageDirty(), S_FALSE);
}

TEST_F(ColorsPage, UnlockedItemsWaitForSelectAndSetColorWritesTheChosenItem) {
  ASSERT_EQ(PutColor(control.Get(), L"MaskColor", 0x0000FF00), S_OK);
  HWND dialog = Open();
  ASSERT_NE(dialog, nullptr);
  const std::wstring back = Numbers(dialog);
  ClickButton(dialog, 423);
  EXPECT_FALSE(Checked(dialog, 423));
  ClickButton(dialog, 402);
  EXPECT_EQ(Numbers(dialog), back);
  ClickButton(dialog, 401);
  EXPECT_EQ(Numbers(dialog), L"0,255,0");

  // Typing 300 into the red box gives red 255; "Set color" stores the colour in the Mask item.
  SetDlgItemTextW(dialog, 349, L"300");
  EXPECT_EQ(PagePixel(dialog, 170, 110), RGB(255, 255, 0));  // the current colour's swatch
  EXPECT_EQ(page->IsPageDirty(), S_FALSE);
  ClickButton(dialog, 400);
  EXPECT_EQ(ItemText(dialog, 398), std::to_wstring(0x0000FFFF));
  EXPECT_EQ(page->IsPageDirty(), S_OK);
  ASSERT_EQ(page->Apply(), S_OK);
  EXPECT_EQ(GetNumber(control.Get(), L"MaskColor"), 0x0000FFFF);
}

TEST_F(ColorsPage, ThePlaneAndStripPickWithTheMouseAndResetRestoresTheFaceColour) {
  HWND dialog = Open();
  ASSERT_NE(dialog, nullptr);
  ClickButton(dialog, 423);  // unlock, so the Back item keeps the picker
  Press(dialog, 6, 18);      // top-left of the plane, slider red
  const std::wstring red = ItemText(dialog, 349);
  EXPECT_EQ(Numbers(dialog), red + L",255,0");
  // The plane as drawn: column 10, buffer row 20 is (slider, 40, 20).
  EXPECT_EQ(PagePixel(dialog, 6 + 10, 18 + 128 - 20), RGB(_wtoi(red.c_str()), 40, 20));
  Press(dialog, 140, 18 + 27);  // the strip: red 201
  EXPECT_EQ(Numbers(dialog), L"201,255,0");

  ClickButton(dialog, 231);  // fine
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, 364)));
  // Top row of the shading, second column: 255 - trunc(2/255 * (255 - C)) of (201, 255, 0).
  EXPECT_EQ(PagePixel(dialog, 6 + 1, 18 + 1), RGB(255, 255, 253));
  ClickButton(dialog, 231);

  ClickButton(dialog, 366);
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  EXPECT_EQ(ItemText(dialog, 397), std::to_wstring(face));
  EXPECT_EQ(Numbers(dialog), std::to_wstring(GetRValue(face)) + L"," + std::to_wstring(GetGValue(face)) + L"," +
                                 std::to_wstring(GetBValue(face)));
  EXPECT_EQ(page->IsPageDirty(), S_OK);
}

// The sample picture as the module holds it, put through the control's own effect pass.
void ExpectedPreview(CImageDIB& out, const EffectSettings& settings) {
  HBITMAP sample = static_cast<HBITMAP>(
      LoadImageW(Module::handle, MAKEINTRESOURCEW(1235), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  ASSERT_NE(sample, nullptr);
  BITMAP bm{};
  ASSERT_TRUE(GetObjectW(sample, sizeof(bm), &bm));
  ASSERT_EQ(bm.bmWidth, 68);
  ASSERT_EQ(bm.bmHeight, 78);
  ASSERT_TRUE(out.Create(68, 78));
  HDC screen = GetDC(nullptr);
  EXPECT_EQ(out.GetFromBitmap(screen, sample), 78);
  ReleaseDC(nullptr, screen);
  DeleteObject(sample);
  CImageDIB work;
  ASSERT_TRUE(work.Create(68, 78));
  RunEffectPass(out, work, settings, PictureState{});
}

// The preview as the page drew it at (16, 16).
void ShownPreview(HWND dialog, CImageDIB& out) {
  ASSERT_TRUE(out.Create(68, 78));
  FinishPainting(dialog);
  HDC dc = GetDC(dialog);
  EXPECT_EQ(out.GrabFromDC(dc, 16, 16, 68, 78), 78);
  ReleaseDC(dialog, dc);
}

int DifferentPixels(const CImageDIB& a, const CImageDIB& b) {
  int n = 0;
  for (int y = 0; y < 78; ++y)
    for (int x = 0; x < 68; ++x) n += (a.Pixel(x, y) & 0xFFFFFF) != (b.Pixel(x, y) & 0xFFFFFF);
  return n;
}

TEST_F(EffectsPage, ShowsTheFilterWithItsHelpAndPreviewsTheControlsEffectPass) {
  PROPPAGEINFO info{};
  ASSERT_EQ(page->GetPageInfo(&info), S_OK);
  EXPECT_STREQ(info.pszTitle, L"Effects");
  CoTaskMemFree(info.pszTitle);
  EffectSettings s;
  s.EffectFilter = 9;
  s.BackGroundColor = 0x000000FF;
  s.MaskColor = 0x00FF0000;
  s.EffectColorMask = true;
  s.EffectColorMaskValue = 80;
  s.EffectApplyTo = 4;  // the preview ignores it
  ASSERT_EQ(PutShort(control.Get(), L"EffectFilter", s.EffectFilter), S_OK);
  ASSERT_EQ(PutColor(control.Get(), L"BackGroundColor", s.BackGroundColor), S_OK);
  ASSERT_EQ(PutColor(control.Get(), L"MaskColor", s.MaskColor), S_OK);
  ASSERT_EQ(PutBool(control.Get(), L"EffectColorMask", true), S_OK);
  ASSERT_EQ(PutShort(control.Get(), L"EffectColorMaskValue", s.EffectColorMaskValue), S_OK);
  ASSERT_EQ(PutShort(control.Get(), L"EffectApplyTo", s.EffectApplyTo), S_OK);
  HWND dialog = Open();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(Selection(dialog, 488), 9);
  EXPECT_EQ(Selection(dialog, 489), 4);
  EXPECT_EQ(ListItem(GetDlgItem(dialog, 488), 0), L"NONE");
  EXPECT_EQ(ListItem(GetDlgItem(dialog, 488), 23), L"Mask Transparent 2");
  EXPECT_EQ(ListItem(GetDlgItem(dialog, 489), 6), L"On Focus");
  EXPECT_EQ(ItemText(dialog, 731), std::wstring(EffectFilterHelp(9), EffectFilterHelp(9) + strlen(EffectFilterHelp(9))));
  EXPECT_TRUE(Checked(dialog, 232));
  EXPECT_EQ(ItemText(dialog, 394), L"80");
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, 399)));
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, 492)));

  s.EffectApplyTo = 0;
  CImageDIB expected, shown;
  ExpectedPreview(expected, s);
  ShownPreview(dialog, shown);
  EXPECT_EQ(DifferentPixels(expected, shown), 0);
  EXPECT_EQ(page->IsPageDirty(), S_FALSE);

  // "Thin border" with a red Back: the frame in red, its help line, the filter written on Apply.
  PickListEntry(dialog, 488, 17);
  EXPECT_EQ(ItemText(dialog, 399), L"17");
  EXPECT_EQ(ItemText(dialog, 731), L"Frame by thickness in 1 pixel colour=[Back]");
  EXPECT_EQ(page->IsPageDirty(), S_OK);
  ClickButton(dialog, 232);  // the mask off again
  s.EffectFilter = 17;
  s.EffectColorMask = false;
  ExpectedPreview(expected, s);
  ShownPreview(dialog, shown);
  EXPECT_EQ(DifferentPixels(expected, shown), 0);
  EXPECT_EQ(shown.Pixel(0, 0) & 0xFFFFFF, 0xFF0000u);
  ASSERT_EQ(page->Apply(), S_OK);
  EXPECT_EQ(GetNumber(control.Get(), L"EffectFilter"), 17);
  EXPECT_EQ(GetNumber(control.Get(), L"EffectColorMask"), 0);
}

TEST_F(EffectsPage, ArrowsStepTheAmountsWithinTheByteAndFullBlendShowsTheBack) {
  ASSERT_EQ(PutShort(control.Get(), L"EffectGlobalBlendValue", 254), S_OK);
  ASSERT_EQ(PutColor(control.Get(), L"BackGroundColor", 0x0000FF00), S_OK);
  HWND dialog = Open();
  ASSERT_NE(dialog, nullptr);
  auto arrow = [dialog](int bar, int code) {
    SendMessageW(dialog, WM_VSCROLL, MAKEWPARAM(code, 0), LPARAM(GetDlgItem(dialog, bar)));
  };
  arrow(393, SB_LINEUP);
  EXPECT_EQ(ItemText(dialog, 392), L"255");
  arrow(393, SB_LINEUP);
  EXPECT_EQ(ItemText(dialog, 392), L"255");
  arrow(393, SB_PAGEUP);  // other actions do nothing
  EXPECT_EQ(ItemText(dialog, 392), L"255");
  SetDlgItemTextW(dialog, 394, L"0");
  arrow(395, SB_LINEDOWN);
  EXPECT_EQ(ItemText(dialog, 394), L"0");
  arrow(395, SB_LINEUP);
  EXPECT_EQ(ItemText(dialog, 394), L"1");

  ClickButton(dialog, 231);
  CImageDIB shown;
  ShownPreview(dialog, shown);
  int green = 0;
  for (int y = 0; y < 78; ++y)
    for (int x = 0; x < 68; ++x) {
      const uint32_t p = shown.Pixel(x, y);
      green += (p >> 16 & 255) <= 2 && (p >> 8 & 255) >= 253 && (p & 255) <= 2;
    }
  EXPECT_GT(green, 68 * 78 * 9 / 10);
  ASSERT_EQ(page->Apply(), S_OK);
  EXPECT_EQ(GetNumber(control.Get(), L"EffectGlobalBlendValue"), 255);
  EXPECT_NE(GetNumber(control.Get(), L"EffectGlobalBlend"), 0);
  EXPECT_EQ(GetNumber(control.Get(), L"EffectColorMaskValue"), 1);
}

// A system colour shows on the Effects and Colors pages as the colour it stands for, and stays stored.
TEST_F(EffectsPage, SystemColoursShowAsTheColourTheyStandForAndStayStored) {
  const uint32_t face = 0x80000000u | COLOR_BTNFACE;
  const COLORREF faceRgb = GetSysColor(COLOR_BTNFACE);
  ASSERT_NE(faceRgb, RGB(255, 255, 255));
  ASSERT_EQ(PutColor(control.Get(), L"BackGroundColor", face), S_OK);
  ASSERT_EQ(PutShort(control.Get(), L"EffectFilter", 17), S_OK);  // a frame in the Back colour
  HWND dialog = Open();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(ItemText(dialog, 398), std::to_wstring(face));
  CImageDIB shown;
  ShownPreview(dialog, shown);
  EXPECT_EQ(shown.Pixel(0, 0) & 0xFFFFFF,
            uint32_t(GetRValue(faceRgb)) << 16 | uint32_t(GetGValue(faceRgb)) << 8 | GetBValue(faceRgb));
  PickListEntry(dialog, 488, 18);
  ASSERT_EQ(page->Apply(), S_OK);
  EXPECT_EQ(uint32_t(GetNumber(control.Get(), L"BackGroundColor")), face);

  SwitchPage(zephon::CLSID_ZephonColorsPage);
  dialog = Open();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(PagePixel(dialog, 170, 130), faceRgb);  // the loaded Back item's swatch
  EXPECT_EQ(ItemText(dialog, 397), std::to_wstring(face));
}

// A list or radio group whose stored value no item shows keeps it: Apply after an edit elsewhere on
// the page writes only what was edited, and nothing of an edit the user took back.
TEST_F(EffectsPage, ApplyWritesOnlyEditedValuesAndKeepsValuesNoItemShows) {
  struct Case {
    CLSID page;
    const wchar_t* unshown;
    short stored;
    void (*edit)(HWND);
    const wchar_t* edited;
    const wchar_t* written;
    const wchar_t* takenBack;  // edited, taken into the page, then typed back as it was
  };
  const Case cases[] = {
      {zephon::CLSID_ZephonEffectsPage, L"EffectApplyTo", 7, [](HWND d) { PickListEntry(d, 488, 17); },
       L"EffectFilter", L"17", nullptr},
      {zephon::CLSID_ZephonTextPage, L"TextApplyTo", 9,
       [](HWND d) {
         SetDlgItemTextW(d, 529, L"40");
         ClickButton(d, 524);  // "Word break" takes the dialog's values
         ClickButton(d, 524);
         SetDlgItemTextW(d, 529, L"0");
         SetDlgItemTextW(d, 527, L"12");
       },
       L"TextBlendValue", L"12", L"TextVerticalOffset"},
      {zephon::CLSID_ZephonToolTipPage, L"ToolTipEffect", 6, [](HWND d) { SetDlgItemTextW(d, 440, L"Hola"); },
       L"ToolTipString", L"Hola", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.unshown, c.unshown + wcslen(c.unshown)));
    SwitchPage(c.page);
    ASSERT_EQ(PutShort(control.Get(), c.unshown, c.stored), S_OK);
    ASSERT_EQ(GetNumber(control.Get(), c.unshown), c.stored);
    HWND dialog = Open();
    ASSERT_NE(dialog, nullptr);
    c.edit(dialog);
    ASSERT_EQ(page->IsPageDirty(), S_OK);
    ASSERT_EQ(page->Apply(), S_OK);
    EXPECT_EQ(GetNumber(control.Get(), c.unshown), c.stored);
    EXPECT_EQ(GetString(control.Get(), c.edited), c.written);
    if (c.takenBack) EXPECT_EQ(GetString(control.Get(), c.takenBack), L"0");
  }
}

}  // namespace

// The Images page.
namespace {

class ImagesPage : public PageFixture {
 protected:
  ImagesPage() : PageFixture(zephon::CLSID_ZephonImagesPage) {}
  void SetUp() override {
    PageFixture::SetUp();
    wchar_t temp[MAX_PATH] = {};
    ASSERT_GT(GetTempPathW(MAX_PATH, temp), 0u);
    dir = std::wstring(temp) + L"zb_images_page_" + std::to_wstring(GetCurrentProcessId()) + L"\\";
    CreateDirectoryW(dir.c_str(), nullptr);
    ASSERT_TRUE(zbtestpics::WriteBmp24(dir + L"wide.bmp", 240, 60));
    ASSERT_TRUE(zbtestpics::WriteBmp24(dir + L"small.bmp", 100, 50));
  }
  void TearDown() override {
    PageFixture::TearDown();
    DeleteFileW((dir + L"wide.bmp").c_str());
    DeleteFileW((dir + L"small.bmp").c_str());
    RemoveDirectoryW(dir.c_str());
  }
  std::wstring dir;
};

// Every test picture has 0x80 in its blue channel; the page's preview ground is white.
bool PictureBlue(COLORREF c) { return c != CLR_INVALID && GetBValue(c) == 0x80; }

TEST_F(ImagesPage, ShowsThePicturesTheirSizesAndLinksClearsAndApplies) {
  PROPPAGEINFO info{};
  ASSERT_EQ(page->GetPageInfo(&info), S_OK);
  EXPECT_STREQ(info.pszTitle, L"Images");
  CoTaskMemFree(info.pszTitle);
  const std::wstring wide = dir + L"wide.bmp", small = dir + L"small.bmp";
  ASSERT_EQ(PutBool(control.Get(), L"SmartLoading", false), S_OK);  // every state's picture at once
  ASSERT_EQ(PutString(control.Get(), L"PictureURL", wide.c_str()), S_OK);
  ASSERT_EQ(PutString(control.Get(), L"PictureOverURL", small.c_str()), S_OK);
  ASSERT_EQ(PutString(control.Get(), L"PictureDownURL", wide.c_str()), S_OK);
  ASSERT_EQ(PutShort(control.Get(), L"HoldingFlag", 0x0504), S_OK);  // the down picture from the host
  HWND dialog = Open();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(ItemText(dialog, 495), wide);
  EXPECT_EQ(ItemText(dialog, 498), small);
  EXPECT_EQ(ItemText(dialog, 501), wide);
  EXPECT_EQ(ItemText(dialog, 507), L"1284");
  EXPECT_FALSE(Checked(dialog, 231));
  EXPECT_TRUE(Checked(dialog, 233));

  // Row 0: 240 x 60 previews at 120 x 30, centred in the square at (8, 20) with its margin of 5.
  EXPECT_EQ(ItemText(dialog, 519), L"Width: 240  Height: 60");
  EXPECT_TRUE(PictureBlue(PagePixel(dialog, 8 + 5 + 1, 20 + 5 + 45 + 1)));
  EXPECT_TRUE(PictureBlue(PagePixel(dialog, 8 + 5 + 118, 20 + 5 + 45 + 28)));
  EXPECT_EQ(PagePixel(dialog, 8 + 5 + 60, 20 + 5 + 44), RGB(255, 255, 255));
  EXPECT_EQ(PagePixel(dialog, 8 + 5 + 60, 20 + 5 + 75), RGB(255, 255, 255));

  // Row 1: 100 x 50 keeps its size.
  ClickButton(dialog, 513);
  EXPECT_EQ(ItemText(dialog, 519), L"Width: 100  Height: 50");
  EXPECT_TRUE(PictureBlue(PagePixel(dialog, 8 + 15, 20 + 40)));
  EXPECT_EQ(PagePixel(dialog, 8 + 14, 20 + 40), RGB(255, 255, 255));
  EXPECT_EQ(page->IsPageDirty(), S_FALSE);

  // "Clear" on the linked row takes the link and keeps the URL; on a plain row it empties the URL.
  ClickButton(dialog, 503);
  EXPECT_FALSE(Checked(dialog, 233));
  EXPECT_EQ(ItemText(dialog, 507), L"1280");
  EXPECT_EQ(ItemText(dialog, 501), wide);
  EXPECT_EQ(page->IsPageDirty(), S_OK);
  ClickButton(dialog, 497);
  EXPECT_EQ(ItemText(dialog, 495), L"");
  ClickButton(dialog, 234);  // "link to EXE" of the disabled row
  EXPECT_EQ(ItemText(dialog, 507), L"1288");

  ASSERT_EQ(page->Apply(), S_OK);
  EXPECT_EQ(GetString(control.Get(), L"PictureURL"), L"");
  EXPECT_EQ(GetString(control.Get(), L"PictureDownURL"), wide);
  EXPECT_EQ(GetNumber(control.Get(), L"HoldingFlag"), 0x0508);
}

TEST_F(ImagesPage, NoPictureTableShowsAnEmptyPreview) {
  HWND dialog = Open();
  ASSERT_NE(dialog, nullptr);
  SetDlgItemTextW(dialog, 516, L"0");
  ClickButton(dialog, 512);
  EXPECT_EQ(ItemText(dialog, 519), L"Image is empty.");
  EXPECT_EQ(PagePixel(dialog, 8 + 65, 20 + 65), RGB(255, 255, 255));
}

// "Browse" opens the picture file dialog under the row's title; a file typed there and confirmed
// goes into the row's URL, a cancelled dialog changes nothing.
TEST_F(ImagesPage, BrowseTakesTheChosenFileAndCancelKeepsTheUrl) {
  HWND dialog = Open();
  ASSERT_NE(dialog, nullptr);
  const std::wstring small = dir + L"small.bmp";
  {
    LONG width = 0;
    ModalWatcher watcher(L"Normal picture", IDOK, [&](HWND box) {
      RECT r{};
      GetWindowRect(box, &r);
      width = r.right - r.left;
      return SetDlgItemTextW(box, cmb13, small.c_str()) != FALSE;
    });
    ClickButton(dialog, 496);
    watcher.Join();
    EXPECT_TRUE(watcher.Seen());
    EXPECT_GT(width, 220);  // widened by the preview
  }
  EXPECT_EQ(ItemText(dialog, 495), small);
  EXPECT_EQ(page->IsPageDirty(), S_OK);
  {
    ModalWatcher watcher(L"Mouse over picture", IDCANCEL, [](HWND) { return true; });
    ClickButton(dialog, 499);
    watcher.Join();
    EXPECT_TRUE(watcher.Seen());
  }
  EXPECT_EQ(ItemText(dialog, 498), L"");
  ASSERT_EQ(page->Apply(), S_OK);
  EXPECT_EQ(GetString(control.Get(), L"PictureURL"), small);
  ClickButton(dialog, 512);
  EXPECT_EQ(ItemText(dialog, 519), L"Width: 100  Height: 50");
}

// The file dialog previews the file selected in its list: the picture at its own size, centred in
// the 200 x 160 area at (client width - 210, 36); resizing keeps the dialog's widened width.
TEST_F(ImagesPage, FileDialogPreviewsTheSelectedPicture) {
  HWND dialog = Open();
  ASSERT_NE(dialog, nullptr);
  const std::wstring folder = dir.substr(0, dir.size() - 1);
  int stage = 0;
  COLORREF centre = CLR_INVALID, corner = CLR_INVALID;
  LONG width = 0, sizedWidth = 0;
  ModalWatcher watcher(L"Normal picture", IDCANCEL, [&](HWND box) {
    if (stage == 0) {
      // Into the pictures' folder, as the user would type it.
      if (!SetDlgItemTextW(box, cmb13, folder.c_str())) return false;
      PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
      stage = 1;
      return false;
    }
    HWND list = nullptr;
    EnumChildWindows(
        box,
        [](HWND w, LPARAM p) CALLBACK -> BOOL {
          if (zbtest::ui::ClassOf(w) == L"SysListView32") *reinterpret_cast<HWND*>(p) = w;
          return TRUE;
        },
        LPARAM(&list));
    if (!list) return false;
    if (stage == 1) {
      LVFINDINFOW find{};
      find.flags = LVFI_STRING;
      find.psz = L"small.bmp";
      const int item = int(SendMessageW(list, LVM_FINDITEMW, WPARAM(-1), LPARAM(&find)));
      if (item < 0) return false;  // the folder is not listed yet
      LVITEMW state{};
      state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
      state.state = LVIS_SELECTED | LVIS_FOCUSED;
      SendMessageW(list, LVM_SETITEMSTATE, WPARAM(item), LPARAM(&state));
      stage = 2;
      return false;
    }
    RECT client{};
    GetClientRect(box, &client);
    const int x = client.right - 210, y = 36;
    HDC dc = GetDC(box);
    centre = GetPixel(dc, x + 100, y + 80);
    corner = GetPixel(dc, x + 20, y + 20);
    ReleaseDC(box, dc);
    if (!PictureBlue(centre)) return false;
    // Sizing keeps the widened width whatever the user drags.
    RECT window{};
    GetWindowRect(box, &window);
    RECT sizing{window.left, window.top, window.left + 100, window.bottom + 30};
    SendMessageW(box, WM_SIZING, WMSZ_BOTTOMRIGHT, LPARAM(&sizing));
    sizedWidth = sizing.right - sizing.left;
    width = window.right - window.left;
    return true;
  });
  ClickButton(dialog, 496);
  watcher.Join();
  EXPECT_TRUE(watcher.Seen());
  EXPECT_EQ(stage, 2);
  EXPECT_TRUE(PictureBlue(centre)) << std::hex << centre;
  EXPECT_EQ(corner, RGB(255, 255, 255));
  EXPECT_GT(width, 220);
  EXPECT_EQ(sizedWidth, width);
  EXPECT_EQ(ItemText(dialog, 495), L"");  // cancelled
}

}  // namespace
