#pragma once
// A collection laid out for one test: a program folder holding a copy of QVOL2.exe and the list
// files, and a CD tree (QVOL2\<category>\<title folder>\Nodt.txt) on a drive letter of its own.
// File contents are bytes of the system's single-byte code page, written as the CD has them.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace tests {

// Polls `condition` until it holds (true) or `timeoutMs` has passed (false).
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 15000);

// Registers the button control module of this build (as the collection's installer does), so
// that the panel's buttons are made from it. False when it could not be loaded or registered.
bool RegisterButtonControl();

class FakeCollection {
 public:
  FakeCollection() = default;
  ~FakeCollection();
  FakeCollection(const FakeCollection&) = delete;
  FakeCollection& operator=(const FakeCollection&) = delete;

  // Makes the folders, copies the program and maps a free drive letter to the CD. False (with
  // the reason in `error`) when a step failed.
  bool Create(std::wstring* error);

  // A second CD tree on a second drive letter (another copy of the collection).
  bool AddSecondDrive(std::wstring* error);

  std::wstring ProgramExe() const { return m_program + L"\\QVOL2.exe"; }
  wchar_t Drive(int which = 0) const { return m_drives[which]; }

  // Writes `content` as the list file of `categoryFolder` beside the program.
  bool WriteListFile(const std::wstring& categoryFolder, const std::string& content) const;
  // Makes the title's folder on CD `which`; a description when `description` is given.
  bool AddTitle(const std::wstring& categoryFolder, const std::wstring& titleFolder, const std::string* description,
                int which = 0) const;

  // Where a title's folder lies on CD `which`, in the test's own view of the file system.
  std::wstring TitlePath(const std::wstring& categoryFolder, const std::wstring& titleFolder, int which = 0) const {
    return CdRoot(which) + L"\\QVOL2\\" + categoryFolder + L"\\" + titleFolder;
  }

  static bool WriteBytes(const std::wstring& path, const std::string& content);

 private:
  std::wstring CdRoot(int which) const { return m_root + L"\\cd" + std::to_wstring(which); }

  std::wstring m_root;
  std::wstring m_program;
  std::vector<wchar_t> m_drives;
};

}  // namespace tests
