#include "button/framework/Registration.h"

#include <comcat.h>
#include <cwchar>
#include <objbase.h>
#include <oleauto.h>

#include "common/win/ComPtr.h"
#include "common/win/ComError.h"
#include "common/win/Handles.h"

namespace button {

namespace {

LONG CreateKey(HKEY parent, const std::wstring& sub, common::RegKey& key) {
  return RegCreateKeyExW(parent, sub.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, nullptr,
                         key.Put(), nullptr);
}

LONG SetString(const common::RegKey& key, const wchar_t* name, const std::wstring& value) {
  return RegSetValueExW(key.Get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                        DWORD((value.size() + 1) * sizeof(wchar_t)));
}

HRESULT FromWin32(LONG rc) { return rc == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(rc); }

// Creates parent\sub and sets its default value (and optionally one named value).
HRESULT SetKey(HKEY parent, const std::wstring& sub, const std::wstring& value, const wchar_t* name = nullptr,
               const std::wstring& namedValue = std::wstring()) {
  common::RegKey key;
  LONG rc = CreateKey(parent, sub, key);
  if (rc != ERROR_SUCCESS) return FromWin32(rc);
  rc = SetString(key, nullptr, value);
  if (rc == ERROR_SUCCESS && name) rc = SetString(key, name, namedValue);
  return FromWin32(rc);
}

HRESULT SetEmptyKey(HKEY parent, const std::wstring& sub) {
  common::RegKey key;
  return FromWin32(CreateKey(parent, sub, key));
}

HRESULT DeleteTree(HKEY parent, const std::wstring& sub) {
  LONG rc = RegDeleteTreeW(parent, sub.c_str());
  if (rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND) {
    rc = RegDeleteKeyW(parent, sub.c_str());
    if (rc == ERROR_FILE_NOT_FOUND) rc = ERROR_SUCCESS;
  }
  return FromWin32(rc);
}

std::wstring ReadDefault(HKEY parent, const std::wstring& sub) {
  common::RegKey key;
  if (RegOpenKeyExW(parent, sub.c_str(), 0, KEY_READ, key.Put()) != ERROR_SUCCESS) return std::wstring();
  wchar_t buf[128] = {};
  DWORD size = sizeof(buf) - sizeof(wchar_t);
  DWORD type = 0;
  if (RegQueryValueExW(key.Get(), nullptr, nullptr, &type, reinterpret_cast<BYTE*>(buf), &size) != ERROR_SUCCESS ||
      type != REG_SZ)
    return std::wstring();
  return std::wstring(buf);
}

// Whether the other registry view (the 32-bit one from a 64-bit process, and the other way round)
// has an in-process server for the class. On a 32-bit system the flag is ignored and this view,
// where the class was just removed, is read again.
bool RegisteredInOtherView(const std::wstring& guid) {
  const REGSAM other = sizeof(void*) == 8 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;
  common::RegKey key;
  return RegOpenKeyExW(HKEY_CLASSES_ROOT, (L"CLSID\\" + guid + L"\\InprocServer32").c_str(), 0, KEY_READ | other,
                       key.Put()) == ERROR_SUCCESS;
}

HRESULT RegisterProgId(const CLSID& clsid, const wchar_t* progId, const std::wstring& typeName) {
  if (!progId || !*progId) return S_OK;
  HRESULT hr = SetKey(HKEY_CLASSES_ROOT, progId, typeName);
  if (SUCCEEDED(hr)) hr = SetKey(HKEY_CLASSES_ROOT, std::wstring(progId) + L"\\CLSID", GuidString(clsid));
  return hr;
}

}  // namespace

std::wstring GuidString(const GUID& guid) {
  wchar_t buf[64] = {};
  if (StringFromGUID2(guid, buf, 64) == 0) return std::wstring();
  return buf;
}

HRESULT RegisterControlClass(const ControlRegistration& reg) {
  if (!reg.clsid || reg.modulePath.empty()) return E_INVALIDARG;
  const std::wstring clsidKey = L"CLSID\\" + GuidString(*reg.clsid);
  HRESULT hr = RegisterProgId(*reg.clsid, reg.progId, reg.typeName);
  if (SUCCEEDED(hr)) hr = SetKey(HKEY_CLASSES_ROOT, clsidKey, reg.typeName);
  if (SUCCEEDED(hr) && reg.progId) hr = SetKey(HKEY_CLASSES_ROOT, clsidKey + L"\\ProgID", reg.progId);
  if (SUCCEEDED(hr))
    hr = SetKey(HKEY_CLASSES_ROOT, clsidKey + L"\\InprocServer32", reg.modulePath, L"ThreadingModel",
                reg.threadingModel ? reg.threadingModel : L"Apartment");
  if (SUCCEEDED(hr))
    hr = SetKey(HKEY_CLASSES_ROOT, clsidKey + L"\\ToolboxBitmap32",
                reg.modulePath + L", " + std::to_wstring(reg.toolboxBitmapId));
  if (SUCCEEDED(hr)) hr = SetKey(HKEY_CLASSES_ROOT, clsidKey + L"\\MiscStatus", L"0");
  if (SUCCEEDED(hr)) hr = SetKey(HKEY_CLASSES_ROOT, clsidKey + L"\\MiscStatus\\1", std::to_wstring(reg.miscStatus));
  if (SUCCEEDED(hr)) hr = SetEmptyKey(HKEY_CLASSES_ROOT, clsidKey + L"\\Control");
  if (SUCCEEDED(hr) && reg.libid) hr = SetKey(HKEY_CLASSES_ROOT, clsidKey + L"\\TypeLib", GuidString(*reg.libid));
  if (SUCCEEDED(hr))
    hr = SetKey(HKEY_CLASSES_ROOT, clsidKey + L"\\Version",
                std::to_wstring(reg.verMajor) + L"." + std::to_wstring(reg.verMinor));
  // A control of ours is never an insertable document object, whatever an older registration said.
  if (SUCCEEDED(hr)) hr = DeleteTree(HKEY_CLASSES_ROOT, clsidKey + L"\\Insertable");
  return hr;
}

HRESULT RegisterPlainClass(const CLSID& clsid, const wchar_t* progId, const std::wstring& typeName,
                           const std::wstring& modulePath) {
  if (modulePath.empty()) return E_INVALIDARG;
  const std::wstring clsidKey = L"CLSID\\" + GuidString(clsid);
  HRESULT hr = RegisterProgId(clsid, progId, typeName);
  if (SUCCEEDED(hr)) hr = SetKey(HKEY_CLASSES_ROOT, clsidKey, typeName);
  if (SUCCEEDED(hr) && progId) hr = SetKey(HKEY_CLASSES_ROOT, clsidKey + L"\\ProgID", progId);
  if (SUCCEEDED(hr))
    hr = SetKey(HKEY_CLASSES_ROOT, clsidKey + L"\\InprocServer32", modulePath, L"ThreadingModel", L"Apartment");
  return hr;
}

HRESULT UnregisterClass(const CLSID& clsid, const wchar_t* progId) {
  const std::wstring guid = GuidString(clsid);
  HRESULT hr = DeleteTree(HKEY_CLASSES_ROOT, L"CLSID\\" + guid);
  if (progId && *progId) {
    // A ProgID that another class has taken over since is not ours to remove. Nor is one that the
    // module of the other bitness still serves: ProgID keys are shared by the 32-bit and 64-bit
    // views of the classes, CLSID keys are not.
    std::wstring owner = ReadDefault(HKEY_CLASSES_ROOT, std::wstring(progId) + L"\\CLSID");
    if ((owner.empty() || _wcsicmp(owner.c_str(), guid.c_str()) == 0) && !RegisteredInOtherView(guid)) {
      HRESULT hr2 = DeleteTree(HKEY_CLASSES_ROOT, progId);
      if (SUCCEEDED(hr)) hr = hr2;
    }
  }
  return hr;
}

HRESULT RegisterModuleTypeLib(const std::wstring& modulePath) {
  common::ComPtr<ITypeLib> lib;
  ZB_RETURN_IF_FAILED(LoadTypeLibEx(modulePath.c_str(), REGKIND_NONE, lib.Put()));
  // The help folder is the module's folder.
  std::wstring folder = modulePath;
  size_t slash = folder.find_last_of(L"\\/");
  folder = slash == std::wstring::npos ? std::wstring() : folder.substr(0, slash);
  return RegisterTypeLib(lib.Get(), const_cast<wchar_t*>(modulePath.c_str()),
                         folder.empty() ? nullptr : const_cast<wchar_t*>(folder.c_str()));
}

HRESULT UnregisterModuleTypeLib(const GUID& libid, WORD major, WORD minor, LCID lcid) {
  // Both registry views share the library's key, which holds one path entry per platform ("win32",
  // "win64") below its locale. While the module of the other bitness keeps its entry, only ours
  // goes: UnRegisterTypeLib would also take the interface keys that module relies on, in both views.
  const bool is64 = sizeof(void*) == 8;
  wchar_t version[40] = {};
  swprintf(version, 40, L"\\%x.%x\\%lx\\", unsigned(major), unsigned(minor), static_cast<unsigned long>(lcid));
  const std::wstring locale = L"TypeLib\\" + GuidString(libid) + version;
  common::RegKey other;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, (locale + (is64 ? L"win32" : L"win64")).c_str(), 0, KEY_READ, other.Put()) ==
      ERROR_SUCCESS) {
    const LONG rc = RegDeleteKeyW(HKEY_CLASSES_ROOT, (locale + (is64 ? L"win64" : L"win32")).c_str());
    return rc == ERROR_FILE_NOT_FOUND ? TYPE_E_LIBNOTREGISTERED : FromWin32(rc);
  }
  return UnRegisterTypeLib(libid, major, minor, lcid, is64 ? SYS_WIN64 : SYS_WIN32);
}

HRESULT RegisterClassInCategory(const CLSID& clsid, const GUID& catid, const wchar_t* description) {
  common::ComPtr<ICatRegister> cats;
  HRESULT hr = CoCreateInstance(CLSID_StdComponentCategoriesMgr, nullptr, CLSCTX_INPROC_SERVER, IID_ICatRegister,
                                cats.PutVoid());
  // Not traced: registration runs in processes without COM as well, where the categories are
  // skipped on purpose (the module registers them best effort).
  if (FAILED(hr)) return hr;
  CATEGORYINFO info{};
  info.catid = catid;
  info.lcid = 0x0409;
  lstrcpynW(info.szDescription, description, int(sizeof(info.szDescription) / sizeof(wchar_t)));
  ZB_RETURN_IF_FAILED(hr = cats->RegisterCategories(1, &info));
  CATID ids[1] = {catid};
  return cats->RegisterClassImplCategories(clsid, 1, ids);
}

}  // namespace button
