// A stand-in for a title's program (or for a mail or web handler): it writes where it was
// started from, how it was asked to show itself and its command line into a file beside itself
// (its own name with ".txt"), then ends. Lines: current folder, show state (-1 when none was
// asked), command line. The file appears whole: written aside, then renamed.
#include <windows.h>

#include <string>

#include "common/win/TextConvert.h"

using common::Utf8;

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  wchar_t self[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return 1;
  std::wstring report(self);
  const size_t dot = report.find_last_of(L'.');
  report = report.substr(0, dot) + L".txt";

  wchar_t folder[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, folder);
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  GetStartupInfoW(&startup);
  const int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : -1;
  const std::string content = Utf8(folder) + "\n" + std::to_string(show) + "\n" + Utf8(GetCommandLineW()) + "\n";

  const std::wstring aside = report + L".part";
  HANDLE h = CreateFileW(aside.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  const BOOL ok = WriteFile(h, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
  CloseHandle(h);
  if (!ok || !MoveFileExW(aside.c_str(), report.c_str(), MOVEFILE_REPLACE_EXISTING)) return 1;
  return 0;
}
