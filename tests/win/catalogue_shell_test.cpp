// The main window's skin, QVOL2.exe run for real under Wine: its shape, the picture buttons as
// button controls at their places, the help and shareware panels, the link labels' hover look, the
// move handle and the exit button. The outline's arithmetic for other screens runs in-process.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "catalogue/CatalogueIds.h"
#include "catalogue/CatalogueRules.h"
#include "catalogue/MainOutline.h"
#include "catalogue/MainRegion.h"
#include "catalogue/PanelTexts.h"
#include "catalogue/TitleLauncher.h"
#include "common/settings/AppSettings.h"
#include "common/win/Handles.h"
#include "common/win/TextConvert.h"
#include "tests/support/TestPaths.h"
#include "tests/support/UiDriver_win.h"
#include "tests/win/catalogue_fixture.h"

namespace {

using tests::FakeCollection;
using tests::WaitUntil;

constexpr DWORD kWait = 15000;

// A left click as the window system delivers it: posted, so the control runs it from its queue.
void ClickControl(HWND control) {
  RECT r{};
  GetClientRect(control, &r);
  const LPARAM at = MAKELPARAM(r.right / 2, r.bottom / 2);
  PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(control, WM_LBUTTONUP, 0, at);
}

RECT ScreenRect(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return r;
}

// Whether a label shows an underline: a row of its pixels on screen with a long dark run (the
// text's own strokes are short; the underline spans the caption).
bool ShowsUnderline(HWND label) {
  const RECT r = ScreenRect(label);
  const int width = r.right - r.left, height = r.bottom - r.top;
  const std::vector<DWORD> pixels = tests::ScreenPixels(r);
  int longest = 0;
  for (int y = 0; !pixels.empty() && y < height; ++y) {
    int run = 0;
    for (int x = 0; x < width; ++x) {
      const DWORD p = pixels[y * width + x];
      const bool dark = (p & 0xFF) < 90 && ((p >> 8) & 0xFF) < 90 && ((p >> 16) & 0xFF) < 90;
      run = dark ? run + 1 : 0;
      if (run > longest) longest = run;
    }
  }
  return longest >= width / 2;
}

// What the recorder program wrote when it ran: its current folder, show state, command line.
struct Recorded {
  std::wstring folder;
  int show = -2;
  std::wstring commandLine;
};

// Reads a recorder's report; false while it is not there whole. The recorder renames the report
// into place and closes its handle a moment later: until then an open that does not share delete
// access fails, so the report is opened sharing everything and read again until it parses.
bool ReadRecord(const std::wstring& report, Recorded* out) {
  const common::FileHandle file(CreateFileW(report.c_str(), GENERIC_READ,
                                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                            OPEN_EXISTING, 0, nullptr));
  if (!file) return false;
  std::string bytes(4096, '\0');
  DWORD read = 0;
  if (!ReadFile(file.Get(), &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr)) return false;
  bytes.resize(read);
  std::vector<std::wstring> lines;
  size_t start = 0;
  for (size_t end; (end = bytes.find('\n', start)) != std::string::npos; start = end + 1)
    lines.push_back(common::Wide(bytes.substr(start, end - start)));
  if (lines.size() != 3) return false;
  out->folder = lines[0];
  out->show = _wtoi(lines[1].c_str());
  out->commandLine = lines[2];
  return true;
}

// Waits for the report of a recorder copy at `exe` (its name with ".txt"); false when none came.
bool WaitForRecord(const std::wstring& exe, Recorded* out) {
  const std::wstring report = exe.substr(0, exe.find_last_of(L'.')) + L".txt";
  return WaitUntil([&] { return ReadRecord(report, out); }, kWait);
}

bool CopyRecorder(const std::wstring& to) {
  return CopyFileW((tests::OwnFolder() + L"\\catalogue_recorder.exe").c_str(), to.c_str(), FALSE) != FALSE;
}

bool SameText(const std::wstring& a, const std::wstring& b) { return _wcsicmp(a.c_str(), b.c_str()) == 0; }

class CatalogueShellTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(tests::RegisterButtonControl()) << "the panel's buttons need the control module";
    m_before = Settings().Get(L"General", L"DriveCD", kMissing);
    std::wstring error;
    ASSERT_TRUE(m_cd.Create(&error)) << std::string(error.begin(), error.end());
    // The title's command carries an argument after its path.
    ASSERT_TRUE(m_cd.WriteListFile(L"Accion", "Uno#UNO\\U.EXE /X\r\n"));
    const std::string uno = "Uno";
    ASSERT_TRUE(m_cd.AddTitle(L"Accion", L"UNO", &uno));
    ASSERT_EQ(Settings().Save(L"General", L"DriveCD", std::wstring(1, m_cd.Drive())), 0);
    // The pointer away from the window, where no move of the real mouse reaches the panel.
    SetCursorPos(0, 0);
    ASSERT_TRUE(m_process.Start(m_cd.ProgramExe()));
    m_main = tests::WaitForWindow(m_process.Id(), catalogue::kPrincipalClass, kWait);
    ASSERT_NE(m_main, nullptr) << "the main window did not come up";
    // The load has run once the description is in.
    ASSERT_TRUE(WaitUntil([&] { return tests::TextOf(GetDlgItem(m_main, catalogue::kTxtDescripcion)) == L"Uno\r\n"; }));
  }
  void TearDown() override {
    m_process.Kill();
    if (m_before == kMissing) {
      Settings().DeleteKey(L"General", L"DriveCD");
    } else {
      Settings().Save(L"General", L"DriveCD", m_before);
    }
  }
  static common::AppSettings Settings() { return common::AppSettings(L"Quorvel Vol. 2"); }

  static constexpr wchar_t kMissing[] = L"\x01missing";
  std::wstring m_before;
  FakeCollection m_cd;
  tests::Process m_process;
  HWND m_main = nullptr;
};

