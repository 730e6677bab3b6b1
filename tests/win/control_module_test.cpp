// ZEPHONBUTTONPRO.OCX as a container and the system see it: self-registration (keys, twice, and
// removal), the type library against the control's property table, creation by ProgID, property
// pages and verbs, and hosting in Wine's ATL host and in our container.
#include <gtest/gtest.h>

#include <objsafe.h>
#include <olectl.h>
#include <psapi.h>
#include <winternl.h>

#include <cstdint>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "button/control/ZephonButtonCtrlProps.h"
#include "button/control/ZephonButtonIds.h"
#include "button/control/resource.h"
#include "button/framework/Registration.h"
#include "common/win/ComPtr.h"
#include "common/olehost/ControlHost.h"
#include "common/olehost/PropertyBag.h"
#include "tests/support/GuiCounters_win.h"

using common::ComPtr;
using common::QueryAs;
using common::Variant;

namespace {

using DllFn = HRESULT(STDAPICALLTYPE*)();

std::wstring ModuleFile() {
  wchar_t exe[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  std::wstring dir(exe);
  dir = dir.substr(0, dir.find_last_of(L"\\/") + 1);
  return dir + L"ZEPHONBUTTONPRO.OCX";
}

class Module : public ::testing::Environment {
 public:
  static HMODULE handle;
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
    handle = LoadLibraryW(ModuleFile().c_str());
    ASSERT_NE(handle, nullptr);
  }
  void TearDown() override {
    // Leave the prefix as it was found.
    Call("DllUnregisterServer");
    CoFreeUnusedLibraries();
    OleUninitialize();
  }
  static HRESULT Call(const char* name) {
    auto fn = reinterpret_cast<DllFn>(GetProcAddress(handle, name));
    return fn ? fn() : E_FAIL;
  }
};
HMODULE Module::handle = nullptr;
const auto* const g_env = ::testing::AddGlobalTestEnvironment(new Module);

std::wstring Guid(const GUID& g) { return button::GuidString(g); }

// Default (or named) string value of HKCR\key; nullopt-like "<missing>" when absent.
std::wstring RegValue(const std::wstring& key, const wchar_t* name = nullptr) {
  wchar_t buf[1024] = {};
  DWORD size = sizeof(buf);
  LONG rc = RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), name, RRF_RT_REG_SZ, nullptr, buf, &size);
  return rc == ERROR_SUCCESS ? std::wstring(buf) : std::wstring(L"<missing>");
}

bool KeyExists(const std::wstring& key) {
  HKEY h = nullptr;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return false;
  RegCloseKey(h);
  return true;
}

std::set<std::wstring> SubKeys(const std::wstring& key) {
  std::set<std::wstring> out;
  HKEY h = nullptr;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return out;
  wchar_t name[256];
  for (DWORD i = 0;; ++i) {
    DWORD len = 256;
    if (RegEnumKeyExW(h, i, name, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    out.insert(name);
  }
  RegCloseKey(h);
  return out;
}

std::string Narrow(const std::wstring& w) { return std::string(w.begin(), w.end()); }

void Pump(DWORD ms) {
  DWORD end = GetTickCount() + ms;
  MSG msg;
  do {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(5);
  } while (GetTickCount() < end);
}

HWND NewParent() {
  HWND w = CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 10, 10, 300, 200,
                           nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  EXPECT_NE(w, nullptr);
  return w;
}

class Registered : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(Module::Call("DllRegisterServer"), S_OK); }
};

// ---- resource counters for the leak check ---------------------------------------------------------
// Private bytes answer 0 under Wine too; there they are counted by walking committed private memory.
using tests::GdiCounterWorks;
using tests::GdiObjects;
using tests::UserObjects;

size_t PrivateBytes() {
  PROCESS_MEMORY_COUNTERS_EX pmc{};
  pmc.cb = sizeof(pmc);
  if (GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&pmc), sizeof(pmc)) &&
      pmc.PrivateUsage)
    return pmc.PrivateUsage;
  size_t total = 0;
  MEMORY_BASIC_INFORMATION mbi;
  for (char* p = nullptr; VirtualQuery(p, &mbi, sizeof(mbi)) == sizeof(mbi);
       p = static_cast<char*>(mbi.BaseAddress) + mbi.RegionSize) {
    if (mbi.State == MEM_COMMIT && mbi.Type == MEM_PRIVATE) total += mbi.RegionSize;
    if (static_cast<char*>(mbi.BaseAddress) + mbi.RegionSize < p) break;
  }
  return total;
}

}  // namespace

