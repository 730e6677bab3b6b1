#include "catalogue/TextFile.h"

#include <windows.h>

#include <algorithm>
#include <climits>
#include <vector>

#include "common/win/Handles.h"

namespace catalogue {

ReadResult ReadTextFile(const std::wstring& path, size_t maxBytes, std::string* content) {
  content->clear();
  // No "insert a disk" box for an empty removable drive: the file is just not there.
  const UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  common::FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  SetErrorMode(oldMode);
  if (!file) return ReadResult::Missing;
  LARGE_INTEGER size = {};
  if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0) return ReadResult::Missing;
  const bool tooLarge = static_cast<unsigned long long>(size.QuadPart) > maxBytes;
  content->resize(tooLarge ? maxBytes : static_cast<size_t>(size.QuadPart));
  size_t done = 0;
  while (done < content->size()) {
    const DWORD want = static_cast<DWORD>(std::min<size_t>(content->size() - done, 1u << 20));
    DWORD got = 0;
    if (!ReadFile(file.Get(), content->data() + done, want, &got, nullptr)) {
      content->clear();
      return ReadResult::Missing;
    }
    if (got == 0) break;  // the file shrank while being read
    done += got;
  }
  content->resize(done);
  return tooLarge ? ReadResult::TooLarge : ReadResult::Ok;
}

std::wstring DecodeSystemText(const std::string& bytes) {
  if (bytes.empty()) return std::wstring();
  UINT codePage = GetACP();
  CPINFO info = {};
  if (!GetCPInfo(codePage, &info) || info.MaxCharSize != 1) codePage = 1252;
  // The callers' limits keep every file far below INT_MAX bytes.
  if (bytes.size() > static_cast<size_t>(INT_MAX)) return std::wstring();
  const int length = static_cast<int>(bytes.size());
  const int chars = MultiByteToWideChar(codePage, 0, bytes.data(), length, nullptr, 0);
  if (chars <= 0) return std::wstring();
  std::wstring out(static_cast<size_t>(chars), L'\0');
  MultiByteToWideChar(codePage, 0, bytes.data(), length, out.data(), chars);
  return out;
}

std::wstring ProgramFolder() {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return std::wstring();
    if (n < buffer.size()) {
      std::wstring path(buffer.data(), n);
      const size_t cut = path.find_last_of(L'\\');
      return cut == std::wstring::npos ? std::wstring() : path.substr(0, cut);
    }
    if (buffer.size() >= 32768) return std::wstring();
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace catalogue
