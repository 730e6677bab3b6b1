#include "uninstaller/ProtectedFolders.h"

#include "uninstaller/PathRules.h"

namespace uninstaller {

namespace {

// Checked without the drive letter, so they hold on every drive.
const wchar_t* const kListedTrees[] = {L":\\Windows"};
const wchar_t* const kListedFolders[] = {L":\\Archivos de programa", L":\\Mis documentos"};

}  // namespace

ProtectedFolders::ProtectedFolders() = default;

void ProtectedFolders::AddFolder(std::wstring_view path) {
  if (IsLocalFolderPath(path)) m_folders.emplace_back(WithoutTrailingBackslash(path));
}

void ProtectedFolders::AddTree(std::wstring_view path) {
  if (IsLocalFolderPath(path)) m_trees.emplace_back(WithoutTrailingBackslash(path));
}

FolderVerdict ProtectedFolders::Check(std::wstring_view path) const {
  if (path.empty()) return FolderVerdict::Empty;
  if (IsDriveRoot(path)) return FolderVerdict::DriveRoot;
  if (!IsLocalFolderPath(path)) return FolderVerdict::NotLocalFolder;

  const std::wstring_view rest = path.substr(1);
  for (const wchar_t* listed : kListedTrees) {
    if (SamePath(rest, listed) || IsBelow(rest, listed)) return FolderVerdict::ListedFolder;
  }
  for (const wchar_t* listed : kListedFolders) {
    if (SamePath(rest, listed)) return FolderVerdict::ListedFolder;
  }
  for (const std::wstring& tree : m_trees) {
    if (SamePath(path, tree)) return FolderVerdict::SystemFolder;
    if (IsBelow(path, tree)) return FolderVerdict::InsideSystemTree;
    if (IsBelow(tree, path)) return FolderVerdict::HoldsSystemFolder;
  }
  for (const std::wstring& folder : m_folders) {
    if (SamePath(path, folder)) return FolderVerdict::SystemFolder;
    if (IsBelow(folder, path)) return FolderVerdict::HoldsSystemFolder;
  }
  return FolderVerdict::Allowed;
}

}  // namespace uninstaller
