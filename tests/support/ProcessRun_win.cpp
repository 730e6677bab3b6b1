#include "tests/support/ProcessRun_win.h"

#include <algorithm>

namespace zbtest {
namespace {

// Takes what the pipe holds now, without waiting for more.
void Drain(HANDLE pipe, std::string& into) {
  char buf[4096];
  DWORD avail = 0, n = 0;
  while (PeekNamedPipe(pipe, nullptr, 0, nullptr, &avail, nullptr) && avail > 0 &&
         ReadFile(pipe, buf, std::min<DWORD>(avail, sizeof buf), &n, nullptr) && n > 0)
    into.append(buf, n);
}

}  // namespace

ProcessRun RunProgram(const std::wstring& exe, const std::wstring& args, DWORD timeoutMs) {
  ProcessRun run;
  SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
  HANDLE outRead = nullptr, outWrite = nullptr, errRead = nullptr, errWrite = nullptr;
  if (!CreatePipe(&outRead, &outWrite, &sa, 0) || !CreatePipe(&errRead, &errWrite, &sa, 0)) return run;
  SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
  SetHandleInformation(errRead, HANDLE_FLAG_INHERIT, 0);
  std::wstring commandLine = L"\"" + exe + L"\" " + args;
  STARTUPINFOW si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  si.hStdOutput = outWrite;
  si.hStdError = errWrite;
  PROCESS_INFORMATION pi{};
  const BOOL started =
      CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
  CloseHandle(outWrite);
  CloseHandle(errWrite);
  if (started) {
    // Read until the program ends, not until the pipes close: the desktop process that Wine starts
    // for a first window inherits them and outlives the program.
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    DWORD state = WAIT_TIMEOUT;
    while (state == WAIT_TIMEOUT && GetTickCount64() < deadline) {
      Drain(outRead, run.out);
      Drain(errRead, run.err);
      state = WaitForSingleObject(pi.hProcess, 20);
    }
    if (state != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 255);
    WaitForSingleObject(pi.hProcess, 5000);
    Drain(outRead, run.out);
    Drain(errRead, run.err);
    GetExitCodeProcess(pi.hProcess, &run.code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
  }
  CloseHandle(outRead);
  CloseHandle(errRead);
  return run;
}

}  // namespace zbtest
