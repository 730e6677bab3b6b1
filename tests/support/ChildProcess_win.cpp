#include "tests/support/ChildProcess_win.h"

#include <algorithm>

namespace tests {
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

ChildRun RunChild(const std::wstring& exe, const std::wstring& args, DWORD timeoutMs) {
  ChildRun run;
  SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
  HANDLE outRead = nullptr, outWrite = nullptr, errRead = nullptr, errWrite = nullptr;
  if (!CreatePipe(&outRead, &outWrite, &sa, 0)) return run;
  if (!CreatePipe(&errRead, &errWrite, &sa, 0)) {
    CloseHandle(outRead);
    CloseHandle(outWrite);
    return run;
  }
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
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    DWORD state = WAIT_TIMEOUT;
    while (state == WAIT_TIMEOUT && GetTickCount64() < deadline) {
      Drain(outRead, run.out);
      Drain(errRead, run.err);
      state = WaitForSingleObject(pi.hProcess, 20);
    }
    if (state != WAIT_OBJECT_0) {
      run.timedOut = true;
      TerminateProcess(pi.hProcess, 255);
    }
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

}  // namespace tests