TEST(ControlModule, RegistrationTwiceLeavesOneSetOfKeysAndUnregistrationRemovesThem) {
  ASSERT_EQ(Module::Call("DllRegisterServer"), S_OK);
  ASSERT_EQ(Module::Call("DllRegisterServer"), S_OK);
  const std::wstring path = ModuleFile();
  const std::wstring clsid = L"CLSID\\" + Guid(button::CLSID_ZephonButton);
  const std::wstring progId = button::kControlProgId;

  EXPECT_EQ(RegValue(progId), L"ZephonButtonPro Control");
  EXPECT_EQ(RegValue(progId + L"\\CLSID"), Guid(button::CLSID_ZephonButton));
  EXPECT_EQ(SubKeys(progId), std::set<std::wstring>{L"CLSID"});
  EXPECT_EQ(RegValue(clsid), L"ZephonButtonPro Control");
  EXPECT_EQ(SubKeys(clsid),
            (std::set<std::wstring>{L"Control", L"Implemented Categories", L"InprocServer32", L"MiscStatus", L"ProgID",
                                    L"ToolboxBitmap32", L"TypeLib", L"Version"}));
  EXPECT_EQ(RegValue(clsid + L"\\ProgID"), progId);
  EXPECT_EQ(_wcsicmp(RegValue(clsid + L"\\InprocServer32").c_str(), path.c_str()), 0);
  EXPECT_EQ(RegValue(clsid + L"\\InprocServer32", L"ThreadingModel"), L"Apartment");
  EXPECT_EQ(_wcsicmp(RegValue(clsid + L"\\ToolboxBitmap32").c_str(), (path + L", 1").c_str()), 0);
  EXPECT_EQ(RegValue(clsid + L"\\MiscStatus"), L"0");
  EXPECT_EQ(RegValue(clsid + L"\\MiscStatus\\1"), L"197009");
  EXPECT_EQ(RegValue(clsid + L"\\TypeLib"), Guid(button::LIBID_ZEPHONBUTTONLib));
  EXPECT_EQ(RegValue(clsid + L"\\Version"), L"4.50");
  EXPECT_EQ(SubKeys(clsid + L"\\Implemented Categories"),
            (std::set<std::wstring>{Guid(CATID_SafeForScripting), Guid(CATID_SafeForInitializing)}));
  EXPECT_EQ(RegValue(L"Component Categories\\" + Guid(CATID_SafeForScripting), L"409"),
            L"Controls that are safely scriptable");
  EXPECT_EQ(RegValue(L"Component Categories\\" + Guid(CATID_SafeForInitializing), L"409"),
            L"Controls safely initializable from persistent data");
  // The seven pages: class id, name, module.
  for (const button::PageClass& page : button::kOwnPages) {
    const std::wstring key = L"CLSID\\" + Guid(*page.clsid);
    EXPECT_EQ(RegValue(key + L"\\ProgID"), page.progId);
    EXPECT_EQ(RegValue(std::wstring(page.progId) + L"\\CLSID"), Guid(*page.clsid));
    EXPECT_EQ(_wcsicmp(RegValue(key + L"\\InprocServer32").c_str(), path.c_str()), 0);
  }
  // The type library (its registry version is hexadecimal: 4.50 is "4.32"), under this bitness' platform.
  const std::wstring lib = L"TypeLib\\" + Guid(button::LIBID_ZEPHONBUTTONLib);
  const std::wstring platform = lib + (sizeof(void*) == 8 ? L"\\4.32\\409\\win64" : L"\\4.32\\409\\win32");
  EXPECT_EQ(SubKeys(lib), std::set<std::wstring>{L"4.32"});
  EXPECT_EQ(_wcsicmp(RegValue(platform).c_str(), path.c_str()), 0);

  // The module of the other bitness, when registered in its own view of the classes, keeps the
  // ProgIDs and the library's key that both views share.
  HKEY other = nullptr;
  const bool otherBitness =
      RegOpenKeyExW(HKEY_CLASSES_ROOT, (clsid + L"\\InprocServer32").c_str(), 0,
                    KEY_READ | (sizeof(void*) == 8 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY), &other) == ERROR_SUCCESS;
  if (other) RegCloseKey(other);
  ASSERT_EQ(Module::Call("DllUnregisterServer"), S_OK);
  EXPECT_FALSE(KeyExists(clsid));
  EXPECT_EQ(KeyExists(progId), otherBitness);
  EXPECT_EQ(KeyExists(lib), otherBitness);
  EXPECT_FALSE(KeyExists(platform));
  for (const button::PageClass& page : button::kOwnPages) {
    EXPECT_FALSE(KeyExists(L"CLSID\\" + Guid(*page.clsid)));
    EXPECT_EQ(KeyExists(page.progId), otherBitness);
  }
  // The categories themselves stay for other controls.
  EXPECT_TRUE(KeyExists(L"Component Categories\\" + Guid(CATID_SafeForScripting)));
  EXPECT_TRUE(KeyExists(L"Component Categories\\" + Guid(CATID_SafeForInitializing)));
  // A second unregistration finds no type library to remove and says so.
  EXPECT_EQ(Module::Call("DllUnregisterServer"), SELFREG_E_TYPELIB);
}

