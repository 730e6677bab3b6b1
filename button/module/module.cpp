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

// The control and its seven page classes; the standard font page is the system's.
HRESULT RegisterClasses(const std::wstring& path) {
  button::ControlRegistration reg{};
  reg.clsid = &button::CLSID_ZephonButton;
  reg.progId = button::kControlProgId;
  reg.typeName = button::LoadModuleString(IDS_ZEPHONBUTTON);
  reg.modulePath = path;
  reg.threadingModel = L"Apartment";
  reg.toolboxBitmapId = IDB_ZEPHONBUTTON;
  reg.miscStatus = button::kMiscStatus;
  reg.libid = &button::LIBID_ZEPHONBUTTONLib;
  reg.verMajor = button::kLibMajor;
  reg.verMinor = button::kLibMinor;
  HRESULT hr = button::RegisterControlClass(reg);
  ZB_RETURN_IF_FAILED(hr);
  // Category membership is best effort: a system without the category manager still gets the control.
  button::RegisterClassInCategory(button::CLSID_ZephonButton, CATID_SafeForScripting,
                                  L"Controls that are safely scriptable");
  button::RegisterClassInCategory(button::CLSID_ZephonButton, CATID_SafeForInitializing,
                                  L"Controls safely initializable from persistent data");
  for (const button::PageClass& page : button::kOwnPages) {
    ZB_RETURN_IF_FAILED(hr = button::RegisterPlainClass(*page.clsid, page.progId, page.progId, path));
  }
  return S_OK;
}

HRESULT UnregisterClasses() {
  HRESULT result = button::UnregisterClass(button::CLSID_ZephonButton, button::kControlProgId);
  for (const button::PageClass& page : button::kOwnPages) {
    HRESULT hr = button::UnregisterClass(*page.clsid, page.progId);
    if (SUCCEEDED(result)) result = hr;
  }
  return result;
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    button::SetModuleInstance(instance);
    DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID riid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (IsEqualCLSID(clsid, button::CLSID_ZephonButton))
    return button::GetClassFactory(&button::CreateZephonButton, riid, out);
  if (button::CreateInstanceFn page = button::PageCreator(clsid)) return button::GetClassFactory(page, riid, out);
  return CLASS_E_CLASSNOTAVAILABLE;
}

STDAPI DllCanUnloadNow() { return button::ModuleLockCount() == 0 ? S_OK : S_FALSE; }

STDAPI DllRegisterServer() {
  const std::wstring path = button::ModulePath();
  if (path.empty() || FAILED(button::RegisterModuleTypeLib(path))) return SELFREG_E_TYPELIB;
  if (FAILED(RegisterClasses(path))) return SELFREG_E_CLASS;
  return S_OK;
}

// Both steps always run, so a module whose type library is already gone can still remove its
// classes; the first failure is the one reported.
STDAPI DllUnregisterServer() {
  HRESULT lib =
      button::UnregisterModuleTypeLib(button::LIBID_ZEPHONBUTTONLib, button::kLibMajor, button::kLibMinor, 0x0409);
  HRESULT classes = UnregisterClasses();
  if (FAILED(lib)) return SELFREG_E_TYPELIB;
  if (FAILED(classes)) return SELFREG_E_CLASS;
  return S_OK;
}
