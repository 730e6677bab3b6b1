#pragma once
// The test every folder passes before this program deletes it. Deleting the wrong folder is the
// worst thing an uninstaller can do, so the test refuses by default: only a plain local folder
// that is neither a system folder, nor inside the Windows folder, nor above any of them, passes.
#include <string>
#include <string_view>
#include <vector>

namespace uninstaller {

enum class FolderVerdict {
  Allowed,
  Empty,              // no folder given
  NotLocalFolder,     // not of the form X:\name\...
  DriveRoot,          // X:\ itself
  ListedFolder,       // X:\Windows, X:\Archivos de programa, X:\Mis documentos on any drive
  SystemFolder,       // a folder the system reports as its own
  HoldsSystemFolder,  // a folder above a system folder
  InsideSystemTree,   // a folder inside the Windows folder
  BadName,            // a Start-menu group name that is not a plain relative name
};

class ProtectedFolders {
 public:
  // The folders that no installation may be: X:\Windows (with all below it),
  // X:\Archivos de programa and X:\Mis documentos, on any drive.
  ProtectedFolders();

  // A folder that is refused, together with every folder above it.
  void AddFolder(std::wstring_view path);
  // A folder that is refused with every folder above and below it (the Windows folder).
  void AddTree(std::wstring_view path);

  FolderVerdict Check(std::wstring_view path) const;

 private:
  std::vector<std::wstring> m_folders;
  std::vector<std::wstring> m_trees;
};

}  // namespace uninstaller
