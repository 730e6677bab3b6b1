#pragma once
// Owned Win32 handles of the panel, released when their holder goes away.
#include <windows.h>

#include <memory>
#include <type_traits>

namespace qvol2 {

struct KernelHandleCloser {
  using pointer = HANDLE;
  void operator()(HANDLE h) const {
    if (h && h != INVALID_HANDLE_VALUE) CloseHandle(h);
  }
};
// Null when absent: a failed CreateFile's INVALID_HANDLE_VALUE is stored as null.
using KernelHandle = std::unique_ptr<void, KernelHandleCloser>;
inline KernelHandle OwnHandle(HANDLE h) { return KernelHandle(h == INVALID_HANDLE_VALUE ? nullptr : h); }

struct FontCloser {
  using pointer = HFONT;
  void operator()(HFONT f) const { DeleteObject(f); }
};
using FontHandle = std::unique_ptr<std::remove_pointer_t<HFONT>, FontCloser>;

struct BitmapCloser {
  using pointer = HBITMAP;
  void operator()(HBITMAP b) const { DeleteObject(b); }
};
using BitmapHandle = std::unique_ptr<std::remove_pointer_t<HBITMAP>, BitmapCloser>;

struct IconCloser {
  using pointer = HICON;
  void operator()(HICON i) const { DestroyIcon(i); }
};
using IconHandle = std::unique_ptr<std::remove_pointer_t<HICON>, IconCloser>;

}  // namespace qvol2
