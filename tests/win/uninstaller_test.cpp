// TRVUQV2.exe, run for real under Wine and driven through its windows and message boxes, over
// collections "installed" by the fixture; outcomes are checked on disk, in the registry and in
// TRVAR.INI.
#include <gtest/gtest.h>
#include <shlobj.h>
#include <windows.h>
// after windows.h, which it needs
#include <sddl.h>

#include <string>
#include <utility>
#include <vector>

#include "common/settings/AppSettings.h"
#include "common/win/Handles.h"
#include "tests/support/TestPaths.h"
#include "tests/support/UiDriver_win.h"
#include "tests/support/Utf8Text.h"
#include "tests/support/WineHost_win.h"
#include "uninstaller/SystemFolders.h"
#include "uninstaller/basGeneral.h"
#include "uninstaller/fixture/QuorvelInstall.h"
#include "uninstaller/PathRules.h"
#include "uninstaller/frmPrincipalIds.h"

namespace {

using tests::FromUtf8;
using uninstaller::InstallLayout;
using uninstaller::InstallState;
using uninstaller::QuorvelInstall;

constexpr DWORD kWindowWait = 15000;
constexpr wchar_t kBoxClass[] = L"#32770";
constexpr wchar_t kShellFolders[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

const std::wstring& Caption() {
  static const std::wstring caption = FromUtf8("Desinstalador de Quorvel V2");
  return caption;
}
const std::wstring& Done() {
  static const std::wstring done = FromUtf8("Quorvel V2 ha sido quitado de su PC.");
  return done;
}
std::wstring Warning(const std::wstring& path) {
  return FromUtf8("A continuación se borrará todo el contenido dentro de la carpeta: \"") + path + L"\"";
}

std::wstring Widen(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool WriteSmallFile(const std::wstring& path) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  WriteFile(h, "x", 1, &written, nullptr);
  CloseHandle(h);
  return true;
}

void ExpectEverythingInstalled(const InstallLayout& layout) {
  const InstallState s = QuorvelInstall::State(layout);
  EXPECT_TRUE(s.folderExists);
  EXPECT_TRUE(s.groupExists);
  EXPECT_TRUE(s.pathSetting);
  EXPECT_TRUE(s.groupSetting);
  EXPECT_TRUE(s.iniPath);
  EXPECT_TRUE(s.uninstallKey);
  for (const QuorvelInstall::Item& item : QuorvelInstall::TreeItems()) {
    EXPECT_TRUE(Exists(layout.folder + item.relative)) << "missing after a cancel";
  }
}

// The records of the installation (settings, INI key, uninstall key) are gone; the INI file's
// other sections stay.
void ExpectRecordsRemoved(const InstallLayout& layout) {
  const InstallState s = QuorvelInstall::State(layout);
  EXPECT_FALSE(s.pathSetting);
  EXPECT_FALSE(s.groupSetting);
  EXPECT_FALSE(s.settingsApplication) << "the whole application, DriveCD included, goes";
  EXPECT_FALSE(s.iniPath);
  EXPECT_TRUE(s.iniOtherSection);
  EXPECT_FALSE(s.uninstallKey) << "in either view of the registry";
}

class UninstallerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_root = Widen(tests::MakeTempDir("trvu"));
    m_group = L"Quorvel V2 prueba " + std::to_wstring(GetCurrentProcessId()) + L"-" +
              Widen(::testing::UnitTest::GetInstance()->current_test_info()->name());
    ClearRecords();
  }

  void TearDown() override {
    for (const std::wstring& link : m_links) tests::RemoveSymlink(link);
    if (m_drive) tests::UnmapDrive(m_drive);
    for (const std::wstring& folder : m_extraFolders) QuorvelInstall::RemoveTree(folder);
    QuorvelInstall::RemoveTree(QuorvelInstall::GroupFolder(m_group));
    QuorvelInstall::RemoveTree(m_root);
    ClearRecords();
  }