TEST_F(Registered, TypeLibraryListsEveryMemberWithItsDispidAndFlags) {
  ComPtr<ITypeLib> lib;
  ASSERT_EQ(LoadRegTypeLib(button::LIBID_ZEPHONBUTTONLib, 4, 50, 0x409, lib.Put()), S_OK);
  TLIBATTR* la = nullptr;
  ASSERT_EQ(lib->GetLibAttr(&la), S_OK);
  EXPECT_EQ(la->wMajorVerNum, 4);
  EXPECT_EQ(la->wMinorVerNum, 50);
  EXPECT_EQ(la->lcid, 0x409u);
  EXPECT_TRUE(la->wLibFlags & LIBFLAG_FCONTROL);
  lib->ReleaseTLibAttr(la);
  common::Bstr name, doc, help;
  ASSERT_EQ(lib->GetDocumentation(-1, name.Put(), doc.Put(), nullptr, help.Put()), S_OK);
  EXPECT_EQ(name.Str(), L"ZEPHONBUTTONLib");
  EXPECT_EQ(doc.Str(), L"ZephonButtonPro ActiveX Control module");
  EXPECT_NE(help.Str().find(L"ZephonButtonPro.hlp"), std::wstring::npos);

  // Dispatch interface: every property of the table as a dispatch variable in its order (the two
  // stock ones bindable and requestedit), then the 14 methods.
  ComPtr<ITypeInfo> disp;
  ASSERT_EQ(lib->GetTypeInfoOfGuid(button::DIID__DZephonButton, disp.Put()), S_OK);
  TYPEATTR* ta = nullptr;
  ASSERT_EQ(disp->GetTypeAttr(&ta), S_OK);
  EXPECT_EQ(ta->typekind, TKIND_DISPATCH);
  EXPECT_TRUE(ta->wTypeFlags & TYPEFLAG_FHIDDEN);
  EXPECT_TRUE(ta->wTypeFlags & TYPEFLAG_FDISPATCHABLE);
  const WORD funcs = ta->cFuncs;
  const WORD vars = ta->cVars;
  disp->ReleaseTypeAttr(ta);
  ASSERT_EQ(disp->GetDocumentation(MEMBERID_NIL, nullptr, doc.Put(), nullptr, nullptr), S_OK);
  EXPECT_EQ(doc.Str(), L"Dispatch interface for ZephonButtonPro Control");

  struct Member {
    DISPID id;
    std::wstring name;
    INVOKEKIND kind;
    VARTYPE type;  // result
    WORD flags;
    std::vector<VARTYPE> params;
  };
  auto readMembers = [](ITypeInfo* ti, WORD count) {
    std::vector<Member> out;
    for (WORD i = 0; i < count; ++i) {
      FUNCDESC* fd = nullptr;
      if (FAILED(ti->GetFuncDesc(i, &fd))) break;
      Member m{fd->memid, L"", fd->invkind, fd->elemdescFunc.tdesc.vt, fd->wFuncFlags, {}};
      for (SHORT p = 0; p < fd->cParams; ++p) m.params.push_back(fd->lprgelemdescParam[p].tdesc.vt);
      common::Bstr n;
      ti->GetDocumentation(fd->memid, n.Put(), nullptr, nullptr, nullptr);
      m.name = n.Str();
      ti->ReleaseFuncDesc(fd);
      out.push_back(m);
    }
    return out;
  };
  // The name of the type a user-defined type description refers to, with its library's name.
  auto refName = [](ITypeInfo* ti, const TYPEDESC& td) {
    const TYPEDESC* t = td.vt == VT_PTR ? td.lptdesc : &td;
    ComPtr<ITypeInfo> ref;
    if (!t || t->vt != VT_USERDEFINED || FAILED(ti->GetRefTypeInfo(t->hreftype, ref.Put()))) return std::wstring();
    common::Bstr n, libName;
    ref->GetDocumentation(MEMBERID_NIL, n.Put(), nullptr, nullptr, nullptr);
    ComPtr<ITypeLib> owner;
    UINT index = 0;
    if (SUCCEEDED(ref->GetContainingTypeLib(owner.Put(), &index)))
      owner->GetDocumentation(-1, libName.Put(), nullptr, nullptr, nullptr);
    return libName.Str() + L"." + n.Str();
  };
  ASSERT_EQ(vars, 51u);
  ASSERT_EQ(funcs, 14u);
  ASSERT_EQ(button::TableSize(), 51u);
  const WORD bound = VARFLAG_FBINDABLE | VARFLAG_FREQUESTEDIT;
  for (WORD i = 0; i < vars; ++i) {
    const button::PropertyInfo& p = button::Table()[i];
    SCOPED_TRACE(Narrow(p.Name));
    VARDESC* vd = nullptr;
    ASSERT_EQ(disp->GetVarDesc(i, &vd), S_OK);
    const TYPEDESC td = vd->elemdescVar.tdesc;
    EXPECT_EQ(vd->memid, p.Dispid);
    EXPECT_EQ(vd->varkind, VAR_DISPATCH);
    const bool stock = p.Dispid == DISPID_ENABLED || p.Dispid == DISPID_TEXT;
    EXPECT_EQ(vd->wVarFlags, stock ? bound : 0);
    common::Bstr n;
    disp->GetDocumentation(vd->memid, n.Put(), nullptr, nullptr, nullptr);
    EXPECT_EQ(n.Str(), p.Name);
    switch (p.Type) {
      case button::PropType::Short: EXPECT_EQ(td.vt, VT_I2); break;
      case button::PropType::Long: EXPECT_EQ(td.vt, VT_I4); break;
      case button::PropType::Bool: EXPECT_EQ(td.vt, VT_BOOL); break;
      case button::PropType::String: EXPECT_EQ(td.vt, VT_BSTR); break;
      case button::PropType::Color: EXPECT_EQ(refName(disp.Get(), td), L"stdole.OLE_COLOR"); break;
      case button::PropType::Font: EXPECT_EQ(refName(disp.Get(), td), L"stdole.IFontDisp"); break;
      case button::PropType::Picture: EXPECT_EQ(refName(disp.Get(), td), L"stdole.IPictureDisp"); break;
    }
    disp->ReleaseVarDesc(vd);
  }
  std::vector<Member> members = readMembers(disp.Get(), funcs);
  const std::vector<Member> methods = {
      {-550, L"Refresh", INVOKE_FUNC, VT_VOID, 0, {}},
      {50, L"ToolTipDraw", INVOKE_FUNC, VT_VOID, 0, {}},
      {51, L"CaptureBackground", INVOKE_FUNC, VT_VOID, 0, {VT_I2, VT_I2}},
      {52, L"GetPicture", INVOKE_FUNC, VT_PTR, 0, {VT_I2}},
      {53, L"InstallFontFromInternet", INVOKE_FUNC, VT_BOOL, 0, {VT_BSTR}},
      {54, L"GetButtonMode", INVOKE_FUNC, VT_I2, 0, {}},
      {55, L"SetButtonMode", INVOKE_FUNC, VT_VOID, 0, {VT_I2}},
      {56, L"AnimationDirectory", INVOKE_FUNC, VT_VOID, 0, {VT_BSTR, VT_I4}},
      {57, L"AnimationDirectoryStop", INVOKE_FUNC, VT_VOID, 0, {}},
      {58, L"SetCheck", INVOKE_FUNC, VT_VOID, 0, {VT_BOOL}},
      {59, L"GetCheck", INVOKE_FUNC, VT_BOOL, 0, {}},
      {60, L"SetTextFontByName", INVOKE_FUNC, VT_VOID, 0, {VT_BSTR, VT_I4, VT_BOOL, VT_BOOL, VT_BOOL}},
      {61, L"SetToolTipFontByName", INVOKE_FUNC, VT_VOID, 0, {VT_BSTR, VT_I4, VT_BOOL, VT_BOOL, VT_BOOL}},
      {62, L"SetFontsCharSet", INVOKE_FUNC, VT_VOID, 0, {VT_I2}},
  };
  for (size_t i = 0; i < methods.size(); ++i) {
    const Member& m = members[i];
    SCOPED_TRACE(Narrow(methods[i].name));
    EXPECT_EQ(m.id, methods[i].id);
    EXPECT_EQ(m.name, methods[i].name);
    EXPECT_EQ(m.kind, INVOKE_FUNC);
    EXPECT_EQ(m.type, methods[i].type);
    EXPECT_EQ(m.params, methods[i].params);
  }

  // Event interface: 19 events with their help strings.
  ComPtr<ITypeInfo> events;
  ASSERT_EQ(lib->GetTypeInfoOfGuid(button::DIID__DZephonButtonEvents, events.Put()), S_OK);
  ASSERT_EQ(events->GetTypeAttr(&ta), S_OK);
  const WORD eventCount = ta->cFuncs;
  events->ReleaseTypeAttr(ta);
  ASSERT_EQ(eventCount, 19);
  const std::vector<std::pair<DISPID, std::wstring>> expected = {
      {1, L"MouseLeave"},         {2, L"MouseClick"},      {-605, L"MouseDown"},   {3, L"MouseEnter"},
      {4, L"PictureError"},       {-607, L"MouseUp"},      {-602, L"KeyDown"},     {-603, L"KeyPress"},
      {-604, L"KeyUp"},           {5, L"MouseRightClick"}, {6, L"MouseRightDown"}, {7, L"MouseRightUp"},
      {8, L"MouseMoving"},        {9, L"SetFocus"},        {10, L"LeaveFocus"},    {11, L"DebugError"},
      {12, L"InternetFontError"}, {13, L"AnimationEnd"},   {14, L"OnCheck"}};
  std::vector<Member> ev = readMembers(events.Get(), eventCount);
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(ev[i].id, expected[i].first);
    EXPECT_EQ(ev[i].name, expected[i].second);
  }
  EXPECT_EQ(ev[2].params, (std::vector<VARTYPE>{VT_I2, VT_I2, VT_USERDEFINED, VT_USERDEFINED}));
  FUNCDESC* down = nullptr;
  ASSERT_EQ(events->GetFuncDesc(2, &down), S_OK);
  EXPECT_EQ(refName(events.Get(), down->lprgelemdescParam[2].tdesc), L"stdole.OLE_XPOS_PIXELS");
  EXPECT_EQ(refName(events.Get(), down->lprgelemdescParam[3].tdesc), L"stdole.OLE_YPOS_PIXELS");
  events->ReleaseFuncDesc(down);
  EXPECT_EQ(ev[6].params, (std::vector<VARTYPE>{VT_PTR, VT_I2}));  // KeyCode by reference
  ASSERT_EQ(events->GetDocumentation(-605, nullptr, doc.Put(), nullptr, nullptr), S_OK);
  EXPECT_EQ(doc.Str(), L"Is called when the pressing the left mouse button on control happens.");
  ASSERT_EQ(events->GetDocumentation(4, nullptr, doc.Put(), nullptr, nullptr), S_OK);
  EXPECT_EQ(doc.Str(), L"Produces the text message on an error for want of to operation with a picture.");

  // The control class.
  ComPtr<ITypeInfo> coclass;
  ASSERT_EQ(lib->GetTypeInfoOfGuid(button::CLSID_ZephonButton, coclass.Put()), S_OK);
  ASSERT_EQ(coclass->GetTypeAttr(&ta), S_OK);
  EXPECT_EQ(ta->typekind, TKIND_COCLASS);
  EXPECT_TRUE(ta->wTypeFlags & TYPEFLAG_FCANCREATE);
  EXPECT_TRUE(ta->wTypeFlags & TYPEFLAG_FCONTROL);
  EXPECT_EQ(ta->cImplTypes, 2);
  coclass->ReleaseTypeAttr(ta);
  INT implFlags = 0;
  coclass->GetImplTypeFlags(1, &implFlags);
  EXPECT_EQ(implFlags, IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE);
  ASSERT_EQ(coclass->GetDocumentation(MEMBERID_NIL, name.Put(), doc.Put(), nullptr, nullptr), S_OK);
  EXPECT_EQ(name.Str(), L"ZephonButton");
  EXPECT_EQ(doc.Str(), L"ZephonButtonPro Control");
}