TEST_F(CatalogueShellTest, TheWindowIsCutToTheOutlineAndCarriesItsControls) {
  HRGN shape = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(m_main, shape), ERROR) << "the window has no region";
  // At 96 dots per inch the region is the outline itself.
  HRGN outline = catalogue::BuildMainRegion(1, 1, 0, 0);
  ASSERT_NE(outline, nullptr);
  EXPECT_TRUE(EqualRgn(shape, outline));
  RECT box{};
  GetRgnBox(shape, &box);
  EXPECT_EQ(box.left, 0);
  EXPECT_EQ(box.top, 0);
  EXPECT_NEAR(box.right, 532, 1);
  EXPECT_NEAR(box.bottom, 426, 1);
  const POINT inside[] = {{266, 213}, {250, 1}, {100, 30}, {2, 160}, {530, 160}, {260, 420}, {60, 300}};
  const POINT outside[] = {{5, 5}, {527, 5}, {100, 10}, {520, 420}, {10, 420}, {533, 160}, {534, 470}, {200, 0}};
  for (const POINT& p : inside) EXPECT_TRUE(PtInRegion(shape, p.x, p.y)) << p.x << "," << p.y;
  for (const POINT& p : outside) EXPECT_FALSE(PtInRegion(shape, p.x, p.y)) << p.x << "," << p.y;
  DeleteObject(outline);
  DeleteObject(shape);

  struct Place {
    HWND parent;
    int id;
    RECT rect;  // left, top, width, height
  };
  HWND sharware = GetDlgItem(m_main, catalogue::kPctSharware);
  HWND ayuda = GetDlgItem(m_main, catalogue::kPctAyuda);
  ASSERT_TRUE(sharware && ayuda);
  EXPECT_FALSE(IsWindowVisible(sharware)) << "hidden at start";
  EXPECT_FALSE(IsWindowVisible(ayuda)) << "hidden at start";
  const Place buttons[] = {
      {m_main, catalogue::kBotRun, {67, 37, 78, 62}},        {m_main, catalogue::kBotCopiar, {17, 104, 78, 62}},
      {m_main, catalogue::kBotAyuda, {20, 180, 78, 62}},     {m_main, catalogue::kBotSharware, {50, 252, 78, 62}},
      {m_main, catalogue::kBotSalir1, {256, 388, 21, 21}},   {sharware, catalogue::kBotCerrarSW, {406, 4, 21, 21}},
      {ayuda, catalogue::kBotCerrarAyuda, {426, 4, 21, 21}},
  };
  for (const Place& b : buttons) {
    HWND control = GetDlgItem(b.parent, b.id);
    ASSERT_NE(control, nullptr) << "button " << b.id;
    EXPECT_EQ(tests::ClassOf(control), catalogue::kButtonControlClass) << "button " << b.id;
    const RECT r = tests::ChildRect(control);
    EXPECT_EQ(r.left, b.rect.left) << "button " << b.id;
    EXPECT_EQ(r.top, b.rect.top) << "button " << b.id;
    EXPECT_EQ(r.right - r.left, b.rect.right) << "button " << b.id;
    EXPECT_EQ(r.bottom - r.top, b.rect.bottom) << "button " << b.id;
  }
  const RECT mover = tests::ChildRect(GetDlgItem(m_main, catalogue::kImgMMover));
  EXPECT_EQ(mover.left, 164);
  EXPECT_EQ(mover.top, 8);
  EXPECT_EQ(mover.right - mover.left, 206);
  EXPECT_EQ(mover.bottom - mover.top, 5);
  EXPECT_EQ(tests::TextOf(GetDlgItem(m_main, catalogue::kLblLink0)), catalogue::kSupportMail);
  EXPECT_EQ(tests::TextOf(GetDlgItem(m_main, catalogue::kLblLink1)), catalogue::kWebSite);
}