  static void ClearRecords() {
    common::AppSettings(L"Quorvel Vol. 2").DeleteApplication();
    WritePrivateProfileStringW(L"Quorvel Vol. 2", nullptr, nullptr, L"TRVAR.INI");
    for (REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY}) {
      RegDeleteKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quorvel Vol. 2",
                      view, 0);
    }
  }

  InstallLayout Layout(const std::wstring& name) { return InstallLayout{m_root + L"\\" + name + L"\\", m_group}; }

  void Install(const InstallLayout& layout) {
    std::wstring error;
    ASSERT_TRUE(QuorvelInstall::Install(layout, &error)) << std::string(error.begin(), error.end());
  }

  static std::wstring Exe() { return tests::OwnFolder() + L"\\TRVUQV2.exe"; }

  // Starts the program, checks the first question and answers OK; returns the window.
  static HWND StartToWindow(tests::Process& process) {
    EXPECT_TRUE(process.Start(Exe()));
    HWND box = tests::WaitForWindow(process.Id(), kBoxClass, kWindowWait);
    EXPECT_NE(box, nullptr) << "no first question";
    if (!box) return nullptr;
    const tests::MessageBoxView question = tests::ReadMessageBox(box);
    EXPECT_EQ(question.caption, Caption());
    EXPECT_EQ(question.text, FromUtf8("¿Está seguro que quiere desinstalar Quorvel V2 de su PC?"));
    EXPECT_STREQ(tests::BoxIconName(question.icon), "question");
    EXPECT_EQ(question.buttons, (std::vector<int>{IDOK, IDCANCEL}));
    tests::PressMessageBoxButton(question, IDOK);
    HWND form = tests::WaitForWindow(process.Id(), uninstaller::kPrincipalClass, kWindowWait);
    EXPECT_NE(form, nullptr) << "the window did not come up";
    return form;
  }

  // Presses "Desinstalar", checks the warning for `path` and answers it; returns the warning box.
  static tests::MessageBoxView PressUninstall(tests::Process& process, HWND form, const std::wstring& path) {
    tests::Click(GetDlgItem(form, uninstaller::kCmdDesinstal));
    HWND box = tests::WaitForWindow(process.Id(), kBoxClass, kWindowWait);
    EXPECT_NE(box, nullptr) << "no warning";
    if (!box) return {};
    tests::MessageBoxView warning = tests::ReadMessageBox(box);
    EXPECT_EQ(warning.caption, Caption());
    EXPECT_EQ(warning.text, Warning(path));
    EXPECT_STREQ(tests::BoxIconName(warning.icon), "warning");
    EXPECT_EQ(warning.buttons, (std::vector<int>{IDOK, IDCANCEL}));
    return warning;
  }

  // A whole run with `path` recorded: OK everywhere. Returns the closing message, which it
  // dismisses; the program must then end.
  tests::MessageBoxView RunThrough(const std::wstring& path, DWORD deleteWait = kWindowWait) {
    tests::Process process;
    HWND form = StartToWindow(process);
    if (!form) return {};
    tests::MessageBoxView warning = PressUninstall(process, form, path);
    if (!warning.window) return {};
    tests::PressMessageBoxButton(warning, IDOK);
    EXPECT_TRUE(tests::WaitGone(warning.window, kWindowWait));
    HWND box = tests::WaitForWindow(process.Id(), kBoxClass, deleteWait);
    EXPECT_NE(box, nullptr) << "no closing message";
    if (!box) return {};
    tests::MessageBoxView done = tests::ReadMessageBox(box);
    EXPECT_EQ(done.caption, Caption());
    EXPECT_EQ(done.buttons, (std::vector<int>{IDOK}));
    tests::PressMessageBoxButton(done, IDOK);
    DWORD code = 1;
    EXPECT_TRUE(process.WaitExit(kWindowWait, &code)) << "the program did not end";
    EXPECT_EQ(code, 0u);
    return done;
  }

  tests::MessageBoxView RunWithPath(const std::wstring& path) {
    EXPECT_TRUE(QuorvelInstall::WriteSettings(path, m_group));
    return RunThrough(path);
  }

  std::wstring m_root;
  std::wstring m_group;
  std::vector<std::wstring> m_links;
  std::vector<std::wstring> m_extraFolders;
  wchar_t m_drive = 0;
};