TEST_F(Registered, CreatedByProgIdReportsPagesVerbAndNames) {
  CLSID clsid{};
  ASSERT_EQ(CLSIDFromProgID(button::kControlProgId, &clsid), S_OK);
  EXPECT_TRUE(IsEqualCLSID(clsid, button::CLSID_ZephonButton));
  ComPtr<IUnknown> unk;
  ASSERT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, unk.PutVoid()), S_OK);
  ASSERT_EQ(QueryAs<IPersistStreamInit>(unk.Get())->InitNew(), S_OK);
  CAUUID pages{};
  ASSERT_EQ(QueryAs<ISpecifyPropertyPages>(unk.Get())->GetPages(&pages), S_OK);
  ASSERT_EQ(pages.cElems, 8u);
  EXPECT_TRUE(IsEqualCLSID(pages.pElems[0], button::CLSID_ZephonGeneralPage));
  EXPECT_TRUE(IsEqualCLSID(pages.pElems[7], CLSID_CFontPropPage));
  CoTaskMemFree(pages.pElems);

  ComPtr<IOleObject> ole = QueryAs<IOleObject>(unk.Get());
  DWORD misc = 0;
  ASSERT_EQ(ole->GetMiscStatus(DVASPECT_CONTENT, &misc), S_OK);
  EXPECT_EQ(misc, 197009u);
  ComPtr<IEnumOLEVERB> verbs;
  ASSERT_EQ(ole->EnumVerbs(verbs.Put()), S_OK);
  OLEVERB verb{};
  ASSERT_EQ(verbs->Next(1, &verb, nullptr), S_OK);
  EXPECT_EQ(verb.lVerb, OLEIVERB_PROPERTIES);
  EXPECT_STREQ(verb.lpszVerbName, L"ZephonButtonPro  CONTROL PROPERTIES");
  CoTaskMemFree(verb.lpszVerbName);
  LPOLESTR type = nullptr;
  ASSERT_EQ(ole->GetUserType(USERCLASSTYPE_FULL, &type), S_OK);
  EXPECT_STREQ(type, L"ZephonButtonPro Control");
  CoTaskMemFree(type);

  // Names and type information come from the registered library.
  ComPtr<IDispatch> disp = QueryAs<IDispatch>(unk.Get());
  LPOLESTR names[1] = {const_cast<LPOLESTR>(L"pictureurl")};
  DISPID id = 0;
  ASSERT_EQ(disp->GetIDsOfNames(IID_NULL, names, 1, 0, &id), S_OK);
  EXPECT_EQ(id, 12);
  // Every property resolves by name, whether the library holds it as a variable or an accessor pair.
  for (size_t i = 0; i < button::TableSize(); ++i) {
    const button::PropertyInfo& p = button::Table()[i];
    names[0] = const_cast<LPOLESTR>(p.Name);
    id = DISPID_UNKNOWN;
    EXPECT_EQ(disp->GetIDsOfNames(IID_NULL, names, 1, 0, &id), S_OK) << Narrow(p.Name);
    EXPECT_EQ(id, p.Dispid) << Narrow(p.Name);
  }
  UINT count = 0;
  disp->GetTypeInfoCount(&count);
  EXPECT_EQ(count, 1u);
  ComPtr<ITypeInfo> cls;
  ASSERT_EQ(QueryAs<IProvideClassInfo>(unk.Get())->GetClassInfo(cls.Put()), S_OK);

  // The module serves the General page's class object; a class it does not know is not available.
  auto getClassObject = reinterpret_cast<HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**)>(
      GetProcAddress(Module::handle, "DllGetClassObject"));
  ASSERT_NE(getClassObject, nullptr);
  ComPtr<IClassFactory> factory;
  ASSERT_EQ(getClassObject(button::CLSID_ZephonGeneralPage, IID_IClassFactory, factory.PutVoid()), S_OK);
  ComPtr<IPropertyPage> generalPage;
  EXPECT_EQ(factory->CreateInstance(nullptr, IID_IPropertyPage, generalPage.PutVoid()), S_OK);
  generalPage.Reset();
  factory.Reset();
  EXPECT_EQ(getClassObject(IID_IUnknown, IID_IClassFactory, factory.PutVoid()), CLASS_E_CLASSNOTAVAILABLE);
  unk.Reset();
  disp.Reset();
  ole.Reset();
  cls.Reset();
  EXPECT_EQ(Module::Call("DllCanUnloadNow"), S_OK);
}

