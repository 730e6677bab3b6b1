// CImageDIB: transfers between the buffer and GDI bitmaps and device contexts.
#include <algorithm>
#include <cstdint>

#include "button/pixels/ImageDIB.h"

namespace {

// GDI objects owned for the length of one call.
struct MemoryDC {
  HDC dc;
  explicit MemoryDC(HDC compatible) : dc(CreateCompatibleDC(compatible)) {}
  ~MemoryDC() {
    if (dc) DeleteDC(dc);
  }
  MemoryDC(const MemoryDC&) = delete;
  MemoryDC& operator=(const MemoryDC&) = delete;
};
struct Bitmap {
  HBITMAP bitmap;
  Bitmap(HDC compatible, int w, int h) : bitmap(CreateCompatibleBitmap(compatible, w, h)) {}
  ~Bitmap() {
    if (bitmap) DeleteObject(bitmap);
  }
  Bitmap(const Bitmap&) = delete;
  Bitmap& operator=(const Bitmap&) = delete;
};
struct Selection {
  HDC dc;
  HGDIOBJ previous;
  Selection(HDC d, HGDIOBJ object) : dc(d), previous(SelectObject(d, object)) {}
  ~Selection() {
    if (previous) SelectObject(dc, previous);
  }
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;
};

}  // namespace

// GetDIBits may rewrite the header it is given (image size, colour table), so reads hand it a copy
// and the buffer's own header keeps describing its block. Reads never ask for more rows than the
// buffer holds.
int CImageDIB::GetFromBitmap(HDC dc, HBITMAP bitmap) {
  if (!HasPixels()) return 0;
  BITMAPINFO info = m_Info;
  return GetDIBits(dc, bitmap, 0, UINT(m_Height), m_Bits, &info, DIB_RGB_COLORS);
}

int CImageDIB::SetToBitmap(HDC dc, HBITMAP bitmap) {
  if (!HasPixels()) return 0;
  return SetDIBits(dc, bitmap, 0, UINT(m_Height), m_Bits, &m_Info, DIB_RGB_COLORS);
}

int CImageDIB::Draw(HDC dc, int x, int y) {
  if (!HasPixels()) return 0;
  return SetDIBitsToDevice(dc, x, y, DWORD(m_Width), DWORD(m_Height), 0, 0, 0, UINT(m_Height), m_Bits, &m_Info,
                           DIB_RGB_COLORS);
}

// (srcX, srcTop) is counted from the top of the image; GDI wants the part's bottom row.
int CImageDIB::DrawPart(HDC dc, int srcX, int srcTop, int destX, int destY, int w, int h) {
  const int64_t srcY = int64_t(m_Height) - srcTop - h;
  if (!HasPixels() || w <= 0 || h <= 0 || srcY < INT32_MIN || srcY > INT32_MAX) return 0;
  return SetDIBitsToDevice(dc, destX, destY, DWORD(w), DWORD(h), srcX, int(srcY), 0, UINT(m_Height), m_Bits, &m_Info,
                           DIB_RGB_COLORS);
}

int CImageDIB::GrabFromDC(HDC dc, int x, int y, int w, int h) {
  if (!HasPixels() || w <= 0 || h <= 0) return 0;
  MemoryDC memory(dc);
  Bitmap bitmap(dc, w, h);
  if (!memory.dc || !bitmap.bitmap) return 0;
  {
    Selection selected(memory.dc, bitmap.bitmap);
    PatBlt(memory.dc, 0, 0, w, h, BLACKNESS);
    BitBlt(memory.dc, 0, 0, w, h, dc, x, y, SRCCOPY);
  }
  BITMAPINFO info = m_Info;
  return GetDIBits(dc, bitmap.bitmap, 0, UINT(std::min(h, m_Height)), m_Bits, &info, DIB_RGB_COLORS);
}