TEST_F(CatalogueShellTest, ThePanelsOpenAndCloseIndependently) {
  HWND sharware = GetDlgItem(m_main, catalogue::kPctSharware);
  HWND ayuda = GetDlgItem(m_main, catalogue::kPctAyuda);
  ASSERT_TRUE(sharware && ayuda);

  // The help button (botSharware) opens the help panel.
  ClickControl(GetDlgItem(m_main, catalogue::kBotSharware));
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(ayuda) != FALSE; })) << "the help panel did not open";
  RECT r = tests::ChildRect(ayuda);
  EXPECT_EQ(r.left, 40);
  EXPECT_EQ(r.top, 64);
  EXPECT_EQ(r.right - r.left, 453);
  EXPECT_EQ(r.bottom - r.top, 213);
  const std::wstring help = tests::TextOf(GetDlgItem(ayuda, catalogue::kTxtAyuda));
  EXPECT_EQ(help, catalogue::kHelpText);
  for (const wchar_t* part : {L"Copiar", L"Ctrl+Break", L"Shift+F10", L"Ctrl+Alt+Supr", L"disquete de sistema"}) {
    EXPECT_NE(help.find(part), std::wstring::npos) << std::string(part, part + wcslen(part));
  }

  // The shareware button (botAyuda) opens the other; both stay open.
  ClickControl(GetDlgItem(m_main, catalogue::kBotAyuda));
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(sharware) != FALSE; })) << "the shareware panel did not open";
  r = tests::ChildRect(sharware);
  EXPECT_EQ(r.left, 48);
  EXPECT_EQ(r.top, 56);
  EXPECT_EQ(tests::TextOf(GetDlgItem(sharware, catalogue::kTxtSharware)), catalogue::kSharewareText);
  EXPECT_TRUE(IsWindowVisible(ayuda));

  // Closing the help leaves the shareware panel open; then that one closes too, by a real click at
  // its close button's centre (the panel's text box must not lie over the button).
  ClickControl(GetDlgItem(ayuda, catalogue::kBotCerrarAyuda));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(ayuda); })) << "the help panel did not close";
  EXPECT_TRUE(IsWindowVisible(sharware));
  const RECT close = ScreenRect(GetDlgItem(sharware, catalogue::kBotCerrarSW));
  tests::PointerClick({(close.left + close.right) / 2, (close.top + close.bottom) / 2});
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(sharware); })) << "the shareware panel did not close";
  EXPECT_TRUE(m_process.Running());
}

