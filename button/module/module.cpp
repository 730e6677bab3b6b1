// The control module: DllMain, the class factories and self-registration.
#include <windows.h>
#include <comcat.h>
#include <objsafe.h>
#include <olectl.h>

#include "button/control/ControlFactory.h"
#include "button/control/ZephonButtonIds.h"
#include "button/framework/ClassFactory.h"
#include "button/framework/Module.h"
#include "button/framework/Registration.h"
#include "button/pages/PageFactory.h"
#include "common/win/ComError.h"

namespace {

// All seven page classes are registered so containers see the full set; a page this module does
// not build yet answers CLASS_E_CLASSNOTAVAILABLE when asked for.
HRESULT RegisterClasses(const std::wstring& path) {
  zb::ControlRegistration reg{};
  reg.clsid = &zephon::CLSID_ZephonButton;
  reg.progId = zephon::kControlProgId;
  reg.typeName = zb::LoadModuleString(IDS_ZEPHONBUTTON);
  reg.modulePath = path;
  reg.threadingModel = L"Apartment";
  reg.toolboxBitmapId = IDB_ZEPHONBUTTON;
  reg.miscStatus = zephon::kMiscStatus;
  reg.libid = &zephon::LIBID_ZEPHONBUTTONLib;
  reg.verMajor = zephon::kLibMajor;
  reg.verMinor = zephon::kLibMinor;
  HRESULT hr = zb::RegisterControlClass(reg);
  ZB_RETURN_IF_FAILED(hr);
  // Category membership is best effort: a system without the category manager still gets the control.
  zb::RegisterClassInCategory(zephon::CLSID_ZephonButton, CATID_SafeForScripting,
                              L"Controls that are safely scriptable");
  zb::RegisterClassInCategory(zephon::CLSID_ZephonButton, CATID_SafeForInitializing,
                              L"Controls safely initializable from persistent data");
  for (const zephon::PageClass& page : zephon::kOwnPages) {
    ZB_RETURN_IF_FAILED(hr = zb::RegisterPlainClass(*page.clsid, page.progId, page.progId, path));
  }
  return S_OK;
}

HRESULT UnregisterClasses() {
  HRESULT result = zb::UnregisterClass(zephon::CLSID_ZephonButton, zephon::kControlProgId);
  for (const zephon::PageClass& page : zephon::kOwnPages) {
    HRESULT hr = zb::UnregisterClass(*page.clsid, page.progId);
    if (SUCCEEDED(result)) result = hr;
  }
  return result;
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    zb::SetModuleInstance(instance);
    DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID riid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (IsEqualCLSID(clsid, zephon::CLSID_ZephonButton))
    return zb::GetClassFactory(&zephon::CreateZephonButton, riid, out);
  if (zb::CreateInstanceFn page = zephon::PageCreator(clsid)) return zb::GetClassFactory(page, riid, out);
  return CLASS_E_CLASSNOTAVAILABLE;
}

STDAPI DllCanUnloadNow() { return zb::ModuleLockCount() == 0 ? S_OK : S_FALSE; }

STDAPI DllRegisterServer() {
  const std::wstring path = zb::ModulePath();
  if (path.empty() || FAILED(zb::RegisterModuleTypeLib(path))) return SELFREG_E_TYPELIB;
  if (FAILED(RegisterClasses(path))) return SELFREG_E_CLASS;
  return S_OK;
}

// Both steps always run, so a module whose type library is already gone can still remove its
// classes; the first failure is the one reported.
STDAPI DllUnregisterServer() {
  HRESULT lib =
      zb::UnregisterModuleTypeLib(zephon::LIBID_ZEPHONBUTTONLib, zephon::kLibMajor, zephon::kLibMinor, 0x0409);
  HRESULT classes = UnregisterClasses();
  if (FAILED(lib)) return SELFREG_E_TYPELIB;
  if (FAILED(classes)) return SELFREG_E_CLASS;
  return S_OK;
}
