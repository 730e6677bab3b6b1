#include "button/control/FontDescription.h"
#include "common/win/ScreenDpi.h"

#include <windows.h>

namespace button {

button::FontDescription Fallback() {
  button::FontDescription d;
  d.face = L"Arial";
  d.size.int64 = 10 * 10000;
  d.weight = 700;
  d.charset = 0;
  d.italic = d.underline = d.strikethrough = false;
  return d;
}

button::FontDescription SystemDefault() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) return Fallback();
  const int dpi = common::ScreenDpi(LOGPIXELSY);
  const LOGFONTW& lf = metrics.lfStatusFont;
  // The height's sign only says whether it counts internal leading; its magnitude gives the points.
  const int64_t height = lf.lfHeight < 0 ? -int64_t(lf.lfHeight) : int64_t(lf.lfHeight);
  if (height == 0 || lf.lfFaceName[0] == 0) return Fallback();
  button::FontDescription d;
  d.face.assign(lf.lfFaceName, wcsnlen(lf.lfFaceName, LF_FACESIZE));
  d.size.int64 = height * 72 / dpi * 10000;
  d.weight = short(lf.lfWeight);
  d.charset = lf.lfCharSet;
  d.italic = lf.lfItalic != 0;
  d.underline = lf.lfUnderline != 0;
  d.strikethrough = lf.lfStrikeOut != 0;
  return d;
}

void ApplyByName(button::FontDescription& d, const std::wstring& name, long points, bool italic, bool bold,
                 bool underline) {
  if (!name.empty()) d.face = name;
  if (points > 0) d.size.int64 = int64_t(points) * 10000;  // 64-bit: no overflow for any long
  d.weight = bold ? 700 : 400;
  d.italic = italic;
  d.underline = underline;
}

}  // namespace button
