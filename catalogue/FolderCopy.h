#pragma once
// Copying a title's folder to disk: the folder chain of the destination, then the title's files
// and subfolders (with their contents) into it, overwriting files of the same names. No extra
// folder level is made for the title itself.
#include <windows.h>

#include <string>

namespace catalogue {

// Makes every missing folder along `path` (see FolderChain). The current folder is the same
// afterwards as before. 0 when the whole chain exists at the end, otherwise the system's error
// code of the first folder that could not be made.
DWORD MakeFolderChain(const std::wstring& path);

// Copies what lies in `source` (files and subfolders, deep) into `destination`, which exists.
// Every entry is tried; 0 when all were copied, otherwise the error code of the first failure
// (a missing source folder included).
DWORD CopyFolderContents(const std::wstring& source, const std::wstring& destination);

}  // namespace catalogue
