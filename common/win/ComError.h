#pragma once
// Failures made visible. ZB_RETURN_IF_FAILED passes a failing HRESULT up and traces where it began
// (file, line, the expression) through OutputDebugString; Guarded runs a COM entry point so that no
// C++ exception crosses into the caller, tracing the exception it stops. Under Wine the traces show
// with WINEDEBUG=+debugstr; on Windows in a debugger or DebugView.
#include <windows.h>

#include <cstdio>
#include <exception>
#include <new>

namespace common {

inline void TraceFailure(HRESULT hr, const char* file, int line, const char* expression) noexcept {
  char text[512];
  std::snprintf(text, sizeof text, "%s(%d): 0x%08lX from %s\n", file, line, static_cast<unsigned long>(hr), expression);
  OutputDebugStringA(text);
}

// Runs one COM entry point; no C++ exception crosses the COM boundary.
template <class F>
HRESULT Guarded(F&& f) noexcept {
  try {
    return f();
  } catch (const std::bad_alloc&) {
    OutputDebugStringA("COM entry point: out of memory\n");
    return E_OUTOFMEMORY;
  } catch (const std::exception& e) {
    char text[512];
    std::snprintf(text, sizeof text, "COM entry point: exception stopped: %s\n", e.what());
    OutputDebugStringA(text);
    return E_UNEXPECTED;
  } catch (...) {
    OutputDebugStringA("COM entry point: exception stopped\n");
    return E_UNEXPECTED;
  }
}

// Returns the HRESULT of `expr` from the calling function when it failed, after tracing it.
#define ZB_RETURN_IF_FAILED(expr)                                     \
  do {                                                                \
    const HRESULT zbFailedHr_ = (expr);                               \
    if (FAILED(zbFailedHr_)) {                                        \
      ::common::TraceFailure(zbFailedHr_, __FILE__, __LINE__, #expr); \
      return zbFailedHr_;                                             \
    }                                                                 \
  } while (0)

}  // namespace common
