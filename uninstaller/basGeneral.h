#pragma once
// Start-up, folder deletion and the INI entry of the uninstaller.
#include <windows.h>

#include <string>
#include <vector>

#include "uninstaller/UninstallReport.h"

namespace uninstaller {

// The start-up procedure: one instance only, the first question, then the window until it closes.
int Main(HINSTANCE instance);

// Why something stays, from the system's error code for the failed deletion.
uninstaller::LeftReason ReasonOf(DWORD error);

struct TreeRemoval {
  bool existed = false;                     // the folder was there to delete
  std::vector<uninstaller::LeftItem> left;  // what stays on disk (a folder that stays only because
                                            // something inside it stays is not listed itself)
};

// Deletes `folder` (no final backslash) with everything in it, depth first, clearing read-only,
// hidden and system attributes on the way. Links and junctions are never followed nor removed:
// they stay, with the folders above them, and are reported. Entries that cannot be deleted (in
// use, access denied) stay too; everything else goes.
TreeRemoval DeleteFolderTree(const std::wstring& folder);

// Writes `value` as key "Path" of section "Quorvel Vol. 2" in "TRVAR.INI" (in the Windows folder);
// a null value deletes the key.
bool ClearIniPath(const char* value);

}  // namespace uninstaller