TEST_F(Registered, HostedInTheAtlHostAndInOurContainer) {
  HWND parent = NewParent();
  // Wine's ATL host, as any container would use it.
  HMODULE atl = LoadLibraryW(L"atl.dll");
  ASSERT_NE(atl, nullptr);
  auto init = reinterpret_cast<BOOL(WINAPI*)()>(GetProcAddress(atl, "AtlAxWinInit"));
  auto getControl = reinterpret_cast<HRESULT(WINAPI*)(HWND, IUnknown**)>(GetProcAddress(atl, "AtlAxGetControl"));
  ASSERT_TRUE(init && getControl);
  ASSERT_TRUE(init());
  // No pointer near: a move over the control would size it too.
  SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 2, GetSystemMetrics(SM_CYSCREEN) - 2);
  HWND ax = CreateWindowExW(0, L"AtlAxWin", button::kControlProgId, WS_CHILD | WS_VISIBLE, 5, 5, 120, 60, parent,
                            nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(ax, nullptr);
  ComPtr<IUnknown> control;
  ASSERT_EQ(getControl(ax, control.Put()), S_OK);
  HWND own = nullptr;
  ASSERT_EQ(QueryAs<IOleInPlaceObject>(control.Get())->GetWindow(&own), S_OK);
  EXPECT_EQ(GetParent(own), ax);
  // AutoSize (on by default) fits the new control to its normal placeholder as soon as it is there,
  // although the host sizes it to the host window after activating it.
  BITMAP placeholder{};
  HBITMAP bitmap = LoadBitmapW(Module::handle, MAKEINTRESOURCEW(IDB_PLACEHOLDER_NORMAL));
  ASSERT_TRUE(bitmap && GetObjectW(bitmap, sizeof(placeholder), &placeholder));
  DeleteObject(bitmap);
  const auto size = [own] {
    RECT r{};
    GetWindowRect(own, &r);
    return SIZE{r.right - r.left, r.bottom - r.top};
  };
  EXPECT_EQ(size().cx, placeholder.bmWidth);
  EXPECT_EQ(size().cy, placeholder.bmHeight);
  Pump(100);
  EXPECT_EQ(size().cx, placeholder.bmWidth);
  EXPECT_EQ(size().cy, placeholder.bmHeight);
  EXPECT_TRUE(IsWindowVisible(own));
  control.Reset();
  DestroyWindow(ax);
  Pump(50);

  // Our container, loading properties from text.
  ComPtr<common::CPropertyBag> bag = common::CPropertyBag::Create();
  std::wstring error;
  ASSERT_TRUE(bag->LoadText(L"Text=BSTR:\"Jugar\"\nToolWaitTime=I4:250\n", error));
  ComPtr<common::CControlHost> host;
  RECT rc{10, 10, 110, 50};
  ASSERT_EQ(common::CControlHost::Create(parent, rc, button::kControlProgId, bag.Get(), {}, host), S_OK);
  common::HostedControl hosted(host);
  EXPECT_EQ(host->LoadResult(), S_OK);
  HWND w = host->ControlWindow();
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(GetParent(w), parent);
  Variant v;
  ASSERT_EQ(host->GetProperty(L"Text", v), S_OK);
  EXPECT_STREQ(v.Ref().bstrVal, L"Jugar");
  ASSERT_EQ(host->GetProperty(L"ToolTipWaitTime", v), S_OK);
  EXPECT_EQ(v.Ref().lVal, 250);
  Pump(50);
  ComPtr<common::CPropertyBag> saved = common::CPropertyBag::Create();
  ASSERT_EQ(host->Save(saved.Get()), S_OK);
  EXPECT_TRUE(saved->Has(L"ToolWaitTime"));
  EXPECT_FALSE(saved->Has(L"ToolTipWaitTime"));
  hosted.Reset();
  DestroyWindow(parent);
}

