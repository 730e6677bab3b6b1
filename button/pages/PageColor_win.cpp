#include "button/pages/PageColor.h"

#include <windows.h>
#include <olectl.h>

namespace button {

uint32_t RgbOfOleColor(long value) {
  COLORREF rgb = 0;
  if (FAILED(OleTranslateColor(OLE_COLOR(uint32_t(value)), nullptr, &rgb))) rgb = COLORREF(value) & 0xFFFFFF;
  return rgb;
}

}  // namespace button
