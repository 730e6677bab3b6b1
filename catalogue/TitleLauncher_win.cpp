#include "catalogue/TitleLauncher.h"

#include <vector>

#include "common/win/Handles.h"

namespace catalogue {

DWORD StartTitle(const TitleStart& title) {
  if (!SetCurrentDirectoryW(title.folder.c_str())) return GetLastError();
  // The folder's drive is current now; naming the drive alone keeps its current folder.
  if (title.folder.size() >= 2 && title.folder[1] == L':') {
    const wchar_t drive[3] = {title.folder[0], L':', L'\0'};
    if (!SetCurrentDirectoryW(drive)) return GetLastError();
  }
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWMAXIMIZED;
  PROCESS_INFORMATION started = {};
  // CreateProcess may write into the command line: it gets a copy of its own.
  std::vector<wchar_t> command(title.commandLine.begin(), title.commandLine.end());
  command.push_back(L'\0');
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started)) {
    return GetLastError();
  }
  // Nothing of the started program is kept.
  common::KernelHandle process(started.hProcess);
  common::KernelHandle thread(started.hThread);
  return 0;
}

std::wstring SystemErrorText(DWORD error) {
  wchar_t* text = nullptr;
  const DWORD length =
      FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring words = length && text ? std::wstring(text, length) : std::wstring();
  if (text) LocalFree(text);
  while (!words.empty() && (words.back() == L'\r' || words.back() == L'\n' || words.back() == L' ')) words.pop_back();
  if (words.empty()) words = L"Error " + std::to_wstring(error);
  return words;
}

}  // namespace catalogue
