#include "uninstaller/basGeneral.h"

#include <string_view>
#include <utility>

#include "uninstaller/PathRules.h"
#include "uninstaller/UninstallTexts.h"
#include "common/win/Handles.h"
#include "uninstaller/frmPrincipal.h"

namespace uninstaller {

namespace {

using uninstaller::LeftItem;
using uninstaller::LeftReason;

constexpr std::wstring_view kLongPrefix = L"\\\\?\\";
constexpr DWORD kClearedAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
constexpr DWORD kSettableAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                      FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_TEMPORARY |
                                      FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// Every file operation goes through the "\\?\" form: no length limit, and names are taken as they
// are on disk (the folder passed the plain-name test, so the form names the same folder).
std::wstring Long(std::wstring_view path) {
  std::wstring out(kLongPrefix);
  out.append(path);
  return out;
}

std::wstring WithoutLongPrefix(std::wstring path) {
  if (path.compare(0, kLongPrefix.size(), kLongPrefix) != 0) return path;
  path.erase(0, kLongPrefix.size());
  if (path.compare(0, 4, L"UNC\\") == 0) path.replace(0, 3, L"\\");
  return path;
}

// The handle really is `path`, not what a link at `path` leads to: the system resolves an open
// handle to its target, so the name it reports for the handle differs from the path opened.
bool HandleIsPath(HANDLE h, const std::wstring& path) {
  thread_local std::vector<wchar_t> buffer(32768);
  const DWORD n = GetFinalPathNameByHandleW(h, buffer.data(), static_cast<DWORD>(buffer.size()),
                                            FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
  if (n > 0 && n < buffer.size()) return uninstaller::SamePath(WithoutLongPrefix(std::wstring(buffer.data(), n)), path);
  // Wine answers the call above only for paths shorter than MAX_PATH. The file's name on its volume
  // has no such limit; it lacks the drive, which the path opened names already.
  thread_local std::vector<unsigned char> nameBuffer(sizeof(FILE_NAME_INFO) + 65536);
  if (!GetFileInformationByHandleEx(h, FileNameInfo, nameBuffer.data(), static_cast<DWORD>(nameBuffer.size()))) {
    return false;
  }
  const auto* info = reinterpret_cast<const FILE_NAME_INFO*>(nameBuffer.data());
  const std::wstring_view name(info->FileName, info->FileNameLength / sizeof(wchar_t));
  return path.size() > 2 && path[1] == L':' && uninstaller::SamePath(name, std::wstring_view(path).substr(2));
}

// Opened for deletion without following a reparse point, sharing everything so that anybody else's
// open handle is respected: a file held without delete sharing refuses this open (in use).
common::FileHandle OpenForDeletion(const std::wstring& path, bool folder) {
  const DWORD access = DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES | (folder ? FILE_LIST_DIRECTORY : 0);
  return common::FileHandle(CreateFileW(Long(path).c_str(), access,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
}

bool SetAttributes(HANDLE h, DWORD attributes) {
  FILE_BASIC_INFO info = {};  // zero times: left as they are
  info.FileAttributes = attributes ? attributes : FILE_ATTRIBUTE_NORMAL;
  return SetFileInformationByHandle(h, FileBasicInfo, &info, sizeof info) != FALSE;
}

bool MarkForDeletion(HANDLE h) {
  FILE_DISPOSITION_INFO info = {};
  info.DeleteFile = TRUE;
  return SetFileInformationByHandle(h, FileDispositionInfo, &info, sizeof info) != FALSE;
}

// Opens `path` and makes sure the handle is the entry itself and not what a link points to (under
// Wine a Unix link to a file looks like a plain file, and deleting it would delete its target).
common::FileHandle OpenChecked(const std::wstring& path, bool folder, std::vector<LeftItem>& left) {
  common::FileHandle h = OpenForDeletion(path, folder);
  if (!h) {
    left.push_back({path, ReasonOf(GetLastError())});
    return h;
  }
  if (!HandleIsPath(h.Get(), path)) {
    left.push_back({path, LeftReason::Link});
    h.Reset();
  }
  return h;
}

bool DeleteOneFile(const std::wstring& path, DWORD attributes, std::vector<LeftItem>& left) {
  common::FileHandle h = OpenChecked(path, false, left);
  if (!h) return false;
  const bool cleared = (attributes & kClearedAttributes) != 0 && SetAttributes(h.Get(), 0);
  if (MarkForDeletion(h.Get())) return true;  // gone when the handle closes
  const DWORD error = GetLastError();
  if (cleared) SetAttributes(h.Get(), attributes & kSettableAttributes);  // it stays: as it was
  left.push_back({path, ReasonOf(error)});
  return false;
}

struct Entry {
  std::wstring name;
  DWORD attributes;
};

// One folder on the way down: held open from the check of what it is to its own deletion.
struct Frame {
  std::wstring path;
  DWORD attributes = 0;
  common::FileHandle handle;
  std::vector<Entry> entries;
  size_t next = 0;
  bool somethingStays = false;
};

// The whole folder is listed before anything in it is deleted, through the handle that was checked
// (a listing by path would need a second open, which the held handle's delete access refuses).
bool ListFolder(Frame& frame, std::vector<LeftItem>& left) {
  std::vector<unsigned char> buffer(64 * 1024);
  FILE_INFO_BY_HANDLE_CLASS kind = FileIdBothDirectoryRestartInfo;
  for (;;) {
    if (!GetFileInformationByHandleEx(frame.handle.Get(), kind, buffer.data(), static_cast<DWORD>(buffer.size()))) {
      const DWORD error = GetLastError();
      if (error == ERROR_NO_MORE_FILES) return true;
      left.push_back({frame.path, ReasonOf(error)});
      return false;
    }
    kind = FileIdBothDirectoryInfo;
    size_t offset = 0;
    for (;;) {
      const auto* info = reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(buffer.data() + offset);
      const std::wstring_view name(info->FileName, info->FileNameLength / sizeof(wchar_t));
      if (name != L"." && name != L"..") frame.entries.push_back({std::wstring(name), info->FileAttributes});
      if (info->NextEntryOffset == 0) break;
      offset += info->NextEntryOffset;
    }
  }
}

bool OpenFrame(const std::wstring& path, DWORD attributes, Frame& frame, std::vector<LeftItem>& left) {
  frame.path = path;
  frame.attributes = attributes;
  frame.handle = OpenChecked(path, true, left);
  return frame.handle && ListFolder(frame, left);
}

bool RemoveFrameFolder(Frame& frame, std::vector<LeftItem>& left) {
  const bool cleared = (frame.attributes & kClearedAttributes) != 0 && SetAttributes(frame.handle.Get(), 0);
  if (!MarkForDeletion(frame.handle.Get())) {
    const DWORD error = GetLastError();
    if (cleared) SetAttributes(frame.handle.Get(), frame.attributes & kSettableAttributes);
    left.push_back({frame.path, ReasonOf(error)});
    return false;
  }
  frame.handle.Reset();
  if (GetFileAttributesW(Long(frame.path).c_str()) != INVALID_FILE_ATTRIBUTES) {
    left.push_back({frame.path, LeftReason::Other});  // somebody still holds it open
    return false;
  }
  return true;
}

}  // namespace

LeftReason ReasonOf(DWORD error) {
  switch (error) {
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_USER_MAPPED_FILE: return LeftReason::InUse;
    case ERROR_ACCESS_DENIED: return LeftReason::AccessDenied;
    default: return LeftReason::Other;
  }
}

TreeRemoval DeleteFolderTree(const std::wstring& folder) {
  TreeRemoval result;
  const DWORD attributes = GetFileAttributesW(Long(folder).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = GetLastError();
    if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) {
      result.existed = true;
      result.left.push_back({folder, ReasonOf(error)});
    }
    return result;
  }
  result.existed = true;
  if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
    result.left.push_back({folder, LeftReason::Link});
    return result;
  }
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    result.left.push_back({folder, LeftReason::Other});  // a file where a folder was expected
    return result;
  }
  // The folder's own long name: a short 8.3 name would otherwise look like a link below.
  std::wstring top = folder;
  std::wstring buffer(32768, L'\0');
  const DWORD n = GetLongPathNameW(Long(folder).c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
  if (n > 0 && n < buffer.size()) {
    buffer.resize(n);
    top = WithoutLongPrefix(std::move(buffer));
  }

  // Depth first without recursion, so that no depth of nesting can exhaust the stack.
  std::vector<Frame> stack;
  stack.emplace_back();
  if (!OpenFrame(top, attributes, stack.back(), result.left)) return result;
  while (!stack.empty()) {
    Frame& frame = stack.back();
    if (frame.next < frame.entries.size()) {
      const Entry entry = frame.entries[frame.next++];
      std::wstring path = frame.path + L'\\' + entry.name;
      if (entry.attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        result.left.push_back({std::move(path), LeftReason::Link});
        frame.somethingStays = true;
      } else if (entry.attributes & FILE_ATTRIBUTE_DIRECTORY) {
        Frame child;
        if (OpenFrame(path, entry.attributes, child, result.left)) {
          stack.push_back(std::move(child));  // `frame` is not used after this
        } else {
          frame.somethingStays = true;
        }
      } else if (!DeleteOneFile(path, entry.attributes, result.left)) {
        frame.somethingStays = true;
      }
      continue;
    }
    // Every entry is done: the folder goes unless something in it stays.
    const bool stays = frame.somethingStays || !RemoveFrameFolder(frame, result.left);
    stack.pop_back();
    if (stays && !stack.empty()) stack.back().somethingStays = true;
  }
  return result;
}

bool ClearIniPath(const char* value) {
  return WritePrivateProfileStringA("Quorvel Vol. 2", "Path", value, "TRVAR.INI") != FALSE;
}

int Main(HINSTANCE instance) {
  // A second start while one runs ends at once, without a word.
  common::KernelHandle running(CreateMutexW(nullptr, FALSE, L"Local\\Quorvel.Vol2.Desinstalador"));
  const DWORD status = GetLastError();
  if (status == ERROR_ALREADY_EXISTS || (!running && status == ERROR_ACCESS_DENIED)) return 0;

  const std::wstring title = uninstaller::AppTitle();
  if (MessageBoxW(nullptr, uninstaller::FirstQuestion().c_str(), title.c_str(), MB_ICONQUESTION | MB_OKCANCEL) !=
      IDOK) {
    return 0;
  }
  frmPrincipal form;
  if (!form.Create(instance)) return 1;
  form.Show();
  return form.RunMessageLoop();
}

}  // namespace uninstaller
