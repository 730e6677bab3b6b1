#include "button/framework/Module.h"

#include <vector>

namespace button {

namespace {

HINSTANCE g_instance = nullptr;
LONG g_locks = 0;

HINSTANCE CurrentInstance() {
  if (g_instance) return g_instance;
  // Linked into a program (tests): the program itself.
  return GetModuleHandleW(nullptr);
}

}  // namespace

HINSTANCE ModuleInstance() { return CurrentInstance(); }
void SetModuleInstance(HINSTANCE instance) { g_instance = instance; }

std::wstring ModulePath() {
  std::vector<wchar_t> buf(MAX_PATH);
  for (;;) {
    DWORD n = GetModuleFileNameW(CurrentInstance(), buf.data(), DWORD(buf.size()));
    if (n == 0) return std::wstring();
    if (n < buf.size()) return std::wstring(buf.data(), n);
    if (buf.size() >= 32768) return std::wstring();
    buf.resize(buf.size() * 2);
  }
}

std::wstring LoadModuleString(UINT id) {
  const wchar_t* text = nullptr;
  // With a zero buffer size LoadString hands out a pointer into the resource itself.
  int n = LoadStringW(CurrentInstance(), id, reinterpret_cast<wchar_t*>(&text), 0);
  if (n <= 0 || !text) return std::wstring();
  return std::wstring(text, size_t(n));
}

void ModuleLock() { InterlockedIncrement(&g_locks); }
void ModuleUnlock() { InterlockedDecrement(&g_locks); }
LONG ModuleLockCount() { return InterlockedCompareExchange(&g_locks, 0, 0); }

}  // namespace button