TEST_F(UninstallerTest, ShowsItsWindowThenRemovesTheWholeInstallation) {
  const InstallLayout layout = Layout(L"Quorvel V2");
  ASSERT_NO_FATAL_FAILURE(Install(layout));

  tests::Process process;
  HWND form = StartToWindow(process);
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(tests::TextOf(form), Caption());
  RECT client;
  GetClientRect(form, &client);
  EXPECT_EQ(client.right, 434);
  EXPECT_EQ(client.bottom, 135);
  RECT frame;
  GetWindowRect(form, &frame);
  EXPECT_NEAR((frame.left + frame.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1) << "centred";
  EXPECT_NEAR((frame.top + frame.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1) << "centred";
  EXPECT_FALSE(GetWindowLongW(form, GWL_STYLE) & (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_MINIMIZEBOX)) << "fixed";

  struct Control {
    int id;
    const char* text;
    RECT rect;
  } controls[] = {
      {uninstaller::kLblTitulo, "Desinstalador de Quorvel V2", {168, 4, 0, 0}},
      {uninstaller::kLbl, "·", {168, 24, 173, 39}},
      {uninstaller::kLblCerraApp,
       "Recuerde cerrar el programa de Quorvel V2, antes de desinstalarlo.",
       {180, 24, 431, 53}},
      {uninstaller::kLabel1, "·", {168, 64, 173, 79}},
      {uninstaller::kLblComent,
       "Presione el botón Desinstalar para quitar de su PC el programa Quorvel V2.",
       {180, 64, 433, 90}},
      {uninstaller::kCmdCancel, "&Cancelar", {232, 104, 313, 129}},
      {uninstaller::kCmdDesinstal, "&Desinstalar", {320, 104, 429, 129}},
      {uninstaller::kImage1, "", {4, 4, 148, 119}},
  };
  for (const Control& c : controls) {
    HWND child = GetDlgItem(form, c.id);
    ASSERT_NE(child, nullptr) << c.text;
    EXPECT_EQ(tests::TextOf(child), FromUtf8(c.text));
    const RECT r = tests::ChildRect(child);
    EXPECT_EQ(r.left, c.rect.left) << c.text;
    EXPECT_EQ(r.top, c.rect.top) << c.text;
    if (c.rect.right) {
      EXPECT_EQ(r.right, c.rect.right) << c.text;
      EXPECT_EQ(r.bottom, c.rect.bottom) << c.text;
    }
  }
  HWND image = GetDlgItem(form, uninstaller::kImage1);
  RECT inner;
  GetClientRect(image, &inner);
  EXPECT_EQ(inner.right, 140);
  EXPECT_EQ(inner.bottom, 111);
  EXPECT_EQ(GetWindowLongW(image, GWL_STYLE) & SS_TYPEMASK, SS_BITMAP);

  // "Desinstalar" is first in the tab order and has the focus; Tab goes on to "Cancelar".
  HWND uninstall = GetDlgItem(form, uninstaller::kCmdDesinstal);
  GUITHREADINFO gui = {};
  gui.cbSize = sizeof gui;
  ASSERT_TRUE(GetGUIThreadInfo(GetWindowThreadProcessId(form, nullptr), &gui));
  EXPECT_EQ(gui.hwndFocus, uninstall);
  EXPECT_EQ(GetNextDlgTabItem(form, uninstall, FALSE), GetDlgItem(form, uninstaller::kCmdCancel));

  tests::MessageBoxView warning = PressUninstall(process, form, layout.folder);
  ASSERT_NE(warning.window, nullptr);
  tests::PressMessageBoxButton(warning, IDOK);
  ASSERT_TRUE(tests::WaitGone(warning.window, kWindowWait));
  HWND box = tests::WaitForWindow(process.Id(), kBoxClass, kWindowWait);
  ASSERT_NE(box, nullptr);
  const tests::MessageBoxView done = tests::ReadMessageBox(box);
  EXPECT_EQ(done.caption, Caption());
  EXPECT_EQ(done.text, Done());
  EXPECT_STREQ(tests::BoxIconName(done.icon), "information");
  EXPECT_EQ(done.buttons, (std::vector<int>{IDOK}));
  tests::PressMessageBoxButton(done, IDOK);
  DWORD code = 1;
  ASSERT_TRUE(process.WaitExit(kWindowWait, &code));
  EXPECT_EQ(code, 0u);

  // Hidden, system and read-only files and every nested folder went, and the folder itself.
  for (const QuorvelInstall::Item& item : QuorvelInstall::TreeItems()) {
    EXPECT_FALSE(Exists(layout.folder + item.relative));
  }
  EXPECT_FALSE(Exists(layout.folder));
  EXPECT_TRUE(Exists(m_root)) << "nothing above the installed folder";
  EXPECT_FALSE(Exists(QuorvelInstall::GroupFolder(m_group)));
  EXPECT_TRUE(Exists(QuorvelInstall::ProgramsFolder()));
  ExpectRecordsRemoved(layout);
}

TEST_F(UninstallerTest, ProgramPictureAndIconAreItsOwnResources) {
  HMODULE exe = LoadLibraryExW(Exe().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  ASSERT_NE(exe, nullptr);
  HRSRC picture = FindResourceW(exe, MAKEINTRESOURCEW(101), MAKEINTRESOURCEW(2) /* RT_BITMAP */);
  ASSERT_NE(picture, nullptr);
  const auto* header = static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(exe, picture)));
  ASSERT_NE(header, nullptr);
  EXPECT_EQ(header->biWidth, 140);
  EXPECT_EQ(header->biHeight, 111);
  EXPECT_EQ(header->biBitCount, 24);
  EXPECT_NE(FindResourceW(exe, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(14) /* RT_GROUP_ICON */), nullptr);
  FreeLibrary(exe);
}

TEST_F(UninstallerTest, CancelAtEitherQuestionChangesNothing) {
  const InstallLayout layout = Layout(L"Quorvel V2");
  ASSERT_NO_FATAL_FAILURE(Install(layout));
  {
    tests::Process process;
    ASSERT_TRUE(process.Start(Exe()));
    HWND box = tests::WaitForWindow(process.Id(), kBoxClass, kWindowWait);
    ASSERT_NE(box, nullptr);
    tests::PressMessageBoxButton(tests::ReadMessageBox(box), IDCANCEL);
    DWORD code = 1;
    ASSERT_TRUE(process.WaitExit(kWindowWait, &code));
    EXPECT_EQ(code, 0u);
  }
  ExpectEverythingInstalled(layout);
  {
    tests::Process process;
    HWND form = StartToWindow(process);
    ASSERT_NE(form, nullptr);
    tests::MessageBoxView warning = PressUninstall(process, form, layout.folder);
    ASSERT_NE(warning.window, nullptr);
    tests::PressMessageBoxButton(warning, IDCANCEL);
    ASSERT_TRUE(tests::WaitGone(warning.window, kWindowWait));
    Sleep(300);
    EXPECT_TRUE(IsWindowVisible(form)) << "the window stays after a cancelled warning";
    EXPECT_TRUE(process.Running());
    ExpectEverythingInstalled(layout);
    tests::Click(GetDlgItem(form, uninstaller::kCmdCancel));
    DWORD code = 1;
    ASSERT_TRUE(process.WaitExit(kWindowWait, &code));
    EXPECT_EQ(code, 0u);
  }
  ExpectEverythingInstalled(layout);
}

TEST_F(UninstallerTest, EmptyPathDeletesNoFolderButRemovesTheRest) {
  InstallLayout layout{L"", m_group};
  ASSERT_NO_FATAL_FAILURE(Install(layout));
  ASSERT_TRUE(WriteSmallFile(m_root + L"\\canary.txt"));
  const tests::MessageBoxView done = RunThrough(L"");
  EXPECT_EQ(done.text, Done());
  EXPECT_STREQ(tests::BoxIconName(done.icon), "information");
  EXPECT_TRUE(Exists(m_root + L"\\canary.txt"));
  EXPECT_FALSE(Exists(QuorvelInstall::GroupFolder(m_group)));
  ExpectRecordsRemoved(layout);
}

TEST_F(UninstallerTest, RefusesDriveRootsAndSystemFoldersButRemovesFoldersBelowThem) {
  ASSERT_TRUE(tests::Running()) << "the drive mapping needs Wine";
  // A drive of our own stands in for a system drive: its root and its Windows, Archivos de
  // programa and Mis documentos folders hold files that must survive.
  const std::wstring driveFolder = m_root + L"\\unidad";
  const wchar_t* const canaries[] = {L"\\canary.txt", L"\\Windows\\canary.txt", L"\\Archivos de programa\\canary.txt",
                                     L"\\Mis documentos\\canary.txt"};
  for (const wchar_t* folder : {L"", L"\\Windows", L"\\Archivos de programa", L"\\Mis documentos"}) {
    CreateDirectoryW((driveFolder + folder).c_str(), nullptr);
  }
  for (const wchar_t* canary : canaries) ASSERT_TRUE(WriteSmallFile(driveFolder + canary));
  m_drive = tests::FreeDriveLetter();
  ASSERT_NE(m_drive, 0);
  ASSERT_TRUE(tests::MapDrive(m_drive, driveFolder));
  const std::wstring d(1, m_drive);
  ASSERT_TRUE(Exists(d + L":\\Windows\\canary.txt"));
  ASSERT_NO_FATAL_FAILURE(Install(InstallLayout{L"", m_group}));

  struct Refusal {
    std::wstring path;
    const char* reason;
  };
  const Refusal onOwnDrive[] = {
      {d + L":\\", "es la raíz de una unidad"},
      {d + L":\\Windows\\", "es una carpeta del sistema"},
      {d + L":\\WINDOWS", "es una carpeta del sistema"},
      {d + L":\\Archivos de programa\\", "es una carpeta del sistema"},
      {d + L":\\Mis documentos\\", "es una carpeta del sistema"},
  };
  for (const Refusal& r : onOwnDrive) {
    const tests::MessageBoxView done = RunWithPath(r.path);
    EXPECT_EQ(done.text, FromUtf8("No se pudo quitar por completo Quorvel V2 de su PC.\n\nNo se borró la carpeta \"") +
                             r.path + L"\" porque " + FromUtf8(r.reason) + L".");
    EXPECT_STREQ(tests::BoxIconName(done.icon), "warning");
    for (const wchar_t* canary : canaries) ASSERT_TRUE(Exists(driveFolder + canary)) << "deleted through " << r.reason;
  }
  // The steps after the folder ran all the same.
  ExpectRecordsRemoved(InstallLayout{L"", m_group});
  EXPECT_FALSE(Exists(QuorvelInstall::GroupFolder(m_group)));

  // The real system drive, only once the rule has proved itself above.
  for (const wchar_t* path : {L"D:\\", L"C:\\Windows\\", L"C:\\WINDOWS"}) {
    const tests::MessageBoxView done = RunWithPath(path);
    EXPECT_NE(done.text.find(FromUtf8("No se borró la carpeta \"") + path + L"\""), std::wstring::npos);
    EXPECT_STREQ(tests::BoxIconName(done.icon), "warning");
    ASSERT_TRUE(Exists(L"C:\\windows\\system32\\kernel32.dll"));
  }
  // Folders of those names on C: (made in the prefix for the test), and a collection below one.
  for (const wchar_t* folder : {L"C:\\Archivos de programa", L"C:\\Mis documentos"}) {
    if (!Exists(folder)) {
      ASSERT_TRUE(CreateDirectoryW(folder, nullptr));
      m_extraFolders.push_back(folder);
    }
    ASSERT_TRUE(WriteSmallFile(std::wstring(folder) + L"\\canary-trvu.txt"));
    const tests::MessageBoxView done = RunWithPath(std::wstring(folder) + L"\\");
    EXPECT_STREQ(tests::BoxIconName(done.icon), "warning");
    EXPECT_TRUE(Exists(std::wstring(folder) + L"\\canary-trvu.txt"));
  }
  const InstallLayout below{L"C:\\Archivos de programa\\Juegos\\", m_group};
  if (Exists(L"C:\\Archivos de programa\\Juegos")) GTEST_SKIP() << "C:\\Archivos de programa\\Juegos is in use";
  m_extraFolders.push_back(L"C:\\Archivos de programa\\Juegos");
  ASSERT_NO_FATAL_FAILURE(Install(below));
  const tests::MessageBoxView done = RunThrough(below.folder);
  EXPECT_EQ(done.text, Done());
  EXPECT_FALSE(Exists(L"C:\\Archivos de programa\\Juegos"));
  EXPECT_TRUE(Exists(L"C:\\Archivos de programa\\canary-trvu.txt"));
  DeleteFileW(L"C:\\Archivos de programa\\canary-trvu.txt");
  DeleteFileW(L"C:\\Mis documentos\\canary-trvu.txt");
}

// Restores the Programs value of the Shell Folders key when the test is done with it.
class ProgramsValueGuard {
 public:
  ProgramsValueGuard() : m_value(QuorvelInstall::ProgramsFolder()) {}
  ~ProgramsValueGuard() {
    common::RegKey key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kShellFolders, 0, KEY_SET_VALUE, key.Put()) == ERROR_SUCCESS) {
      RegSetValueExW(key.Get(), L"Programs", 0, REG_SZ, reinterpret_cast<const BYTE*>(m_value.c_str()),
                     static_cast<DWORD>((m_value.size() + 1) * sizeof(wchar_t)));
    }
  }
  bool Remove() {
    common::RegKey key;
    return RegOpenKeyExW(HKEY_CURRENT_USER, kShellFolders, 0, KEY_SET_VALUE, key.Put()) == ERROR_SUCCESS &&
           RegDeleteValueW(key.Get(), L"Programs") == ERROR_SUCCESS;
  }

 private:
  std::wstring m_value;
};

