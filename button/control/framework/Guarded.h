#pragma once
// Guarded: the exception guard of every COM entry point.
#include <windows.h>

#include <new>

namespace zb {

// Runs one COM entry point; no C++ exception crosses the COM boundary.
template <class F>
HRESULT Guarded(F&& f) noexcept {
  try {
    return f();
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_UNEXPECTED;
  }
}

}  // namespace zb
