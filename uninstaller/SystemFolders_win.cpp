#include "uninstaller/SystemFolders.h"

#include <windows.h>
#include <shlobj.h>

#include "uninstaller/basRegistry.h"
#include "common/win/Handles.h"

namespace uninstaller {

namespace {

std::wstring LongName(const std::wstring& path) {
  std::wstring buffer(32768, L'\0');
  const DWORD n = GetLongPathNameW(path.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
  if (n == 0 || n >= buffer.size()) return path;
  buffer.resize(n);
  return buffer;
}

// Where a folder really is when it is a link (under Wine the profile's Documents and Desktop lead
// to the Unix home folder), or "" when it cannot be told.
std::wstring ResolvedName(const std::wstring& path) {
  const common::FileHandle file(CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!file) return std::wstring();
  std::wstring buffer(32768, L'\0');
  const DWORD n =
      GetFinalPathNameByHandleW(file.Get(), buffer.data(), static_cast<DWORD>(buffer.size()), VOLUME_NAME_DOS);
  if (n == 0 || n >= buffer.size()) return std::wstring();
  buffer.resize(n);
  if (buffer.compare(0, 4, L"\\\\?\\") == 0) buffer.erase(0, 4);
  return buffer;
}

// The folder under every name that leads to it: as given, its long name and its link target.
void AddBothNames(ProtectedFolders& folders, const std::wstring& path) {
  if (path.empty()) return;
  folders.AddFolder(path);
  folders.AddFolder(LongName(path));
  folders.AddFolder(ResolvedName(path));
}

}  // namespace

ProtectedFolders SystemProtectedFolders() {
  ProtectedFolders folders;
  wchar_t buffer[MAX_PATH + 1];
  const UINT windowsLength = GetWindowsDirectoryW(buffer, MAX_PATH);
  if (windowsLength > 0 && windowsLength < MAX_PATH) {
    folders.AddTree(buffer);
    folders.AddTree(LongName(buffer));
    folders.AddTree(ResolvedName(buffer));
  }
  const UINT systemLength = GetSystemWindowsDirectoryW(buffer, MAX_PATH);
  if (systemLength > 0 && systemLength < MAX_PATH) {
    folders.AddTree(buffer);
    folders.AddTree(LongName(buffer));
    folders.AddTree(ResolvedName(buffer));
  }

  static const int kFolderIds[] = {
      CSIDL_PROGRAM_FILES,
      CSIDL_PROGRAM_FILESX86,
      CSIDL_PROGRAM_FILES_COMMON,
      CSIDL_PROGRAM_FILES_COMMONX86,
      CSIDL_PROFILE,
      CSIDL_PERSONAL,
      CSIDL_COMMON_DOCUMENTS,
      CSIDL_DESKTOPDIRECTORY,
      CSIDL_COMMON_DESKTOPDIRECTORY,
      CSIDL_APPDATA,
      CSIDL_LOCAL_APPDATA,
      CSIDL_COMMON_APPDATA,
      CSIDL_STARTMENU,
      CSIDL_COMMON_STARTMENU,
      CSIDL_PROGRAMS,
      CSIDL_COMMON_PROGRAMS,
      CSIDL_STARTUP,
      CSIDL_COMMON_STARTUP,
      CSIDL_MYMUSIC,
      CSIDL_MYPICTURES,
      CSIDL_MYVIDEO,
      CSIDL_FAVORITES,
      CSIDL_TEMPLATES,
      CSIDL_SENDTO,
      CSIDL_RECENT,
      CSIDL_FONTS,
  };
  for (int id : kFolderIds) {
    if (SUCCEEDED(SHGetFolderPathW(nullptr, id | CSIDL_FLAG_DONT_VERIFY, nullptr, SHGFP_TYPE_CURRENT, buffer))) {
      AddBothNames(folders, buffer);
    }
  }
  const DWORD tempLength = GetTempPathW(MAX_PATH, buffer);
  if (tempLength > 0 && tempLength < MAX_PATH) AddBothNames(folders, buffer);

  static const wchar_t* const kVariables[] = {L"USERPROFILE",
                                              L"PUBLIC",
                                              L"ALLUSERSPROFILE",
                                              L"ProgramData",
                                              L"ProgramFiles",
                                              L"ProgramW6432",
                                              L"ProgramFiles(x86)",
                                              L"CommonProgramFiles",
                                              L"SystemDrive",
                                              L"TEMP",
                                              L"TMP"};
  for (const wchar_t* name : kVariables) {
    const DWORD n = GetEnvironmentVariableW(name, buffer, MAX_PATH);
    if (n > 0 && n < MAX_PATH) AddBothNames(folders, buffer);
  }
  // The Programs folder the Start-menu group lies in.
  AddBothNames(folders, uninstaller::QueryRegistryValue(
                            HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                            L"Programs"));
  return folders;
}

void RecheckLongName(FolderTarget& target, const ProtectedFolders& protectedFolders) {
  if (target.verdict != FolderVerdict::Allowed) return;
  const std::wstring longName = LongName(target.folder);
  if (longName == target.folder) return;
  target.verdict = protectedFolders.Check(longName);
  if (target.verdict != FolderVerdict::Allowed) target.folder.clear();
}

}  // namespace uninstaller