TEST_F(UninstallerTest, StartMenuIsLeftAloneWithoutGroupNameOrProgramsFolder) {
  const std::wstring programs = QuorvelInstall::ProgramsFolder();
  const std::wstring canary = programs + L"\\zbtest-trvu-" + std::to_wstring(GetCurrentProcessId()) + L".txt";
  ASSERT_TRUE(WriteSmallFile(canary));
  m_extraFolders.push_back(canary);

  // No group name: the Programs folder itself must not be taken for the group.
  const InstallLayout layout = Layout(L"Quorvel V2");
  ASSERT_NO_FATAL_FAILURE(Install(layout));
  ASSERT_TRUE(QuorvelInstall::WriteSettings(layout.folder, L""));
  EXPECT_EQ(RunThrough(layout.folder).text, Done());
  EXPECT_TRUE(Exists(canary));
  EXPECT_TRUE(Exists(QuorvelInstall::GroupFolder(m_group)));
  EXPECT_FALSE(Exists(layout.folder));

  // A group name that climbs out of the Programs folder is refused and said so.
  ASSERT_NO_FATAL_FAILURE(Install(layout));
  ASSERT_TRUE(QuorvelInstall::WriteSettings(layout.folder, L".."));
  const tests::MessageBoxView climbed = RunThrough(layout.folder);
  EXPECT_EQ(climbed.text, FromUtf8("No se pudo quitar por completo Quorvel V2 de su PC.\n\n"
                                   "No se borró el grupo \"..\" del menú Inicio porque su nombre no es válido."));
  EXPECT_TRUE(Exists(canary));

  // No Programs value: the group stays.
  {
    ProgramsValueGuard guard;
    ASSERT_NO_FATAL_FAILURE(Install(layout));
    ASSERT_TRUE(guard.Remove());
    EXPECT_EQ(RunThrough(layout.folder).text, Done());
  }
  EXPECT_TRUE(Exists(QuorvelInstall::GroupFolder(m_group)));
  EXPECT_TRUE(Exists(canary));
  EXPECT_FALSE(Exists(layout.folder));
}

