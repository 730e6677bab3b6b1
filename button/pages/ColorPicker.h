#pragma once
// The Colors page's colour picker: a 128 x 128 plane of two channels beside a strip for the third
// (the slider channel), or a "Fine" plane that shades the base colour towards white and black.
// Portable: the state, the mouse and button rules and the drawing into a CImageDIB; the page moves
// the results between the picker and its dialog.
#include <cstdint>

namespace button {

class CImageDIB;

struct PickerColor {
  int r = 0, g = 0, b = 0;
  int& Channel(int channel) { return channel == 0 ? r : channel == 1 ? g : b; }
  int Channel(int channel) const { return channel == 0 ? r : channel == 1 ? g : b; }
  uint32_t ColorRef() const { return uint32_t(r) | uint32_t(g) << 8 | uint32_t(b) << 16; }
  static PickerColor FromColorRef(uint32_t c) { return {int(c & 0xFF), int(c >> 8 & 0xFF), int(c >> 16 & 0xFF)}; }
  bool operator==(const PickerColor& o) const { return r == o.r && g == o.g && b == o.b; }
};

class CColorPicker {
 public:
  // Where the picture sits on the page, and its size.
  static constexpr int kLeft = 6, kTop = 18, kWidth = 140, kHeight = 129;

  // Draws the picture into `out` (created at 140 x 129); false when the buffer cannot be made.
  bool Draw(CImageDIB& out) const;

  // Left button down, or moving with it held, at page client pixel (x, y); true when the colour changed.
  bool Track(int x, int y);
  void EndDrag() { m_drag = Drag::None; }

  // A number box edit: the value, clamped to 0..255, goes into both colours.
  void SetChannel(int channel, long value);
  void ChooseSliderChannel(int channel);
  void SetFineMode(bool on);
  // "more...": the fine colour becomes the new centre.
  void Recentre();
  // "Select color to color picker": an item's colour becomes the loaded, base and fine colour.
  void Load(uint32_t colorref);

  // What the number boxes show and what "Set color" writes.
  PickerColor Current() const { return m_fineMode ? m_fine : m_base; }
  PickerColor Base() const { return m_base; }
  PickerColor Loaded() const { return m_loaded; }
  int SliderChannel() const { return m_channel; }
  int SliderValue() const { return m_slider; }
  bool FineMode() const { return m_fineMode; }
  bool Dragging() const { return m_drag != Drag::None; }

  // The fine plane's colour at column value vx (0..254) and displayed row d (0..127).
  static PickerColor FineColor(const PickerColor& base, int vx, int row);

 private:
  enum class Drag { None, Plane, Strip };

  PickerColor m_base{16, 132, 164};
  PickerColor m_fine{16, 132, 164};
  PickerColor m_loaded{};
  int m_channel = 0;  // 0 red, 1 green, 2 blue
  int m_slider = 16;
  bool m_fineMode = false;
  Drag m_drag = Drag::None;
};

}  // namespace button
