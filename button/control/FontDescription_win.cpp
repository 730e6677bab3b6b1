#include <windows.h>

#include "button/control/FontDescription.h"

FontDescription SystemStatusFontDescription() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) return FontDescription::Fallback();
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
  if (screen) ReleaseDC(nullptr, screen);
  const LOGFONTW& lf = metrics.lfStatusFont;
  const int64_t size = FontDescription::SizeFromLogicalHeight(lf.lfHeight, dpi);
  if (size <= 0 || lf.lfFaceName[0] == 0) return FontDescription::Fallback();
  FontDescription d;
  d.FaceName.assign(lf.lfFaceName, wcsnlen(lf.lfFaceName, LF_FACESIZE));
  d.Size = size;
  d.Weight = int16_t(lf.lfWeight);
  d.CharSet = lf.lfCharSet;
  d.Italic = lf.lfItalic != 0;
  d.Underline = lf.lfUnderline != 0;
  d.Strikethrough = lf.lfStrikeOut != 0;
  return d;
}
