#include "button/pixels/ImageDIB.h"

#include <cstdlib>
#include <cstring>

CImageDIB::CImageDIB() : m_Width(0), m_Height(0), m_Bits(nullptr) { std::memset(&m_Info, 0, sizeof(m_Info)); }

CImageDIB::~CImageDIB() { Destroy(); }

void CImageDIB::Destroy() {
  std::free(m_Bits);
  m_Bits = nullptr;
  m_Width = 0;
  m_Height = 0;
  std::memset(&m_Info, 0, sizeof(m_Info));
}

bool CImageDIB::Create(int32_t width, int32_t height) {
  Destroy();
  // The block holds one spare row and column; negative or oversized requests fail like a failed allocation.
  const int64_t w1 = int64_t(width) + 1, h1 = int64_t(height) + 1;
  uint64_t bytes = 0;
  bool ok = width >= 0 && height >= 0 && uint64_t(w1) * uint64_t(h1) <= kMaxBytes / 4;
  if (ok) {
    bytes = uint64_t(w1) * uint64_t(h1) * 4;
    m_Bits = static_cast<uint32_t*>(std::malloc(size_t(bytes)));
  }
  if (!m_Bits) {
    ErrorText = "Allocate memory FAILED. m_Bits=0";
    Destroy();
    return false;
  }
  std::memset(m_Bits, 255, size_t(bytes));
  m_Info.bmiHeader.biSize = 40;
  m_Info.bmiHeader.biWidth = width;
  m_Info.bmiHeader.biHeight = height;
  m_Info.bmiHeader.biPlanes = 1;
  m_Info.bmiHeader.biBitCount = 32;
  m_Info.bmiHeader.biCompression = 0;
  m_Info.bmiHeader.biSizeImage = uint32_t(bytes);
  m_Width = width;
  m_Height = height;
  return true;
}
