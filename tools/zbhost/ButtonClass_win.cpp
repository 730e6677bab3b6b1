#include "tools/zbhost/ButtonClass_win.h"

#include <cstdio>

#include "button/control/ZephonButtonIds.h"
#include "tools/zbhost/EventLog_win.h"
#include "tools/zbhost/TextConvert_win.h"

namespace tools {

namespace {

const wchar_t kModuleName[] = L"ZEPHONBUTTONPRO.OCX";

std::wstring OwnFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
    if (n == 0) return std::wstring();
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    if (path.size() > 32768) return std::wstring();
    path.resize(path.size() * 2);
  }
  return path.substr(0, path.find_last_of(L"\\/") + 1);
}

std::string ClassText() {
  wchar_t text[64] = {};
  StringFromGUID2(button::CLSID_ZephonButton, text, 64);
  return Utf8(text);
}

// Answers that mean "no usable registration", as opposed to a control that failed to start.
bool NotRegistered(HRESULT hr) {
  return hr == REGDB_E_CLASSNOTREG || hr == CO_E_DLLNOTFOUND || hr == HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND) ||
         hr == HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND) || hr == HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND);
}

}  // namespace

std::string CButtonClass::HResultText(HRESULT hr) {
  char code[16];
  std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(hr));
  wchar_t* message = nullptr;
  const DWORD n =
      FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, DWORD(hr), 0, reinterpret_cast<wchar_t*>(&message), 0, nullptr);
  std::wstring text = n && message ? std::wstring(message, n) : std::wstring();
  if (message) LocalFree(message);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ' || text.back() == L'.'))
    text.pop_back();
  return text.empty() ? std::string(code) : std::string(code) + " (" + Utf8(text) + ")";
}

HRESULT CButtonClass::RegisterModuleBesideUs(std::string& error) {
  m_triedRegistering = true;
  const std::wstring path = OwnFolder() + kModuleName;
  if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
    error = "the button control class " + ClassText() + " is not registered and " + Utf8(kModuleName) +
            " is not beside ZBHOST.exe to register it";
    return REGDB_E_CLASSNOTREG;
  }
  // Stays loaded: COM takes this same module when it makes the objects.
  HMODULE module = LoadLibraryW(path.c_str());
  if (!module) {
    const HRESULT hr = HRESULT_FROM_WIN32(GetLastError());
    error = "cannot load " + Utf8(path) + ": " + HResultText(hr);
    return hr;
  }
  using RegisterFn = HRESULT(STDAPICALLTYPE*)();
  auto reg = reinterpret_cast<RegisterFn>(reinterpret_cast<void*>(GetProcAddress(module, "DllRegisterServer")));
  const HRESULT hr = reg ? reg() : E_NOINTERFACE;
  if (FAILED(hr)) {
    error = "registering " + Utf8(path) + " failed: " + HResultText(hr);
    return hr;
  }
  CEventLog::Note("the button control was not registered: registered " + Utf8(path));
  return S_OK;
}

HRESULT CButtonClass::CreateObject(common::ComPtr<IUnknown>& out, std::string& error) {
  HRESULT hr = CoCreateInstance(button::CLSID_ZephonButton, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, out.PutVoid());
  if (NotRegistered(hr) && !m_triedRegistering) {
    const HRESULT reg = RegisterModuleBesideUs(error);
    if (FAILED(reg)) return reg;
    hr = CoCreateInstance(button::CLSID_ZephonButton, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, out.PutVoid());
  }
  if (FAILED(hr)) {
    error = "cannot create the button control " + ClassText() + ": " + HResultText(hr);
    return hr;
  }
  return S_OK;
}

}  // namespace tools
