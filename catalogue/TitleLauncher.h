#pragma once
// Starting the selected title straight from the CD: its folder becomes the process's current
// folder (and its drive the current drive), then its command starts maximised. The panel neither
// waits for nor watches the program.
#include <windows.h>

#include <string>

namespace catalogue {

struct TitleStart {
  std::wstring folder;       // made current first
  std::wstring commandLine;  // passed whole: the program and any arguments after a space
};

// 0 when the program started, otherwise the system's error code of the step that failed.
DWORD StartTitle(const TitleStart& title);

// The system's own words for an error code, without the trailing line break.
std::wstring SystemErrorText(DWORD error);

}  // namespace catalogue