TEST(ControlModuleLeaks, ThousandControlsLeaveGdiUserAndPrivateBytesFlat) {
  auto getClassObject = reinterpret_cast<HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**)>(
      GetProcAddress(Module::handle, "DllGetClassObject"));
  ASSERT_NE(getClassObject, nullptr);
  ComPtr<IClassFactory> factory;
  ASSERT_EQ(getClassObject(button::CLSID_ZephonButton, IID_IClassFactory, factory.PutVoid()), S_OK);
  ComPtr<common::CPropertyBag> bag = common::CPropertyBag::Create();
  std::wstring error;
  ASSERT_TRUE(bag->LoadText(L"Text=BSTR:\"Copiar\"\nBackGroundColor=I4:255\nToolTipString=BSTR:\"tip\"\n", error));
  HWND parent = NewParent();
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bmp = CreateCompatibleBitmap(screen, 64, 32);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, bmp);

  auto once = [&]() {
    ComPtr<IUnknown> unk;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IUnknown, unk.PutVoid()), S_OK);
    ComPtr<common::CControlHost> host;
    ASSERT_EQ(common::CControlHost::Attach(parent, RECT{0, 0, 64, 32}, unk.Get(), bag.Get(), {}, host), S_OK);
    common::HostedControl hosted(host);
    RECTL bounds{0, 0, 64, 32};
    ASSERT_EQ(QueryAs<IViewObject>(unk.Get())->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, dc, &bounds,
                                                    nullptr, nullptr, 0),
              S_OK);
    UpdateWindow(host->ControlWindow());
  };
  const bool gdiCounted = GdiCounterWorks();
  auto measure = [](long& gdi, long& user, size_t& priv) {
    Pump(20);
    gdi = GdiObjects();
    user = UserObjects();
    priv = PrivateBytes();
  };
  for (int i = 0; i < 50; ++i) once();  // caches, class registrations, first-use allocations
  long gdi0, user0, gdi1, user1;
  size_t priv0, priv1;
  measure(gdi0, user0, priv0);
  for (int i = 0; i < 1000; ++i) {
    once();
    if (::testing::Test::HasFatalFailure()) break;
  }
  measure(gdi1, user1, priv1);
  std::printf("GDI %ld -> %ld%s, USER %ld -> %ld, private bytes %zu -> %zu\n", gdi0, gdi1,
              gdiCounted ? "" : " (not countable here)", user0, user1, priv0, priv1);
  if (gdiCounted) {
    EXPECT_LE(gdi1, gdi0 + 2);
  }
  EXPECT_LE(user1, user0 + 2);
  EXPECT_LT(priv1, priv0 + 2 * 1024 * 1024);
  SelectObject(dc, old);
  DeleteObject(bmp);
  DeleteDC(dc);
  DestroyWindow(parent);
}

