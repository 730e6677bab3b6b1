#pragma once
// Which folders an uninstall deletes, worked out from what the installer recorded.
#include <string>
#include <string_view>

#include "uninstaller/ProtectedFolders.h"

namespace uninstaller {

struct FolderTarget {
  FolderVerdict verdict = FolderVerdict::Empty;  // Empty: there is nothing to delete
  std::wstring folder;                           // the folder to delete, without a final backslash
  std::wstring shown;                            // how the folder is named to the user
};

// The installation folder from the recorded "Path" (normally with a final backslash; a path
// without one names the folder itself).
FolderTarget InstallFolderTarget(std::wstring_view path, const ProtectedFolders& protectedFolders);

// The Start-menu group: `groupName` below `programsFolder`. Nothing is deleted when either is
// empty; a group name must stay below the Programs folder (no drive, no "..", no empty part).
FolderTarget StartMenuGroupTarget(std::wstring_view programsFolder, std::wstring_view groupName,
                                  const ProtectedFolders& protectedFolders);

}  // namespace uninstaller
