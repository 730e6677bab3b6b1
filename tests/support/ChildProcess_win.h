#pragma once
// Runs another program the way a user's shell would, with its stdout and stderr captured.
#include <windows.h>

#include <string>

namespace tests {

struct ChildRun {
  DWORD code = 0xFFFFFFFF;  // exit status; 0xFFFFFFFF when it could not start
  bool timedOut = false;    // ended by us after the time allowed
  std::string out, err;
};

// Runs `exe` with the command line `"exe" args` and waits at most `timeoutMs` for it to end (then
// ends it). Output is read until the program ends, not until its pipes close: a program that opens a
// window starts Wine's desktop process, which inherits the pipes and outlives it.
ChildRun RunChild(const std::wstring& exe, const std::wstring& args, DWORD timeoutMs = 30000);

}  // namespace tests