TEST_F(UninstallerTest, FileHeldOpenIsLeftInPlaceAndReported) {
  const InstallLayout layout = Layout(L"Quorvel V2");
  ASSERT_NO_FATAL_FAILURE(Install(layout));
  const std::wstring held = layout.folder + L"Datos\\Sonidos\\fondo.wav";  // read-only
  HANDLE h = CreateFileW(held.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  const tests::MessageBoxView done = RunThrough(layout.folder);
  CloseHandle(h);

  EXPECT_EQ(done.text, FromUtf8("No se pudo quitar por completo Quorvel V2 de su PC.\n\n"
                                "No se pudo borrar todo el contenido de la carpeta \"") +
                           layout.folder + L"\". Quedaron:\n    " + held +
                           FromUtf8(" (en uso)\n\nPuede borrarlos usted mismo después de cerrar los programas que los "
                                    "estén usando."));
  EXPECT_STREQ(tests::BoxIconName(done.icon), "warning");
  // The file stays as it was; the folders holding it stay; everything else went.
  EXPECT_EQ(GetFileAttributesW(held.c_str()) & FILE_ATTRIBUTE_READONLY, static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
  for (const QuorvelInstall::Item& item : QuorvelInstall::TreeItems()) {
    const bool staysAboveHeld = item.relative == L"Datos" || item.relative == L"Datos\\Sonidos" ||
                                item.relative == L"Datos\\Sonidos\\fondo.wav";
    EXPECT_EQ(Exists(layout.folder + item.relative), staysAboveHeld)
        << std::string(item.relative.begin(), item.relative.end());
  }
  EXPECT_FALSE(Exists(QuorvelInstall::GroupFolder(m_group)));
  ExpectRecordsRemoved(layout);
}

// A registry key that refuses deletion while this lives: DELETE denied to everyone, and owned by
// SYSTEM, because under Wine a key's owner may delete it whatever the key's list says.
class UndeletableKey {
 public:
  UndeletableKey(HKEY root, std::wstring path) : m_root(root), m_path(std::move(path)) {
    Secure(L"O:SYD:P(D;;SD;;;WD)(A;;KA;;;WD)", OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION);
  }
  ~UndeletableKey() { Secure(L"D:P(A;;KA;;;WD)", DACL_SECURITY_INFORMATION); }
  bool Refuses() const {
    common::RegKey key;
    return RegOpenKeyExW(m_root, m_path.c_str(), 0, DELETE, key.Put()) == ERROR_ACCESS_DENIED;
  }

 private:
  void Secure(const wchar_t* sddl, SECURITY_INFORMATION parts) {
    PSECURITY_DESCRIPTOR sd = nullptr;
    common::RegKey key;
    if (ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl, SDDL_REVISION_1, &sd, nullptr) &&
        RegOpenKeyExW(m_root, m_path.c_str(), 0, WRITE_DAC | WRITE_OWNER, key.Put()) == ERROR_SUCCESS) {
      RegSetKeySecurity(key.Get(), parts, sd);
    }
    LocalFree(sd);
  }

  HKEY m_root;
  std::wstring m_path;
};

TEST_F(UninstallerTest, RegistryKeysThatRefuseDeletionAreReported) {
  const InstallLayout layout = Layout(L"Quorvel V2");
  ASSERT_NO_FATAL_FAILURE(Install(layout));
  const std::wstring settings = std::wstring(common::AppSettings::kRoot) + L"\\Quorvel Vol. 2";
  const std::wstring uninstall = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quorvel Vol. 2";
  {
    UndeletableKey section(HKEY_CURRENT_USER, settings + L"\\General");
    UndeletableKey registration(HKEY_LOCAL_MACHINE, uninstall);
    ASSERT_TRUE(section.Refuses() && registration.Refuses()) << "the keys' permissions are not enforced";
    const tests::MessageBoxView done = RunThrough(layout.folder);
    EXPECT_EQ(done.text, FromUtf8("No se pudo quitar por completo Quorvel V2 de su PC.\n\n"
                                  "No se pudieron borrar estas claves del registro:\n    HKEY_CURRENT_USER\\") +
                             settings + FromUtf8(" (acceso denegado)\n    HKEY_LOCAL_MACHINE\\") + uninstall +
                             FromUtf8(" (acceso denegado)"));
    EXPECT_STREQ(tests::BoxIconName(done.icon), "warning");
  }
  const InstallState s = QuorvelInstall::State(layout);
  EXPECT_TRUE(s.settingsApplication);
  EXPECT_TRUE(s.uninstallKey);
  EXPECT_FALSE(s.folderExists);
  EXPECT_FALSE(s.groupExists);
  EXPECT_FALSE(s.iniPath);
}

TEST_F(UninstallerTest, SecondInstanceEndsSilently) {
  tests::Process first;
  ASSERT_TRUE(first.Start(Exe()));
  HWND question = tests::WaitForWindow(first.Id(), kBoxClass, kWindowWait);
  ASSERT_NE(question, nullptr);

  tests::Process second;
  ASSERT_TRUE(second.Start(Exe()));
  DWORD code = 1;
  bool ended = false;
  for (int i = 0; i < 250 && !ended; ++i) {
    EXPECT_TRUE(tests::TopWindows(second.Id()).empty()) << "the second instance showed a window";
    ended = second.WaitExit(20, &code);
  }
  ASSERT_TRUE(ended);
  EXPECT_EQ(code, 0u);
  EXPECT_TRUE(first.Running());
  tests::PressMessageBoxButton(tests::ReadMessageBox(question), IDCANCEL);
  EXPECT_TRUE(first.WaitExit(kWindowWait));
}

TEST_F(UninstallerTest, FolderWithMoreThan40000EntriesIsRemovedWhole) {
  const InstallLayout layout = Layout(L"Quorvel V2");
  ASSERT_NO_FATAL_FAILURE(Install(layout));
  const std::wstring many = layout.folder + L"Muchos";
  ASSERT_TRUE(CreateDirectoryW(many.c_str(), nullptr));
  ASSERT_TRUE(tests::MakeManyFiles(many, 40010));
  ASSERT_TRUE(Exists(many + L"\\f40009.dat"));
  EXPECT_EQ(RunThrough(layout.folder, 120000).text, Done());
  EXPECT_FALSE(Exists(many + L"\\f40009.dat"));
  EXPECT_FALSE(Exists(layout.folder));
}

TEST_F(UninstallerTest, LinksAreNeitherFollowedNorRemoved) {
  ASSERT_TRUE(tests::Running()) << "Unix links need Wine";
  const std::wstring outside = m_root + L"\\fuera";
  ASSERT_TRUE(CreateDirectoryW(outside.c_str(), nullptr));
  ASSERT_TRUE(WriteSmallFile(outside + L"\\dato.txt"));
  ASSERT_TRUE(WriteSmallFile(outside + L"\\otro.txt"));

  const InstallLayout layout = Layout(L"Quorvel V2");
  ASSERT_NO_FATAL_FAILURE(Install(layout));
  const std::wstring folderLink = layout.folder + L"Datos\\enlace";
  const std::wstring fileLink = layout.folder + L"dato-enlace.txt";
  ASSERT_TRUE(tests::MakeSymlink(outside, folderLink));
  m_links.push_back(folderLink);
  ASSERT_TRUE(tests::MakeSymlink(outside + L"\\dato.txt", fileLink));
  m_links.push_back(fileLink);

  const tests::MessageBoxView done = RunThrough(layout.folder);
  EXPECT_TRUE(Exists(outside + L"\\dato.txt"));
  EXPECT_TRUE(Exists(outside + L"\\otro.txt"));
  EXPECT_TRUE(Exists(folderLink));
  EXPECT_TRUE(Exists(fileLink));
  EXPECT_FALSE(Exists(layout.folder + L"QVOL2.EXE"));
  EXPECT_FALSE(Exists(layout.folder + L"Datos\\Sonidos"));
  EXPECT_STREQ(tests::BoxIconName(done.icon), "warning");
  EXPECT_NE(done.text.find(fileLink + L" (enlace)"), std::wstring::npos);
  EXPECT_NE(done.text.find(folderLink + L" (enlace)"), std::wstring::npos);

  // The installed folder itself a link: what it leads to is not touched either.
  const std::wstring linkedInstall = m_root + L"\\instalado";
  ASSERT_TRUE(tests::MakeSymlink(outside, linkedInstall));
  m_links.push_back(linkedInstall);
  const tests::MessageBoxView linked = RunWithPath(linkedInstall + L"\\");
  EXPECT_TRUE(Exists(outside + L"\\dato.txt"));
  EXPECT_TRUE(Exists(outside + L"\\otro.txt"));
  EXPECT_NE(linked.text.find(linkedInstall + L" (enlace)"), std::wstring::npos);
}

std::wstring KnownFolder(int csidl) {
  wchar_t path[MAX_PATH];
  return SUCCEEDED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path)) ? path : L"";
}

