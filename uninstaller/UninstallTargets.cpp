#include "uninstaller/UninstallTargets.h"

#include "uninstaller/PathRules.h"

namespace uninstaller {

FolderTarget InstallFolderTarget(std::wstring_view path, const ProtectedFolders& protectedFolders) {
  FolderTarget target;
  target.shown.assign(path);
  target.verdict = protectedFolders.Check(path);
  if (target.verdict == FolderVerdict::Allowed) target.folder.assign(WithoutTrailingBackslash(path));
  return target;
}

FolderTarget StartMenuGroupTarget(std::wstring_view programsFolder, std::wstring_view groupName,
                                  const ProtectedFolders& protectedFolders) {
  FolderTarget target;
  target.shown.assign(groupName);
  if (programsFolder.empty() || groupName.empty()) return target;  // verdict Empty: nothing to do
  if (!IsRelativeNamePath(groupName)) {
    target.verdict = FolderVerdict::BadName;
    return target;
  }
  std::wstring folder(WithoutTrailingBackslash(programsFolder));
  folder += L'\\';
  folder += WithoutTrailingBackslash(groupName);
  // The Programs folder itself must be a plain local folder for the group below it to be one.
  target.verdict = IsLocalFolderPath(programsFolder) ? protectedFolders.Check(folder) : FolderVerdict::NotLocalFolder;
  if (target.verdict == FolderVerdict::Allowed) target.folder = std::move(folder);
  return target;
}

}  // namespace uninstaller
