#include "button/imaging/CInternetFontInstaller.h"

#include <windows.h>

#include <cwctype>
#include <mutex>
#include <set>

#include "button/imaging/CInternetDownloader.h"
#include "button/imaging/FontInstallRules.h"
#include "common/win/Handles.h"

namespace button {

namespace {

std::wstring TempFolder() {
  wchar_t dir[MAX_PATH + 1] = {};
  const DWORD n = GetTempPathW(MAX_PATH, dir);
  return n > 0 && n <= MAX_PATH ? std::wstring(dir, n) : std::wstring();
}

// Font files this process has added. Such a file is in use by the font engine (locked on Windows,
// mapped under Wine): it is not fetched or rewritten again, and the font is already there.
class AddedFonts {
 public:
  static bool Contains(const std::wstring& path) {
    std::lock_guard<std::mutex> lock(Mutex());
    return Paths().count(Key(path)) != 0;
  }
  static void Add(const std::wstring& path) {
    std::lock_guard<std::mutex> lock(Mutex());
    Paths().insert(Key(path));
  }

 private:
  static std::wstring Key(std::wstring path) {
    for (wchar_t& c : path) c = wchar_t(std::towupper(c));
    return path;
  }
  static std::mutex& Mutex() {
    static std::mutex m;
    return m;
  }
  static std::set<std::wstring>& Paths() {
    static std::set<std::wstring> s;
    return s;
  }
};

// A download's working copy, deleted unless it was moved into place.
class WorkingFile {
 public:
  explicit WorkingFile(std::wstring path) : m_path(std::move(path)) {}
  WorkingFile(const WorkingFile&) = delete;
  WorkingFile& operator=(const WorkingFile&) = delete;
  ~WorkingFile() {
    if (!m_path.empty()) DeleteFileW(m_path.c_str());
  }
  const std::wstring& Path() const { return m_path; }
  bool MoveTo(const std::wstring& target) {
    if (!MoveFileExW(m_path.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)) return false;
    m_path.clear();
    return true;
  }

 private:
  std::wstring m_path;
};

bool StartsLikeFont(const std::wstring& path) {
  const common::FileHandle file(
      CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  unsigned char head[kFontSignatureBytes] = {};
  DWORD got = 0;
  const bool read = ReadFile(file.Get(), head, sizeof(head), &got, nullptr) != 0;
  return read && LooksLikeFontFile(head, got);
}

}  // namespace

bool CInternetFontInstaller::Fail(const std::wstring& text) {
  m_error = text;
  return false;
}

bool CInternetFontInstaller::Install(const std::wstring& url) {
  m_error.clear();
  const std::wstring name = FontFileName(url);
  if (name.empty()) return Fail(kBadUrlText);
  const std::wstring folder = TempFolder();
  const std::wstring local = LocalFontPath(folder, name);
  // A name that is no plain file (a device, "..", a query string) is refused before any transfer.
  if (!IsPlainFileName(name) || local.size() >= MAX_PATH) return Fail(kCantCreateText + local);
  if (AddedFonts::Contains(local)) return true;

  // The body lands in a fresh file of its own first, so that a failed transfer or a page that is
  // not a font never replaces a font file already there.
  wchar_t unique[MAX_PATH + 1] = {};
  if (!GetTempFileNameW(local.substr(0, local.size() - name.size()).c_str(), L"ZPX", 0, unique))
    return Fail(kCantCreateText + local);
  WorkingFile working(unique);
  CInternetDownloader downloader;
  const std::wstring got = downloader.Download(url, working.Path(), false);
  if (!downloader.GetErrorText().empty()) {
    const std::wstring& text = downloader.GetErrorText();
    // The working file's name means nothing to the caller; the font's own does.
    return Fail(text == kCantCreateText + working.Path() ? kCantCreateText + local : text);
  }
  if (got.empty()) return Fail(L"Internet connection error.\nURL: " + url);
  if (!StartsLikeFont(working.Path())) return Fail(kAddFailedText + local);
  if (!working.MoveTo(local)) return Fail(kCantCreateText + local);
  if (AddFontResourceW(local.c_str()) == 0) {
    DeleteFileW(local.c_str());  // not a usable font: no reason to keep it
    return Fail(kAddFailedText + local);
  }
  AddedFonts::Add(local);
  return true;
}

}  // namespace button
