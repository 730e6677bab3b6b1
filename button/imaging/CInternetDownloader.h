#pragma once
// CInternetDownloader: fetches one internet address into a local file through WinINet, synchronously
// on the calling thread, in blocks of 8192 bytes. Failures leave an empty result and a text saying
// why (GetErrorText); nothing is thrown and nothing is shown. One object per download.
#include <windows.h>

#include <string>

namespace button {

class CInternetDownloader {
 public:
  static constexpr unsigned long kBlockBytes = 8192;

  // Optional feedback while the body arrives: a progress bar (range 0..range, position = bytes so
  // far) and a window whose text tells the bytes so far. Pictures and fonts use neither.
  void AttachProgress(HWND progressBar, int range) {
    m_progress = progressBar;
    m_range = range;
  }
  void AttachStatus(HWND status) { m_status = status; }

  // Downloads `url` into `target`, or into a new temporary file ("ZPX" name in the temporary folder,
  // with the URL's extension) when `target` is "". `reload` bypasses the platform's cache. Returns the
  // local path, "" on failure. An empty URL returns "" and leaves the error text alone.
  std::wstring Download(const std::wstring& url, const std::wstring& target, bool reload);
  const std::wstring& GetErrorText() const { return m_error; }

 private:
  std::wstring TemporaryPath(const std::wstring& url) const;
  // Copies the body into `path`; false with the error text set on failure.
  bool Transfer(void* connection, const std::wstring& url, const std::wstring& path);
  void ShowStatus(const std::wstring& text) const;

  std::wstring m_error;
  HWND m_progress = nullptr;
  HWND m_status = nullptr;
  int m_range = 0;
};

}  // namespace button
