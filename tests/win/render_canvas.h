#pragma once
// Test surfaces for the button's paint: a memory device context over a top-down 32-bit DIB section
// whose pixels can be read directly, and picture buffers addressed from the top like the screen.
#include <windows.h>

#include <cstdint>
#include <vector>

#include "button/pixels/ImageDIB.h"

namespace tests {

class Canvas {
 public:
  Canvas(int w, int h, uint32_t fill = 0x00123456) : m_w(w), m_h(h) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;  // top-down: row 0 is the top
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    m_dc = ::CreateCompatibleDC(nullptr);
    void* bits = nullptr;
    m_bitmap = ::CreateDIBSection(m_dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    m_bits = static_cast<uint32_t*>(bits);
    m_old = ::SelectObject(m_dc, m_bitmap);
    Clear(fill);
  }
  ~Canvas() {
    ::SelectObject(m_dc, m_old);
    ::DeleteObject(m_bitmap);
    ::DeleteDC(m_dc);
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  bool Ok() const { return m_dc && m_bits; }
  HDC dc() const { return m_dc; }
  int Width() const { return m_w; }
  int Height() const { return m_h; }
  void Clear(uint32_t rgb) {
    ::GdiFlush();
    for (int i = 0; i < m_w * m_h; ++i) m_bits[i] = rgb;
  }
  // 0x00RRGGBB of the pixel at (x, y), y from the top.
  uint32_t At(int x, int y) const {
    ::GdiFlush();
    return m_bits[size_t(y) * m_w + x] & 0x00FFFFFF;
  }
  std::vector<uint32_t> Pixels() const {
    ::GdiFlush();
    std::vector<uint32_t> v(m_bits, m_bits + size_t(m_w) * m_h);
    for (uint32_t& p : v) p &= 0x00FFFFFF;
    return v;
  }
  RECT Rect() const { return RECT{0, 0, m_w, m_h}; }

 private:
  int m_w, m_h;
  HDC m_dc = nullptr;
  HBITMAP m_bitmap = nullptr;
  HGDIOBJ m_old = nullptr;
  uint32_t* m_bits = nullptr;
};

// Pixel (x, y) of a buffer, y counted from the top as the screen shows it.
inline void PutTop(button::CImageDIB& img, int x, int y, uint32_t rgb) { img.SetPixel(x, img.Height() - 1 - y, rgb); }

// A w x h picture of one colour.
inline void MakeSolid(button::CImageDIB& img, int w, int h, uint32_t rgb) {
  img.Create(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) img.SetPixel(x, y, rgb);
}

// A picture whose every pixel tells its own position: red = column, green = row (from the top).
inline void MakeCoordinates(button::CImageDIB& img, int w, int h) {
  img.Create(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) PutTop(img, x, y, (uint32_t(x & 0xFF) << 16) | (uint32_t(y & 0xFF) << 8) | 0x40);
}

}  // namespace tests
