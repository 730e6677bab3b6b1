#include "tools/zbhost/Screenshot_win.h"

#include <cstdint>
#include <vector>

#include "tools/zbhost/BmpFile.h"
#include "tools/zbhost/ButtonClass_win.h"
#include "tools/zbhost/TextConvert_win.h"
#include "common/win/Handles.h"

namespace tools {

namespace {

std::string LastError(const char* what) {
  return std::string(what) + ": " + CButtonClass::HResultText(HRESULT_FROM_WIN32(GetLastError()));
}

// The client area as words 0x00RRGGBB, rows top to bottom.
bool Capture(HWND window, int& width, int& height, std::vector<uint32_t>& pixels, std::string& error) {
  RECT client{};
  if (!GetClientRect(window, &client)) {
    error = LastError("GetClientRect");
    return false;
  }
  width = client.right - client.left;
  height = client.bottom - client.top;
  if (width <= 0 || height <= 0) {
    error = "the window has no client area";
    return false;
  }
  common::WindowDC screen = common::TakeWindowDC(window);
  if (!screen.Get()) {
    error = "GetDC failed";
    return false;
  }
  common::MemoryDC memory(CreateCompatibleDC(screen.Get()));
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  common::GdiBitmap section(CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!memory.Get() || !section.Get() || !bits) {
    error = LastError("no memory bitmap for the screenshot");
    return false;
  }
  HGDIOBJ old = SelectObject(memory.Get(), section.Get());
  const BOOL copied = BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), 0, 0, SRCCOPY);
  GdiFlush();
  SelectObject(memory.Get(), old);
  if (!copied) {
    error = LastError("BitBlt from the window");
    return false;
  }
  const auto* words = static_cast<const uint32_t*>(bits);
  pixels.assign(words, words + size_t(width) * size_t(height));
  for (uint32_t& p : pixels) p &= 0x00FFFFFF;
  return true;
}

bool WriteWhole(const std::wstring& path, const std::vector<uint8_t>& bytes, std::string& error) {
  const std::wstring temp = path + L".part";
  common::FileHandle file(
      CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    error = LastError(("cannot write " + Utf8(temp)).c_str());
    return false;
  }
  DWORD written = 0;
  const BOOL ok =
      WriteFile(file.Get(), bytes.data(), DWORD(bytes.size()), &written, nullptr) && written == bytes.size();
  const DWORD writeError = GetLastError();
  file.Reset();  // closed before the file is deleted or moved into place
  if (!ok) {
    DeleteFileW(temp.c_str());
    SetLastError(writeError);
    error = LastError(("cannot write " + Utf8(temp)).c_str());
    return false;
  }
  if (!MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    error = LastError(("cannot replace " + Utf8(path)).c_str());
    DeleteFileW(temp.c_str());
    return false;
  }
  return true;
}

}  // namespace

bool SaveClientScreenshot(HWND window, const std::wstring& path, std::string& error) {
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;
  if (!Capture(window, width, height, pixels, error)) return false;
  const std::vector<uint8_t> bytes = EncodeBmp24(width, height, pixels);
  if (bytes.empty()) {
    error = "the screenshot is too large for a BMP file";
    return false;
  }
  return WriteWhole(path, bytes, error);
}

}  // namespace tools
