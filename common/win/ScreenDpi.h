#pragma once
// The screen's pixels per inch along one axis (LOGPIXELSX or LOGPIXELSY); 96, the usual value, when
// the screen cannot tell.
#include <windows.h>

#include "common/win/Handles.h"

namespace common {

inline int ScreenDpi(int axis) {
  const WindowDC screen = TakeWindowDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen.Get(), axis) : 0;
  return dpi > 0 ? dpi : 96;
}

}  // namespace common
