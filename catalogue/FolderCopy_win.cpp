#include "catalogue/FolderCopy.h"

#include <vector>

#include "catalogue/CatalogueRules.h"
#include "common/win/Handles.h"

namespace catalogue {

namespace {

std::wstring CurrentFolder() {
  const DWORD size = GetCurrentDirectoryW(0, nullptr);
  if (size == 0) return std::wstring();
  std::vector<wchar_t> buffer(size);
  const DWORD length = GetCurrentDirectoryW(size, buffer.data());
  return length > 0 && length < size ? std::wstring(buffer.data(), length) : std::wstring();
}

std::wstring Joined(const std::wstring& folder, const std::wstring& name) {
  return !folder.empty() && folder.back() == L'\\' ? folder + name : folder + L'\\' + name;
}

bool IsDots(const wchar_t* name) { return !wcscmp(name, L".") || !wcscmp(name, L".."); }

}  // namespace

DWORD MakeFolderChain(const std::wstring& path) {
  const std::wstring before = CurrentFolder();
  DWORD failure = 0;
  for (const std::wstring& folder : FolderChain(path)) {
    // A folder that can be made current exists already.
    if (SetCurrentDirectoryW(folder.c_str())) continue;
    if (!CreateDirectoryW(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS && failure == 0) {
      failure = GetLastError();
    }
  }
  if (!before.empty()) SetCurrentDirectoryW(before.c_str());
  return failure;
}

DWORD CopyFolderContents(const std::wstring& source, const std::wstring& destination) {
  WIN32_FIND_DATAW entry;
  common::FindHandle find(FindFirstFileW(Joined(source, L"*").c_str(), &entry));
  if (!find) {
    const DWORD error = GetLastError();
    // An empty folder has nothing to copy; a missing one is a failure.
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES ? 0 : error;
  }
  DWORD failure = 0;
  const auto note = [&failure](DWORD error) {
    if (failure == 0) failure = error;
  };
  do {
    if (IsDots(entry.cFileName)) continue;
    const std::wstring from = Joined(source, entry.cFileName);
    const std::wstring to = Joined(destination, entry.cFileName);
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      if (!CreateDirectoryW(to.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
        note(GetLastError());
        continue;
      }
      if (const DWORD error = CopyFolderContents(from, to)) note(error);
    } else {
      // Files from a CD are read-only: a copy of an earlier run is replaced all the same.
      const DWORD existing = GetFileAttributesW(to.c_str());
      if (existing != INVALID_FILE_ATTRIBUTES && (existing & FILE_ATTRIBUTE_READONLY)) {
        SetFileAttributesW(to.c_str(), existing & ~FILE_ATTRIBUTE_READONLY);
      }
      if (!CopyFileW(from.c_str(), to.c_str(), FALSE)) note(GetLastError());
    }
  } while (FindNextFileW(find.Get(), &entry));
  const DWORD end = GetLastError();
  if (end != ERROR_NO_MORE_FILES) note(end);
  return failure;
}

}  // namespace catalogue
