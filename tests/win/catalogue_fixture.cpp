#include "tests/win/catalogue_fixture.h"

#include <filesystem>
#include <system_error>
#include <vector>

#include <winioctl.h>

#include "tests/support/TestPaths.h"
#include "tests/support/UiDriver_win.h"
#include "tests/support/WineHost_win.h"

namespace tests {

namespace {

bool Fail(std::wstring* error, const std::wstring& what) {
  if (error) *error = what + L" (error " + std::to_wstring(GetLastError()) + L")";
  return false;
}

// Wine's mount manager defines a drive letter for a Unix folder, as its configuration tool does:
// the drive then exists for the whole prefix (GetLogicalDrives included, which a bare link in
// dosdevices does not reach) and is a CD-ROM drive with a volume label.
struct UnixDriveRequest {  // struct mountmgr_unix_drive of Wine's ddk/mountmgr.h
  ULONG size;
  ULONG type;
  ULONG fs_type;
  DWORD serial;
  ULONGLONG unix_dev;
  WCHAR letter;
  USHORT mount_point_offset;
  USHORT device_offset;
  USHORT label_offset;
};
// A 32-bit process hands the same bytes to the 64-bit mount manager.
static_assert(sizeof(UnixDriveRequest) == 32, "the layout of both bitnesses");
constexpr DWORD kDefineUnixDrive = CTL_CODE('m', 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);
constexpr ULONG kFsIso9660 = 3;

// Defines `letter` as a CD drive on `unixPath`, or removes its definition when the path is empty.
bool DefineUnixDrive(wchar_t letter, const std::string& unixPath, const std::wstring& label) {
  std::vector<unsigned char> buffer(sizeof(UnixDriveRequest));
  auto* request = reinterpret_cast<UnixDriveRequest*>(buffer.data());
  request->letter = static_cast<WCHAR>(letter | 0x20);
  request->type = DRIVE_NO_ROOT_DIR;
  if (!unixPath.empty()) {
    request->type = DRIVE_CDROM;
    request->fs_type = kFsIso9660;
    request->serial = 0x51564F32;
    request->mount_point_offset = static_cast<USHORT>(buffer.size());
    buffer.insert(buffer.end(), unixPath.begin(), unixPath.end());
    buffer.push_back(0);
    while (buffer.size() % sizeof(WCHAR)) buffer.push_back(0);
    const size_t labelOffset = buffer.size();
    const auto* bytes = reinterpret_cast<const unsigned char*>(label.c_str());
    buffer.insert(buffer.end(), bytes, bytes + (label.size() + 1) * sizeof(WCHAR));
    request = reinterpret_cast<UnixDriveRequest*>(buffer.data());
    request->label_offset = static_cast<USHORT>(labelOffset);
  }
  request->size = static_cast<ULONG>(buffer.size());
  HANDLE manager = CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                               FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  if (manager == INVALID_HANDLE_VALUE) return false;
  DWORD returned = 0;
  const BOOL ok = DeviceIoControl(manager, kDefineUnixDrive, buffer.data(), static_cast<DWORD>(buffer.size()), nullptr,
                                  0, &returned, nullptr);
  CloseHandle(manager);
  return ok != FALSE;
}

bool MakeFolders(const std::wstring& path) {
  std::error_code ec;
  std::filesystem::create_directories(std::filesystem::path(path), ec);
  return !ec;
}

}  // namespace

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  for (;;) {
    if (condition()) return true;
    if (GetTickCount64() >= end) return false;
    Sleep(20);
  }
}

bool RegisterButtonControl() {
  // Stays loaded for the test's run; registering again is harmless.
  HMODULE module = LoadLibraryW((tests::OwnFolder() + L"\\ZEPHONBUTTONPRO.OCX").c_str());
  if (!module) return false;
  using RegisterFn = HRESULT(STDAPICALLTYPE*)();
  auto reg = reinterpret_cast<RegisterFn>(reinterpret_cast<void*>(GetProcAddress(module, "DllRegisterServer")));
  return reg && SUCCEEDED(reg());
}

FakeCollection::~FakeCollection() {
  for (wchar_t letter : m_drives) DefineUnixDrive(letter, std::string(), std::wstring());
  if (!m_root.empty()) {
    std::error_code ec;
    std::filesystem::remove_all(std::filesystem::path(m_root), ec);
  }
}

bool FakeCollection::Create(std::wstring* error) {
  if (!tests::Running()) return Fail(error, L"the drive mapping needs Wine");
  const std::string temp = tests::MakeTempDir("qvol2");
  m_root.assign(temp.begin(), temp.end());
  m_program = m_root + L"\\programa";
  if (!MakeFolders(m_program)) return Fail(error, L"cannot create " + m_program);
  const std::wstring built = tests::OwnFolder() + L"\\QVOL2.exe";
  if (!CopyFileW(built.c_str(), ProgramExe().c_str(), FALSE)) return Fail(error, L"cannot copy " + built);
  return AddSecondDrive(error);
}

bool FakeCollection::AddSecondDrive(std::wstring* error) {
  const int which = static_cast<int>(m_drives.size());
  if (!MakeFolders(CdRoot(which) + L"\\QVOL2")) return Fail(error, L"cannot create the CD tree");
  WriteBytes(CdRoot(which) + L"\\.windows-label", "QVOL2_" + std::to_string(which) + "\n");
  const wchar_t letter = tests::FreeDriveLetter();
  if (!letter) return Fail(error, L"no free drive letter");
  const std::string unixPath = tests::UnixPath(CdRoot(which));
  if (unixPath.empty() || !DefineUnixDrive(letter, unixPath, L"QVOL2_" + std::to_wstring(which))) {
    return Fail(error, L"cannot define the CD drive");
  }
  m_drives.push_back(letter);
  return true;
}

bool FakeCollection::WriteListFile(const std::wstring& categoryFolder, const std::string& content) const {
  return WriteBytes(m_program + L"\\" + categoryFolder + L".LST", content);
}

bool FakeCollection::AddTitle(const std::wstring& categoryFolder, const std::wstring& titleFolder,
                              const std::string* description, int which) const {
  const std::wstring folder = TitlePath(categoryFolder, titleFolder, which);
  if (!MakeFolders(folder)) return false;
  return !description || WriteBytes(folder + L"\\Nodt.txt", *description);
}

bool FakeCollection::WriteBytes(const std::wstring& path, const std::string& content) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = WriteFile(h, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
  CloseHandle(h);
  return ok && written == content.size();
}

}  // namespace tests
