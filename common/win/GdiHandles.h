#pragma once
// Owners for the few GDI handles the control's picture work creates: each is released by the scope
// that made it.
#include <windows.h>

// A bitmap handle (DeleteObject).
class GdiBitmap {
 public:
  GdiBitmap() = default;
  explicit GdiBitmap(HBITMAP h) : m_h(h) {}
  ~GdiBitmap() { Reset(); }
  GdiBitmap(const GdiBitmap&) = delete;
  GdiBitmap& operator=(const GdiBitmap&) = delete;
  void Reset(HBITMAP h = nullptr) {
    if (m_h) DeleteObject(m_h);
    m_h = h;
  }
  HBITMAP Release() {
    HBITMAP h = m_h;
    m_h = nullptr;
    return h;
  }
  HBITMAP Get() const { return m_h; }

 private:
  HBITMAP m_h = nullptr;
};

// The screen's device context (GetDC(nullptr) / ReleaseDC).
class ScreenDC {
 public:
  ScreenDC() : m_dc(GetDC(nullptr)) {}
  ~ScreenDC() {
    if (m_dc) ReleaseDC(nullptr, m_dc);
  }
  ScreenDC(const ScreenDC&) = delete;
  ScreenDC& operator=(const ScreenDC&) = delete;
  HDC Get() const { return m_dc; }

 private:
  HDC m_dc;
};

// A memory device context compatible with another one (DeleteDC).
class MemoryDC {
 public:
  explicit MemoryDC(HDC compatibleWith) : m_dc(CreateCompatibleDC(compatibleWith)) {}
  ~MemoryDC() {
    if (m_dc) DeleteDC(m_dc);
  }
  MemoryDC(const MemoryDC&) = delete;
  MemoryDC& operator=(const MemoryDC&) = delete;
  HDC Get() const { return m_dc; }

 private:
  HDC m_dc;
};

// Keeps an object selected into a device context for one scope; Restore() deselects early.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : m_dc(dc), m_old(SelectObject(dc, object)) {}
  ~SelectedObject() { Restore(); }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;
  void Restore() {
    if (m_old && m_old != HGDI_ERROR) SelectObject(m_dc, m_old);
    m_old = nullptr;
  }

 private:
  HDC m_dc;
  HGDIOBJ m_old;
};