// Where a folder leads when it is a link (under Wine, Documents leads to the Unix home).
std::wstring Resolved(const std::wstring& path) {
  HANDLE h = CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  wchar_t buffer[MAX_PATH] = {};
  const DWORD n = h == INVALID_HANDLE_VALUE ? 0 : GetFinalPathNameByHandleW(h, buffer, MAX_PATH, VOLUME_NAME_DOS);
  if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  const std::wstring out(buffer, n < MAX_PATH ? n : 0);
  return out.compare(0, 4, L"\\\\?\\") == 0 ? out.substr(4) : out;
}

TEST(SystemFolders, CoverWhatTheSystemReportsUnderEveryName) {
  const uninstaller::ProtectedFolders folders = uninstaller::SystemProtectedFolders();
  wchar_t windows[MAX_PATH];
  ASSERT_GT(GetWindowsDirectoryW(windows, MAX_PATH), 0u);
  using V = uninstaller::FolderVerdict;
  auto verdict = [&](const std::wstring& path) { return static_cast<int>(folders.Check(path)); };
  EXPECT_EQ(verdict(std::wstring(windows) + L"\\"), static_cast<int>(V::ListedFolder));
  EXPECT_EQ(verdict(std::wstring(windows) + L"\\Fonts"), static_cast<int>(V::ListedFolder));
  for (int csidl : {CSIDL_PROGRAM_FILES, CSIDL_PROFILE, CSIDL_PERSONAL, CSIDL_DESKTOPDIRECTORY, CSIDL_APPDATA,
                    CSIDL_PROGRAMS, CSIDL_STARTMENU, CSIDL_COMMON_APPDATA}) {
    const std::wstring path = KnownFolder(csidl);
    ASSERT_FALSE(path.empty()) << csidl;
    EXPECT_EQ(verdict(path), static_cast<int>(V::SystemFolder)) << csidl;
    const std::wstring target = Resolved(path);
    if (!target.empty() && !uninstaller::SamePath(target, path)) {
      EXPECT_NE(verdict(target), static_cast<int>(V::Allowed)) << "the target of " << csidl;
    }
  }
  const std::wstring profile = KnownFolder(CSIDL_PROFILE);
  EXPECT_EQ(verdict(profile.substr(0, profile.rfind(L'\\'))), static_cast<int>(V::HoldsSystemFolder));
  EXPECT_EQ(verdict(KnownFolder(CSIDL_PROGRAMS) + L"\\Quorvel V2"), static_cast<int>(V::Allowed));
  EXPECT_EQ(verdict(KnownFolder(CSIDL_PROGRAM_FILES) + L"\\Quorvel V2\\"), static_cast<int>(V::Allowed));
}

TEST(DeleteFolderTree, RemovesTreesDeeperThanMaxPath) {
  const std::wstring root = Widen(tests::MakeTempDir("trvu-deep"));
  std::wstring path = L"\\\\?\\" + root;
  for (int level = 0; level < 20; ++level) {
    path += L"\\carpeta-profunda-" + std::to_wstring(level);
    ASSERT_TRUE(CreateDirectoryW(path.c_str(), nullptr));
    ASSERT_TRUE(WriteSmallFile(path + L"\\archivo.txt"));
  }
  ASSERT_GT(path.size(), static_cast<size_t>(MAX_PATH));
  const uninstaller::TreeRemoval removal = uninstaller::DeleteFolderTree(root);
  EXPECT_TRUE(removal.existed);
  for (const uninstaller::LeftItem& item : removal.left) {
    ADD_FAILURE() << "left: " << std::string(item.path.begin(), item.path.end()) << " reason "
                  << static_cast<int>(item.reason);
  }
  EXPECT_FALSE(Exists(root));
  EXPECT_FALSE(uninstaller::DeleteFolderTree(root).existed);
}

}  // namespace
