#pragma once
// CImageDIB: the control's 32-bit pixel buffer. One pixel is the word 0x00RRGGBB (blue in the low
// byte); rows are stored bottom-up, so every y below is a memory row counted from the image's bottom.
#include <cstddef>
#include <cstdint>
#include <string>

#include "button/pixels/DibHeader.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace button {

class CImageDIB {
 public:
  // Largest byte count Create accepts; anything above fails like an allocation failure.
  static constexpr uint64_t kMaxBytes = uint64_t(1) << 30;

  CImageDIB();
  ~CImageDIB();
  CImageDIB(const CImageDIB&) = delete;
  CImageDIB& operator=(const CImageDIB&) = delete;

  // Life cycle.
  bool Create(int32_t width, int32_t height);
  void Destroy();

  int32_t Width() const { return m_width; }
  int32_t Height() const { return m_height; }
  bool HasPixels() const { return m_bits != nullptr && m_width > 0 && m_height > 0; }
  const ZbBitmapInfo& Info() const { return m_info; }
  uint32_t Pixel(int32_t x, int32_t y) const { return m_bits[size_t(y) * size_t(m_width) + size_t(x)]; }
  void SetPixel(int32_t x, int32_t y, uint32_t v) { m_bits[size_t(y) * size_t(m_width) + size_t(x)] = v; }

  // Structural drawing (colours as three channel bytes; only the low 8 bits of each count).
  // Rectangles are clipped to the buffer; HLine/VLine expect inside coordinates with x1 <= x2 and
  // y1 <= y2 but cut anything outside rather than write past the pixels. CopyFrom/CopyTo copy only
  // between buffers of one size.
  void Fill(int r, int g, int b);
  void FillRect(int x, int y, int w, int h, int r, int g, int b);
  void BlendRect(int x, int y, int w, int h, uint32_t colorref, int alpha);
  void DitherRect(int x, int y, int w, int h, int r, int g, int b);
  void HLine(int x1, int y, int x2, int r, int g, int b);
  void VLine(int x, int y1, int y2, int r, int g, int b);
  void BlitFrom(const CImageDIB& source, int x, int y);
  void CopyFrom(const CImageDIB& source);
  void CopyTo(CImageDIB& target) const;
  void Flip(int vertical, int horizontal);

  // Pixel operations combining this buffer with an equal-size other one (any other size: no change).
  // Amounts and opacities count by their low byte.
  void Difference(const CImageDIB& other);
  void Lighten(const CImageDIB& other);
  void Multiply(const CImageDIB& other);
  void Blend50(const CImageDIB& other);
  void Add(const CImageDIB& other);
  void Screen(const CImageDIB& other);
  void Darken(const CImageDIB& other);
  void BlendWith(const CImageDIB& other, int amount);
  void Tint(int r, int g, int b, int amount);
  void Desaturate(int useR, int useG, int useB);
  void Blur(int n);
  void BlendText(const CImageDIB& textLayer, int amount);
  void Gradient4(int x, int y, int w, int h, uint32_t c1, uint32_t c2, uint32_t c3, uint32_t c4, int a1, int a2, int a3,
                 int a4);
  void MaskTransparent(const CImageDIB* source, int x, int y, int opacityOther, int opacityKey, uint32_t keyColour,
                       int tolerance);
  static bool ColorMatch(int r, int g, int b, int kr, int kg, int kb, int tolerance);
  void Buttonize(int n, uint32_t colourA, uint32_t colourB, int intensity);

#ifdef _WIN32
  // GDI transfers; each returns GDI's result unchanged (0 without calling GDI when the buffer has
  // no pixels). Reads never fill more rows than the buffer holds.
  int GetFromBitmap(HDC dc, HBITMAP bitmap);
  int SetToBitmap(HDC dc, HBITMAP bitmap);
  int Draw(HDC dc, int x, int y);
  int DrawPart(HDC dc, int srcX, int srcTop, int destX, int destY, int w, int h);
  int GrabFromDC(HDC dc, int x, int y, int w, int h);
#endif

  std::string ErrorText;
  ZbBitmapInfo m_info;
  int32_t m_width;
  int32_t m_height;
  uint32_t* m_bits;

 private:
  uint32_t* Row(int y) { return m_bits + size_t(y) * size_t(m_width); }
  const uint32_t* Row(int y) const { return m_bits + size_t(y) * size_t(m_width); }
  size_t PixelCount() const;                    // width x height, 0 without pixels
  bool SameSize(const CImageDIB& other) const;  // both have pixels and one size
  static void ReverseRow(uint32_t* p, size_t n);
  template <class Op>
  void CombineWith(const CImageDIB& other, Op op);  // two-source operation over equal sizes
  void BlurPass();
};

}  // namespace button
