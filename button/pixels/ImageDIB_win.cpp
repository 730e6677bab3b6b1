// CImageDIB: transfers between the buffer and GDI bitmaps and device contexts.
#include <algorithm>
#include <cstdint>

#include "button/pixels/ImageDIB.h"
#include "common/win/Handles.h"

namespace button {

// GetDIBits may rewrite the header it is given (image size, colour table), so reads hand it a copy
// and the buffer's own header keeps describing its block. Reads never ask for more rows than the
// buffer holds.
int CImageDIB::GetFromBitmap(HDC dc, HBITMAP bitmap) {
  if (!HasPixels()) return 0;
  BITMAPINFO info = m_info;
  return GetDIBits(dc, bitmap, 0, UINT(m_height), m_bits, &info, DIB_RGB_COLORS);
}

int CImageDIB::SetToBitmap(HDC dc, HBITMAP bitmap) {
  if (!HasPixels()) return 0;
  return SetDIBits(dc, bitmap, 0, UINT(m_height), m_bits, &m_info, DIB_RGB_COLORS);
}

int CImageDIB::Draw(HDC dc, int x, int y) {
  if (!HasPixels()) return 0;
  return SetDIBitsToDevice(dc, x, y, DWORD(m_width), DWORD(m_height), 0, 0, 0, UINT(m_height), m_bits, &m_info,
                           DIB_RGB_COLORS);
}

// (srcX, srcTop) is counted from the top of the image; GDI wants the part's bottom row.
int CImageDIB::DrawPart(HDC dc, int srcX, int srcTop, int destX, int destY, int w, int h) {
  const int64_t srcY = int64_t(m_height) - srcTop - h;
  if (!HasPixels() || w <= 0 || h <= 0 || srcY < INT32_MIN || srcY > INT32_MAX) return 0;
  return SetDIBitsToDevice(dc, destX, destY, DWORD(w), DWORD(h), srcX, int(srcY), 0, UINT(m_height), m_bits, &m_info,
                           DIB_RGB_COLORS);
}

int CImageDIB::GrabFromDC(HDC dc, int x, int y, int w, int h) {
  if (!HasPixels() || w <= 0 || h <= 0) return 0;
  common::MemoryDC memory(CreateCompatibleDC(dc));
  common::GdiBitmap bitmap(CreateCompatibleBitmap(dc, w, h));
  if (!memory || !bitmap) return 0;
  {
    common::SelectedObject selected = common::SelectInto(memory.Get(), bitmap.Get());
    PatBlt(memory.Get(), 0, 0, w, h, BLACKNESS);
    BitBlt(memory.Get(), 0, 0, w, h, dc, x, y, SRCCOPY);
  }
  BITMAPINFO info = m_info;
  return GetDIBits(dc, bitmap.Get(), 0, UINT(std::min(h, m_height)), m_bits, &info, DIB_RGB_COLORS);
}

}  // namespace button
