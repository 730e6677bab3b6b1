#pragma once
// Runs a program to its end and collects its exit status, stdout and stderr.
#include <windows.h>

#include <string>

namespace zbtest {

struct ProcessRun {
  DWORD code = 0xFFFFFFFF;  // stays so when the program could not start or was ended at the time limit
  std::string out, err;
};

// `exe` is the program's full path; `args` follow it on the command line. The program is ended
// after `timeoutMs`.
ProcessRun RunProgram(const std::wstring& exe, const std::wstring& args, DWORD timeoutMs = 30000);

}  // namespace zbtest
