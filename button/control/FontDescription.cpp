#include "button/control/FontDescription.h"

void FontDescription::ApplyByName(const std::wstring& name, int32_t points, bool italic, bool bold,
                                  bool underline) {
  if (!name.empty()) FaceName = name;
  if (points > 0) Size = int64_t(points) * 10000;  // int64: no overflow for any long
  Weight = bold ? 700 : 400;
  Italic = italic;
  Underline = underline;
}

int64_t FontDescription::SizeFromLogicalHeight(int32_t height, int32_t pixelsPerInch) {
  if (pixelsPerInch <= 0 || height == 0) return 0;
  // The sign only says whether the height includes internal leading; take its magnitude.
  const int64_t h = height < 0 ? -int64_t(height) : int64_t(height);
  return h * 72 / pixelsPerInch * 10000;
}