TEST_F(CatalogueShellTest, ALinkLabelIsUnderlinedWhileThePointerIsOnIt) {
  HWND mail = GetDlgItem(m_main, catalogue::kLblLink0);
  HWND web = GetDlgItem(m_main, catalogue::kLblLink1);
  ASSERT_TRUE(mail && web);
  ASSERT_TRUE(WaitUntil([&] { return !ShowsUnderline(mail) && !ShowsUnderline(web); })) << "underlined at start";

  PostMessageW(mail, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_TRUE(WaitUntil([&] { return ShowsUnderline(mail) && !ShowsUnderline(web); }));
  PostMessageW(web, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_TRUE(WaitUntil([&] { return !ShowsUnderline(mail) && ShowsUnderline(web); }));
  // Back onto the background: no label underlined.
  PostMessageW(m_main, WM_MOUSEMOVE, 0, MAKELPARAM(300, 300));
  EXPECT_TRUE(WaitUntil([&] { return !ShowsUnderline(mail) && !ShowsUnderline(web); }));
}

TEST_F(CatalogueShellTest, TheMoveHandleDragsTheWindowAndTheExitButtonEndsTheProgram) {
  HWND handle = GetDlgItem(m_main, catalogue::kImgMMover);
  ASSERT_NE(handle, nullptr);
  const RECT before = ScreenRect(m_main);
  const RECT strip = ScreenRect(handle);
  // The real pointer where the drag leaves it, so that a move the system makes up from it asks
  // for no further shift.
  SetCursorPos(strip.left + 40, strip.top + 22);
  PostMessageW(handle, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 2));
  PostMessageW(handle, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(40, 22));
  PostMessageW(handle, WM_LBUTTONUP, 0, MAKELPARAM(40, 22));
  ASSERT_TRUE(WaitUntil([&] { return ScreenRect(m_main).left != before.left; })) << "the window did not move";
  // The release ends the drag: a later move over the strip moves nothing.
  PostMessageW(handle, WM_MOUSEMOVE, 0, MAKELPARAM(100, 3));
  Sleep(200);
  const RECT after = ScreenRect(m_main);
  EXPECT_EQ(after.left - before.left, 30);
  EXPECT_EQ(after.top - before.top, 20);

  ClickControl(GetDlgItem(m_main, catalogue::kBotSalir1));
  DWORD code = 1;
  EXPECT_TRUE(m_process.WaitExit(kWait, &code)) << "the exit button did not end the program";
  EXPECT_EQ(code, 0u);
}

TEST_F(CatalogueShellTest, TheRunButtonStartsTheTitleMaximisedFromItsFolder) {
  const std::wstring folder = m_cd.TitlePath(L"Accion", L"UNO");
  ASSERT_TRUE(CopyRecorder(folder + L"\\U.EXE"));

  ClickControl(GetDlgItem(m_main, catalogue::kBotRun));
  Recorded run;
  ASSERT_TRUE(WaitForRecord(folder + L"\\U.EXE", &run)) << "the title's program did not run";
  const std::wstring cdFolder = std::wstring(1, m_cd.Drive()) + L":\\QVOL2\\Accion\\UNO";
  EXPECT_TRUE(SameText(run.folder, cdFolder)) << common::Utf8(run.folder);
  EXPECT_EQ(run.show, SW_SHOWMAXIMIZED);
  // The command line is handed over whole, its argument included.
  EXPECT_TRUE(SameText(run.commandLine, cdFolder + L"\\U.EXE /X")) << common::Utf8(run.commandLine);
  EXPECT_TRUE(tests::TopWindows(m_process.Id(), L"#32770").empty()) << "a start that worked shows no message";
  EXPECT_TRUE(m_process.Running());
}

TEST_F(CatalogueShellTest, ARunThatFailsSaysWhyAndThePanelStaysUsable) {
  const auto expectFailure = [&](DWORD error) {
    ClickControl(GetDlgItem(m_main, catalogue::kBotRun));
    HWND box = tests::WaitForWindow(m_process.Id(), L"#32770", kWait);
    ASSERT_NE(box, nullptr) << "no message for error " << error;
    const tests::MessageBoxView view = tests::ReadMessageBox(box);
    EXPECT_EQ(view.caption, catalogue::kAppTitle);
    EXPECT_EQ(view.text, L"El siguiente error ha ocurrido:\r\n" + catalogue::SystemErrorText(error))
        << common::Utf8(view.text);
    EXPECT_STREQ(tests::BoxIconName(view.icon), "error");
    EXPECT_EQ(view.buttons, std::vector<int>{IDOK});
    tests::PressMessageBoxButton(view, IDOK);
    ASSERT_TRUE(tests::WaitGone(box, kWait));
  };
  // The category's folder is gone with the title's, as with the CD out of the drive.
  const std::wstring folder = m_cd.TitlePath(L"Accion", L"UNO");
  const std::wstring category = folder.substr(0, folder.find_last_of(L'\\'));
  ASSERT_TRUE(DeleteFileW((folder + L"\\Nodt.txt").c_str()));
  ASSERT_TRUE(RemoveDirectoryW(folder.c_str()) && RemoveDirectoryW(category.c_str()));
  ASSERT_NO_FATAL_FAILURE(expectFailure(ERROR_PATH_NOT_FOUND));
  // The folder is back, without its program.
  ASSERT_TRUE(CreateDirectoryW(category.c_str(), nullptr) && CreateDirectoryW(folder.c_str(), nullptr));
  ASSERT_NO_FATAL_FAILURE(expectFailure(ERROR_FILE_NOT_FOUND));

  // Still answering: the help panel opens.
  HWND ayuda = GetDlgItem(m_main, catalogue::kPctAyuda);
  ClickControl(GetDlgItem(m_main, catalogue::kBotSharware));
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(ayuda) != FALSE; }));
  EXPECT_TRUE(m_process.Running());
}

