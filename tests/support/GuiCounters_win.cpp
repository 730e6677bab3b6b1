#include "tests/support/GuiCounters_win.h"

#include <windows.h>
#include <winternl.h>

#include <cstdint>

namespace tests {

namespace {

// An entry of the PEB's GdiSharedHandleTable: 24 bytes, type byte at offset 14. Wine keeps these
// 64-bit fields in 32-bit processes too; only the table's place in the PEB moves.
struct GdiEntry {
  uint64_t object;
  uint32_t owner;
  uint16_t unique;
  uint8_t type;
  uint8_t flags;
  uint64_t user;
};
static_assert(sizeof(GdiEntry) == 24, "GDI handle table entry");

BOOL CALLBACK CountWindow(HWND hwnd, LPARAM count) {
  ++*reinterpret_cast<long*>(count);
  EnumChildWindows(hwnd, CountWindow, count);
  return TRUE;
}

}  // namespace

long GdiObjects() {
  DWORD n = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  if (n) return long(n);
  auto* peb = reinterpret_cast<char*>(NtCurrentTeb()->ProcessEnvironmentBlock);
  auto* table = *reinterpret_cast<GdiEntry**>(peb + (sizeof(void*) == 8 ? 0xF8 : 0x94));
  if (!table) return -1;
  long count = 0;
  for (int i = 0; i < 0x10000; ++i)
    if (table[i].type) ++count;
  return count;
}

bool GdiCounterWorks() {
  long before = GdiObjects();
  HBITMAP b[5];
  for (HBITMAP& x : b) x = CreateBitmap(2, 2, 1, 32, nullptr);
  long during = GdiObjects();
  for (HBITMAP& x : b) DeleteObject(x);
  return before >= 0 && during == before + 5 && GdiObjects() == before;
}

long UserObjects() {
  DWORD n = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
  if (n) return long(n);
  long count = 0;
  EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&count));
  return count;
}

}  // namespace tests
