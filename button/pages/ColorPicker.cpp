#include "button/pages/ColorPicker.h"

#include <algorithm>

#include "button/pixels/ImageDIB.h"

namespace button {

namespace {

int ClampByte(long v) { return int(std::clamp<long>(v, 0, 255)); }

// One channel of the fine plane: n - trunc(o * ((n - C) + rowTerm)) taken as a byte, where the row
// term d * C / 255 is built up row by row in floating point.
struct FineRow {
  double term[3] = {0, 0, 0};
  void Next(const PickerColor& base) {
    for (int c = 0; c < 3; ++c) term[c] += base.Channel(c) / 255.0;
  }
  PickerColor At(const PickerColor& base, int row, double o) const {
    const int n = 255 - 2 * row;
    PickerColor out;
    for (int c = 0; c < 3; ++c) {
      const double shade = o * ((n - base.Channel(c)) + term[c]);
      out.Channel(c) = int(uint8_t(n - long(shade)));
    }
    return out;
  }
};

}  // namespace

PickerColor CColorPicker::FineColor(const PickerColor& base, int vx, int row) {
  FineRow r;
  for (int d = 0; d < row; ++d) r.Next(base);
  return r.At(base, row, vx / 255.0);
}

bool CColorPicker::Draw(CImageDIB& out) const {
  if (!out.Create(kWidth, kHeight)) return false;
  const int slider = ClampByte(m_slider);
  if (m_fineMode) {
    FineRow r;
    for (int d = 0; d < 128; ++d) {
      for (int x = 0; x < 128; ++x) {
        const PickerColor p = r.At(m_base, d, 2.0 * x / 255.0);
        out.SetPixel(x, 127 - d, uint32_t(p.r) << 16 | uint32_t(p.g) << 8 | uint32_t(p.b));
      }
      r.Next(m_base);
    }
  } else {
    for (int c = 0; c <= 254; c += 2)
      for (int i = 0; i <= 254; i += 2) {
        PickerColor p;
        if (m_channel == 0)
          p = {slider, c, i};
        else if (m_channel == 1)
          p = {c, slider, i};
        else
          p = {i, c, slider};
        out.SetPixel(i / 2, c / 2, uint32_t(p.r) << 16 | uint32_t(p.g) << 8 | uint32_t(p.b));
      }
  }
  for (int c = 0; c <= 254; c += 2) {
    PickerColor p = m_base;
    p.Channel(m_channel) = c;
    out.HLine(129, c / 2, 139, p.r, p.g, p.b);
  }
  if (!m_fineMode) {
    // The marker: a dithered square in the inverted base colour over the base colour's place.
    int cx = m_base.b / 2, cy = m_base.g / 2;
    if (m_channel == 1) cy = m_base.r / 2;
    if (m_channel == 2) cx = m_base.r / 2;
    out.DitherRect(cx - 2, cy - 2, 5, 5, 255 - m_base.r, 255 - m_base.g, 255 - m_base.b);
  }
  out.HLine(130, slider / 2, 139, 255, 255, 0);
  for (int x : {0, 128, 139}) out.VLine(x, 0, 128, 0, 0, 0);
  for (int y : {0, 128}) out.HLine(0, y, 139, 0, 0, 0);
  return true;
}

bool CColorPicker::Track(int x, int y) {
  const int px = std::max(x - kLeft, 0);
  const int d = std::clamp(y - kTop, 0, 127);
  const int vy = 255 - 2 * d, vx = std::min(px, 127) * 2;
  if (x > 5 && x <= 134 && y > 17 && y <= 148 && m_drag != Drag::Strip) {
    m_drag = Drag::Plane;
    if (m_fineMode) {
      m_fine = FineColor(m_base, vx, d);
      return true;
    }
    if (m_channel == 0) {
      m_base.g = vy;
      m_base.b = vx;
    } else if (m_channel == 1) {
      m_base.r = vy;
      m_base.b = vx;
    } else {
      m_base.r = vx;
      m_base.g = vy;
    }
    m_fine = m_base;
    return true;
  }
  const bool onStrip = (x > 134 && x <= 146 && m_drag == Drag::None) || m_drag == Drag::Strip;
  if (onStrip && y >= 18 && y <= 148 && m_drag != Drag::Plane) {
    m_drag = Drag::Strip;
    m_slider = vy;
    m_base.Channel(m_channel) = vy;
    m_fine = m_base;
    return true;
  }
  return false;
}

void CColorPicker::SetChannel(int channel, long value) {
  if (channel < 0 || channel > 2) return;
  const int v = ClampByte(value);
  m_base.Channel(channel) = v;
  m_fine.Channel(channel) = v;
  if (channel == m_channel) m_slider = v;
}

void CColorPicker::ChooseSliderChannel(int channel) {
  if (channel < 0 || channel > 2) return;
  m_channel = channel;
  m_slider = m_base.Channel(channel);
}

void CColorPicker::SetFineMode(bool on) {
  m_fineMode = on;
  if (on) {
    m_fine = m_base;
  } else {
    m_base = m_fine;
    m_slider = m_base.Channel(m_channel);
  }
}

void CColorPicker::Recentre() {
  m_base = m_fine;
  m_slider = m_base.Channel(m_channel);
}

void CColorPicker::Load(uint32_t colorref) {
  m_loaded = PickerColor::FromColorRef(colorref);
  m_base = m_loaded;
  m_fine = m_loaded;
  m_slider = m_base.Channel(m_channel);
}

}  // namespace button
