#pragma once
// The folders this machine reports as its own, gathered into the protected-folder test.
#include <string>

#include "uninstaller/ProtectedFolders.h"
#include "uninstaller/UninstallTargets.h"

namespace uninstaller {

// The Windows folder (with everything in it), the program-files, profile, documents, desktop,
// application-data, Start-menu and temporary folders, as the system names them.
ProtectedFolders SystemProtectedFolders();

// Tests an allowed target again under the long names of its folders, so that a short 8.3 name
// cannot slip a protected folder past the test.
void RecheckLongName(FolderTarget& target, const ProtectedFolders& protectedFolders);

}  // namespace uninstaller