TEST(ControlModule, ResourcesHoldTheTextsBitmapsAndCursors) {
  HMODULE m = Module::handle;
  auto text = [m](UINT id) {
    wchar_t buf[128] = {};
    int n = LoadStringW(m, id, buf, 128);
    return std::wstring(buf, n > 0 ? size_t(n) : 0);
  };
  EXPECT_EQ(text(1), L"ZephonButtonPro Control");
  const wchar_t* pages[] = {L"General", L"Color", L"Effects", L"Profi", L"ToolTip", L"Images", L"Text"};
  for (UINT i = 0; i < 7; ++i) EXPECT_EQ(text(200 + i), pages[i]);
  EXPECT_EQ(text(207), L"ZephonButtonPro  CONTROL PROPERTIES");
  auto size = [m](UINT id) {
    HBITMAP b = LoadBitmapW(m, MAKEINTRESOURCEW(id));
    BITMAP bm{};
    if (b) GetObjectW(b, sizeof(bm), &bm);
    if (b) DeleteObject(b);
    return std::make_pair(int(bm.bmWidth), int(bm.bmHeight));
  };
  EXPECT_EQ(size(1), std::make_pair(16, 16));
  for (UINT id : {221u, 294u, 296u, 298u}) EXPECT_EQ(size(id), std::make_pair(33, 28)) << id;
  for (UINT id : {846u, 1426u}) {
    HCURSOR c = LoadCursorW(m, MAKEINTRESOURCEW(id));
    EXPECT_NE(c, nullptr) << id;
    ICONINFO ii{};
    ASSERT_TRUE(GetIconInfo(c, &ii));
    EXPECT_FALSE(ii.fIcon);
    if (ii.hbmMask) DeleteObject(ii.hbmMask);
    if (ii.hbmColor) DeleteObject(ii.hbmColor);
  }
  // The type library is a resource of its own: loadable without any registration.
  ComPtr<ITypeLib> lib;
  ASSERT_EQ(LoadTypeLibEx(ModuleFile().c_str(), REGKIND_NONE, lib.Put()), S_OK);
  TLIBATTR* la = nullptr;
  ASSERT_EQ(lib->GetLibAttr(&la), S_OK);
  EXPECT_TRUE(IsEqualGUID(la->guid, button::LIBID_ZEPHONBUTTONLib));
  lib->ReleaseTLibAttr(la);
  HRSRC res = FindResourceExW(m, L"TYPELIB", MAKEINTRESOURCEW(1), MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
  EXPECT_NE(res, nullptr);
}