// For the test's run, the machine's handler for a kind of address (mailto, http) is the program
// given, called with the address; the handler before is put back afterwards.
class AddressHandler {
 public:
  AddressHandler(const std::wstring& scheme, const std::wstring& program)
      : m_key(L"Software\\Classes\\" + scheme + L"\\shell\\open\\command") {
    DWORD created = 0;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, m_key.c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &m_command,
                        &created) != ERROR_SUCCESS) {
      m_command = nullptr;
      return;
    }
    wchar_t old[1024] = {};
    DWORD type = 0, size = sizeof old - sizeof(wchar_t);
    m_hadOld =
        RegQueryValueExW(m_command, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(old), &size) == ERROR_SUCCESS &&
        type == REG_SZ;
    if (m_hadOld) m_old = old;
    m_installed = Set(L"\"" + program + L"\" \"%1\"");
  }
  ~AddressHandler() {
    if (!m_command) return;
    if (m_hadOld) {
      Set(m_old);
    } else {
      RegDeleteValueW(m_command, nullptr);
    }
    RegCloseKey(m_command);
  }
  AddressHandler(const AddressHandler&) = delete;
  AddressHandler& operator=(const AddressHandler&) = delete;
  bool Installed() const { return m_installed; }

 private:
  bool Set(const std::wstring& line) {
    return RegSetValueExW(m_command, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(line.c_str()),
                          static_cast<DWORD>((line.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
  }

  std::wstring m_key;
  HKEY m_command = nullptr;
  bool m_hadOld = false;
  std::wstring m_old;
  bool m_installed = false;
};

TEST_F(CatalogueShellTest, TheLinkLabelsOpenTheMailAndWebHandlers) {
  const std::wstring folder = m_cd.TitlePath(L"Accion", L"UNO");
  const std::wstring mailer = folder + L"\\MAIL.EXE", browser = folder + L"\\WEB.EXE";
  ASSERT_TRUE(CopyRecorder(mailer) && CopyRecorder(browser));
  AddressHandler mail(L"mailto", mailer);
  AddressHandler web(L"http", browser);
  ASSERT_TRUE(mail.Installed() && web.Installed()) << "cannot set the address handlers";

  PostMessageW(GetDlgItem(m_main, catalogue::kLblLink0), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  Recorded opened;
  ASSERT_TRUE(WaitForRecord(mailer, &opened)) << "the mail handler was not started";
  EXPECT_NE(opened.commandLine.find(L"mailto:info@quorvel.com"), std::wstring::npos)
      << common::Utf8(opened.commandLine);
  EXPECT_EQ(opened.show, SW_SHOWNORMAL);

  // The web label's address has no scheme: the shell takes it for a web address.
  PostMessageW(GetDlgItem(m_main, catalogue::kLblLink1), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  ASSERT_TRUE(WaitForRecord(browser, &opened)) << "the web handler was not started";
  EXPECT_NE(opened.commandLine.find(L"www.quorvel.com"), std::wstring::npos) << common::Utf8(opened.commandLine);
  EXPECT_EQ(opened.commandLine.find(L"mailto:"), std::wstring::npos);
  EXPECT_TRUE(tests::TopWindows(m_process.Id(), L"#32770").empty()) << "the links report nothing";
}

// The files below `root`, by path relative to it, with their bytes.
std::map<std::wstring, std::string> TreeOf(const std::wstring& root) {
  namespace fs = std::filesystem;
  std::map<std::wstring, std::string> tree;
  std::error_code ec;
  for (fs::recursive_directory_iterator it(fs::path(root), ec), end; !ec && it != end; it.increment(ec)) {
    const std::wstring relative = it->path().lexically_relative(fs::path(root)).wstring();
    if (it->is_directory(ec)) {
      tree[relative + L"\\"] = std::string();
      continue;
    }
    HANDLE h = CreateFileW(it->path().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    std::string bytes(1024, '\0');
    DWORD read = 0;
    if (h != INVALID_HANDLE_VALUE) {
      ReadFile(h, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr);
      CloseHandle(h);
    }
    bytes.resize(read);
    tree[relative] = bytes;
  }
  return tree;
}

class CatalogueCopyTest : public CatalogueShellTest {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(CatalogueShellTest::SetUp());
    const std::string temp = tests::MakeTempDir("qvol2copy");
    m_target.assign(temp.begin(), temp.end());
    m_title = m_cd.TitlePath(L"Accion", L"UNO");
    ASSERT_TRUE(CreateDirectoryW((m_title + L"\\DATA").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW((m_title + L"\\DATA\\SUB").c_str(), nullptr));
    ASSERT_TRUE(FakeCollection::WriteBytes(m_title + L"\\U.EXE", "game"));
    ASSERT_TRUE(FakeCollection::WriteBytes(m_title + L"\\DATA\\LEVEL1.DAT", "level one"));
    ASSERT_TRUE(FakeCollection::WriteBytes(m_title + L"\\DATA\\SUB\\X.TXT", "deep"));
  }
  void TearDown() override {
    CatalogueShellTest::TearDown();
    std::error_code ec;
    std::filesystem::remove_all(std::filesystem::path(m_target), ec);
  }

  // Opens the copy window from the main window's button.
  HWND OpenCopyWindow() {
    ClickControl(GetDlgItem(m_main, catalogue::kBotCopiar));
    HWND copy = tests::WaitForWindow(m_process.Id(), catalogue::kCopiarClass, kWait);
    if (copy) WaitUntil([&] { return !IsWindowEnabled(m_main); });
    return copy;
  }

  std::wstring m_target;
  std::wstring m_title;
};

TEST_F(CatalogueCopyTest, TheTitleFolderIsCopiedIntoANewFolderChainAndAgainOverItsCopy) {
  HWND copy = OpenCopyWindow();
  ASSERT_NE(copy, nullptr) << "the copy window did not open";
  EXPECT_FALSE(IsWindowEnabled(m_main)) << "the main window takes no input while copying";
  HWND destination = GetDlgItem(copy, catalogue::kTxtDestino);
  EXPECT_EQ(tests::TextOf(destination), L"C:\\QVOL2\\UNO\\");
  EXPECT_EQ(tests::TextOf(GetDlgItem(copy, catalogue::kCopiarLbl)), L"&Copiar en:");
  HRGN shape = CreateRectRgn(0, 0, 0, 0);
  HRGN outline = catalogue::BuildCopyRegion(1, 1, 0, 0);
  ASSERT_NE(GetWindowRgn(copy, shape), ERROR) << "the copy window has no region";
  EXPECT_TRUE(outline && EqualRgn(shape, outline));
  for (const POINT& p : std::vector<POINT>{{150, 100}, {140, 2}, {3, 100}}) EXPECT_TRUE(PtInRegion(shape, p.x, p.y));
  for (const POINT& p : std::vector<POINT>{{2, 2}, {296, 190}, {150, 200}}) EXPECT_FALSE(PtInRegion(shape, p.x, p.y));
  DeleteObject(outline);
  DeleteObject(shape);
  const RECT button = tests::ChildRect(GetDlgItem(copy, catalogue::kCopiarBotCopiar));
  EXPECT_EQ(button.left, 108);
  EXPECT_EQ(button.top, 120);

  // A destination two levels deep, without a trailing backslash.
  const std::wstring into = m_target + L"\\A\\B";
  SendMessageW(destination, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(into.c_str()));
  ClickControl(GetDlgItem(copy, catalogue::kCopiarBotCopiar));
  ASSERT_TRUE(tests::WaitGone(copy, kWait)) << "the copy window did not close after the copy";
  EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(m_main) != FALSE; }));
  const auto source = TreeOf(m_title);
  ASSERT_EQ(source.size(), 6u);  // Nodt.txt, U.EXE, DATA\, DATA\LEVEL1.DAT, DATA\SUB\, DATA\SUB\X.TXT
  EXPECT_EQ(TreeOf(into), source);

  // A second copy over the first replaces its files, read-only ones too (as copies from a CD are).
  ASSERT_TRUE(FakeCollection::WriteBytes(m_title + L"\\U.EXE", "game, version two"));
  SetFileAttributesW((into + L"\\DATA\\LEVEL1.DAT").c_str(), FILE_ATTRIBUTE_READONLY);
  copy = OpenCopyWindow();
  ASSERT_NE(copy, nullptr) << "the copy window did not open again";
  destination = GetDlgItem(copy, catalogue::kTxtDestino);
  EXPECT_EQ(tests::TextOf(destination), L"C:\\QVOL2\\UNO\\") << "proposed afresh";
  SendMessageW(destination, WM_SETTEXT, 0, reinterpret_cast<LPARAM>((into + L"\\").c_str()));
  ClickControl(GetDlgItem(copy, catalogue::kCopiarBotCopiar));
  ASSERT_TRUE(tests::WaitGone(copy, kWait));
  EXPECT_EQ(TreeOf(into), TreeOf(m_title));
  EXPECT_TRUE(m_process.Running());
}

TEST_F(CatalogueCopyTest, AnEmptyOrBadDestinationKeepsTheWindowOpenAndCancelCopiesNothing) {
  HWND copy = OpenCopyWindow();
  ASSERT_NE(copy, nullptr);
  HWND destination = GetDlgItem(copy, catalogue::kTxtDestino);
  HWND copyButton = GetDlgItem(copy, catalogue::kCopiarBotCopiar);
  // Empty: nothing happens.
  SendMessageW(destination, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
  ClickControl(copyButton);
  // Below a file no folder can be made: the copy says so (the empty press ran before it).
  const std::wstring file = m_target + L"\\file.txt";
  ASSERT_TRUE(FakeCollection::WriteBytes(file, "x"));
  const std::wstring bad = file + L"\\sub";
  SendMessageW(destination, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(bad.c_str()));
  ClickControl(copyButton);
  HWND box = tests::WaitForWindow(m_process.Id(), L"#32770", kWait);
  ASSERT_NE(box, nullptr) << "no message for a destination that cannot be made";
  const tests::MessageBoxView view = tests::ReadMessageBox(box);
  EXPECT_EQ(view.caption, catalogue::kAppTitle);
  const std::wstring head = L"No se pudo copiar el juego en '" + bad + L"':\r\n";
  EXPECT_EQ(view.text.substr(0, head.size()), head) << common::Utf8(view.text);
  EXPECT_GT(view.text.size(), head.size()) << "the cause is missing";
  EXPECT_STREQ(tests::BoxIconName(view.icon), "error");
  tests::PressMessageBoxButton(view, IDOK);
  ASSERT_TRUE(tests::WaitGone(box, kWait));
  EXPECT_TRUE(IsWindow(copy)) << "the window stays for another destination";

  // Cancel closes without copying.
  const std::wstring elsewhere = m_target + L"\\C";
  SendMessageW(destination, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(elsewhere.c_str()));
  ClickControl(GetDlgItem(copy, catalogue::kBotCancelar));
  ASSERT_TRUE(tests::WaitGone(copy, kWait)) << "cancel did not close the window";
  EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(m_main) != FALSE; }));
  EXPECT_EQ(GetFileAttributesW(elsewhere.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(TreeOf(m_target).size(), 1u) << "only the test's own file";
}

// The outline for a screen of 120 dots per inch: 1.25 times, halves rounded to even.
TEST(MainOutline, ScalesToTheScreenWithHalvesToEven) {
  const std::vector<catalogue::OutlinePoint> design = catalogue::MainOutline(1, 1, 0, 0, 15, 15);
  ASSERT_EQ(design.size(), 292u);
  EXPECT_EQ(design[0].x, 223);
  EXPECT_EQ(design[291].x, 206);
  EXPECT_EQ(design[291].y, 1);
  const std::vector<catalogue::OutlinePoint> large = catalogue::MainOutline(1, 1, 0, 0, 12, 12);
  EXPECT_EQ(large[1].x, 386);  // 309 x 1.25 = 386.25
  EXPECT_EQ(large[1].y, 0);
  EXPECT_EQ(large[2].x, 388);  // 387.5: to the even neighbour
  EXPECT_EQ(large[2].y, 1);    // 1.25
  const std::vector<catalogue::OutlinePoint> shifted = catalogue::MainOutline(2, 1, 5, -3, 15, 15);
  EXPECT_EQ(shifted[1].x, 623);
  EXPECT_EQ(shifted[1].y, -3);
  EXPECT_EQ(catalogue::MainOutlineX(292), 0) << "beyond the table";
  EXPECT_EQ(catalogue::MainOutlineY(-1), 0);
}

}  // namespace
