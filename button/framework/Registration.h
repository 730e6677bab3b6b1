#pragma once
// Registry helpers for self-registration: control classes, plain classes, type libraries and
// component categories. All keys go under HKEY_CLASSES_ROOT.
#include <windows.h>

#include <string>
#include <vector>

namespace button {

struct ControlRegistration {
  const CLSID* clsid;
  const wchar_t* progId;
  std::wstring typeName;    // default value of the CLSID and ProgID keys
  std::wstring modulePath;  // InprocServer32
  const wchar_t* threadingModel;
  UINT toolboxBitmapId;  // ToolboxBitmap32 = "<path>, <id>"
  DWORD miscStatus;      // MiscStatus\1
  const GUID* libid;
  WORD verMajor;
  WORD verMinor;
};

// Writes the CLSID and ProgID keys of a control (see ControlRegistration). Idempotent.
HRESULT RegisterControlClass(const ControlRegistration& reg);
// CLSID key with ProgID and InprocServer32 (apartment), and the ProgID key. Idempotent.
HRESULT RegisterPlainClass(const CLSID& clsid, const wchar_t* progId, const std::wstring& typeName,
                           const std::wstring& modulePath);
// Removes the CLSID key (whole tree) and the ProgID key; a missing key is not an error.
HRESULT UnregisterClass(const CLSID& clsid, const wchar_t* progId);

// Registers the module's TYPELIB resource 1 (LoadTypeLibEx + RegisterTypeLib).
HRESULT RegisterModuleTypeLib(const std::wstring& modulePath);
HRESULT UnregisterModuleTypeLib(const GUID& libid, WORD major, WORD minor, LCID lcid);

// Creates the category (ICatRegister::RegisterCategories) and, when that worked, puts the class in it.
HRESULT RegisterClassInCategory(const CLSID& clsid, const GUID& catid, const wchar_t* description);

// "{xxxxxxxx-...}"
std::wstring GuidString(const GUID& guid);

}  // namespace button
