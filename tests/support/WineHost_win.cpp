#include "tests/support/WineHost_win.h"

#include <windows.h>

#include <cstdlib>

namespace tests {

namespace {

using UnixNameFn = char*(CDECL*)(const wchar_t*);

UnixNameFn UnixNameFunction() {
  static UnixNameFn fn = reinterpret_cast<UnixNameFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  return fn;
}

// Single quotes for /bin/sh; the paths of tests hold no single quote.
std::string Quoted(const std::string& text) { return "'" + text + "'"; }

std::string Prefix() {
  const char* prefix = std::getenv("WINEPREFIX");
  if (prefix && *prefix) return prefix;
  const char* home = std::getenv("HOME");
  return home ? std::string(home) + "/.wine" : std::string();
}

std::string DriveLink(wchar_t letter) {
  const char lower = static_cast<char>(letter | 0x20);
  return Prefix() + "/dosdevices/" + lower + ":";
}

}  // namespace

bool Running() { return UnixNameFunction() != nullptr; }

std::string UnixPath(const std::wstring& windowsPath) {
  UnixNameFn fn = UnixNameFunction();
  if (!fn) return std::string();
  char* name = fn(windowsPath.c_str());
  if (!name) return std::string();
  std::string out(name);
  HeapFree(GetProcessHeap(), 0, name);
  return out;
}

bool RunShell(const std::string& script) {
  if (!Running()) return false;
  static LONG counter = 0;
  wchar_t temp[MAX_PATH];
  const DWORD n = GetTempPathW(MAX_PATH, temp);
  if (n == 0 || n >= MAX_PATH) return false;
  const std::wstring marker = std::wstring(temp) + L"zbtest-shell-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                              std::to_wstring(InterlockedIncrement(&counter)) + L".status";
  DeleteFileW(marker.c_str());
  const std::string unixMarker = UnixPath(marker);
  if (unixMarker.empty()) return false;
  std::string line = "/bin/sh -c \"( " + script + " ); echo $? > " + Quoted(unixMarker + ".tmp") + " && mv " +
                     Quoted(unixMarker + ".tmp") + " " + Quoted(unixMarker) + "\"";
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
    return false;
  }
  if (info.hThread) CloseHandle(info.hThread);
  if (info.hProcess) CloseHandle(info.hProcess);
  const ULONGLONG end = GetTickCount64() + 120000;
  while (GetFileAttributesW(marker.c_str()) == INVALID_FILE_ATTRIBUTES) {
    if (GetTickCount64() >= end) return false;
    Sleep(10);
  }
  char status[16] = {};
  HANDLE h = CreateFileW(marker.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0,
                         nullptr);
  DWORD got = 0;
  if (h != INVALID_HANDLE_VALUE) {
    ReadFile(h, status, sizeof status - 1, &got, nullptr);
    CloseHandle(h);
  }
  DeleteFileW(marker.c_str());
  return got > 0 && status[0] == '0' && (status[1] == '\n' || status[1] == '\0');
}

bool MakeSymlink(const std::wstring& target, const std::wstring& link) {
  const std::string from = UnixPath(target);
  const std::string to = UnixPath(link);
  return !from.empty() && !to.empty() && RunShell("ln -s " + Quoted(from) + " " + Quoted(to));
}

bool RemoveSymlink(const std::wstring& link) {
  const std::string path = UnixPath(link);
  return !path.empty() && RunShell("test -L " + Quoted(path) + " && rm -f " + Quoted(path));
}

bool MakeManyFiles(const std::wstring& folder, std::size_t count) {
  const std::string path = UnixPath(folder);
  if (path.empty() || count == 0) return false;
  return RunShell("cd " + Quoted(path) + " && seq -f 'f%05.0f.dat' 0 " + std::to_string(count - 1) + " | xargs touch");
}

wchar_t FreeDriveLetter() {
  if (!Running()) return 0;
  const DWORD used = GetLogicalDrives();
  for (wchar_t letter = L'R'; letter <= L'Y'; ++letter) {
    if (used & (1u << (letter - L'A'))) continue;
    if (!RunShell("test ! -e " + Quoted(DriveLink(letter)) + " -a ! -L " + Quoted(DriveLink(letter)))) continue;
    return letter;
  }
  return 0;
}

bool MapDrive(wchar_t letter, const std::wstring& folder) {
  const std::string target = UnixPath(folder);
  return !target.empty() && RunShell("ln -s " + Quoted(target) + " " + Quoted(DriveLink(letter)));
}

bool UnmapDrive(wchar_t letter) {
  return Running() && RunShell("test -L " + Quoted(DriveLink(letter)) + " && rm -f " + Quoted(DriveLink(letter)));
}

bool MapUncShare(const std::string& server, const std::string& share, const std::wstring& folder) {
  const std::string target = UnixPath(folder);
  const std::string dir = Prefix() + "/dosdevices/unc/" + server;
  return !target.empty() &&
         RunShell("mkdir -p " + Quoted(dir) + " && ln -s " + Quoted(target) + " " + Quoted(dir + "/" + share));
}

bool UnmapUncShare(const std::string& server, const std::string& share) {
  const std::string dir = Prefix() + "/dosdevices/unc/" + server;
  return Running() && RunShell("test -L " + Quoted(dir + "/" + share) + " && rm -f " + Quoted(dir + "/" + share) +
                               " && rmdir " + Quoted(dir));
}

}  // namespace tests
