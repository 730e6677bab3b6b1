#pragma once
// A font description: what the control's two font holders are built from and reset to. Sizes are
// points × 10000 (the currency value of the platform's font description).
#include <cstdint>
#include <string>

struct FontDescription {
  std::wstring FaceName = L"Arial";
  int64_t Size = 10 * 10000;
  int16_t Weight = 700;
  int16_t CharSet = 0;
  bool Italic = false;
  bool Underline = false;
  bool Strikethrough = false;

  // The fallback when the system cannot name its status-bar font: Arial 10 pt bold.
  static FontDescription Fallback() { return FontDescription(); }

  // SetTextFontByName / SetToolTipFontByName: a non-empty name replaces the face, a size above 0 sets
  // whole points, Bold picks 700 or 400, italic and underline follow their flags.
  void ApplyByName(const std::wstring& name, int32_t points, bool italic, bool bold, bool underline);

  // A logical font height (pixels; negative means character height) at a vertical resolution in
  // points × 10000, whole points as the platform's dialogs show them. 0 when the input makes no sense.
  static int64_t SizeFromLogicalHeight(int32_t height, int32_t pixelsPerInch);

  bool operator==(const FontDescription& o) const {
    return FaceName == o.FaceName && Size == o.Size && Weight == o.Weight && CharSet == o.CharSet &&
           Italic == o.Italic && Underline == o.Underline && Strikethrough == o.Strikethrough;
  }
};

#ifdef _WIN32
// The system's status-bar font from its non-client metrics, or Fallback() when that cannot be read.
FontDescription SystemStatusFontDescription();
#endif
