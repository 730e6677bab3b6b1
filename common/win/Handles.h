#pragma once
// Owned Win32 handles: one owner template, one alias per kind of handle. Each owner releases its
// handle the way that kind wants when it goes away or is reset; it moves but does not copy.
// Traits give the handle type, the value that means "none" and the release; a kind whose release
// needs more than the handle (a window DC needs its window, a selection its DC) keeps that in its
// traits object.
#include <windows.h>

#include <utility>

namespace common {

template <class Traits>
class UniqueHandle : private Traits {
 public:
  using Handle = typename Traits::Handle;

  UniqueHandle() = default;
  explicit UniqueHandle(Handle h, Traits traits = Traits()) : Traits(traits), m_h(h) {}
  ~UniqueHandle() { Reset(); }
  UniqueHandle(UniqueHandle&& o) noexcept : Traits(o), m_h(o.Release()) {}
  UniqueHandle& operator=(UniqueHandle&& o) noexcept {
    if (this != &o) {
      Reset();
      static_cast<Traits&>(*this) = o;
      m_h = o.Release();
    }
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  Handle Get() const { return m_h; }
  bool Valid() const { return m_h != Traits::None(); }
  explicit operator bool() const { return Valid(); }
  // Releases what is held and takes `h`.
  void Reset(Handle h = Traits::None()) {
    if (Valid()) Traits::Close(m_h);
    m_h = h;
  }
  // Gives the handle away without releasing it.
  Handle Release() { return std::exchange(m_h, Traits::None()); }
  // For out-parameters (RegOpenKeyEx and the like): releases what is held and returns the slot.
  Handle* Put() {
    Reset();
    return &m_h;
  }

 private:
  Handle m_h = Traits::None();
};

namespace detail {
// Traits of handles that are null when absent, released by `close`.
template <class H, void (*close)(H)>
struct NullIsNone {
  using Handle = H;
  static Handle None() { return nullptr; }
  static void Close(Handle h) { close(h); }
};
inline void CloseKernel(HANDLE h) { CloseHandle(h); }
inline void CloseFind(HANDLE h) { FindClose(h); }
inline void CloseKey(HKEY key) { RegCloseKey(key); }
inline void CloseIcon(HICON icon) { DestroyIcon(icon); }
inline void CloseMemoryDC(HDC dc) { DeleteDC(dc); }
inline void UnmapView(const void* view) { UnmapViewOfFile(view); }
template <class H>
void CloseGdi(H object) {
  DeleteObject(object);
}
// Files and searches: INVALID_HANDLE_VALUE when absent.
template <void (*close)(HANDLE)>
struct InvalidIsNone {
  using Handle = HANDLE;
  static Handle None() { return INVALID_HANDLE_VALUE; }
  static void Close(Handle h) { close(h); }
};
}  // namespace detail

// A kind of handle that is null when absent, declared where its API is (a WinINet handle, say).
template <class H, void (*close)(H)>
using NullHandle = UniqueHandle<detail::NullIsNone<H, close>>;

// A kernel object (process, thread, mutex, mapping): null when absent.
using KernelHandle = NullHandle<HANDLE, detail::CloseKernel>;
// A file of CreateFile.
using FileHandle = UniqueHandle<detail::InvalidIsNone<detail::CloseKernel>>;
// A search of FindFirstFile.
using FindHandle = UniqueHandle<detail::InvalidIsNone<detail::CloseFind>>;
using RegKey = NullHandle<HKEY, detail::CloseKey>;
using IconHandle = NullHandle<HICON, detail::CloseIcon>;
// A view of a file mapping (UnmapViewOfFile).
using MappedView = NullHandle<const void*, detail::UnmapView>;

// GDI objects (DeleteObject).
template <class H>
using GdiHandle = NullHandle<H, detail::CloseGdi<H>>;
using GdiObject = GdiHandle<HGDIOBJ>;
using GdiBitmap = GdiHandle<HBITMAP>;
using GdiFont = GdiHandle<HFONT>;
using GdiBrush = GdiHandle<HBRUSH>;
using GdiRegion = GdiHandle<HRGN>;

// A memory DC of CreateCompatibleDC (DeleteDC).
using MemoryDC = NullHandle<HDC, detail::CloseMemoryDC>;

// A window's DC of GetDC, given back with ReleaseDC to that window (null: the screen).
struct WindowDcTraits {
  using Handle = HDC;
  HWND window = nullptr;
  static Handle None() { return nullptr; }
  void Close(Handle dc) const { ReleaseDC(window, dc); }
};
using WindowDC = UniqueHandle<WindowDcTraits>;
inline WindowDC TakeWindowDC(HWND window) { return WindowDC(GetDC(window), WindowDcTraits{window}); }

// An object selected into a DC for a scope: holds what was selected before and selects it back.
struct SelectionTraits {
  using Handle = HGDIOBJ;
  HDC dc = nullptr;
  static Handle None() { return nullptr; }
  void Close(Handle previous) const { SelectObject(dc, previous); }
};
using SelectedObject = UniqueHandle<SelectionTraits>;
inline SelectedObject SelectInto(HDC dc, HGDIOBJ object) {
  HGDIOBJ previous = SelectObject(dc, object);
  return SelectedObject(previous == HGDI_ERROR ? nullptr : previous, SelectionTraits{dc});
}

}  // namespace common
