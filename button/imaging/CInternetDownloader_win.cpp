#include "button/imaging/CInternetDownloader.h"

#include <commctrl.h>
#include <wininet.h>

#include <vector>

#include "button/imaging/DownloadRules.h"
#include "common/win/Handles.h"

namespace button {

namespace {

const wchar_t kAgent[] = L"ZEPHONBUTTONPRO";

void CloseInternet(HINTERNET h) { InternetCloseHandle(h); }
using InternetHandle = common::NullHandle<HINTERNET, CloseInternet>;

// Closes `h` now and says whether WinINet closed it cleanly (a transfer can still fail there).
bool CloseChecked(InternetHandle& h) {
  HINTERNET raw = h.Release();
  return !raw || InternetCloseHandle(raw);
}

// The local copy being written: flushed and closed before it counts as written.
class LocalFile {
 public:
  explicit LocalFile(const std::wstring& path)
      : m_file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)) {}
  bool IsOpen() const { return m_file.Valid(); }
  bool Write(const void* data, DWORD bytes) {
    DWORD written = 0;
    return WriteFile(m_file.Get(), data, bytes, &written, nullptr) && written == bytes;
  }
  bool Close() {
    if (!m_file.Valid()) return true;
    const bool ok = FlushFileBuffers(m_file.Get()) != 0;
    m_file.Reset();
    return ok;
  }

 private:
  common::FileHandle m_file;
};

}  // namespace

std::wstring CInternetDownloader::TemporaryPath(const std::wstring& url) const {
  wchar_t dir[MAX_PATH + 1] = {};
  const DWORD n = GetTempPathW(MAX_PATH, dir);
  std::wstring folder = n > 0 && n <= MAX_PATH ? std::wstring(dir, n) : std::wstring(L"c:\\");
  wchar_t name[MAX_PATH + 1] = {};
  if (!GetTempFileNameW(folder.c_str(), L"ZPX", 0, name)) return std::wstring();
  DeleteFileW(name);  // only the unique name is wanted; the copy gets the URL's extension
  return button::LocalNameForUrl(name, url);
}

void CInternetDownloader::ShowStatus(const std::wstring& text) const {
  if (!m_status) return;
  SetWindowTextW(m_status, text.c_str());
  UpdateWindow(m_status);
}

bool CInternetDownloader::Transfer(void* connection, const std::wstring& url, const std::wstring& path) {
  LocalFile file(path);
  if (!file.IsOpen()) {
    m_error = L"Internet Session - Cant Create temp file: " + path;
    return false;
  }
  ShowStatus(L"Start download...");
  if (m_progress) {
    SendMessageW(m_progress, PBM_SETRANGE32, 0, m_range);
    SendMessageW(m_progress, PBM_SETSTEP, 1, 0);
    SendMessageW(m_progress, PBM_SETPOS, 0, 0);
  }
  // A partial copy is of no use to anyone, and nobody else knows its name.
  auto fail = [&] {
    m_error = L"Internet download error.\nURL: " + url;
    file.Close();
    DeleteFileW(path.c_str());
    return false;
  };
  std::vector<char> block(kBlockBytes);
  unsigned long long total = 0;
  for (;;) {
    DWORD got = 0;
    if (!InternetReadFile(connection, block.data(), kBlockBytes, &got)) return fail();
    // A short block is not the end: the network hands over what has arrived. Only an empty read is.
    if (got == 0) break;
    if (!file.Write(block.data(), got)) return fail();
    total += got;
    if (m_progress) {
      SendMessageW(m_progress, PBM_SETPOS, WPARAM(total), 0);
      UpdateWindow(m_progress);
    }
    ShowStatus(L"Downloaded: " + std::to_wstring(total) + L" bytes");
  }
  return file.Close() || fail();
}

std::wstring CInternetDownloader::Download(const std::wstring& url, const std::wstring& target, bool reload) {
  if (url.empty()) return std::wstring();
  const std::wstring path = target.empty() ? TemporaryPath(url) : target;
  if (path.empty()) {
    m_error = L"Internet connection error.\nURL: " + url;
    return std::wstring();
  }
  InternetHandle session(InternetOpenW(kAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
  if (!session.Get()) {
    m_error = L"Internet connection error.\nURL: " + url;
    return std::wstring();
  }
  DWORD flags = INTERNET_FLAG_TRANSFER_BINARY;
  if (reload) flags |= INTERNET_FLAG_RELOAD;
  InternetHandle connection(InternetOpenUrlW(session.Get(), url.c_str(), nullptr, 0, flags, 0));
  if (!connection.Get()) {
    m_error = L"Internet Session - Cant open URL: " + url;
    return std::wstring();
  }
  DWORD status = 0, size = sizeof(status);
  if (!HttpQueryInfoW(connection.Get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr))
    status = 0;
  const std::wstring refused = button::StatusErrorText(status, url);
  if (!refused.empty()) {
    m_error = refused;
    return std::wstring();
  }
  if (!Transfer(connection.Get(), url, path)) return std::wstring();
  m_error.clear();
  // The file is complete even when the connection does not close cleanly.
  if (!CloseChecked(connection)) m_error = L"Internet connection error.\nURL: " + url;
  session.Reset();
  return path;
}

}  // namespace button
