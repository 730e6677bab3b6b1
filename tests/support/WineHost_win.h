#pragma once
// What a test under Wine can ask of the Unix side: paths, links and drive letters that Win32 has
// no way to make there (a Unix symbolic link, a drive letter mapped in the prefix), and fast bulk
// file creation. Every helper answers false when not running under Wine.
#include <cstddef>
#include <string>

namespace tests {

bool Running();
// The Unix path of a Windows path, or "" outside Wine.
std::string UnixPath(const std::wstring& windowsPath);
// Runs a /bin/sh script (no double quotes in it) and waits for it; true when it ended with status 0.
// Wine starts Unix programs without a process handle to wait on, so the script leaves its status
// in a file that is polled for.
bool RunShell(const std::string& script);
// A Unix symbolic link at `link` pointing to `target` (both Windows paths).
bool MakeSymlink(const std::wstring& target, const std::wstring& link);
// Removes a link itself, never what it points to.
bool RemoveSymlink(const std::wstring& link);
// Creates `count` empty files named f00000.dat... in `folder` (Win32 creation of many new files in
// one folder is slow under Wine: each new name is looked up case-insensitively).
bool MakeManyFiles(const std::wstring& folder, std::size_t count);
// A drive letter that nothing in the prefix uses, or 0.
wchar_t FreeDriveLetter();
// Maps / unmaps a drive letter of the prefix to a folder.
bool MapDrive(wchar_t letter, const std::wstring& folder);
bool UnmapDrive(wchar_t letter);
// Makes \\server\share name `folder` for the whole prefix (Wine looks UNC paths up in
// dosdevices/unc/<server>/<share>); server and share in lower case.
bool MapUncShare(const std::string& server, const std::string& share, const std::wstring& folder);
bool UnmapUncShare(const std::string& server, const std::string& share);

}  // namespace tests
