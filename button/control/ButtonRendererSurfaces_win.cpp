#include "button/control/ButtonRendererSurfaces.h"

#include <cstring>

namespace button {

using button::Size;
using button::SurfaceKind;

namespace {

bool Large(Size s) { return int64_t(s.cx) * s.cy > CCompositionSurfaces::kKeptPixels; }

HBITMAP CreateReadback(HDC dc, Size size, void** bits) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = size.cx;
  bi.bmiHeader.biHeight = size.cy;  // bottom-up, row by row like the frame buffer
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  *bits = nullptr;
  HBITMAP bm = ::CreateDIBSection(dc, &bi, DIB_RGB_COLORS, bits, nullptr, 0);
  if (bm && !*bits) {
    ::DeleteObject(bm);
    return nullptr;
  }
  return bm;
}

}  // namespace

bool CCompositionSurfaces::Slot::Select(HBITMAP made, Size madeSize, void* madeBits) {
  DropBitmap();
  common::GdiBitmap owned(made);
  if (!owned || !dc) return false;
  const HGDIOBJ old = ::SelectObject(dc.Get(), made);
  if (!old || old == HGDI_ERROR) return false;
  first = old;
  bm = std::move(owned);
  size = madeSize;
  bits = madeBits;
  return true;
}

void CCompositionSurfaces::Slot::DropBitmap() {
  if (bm) ::SelectObject(dc.Get(), first);
  bm.Reset();
  first = nullptr;
  size = Size{};
  bits = nullptr;
}

void CCompositionSurfaces::Slot::Drop() {
  DropBitmap();
  dc.Reset();
}

SurfaceKind CCompositionSurfaces::KindOf(HDC target) {
  SurfaceKind k;
  k.objectType = int32_t(::GetObjectType(target));
  if (k.objectType == 0) return k;
  // Not BITSPIXEL: under Wine it asks the display every time and costs dozens of BitBlts. A screen's depth
  // holds for the session; a memory target's format is its bitmap's, read below.
  k.technology = ::GetDeviceCaps(target, TECHNOLOGY);
  if (k.objectType == OBJ_MEMDC) {
    // A compatible bitmap of a memory context copies the format of the bitmap selected into it.
    DIBSECTION ds{};
    const int got = ::GetObjectW(::GetCurrentObject(target, OBJ_BITMAP), sizeof ds, &ds);
    if (got >= int(sizeof(BITMAP))) {
      k.bitmapBits = ds.dsBm.bmBitsPixel;
      k.bitmapPlanes = ds.dsBm.bmPlanes;
    }
    if (got == int(sizeof ds)) {
      k.dibCompression = ds.dsBmih.biCompression;
      for (int i = 0; i < 3; ++i) k.dibMasks[size_t(i)] = ds.dsBitfields[i];
    }
  }
  return k;
}

bool CCompositionSurfaces::Keepable(const SurfaceKind& kind) {
  // Screens and memory contexts; printers, metafiles and the unknown get fresh objects every paint.
  return (kind.objectType == OBJ_DC || kind.objectType == OBJ_MEMDC) && kind.technology == DT_RASDISPLAY;
}

const wchar_t* CCompositionSurfaces::Prepare(HDC target, const SurfaceKind& kind, Size picture, Size frame) {
  if (kind != m_kind || !Keepable(kind)) Release();
  m_kind = kind;
  const wchar_t* failed = nullptr;
  if (!m_picture.dc) m_picture.dc.Reset(::CreateCompatibleDC(target));
  if (!m_picture.dc) failed = L"dc1.CreateCompatibleDC create FALSE";
  if (!failed && !m_frame.dc) m_frame.dc.Reset(::CreateCompatibleDC(target));
  if (!failed && !m_frame.dc) failed = L"dc2.CreateCompatibleDC create FALSE";
  if (!failed && (!m_picture.bm || m_picture.size != picture) &&
      !m_picture.Select(::CreateCompatibleBitmap(target, picture.cx, picture.cy), picture))
    failed = L"bm1.CreateCompatibleBitmap  create FALSE";
  if (!failed && (!m_frame.bm || m_frame.size != frame) &&
      !m_frame.Select(::CreateCompatibleBitmap(target, frame.cx, frame.cy), frame))
    failed = L"bm2.CreateCompatibleBitmap  create FALSE";
  if (!failed && !m_readback.dc) m_readback.dc.Reset(::CreateCompatibleDC(target));
  if (!failed && !m_readback.dc) failed = L"dc3.CreateCompatibleDC create FALSE";
  if (!failed && (!m_readback.bm || m_readback.size != frame)) {
    void* bits = nullptr;
    HBITMAP made = CreateReadback(m_readback.dc.Get(), frame, &bits);
    if (!m_readback.Select(made, frame, bits)) failed = L"bm3.CreateDIBSection create FALSE";
  }
  if (failed) Release();
  return failed;
}

bool CCompositionSurfaces::PutPicture(CImageDIB& picture) const {
  return picture.Draw(m_picture.dc.Get(), 0, 0) == picture.Height();
}

bool CCompositionSurfaces::PutFrame(CImageDIB& frame) const {
  return frame.Draw(m_frame.dc.Get(), 0, 0) == frame.Height();
}

bool CCompositionSurfaces::ReadFrame(CImageDIB& into) const {
  const Size s = m_frame.size;
  if (!into.HasPixels() || into.Width() != s.cx || into.Height() != s.cy || m_readback.size != s) return false;
  if (!::BitBlt(m_readback.dc.Get(), 0, 0, s.cx, s.cy, m_frame.dc.Get(), 0, 0, SRCCOPY)) return false;
  ::GdiFlush();  // the DIB section's pixels are read directly
  // Both are bottom-up with rows of exactly width words.
  std::memcpy(into.m_bits, m_readback.bits, size_t(s.cx) * size_t(s.cy) * sizeof(uint32_t));
  return true;
}

void CCompositionSurfaces::Trim() {
  if (!Keepable(m_kind)) {
    Release();
    return;
  }
  if (Large(m_picture.size)) m_picture.DropBitmap();
  if (Large(m_frame.size)) {
    m_frame.DropBitmap();
    m_readback.DropBitmap();
  }
}

void CCompositionSurfaces::Release() {
  m_picture.Drop();
  m_frame.Drop();
  m_readback.Drop();
  m_kind = SurfaceKind{};
}

}  // namespace button
