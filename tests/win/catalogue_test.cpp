// QVOL2.exe run for real under Wine over a collection laid out by the fixture: the lists and the
// description at start, choosing categories and titles, the drive dialog when a description is
// missing, the stored drive letter, one instance only, and odd list and description files.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "catalogue/CatalogueIds.h"
#include "catalogue/basVerificarDrive.h"
#include "catalogue/frmVerDrive.h"
#include "common/settings/AppSettings.h"
#include "tests/support/UiDriver_win.h"
#include "tests/support/Utf8Text.h"
#include "tests/win/catalogue_fixture.h"

namespace {

using tests::FakeCollection;
using tests::FromUtf8;
using tests::WaitUntil;

constexpr DWORD kWait = 15000;
const wchar_t kMissing[] = L"\x01missing";

common::AppSettings Settings() { return common::AppSettings(L"Quorvel Vol. 2"); }
std::wstring StoredDrive() { return Settings().Get(L"General", L"DriveCD", kMissing); }

LRESULT Ask(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, 10000, &result)) return -1;
  return static_cast<LRESULT>(result);
}

// The rows of a list box or of a combo box's list.
std::vector<std::wstring> Rows(HWND control, bool combo) {
  const UINT count = combo ? CB_GETCOUNT : LB_GETCOUNT;
  const UINT length = combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN;
  const UINT text = combo ? CB_GETLBTEXT : LB_GETTEXT;
  std::vector<std::wstring> rows;
  const LRESULT n = Ask(control, count);
  for (LRESULT i = 0; i < n; ++i) {
    const LRESULT size = Ask(control, length, i);
    std::wstring row(size > 0 ? static_cast<size_t>(size) + 1 : 1, L'\0');
    const LRESULT got = Ask(control, text, i, reinterpret_cast<LPARAM>(row.data()));
    row.resize(got > 0 ? static_cast<size_t>(got) : 0);
    rows.push_back(row);
  }
  return rows;
}

std::vector<std::wstring> Wide(std::initializer_list<const char*> utf8) {
  std::vector<std::wstring> out;
  for (const char* s : utf8) out.push_back(FromUtf8(s));
  return out;
}

// A key press delivered to a control: it moves the selection and tells the window itself, as the
// user's key would.
void PressKey(HWND control, WPARAM key) {
  PostMessageW(control, WM_KEYDOWN, key, 1);
  PostMessageW(control, WM_KEYUP, key, 0xC0000001);
}

struct Panel {
  tests::Process process;
  HWND main = nullptr;
  HWND categories = nullptr;
  HWND titles = nullptr;
  HWND description = nullptr;

  std::wstring Description() const { return tests::TextOf(description); }
  std::vector<std::wstring> Titles() const { return Rows(titles, false); }
  HWND DriveDialog() const {
    const std::vector<HWND> found = tests::TopWindows(process.Id(), catalogue::kVerDriveClass);
    return found.empty() ? nullptr : found.front();
  }
  // Moves the title selection one row with the arrow key; waits for row `row` and its description.
  bool MoveTitle(WPARAM key, LRESULT row, const std::wstring& shown) {
    PressKey(titles, key);
    return WaitUntil([&] { return Ask(titles, LB_GETCURSEL) == row && Description() == shown; });
  }
};

class CatalogueTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(tests::RegisterButtonControl()) << "the panel's buttons need the control module";
    m_before = StoredDrive();
    std::wstring error;
    ASSERT_TRUE(m_cd.Create(&error)) << std::string(error.begin(), error.end());
  }
  void TearDown() override {
    if (m_before == kMissing) {
      Settings().DeleteKey(L"General", L"DriveCD");
    } else {
      Settings().Save(L"General", L"DriveCD", m_before);
    }
  }

  void StoreDrive(const std::wstring& letter) { ASSERT_EQ(Settings().Save(L"General", L"DriveCD", letter), 0); }

  // Starts the panel and waits for its main window.
  void Start(Panel& panel) {
    ASSERT_TRUE(panel.process.Start(m_cd.ProgramExe()));
    panel.main = tests::WaitForWindow(panel.process.Id(), catalogue::kPrincipalClass, kWait);
    ASSERT_NE(panel.main, nullptr) << "the main window did not come up";
    panel.categories = GetDlgItem(panel.main, catalogue::kCboTipoJuego);
    panel.titles = GetDlgItem(panel.main, catalogue::kLstJuegos);
    panel.description = GetDlgItem(panel.main, catalogue::kTxtDescripcion);
    ASSERT_TRUE(panel.categories && panel.titles && panel.description);
  }

  static void Close(Panel& panel) {
    PostMessageW(panel.main, WM_CLOSE, 0, 0);
    DWORD code = 1;
    EXPECT_TRUE(panel.process.WaitExit(kWait, &code)) << "the panel did not end";
    EXPECT_EQ(code, 0u);
  }

  std::wstring m_before;
  FakeCollection m_cd;
};

const std::string kFirstDescription = "Dispare a todo lo que se mueva.\r\nAcci\xF3n sin pausa, m\xFAsica \xE9pica.";
const std::string kSecondDescription = "Segundo juego\r\n";

TEST_F(CatalogueTest, LoadShowsTheFirstCategoryTitleAndDescription) {
  ASSERT_TRUE(m_cd.WriteListFile(L"Accion", "Acci\xF3n total#TOTAL\\TOTAL.EXE\r\n\r\nSegundo#SEGUNDO\\S.EXE\r\n"));
  ASSERT_TRUE(m_cd.WriteListFile(L"3D", "Cubo#CUBO\\BIN\\CUBO.EXE\r\nEsfera#ESFERA\\E.EXE\r\n"));
  ASSERT_TRUE(m_cd.AddTitle(L"Accion", L"TOTAL", &kFirstDescription));
  ASSERT_TRUE(m_cd.AddTitle(L"Accion", L"SEGUNDO", &kSecondDescription));
  const std::string cubo = "Un cubo.";
  ASSERT_TRUE(m_cd.AddTitle(L"3D", L"CUBO", &cubo));
  ASSERT_NO_FATAL_FAILURE(StoreDrive(std::wstring(1, m_cd.Drive())));

  Panel panel;
  ASSERT_NO_FATAL_FAILURE(Start(panel));
  EXPECT_EQ(tests::TextOf(panel.main), L"Quorvel Vol 2");
  RECT client = {};
  GetClientRect(panel.main, &client);
  EXPECT_EQ(client.right, 535);
  EXPECT_EQ(client.bottom, 472);
  EXPECT_EQ(GetWindowLongW(panel.main, GWL_STYLE) & WS_CAPTION, 0) << "no caption bar";
  const auto expectRect = [](HWND control, LONG x, LONG y, LONG width, LONG height) {
    const RECT r = tests::ChildRect(control);
    EXPECT_EQ(r.left, x);
    EXPECT_EQ(r.top, y);
    EXPECT_EQ(r.right - r.left, width);
    EXPECT_EQ(r.bottom - r.top, height);
  };
  const RECT box = tests::ChildRect(panel.categories);
  EXPECT_EQ(box.left, 160);
  EXPECT_EQ(box.top, 20);
  EXPECT_EQ(box.right - box.left, 213);
  EXPECT_NEAR(box.bottom - box.top, 21, 3) << "the closed box's height follows its font";
  expectRect(panel.titles, 160, 44, 213, 186);
  expectRect(panel.description, 180, 237, 188, 137);

  EXPECT_EQ(Rows(panel.categories, true),
            Wide({"Acción", "3D", "Aventuras", "Arcades", "Cartas", "Estrategia", "Educativos", "Mesa"}));
  EXPECT_EQ(Ask(panel.categories, CB_GETCURSEL), 0);
  EXPECT_EQ(panel.Titles(), Wide({"Acción total", "Segundo"}));
  EXPECT_EQ(Ask(panel.titles, LB_GETITEMDATA, 0), 0);
  EXPECT_EQ(Ask(panel.titles, LB_GETITEMDATA, 1), 1) << "the empty line uses no index";
  EXPECT_EQ(Ask(panel.titles, LB_GETCURSEL), 0);
  EXPECT_EQ(panel.Description(), FromUtf8("Dispare a todo lo que se mueva.\r\nAcción sin pausa, música épica.\r\n"));

  EXPECT_TRUE(panel.MoveTitle(VK_DOWN, 1, L"Segundo juego\r\n"));
  EXPECT_TRUE(
      panel.MoveTitle(VK_UP, 0, FromUtf8("Dispare a todo lo que se mueva.\r\nAcción sin pausa, música épica.\r\n")));

  // The next category: its list, its first title selected, that title's description.
  PressKey(panel.categories, VK_DOWN);
  EXPECT_TRUE(WaitUntil([&] {
    return panel.Titles() == Wide({"Cubo", "Esfera"}) && panel.Description() == L"Un cubo.\r\n";
  })) << "after choosing 3D";
  EXPECT_EQ(Ask(panel.categories, CB_GETCURSEL), 1);
  EXPECT_EQ(Ask(panel.titles, LB_GETCURSEL), 0);
  EXPECT_EQ(panel.DriveDialog(), nullptr) << "every description was found";

  // A second start ends at once and leaves the first alone.
  tests::Process second;
  ASSERT_TRUE(second.Start(m_cd.ProgramExe()));
  DWORD code = 1;
  EXPECT_TRUE(second.WaitExit(kWait, &code)) << "the second instance kept running";
  EXPECT_EQ(code, 0u);
  EXPECT_TRUE(panel.process.Running());
  EXPECT_TRUE(IsWindowVisible(panel.main));
  EXPECT_EQ(tests::TopWindows(panel.process.Id(), catalogue::kPrincipalClass).size(), 1u);
  EXPECT_EQ(panel.Titles(), Wide({"Cubo", "Esfera"}));

  Close(panel);
}

TEST_F(CatalogueTest, AMissingDescriptionAsksForTheDriveWhichAceptarStores) {
  ASSERT_TRUE(m_cd.WriteListFile(L"Accion", "Uno#UNO\\U.EXE\r\nDos#DOS\\D.EXE\r\nTres#TRES\\T.EXE\r\n"));
  const std::string uno = "Uno", tres = "Tres", dos = "Dos en otra unidad";
  ASSERT_TRUE(m_cd.AddTitle(L"Accion", L"UNO", &uno));
  ASSERT_TRUE(m_cd.AddTitle(L"Accion", L"DOS", nullptr));  // the folder without its description
  ASSERT_TRUE(m_cd.AddTitle(L"Accion", L"TRES", &tres));
  std::wstring error;
  ASSERT_TRUE(m_cd.AddSecondDrive(&error));
  ASSERT_TRUE(m_cd.AddTitle(L"Accion", L"UNO", &uno, 1));
  ASSERT_TRUE(m_cd.AddTitle(L"Accion", L"DOS", &dos, 1));
  const std::wstring first(1, m_cd.Drive(0));
  ASSERT_NO_FATAL_FAILURE(StoreDrive(first));

  Panel panel;
  ASSERT_NO_FATAL_FAILURE(Start(panel));
  ASSERT_EQ(panel.Description(), L"Uno\r\n");

  // "Dos" has no description on this drive: the box empties and the dialog comes up.
  PressKey(panel.titles, VK_DOWN);
  HWND dialog = tests::WaitForWindow(panel.process.Id(), catalogue::kVerDriveClass, kWait);
  ASSERT_NE(dialog, nullptr) << "no drive dialog";
  EXPECT_TRUE(WaitUntil([&] { return panel.Description().empty(); }));
  EXPECT_EQ(tests::TextOf(dialog), FromUtf8("Ubicación del CD Rom"));
  RECT client = {};
  GetClientRect(dialog, &client);
  EXPECT_EQ(client.right, 298);
  EXPECT_EQ(client.bottom, 187);
  EXPECT_EQ(tests::TextOf(GetDlgItem(dialog, catalogue::kLblInfo)), L"No se encuentra el CD de Quorvel Vol 2");
  EXPECT_EQ(tests::TextOf(GetDlgItem(dialog, catalogue::kLblIndi)),
            FromUtf8("Asegúrese que Quorvel Vol 2 este buscando en la unidad de CD correcta o que el CD Rom de "
                     "Quorvel Vol 2 este colocado en la siguiente unidad de CD."));
  EXPECT_EQ(tests::TextOf(GetDlgItem(dialog, catalogue::kLabel3)), L"Unidad lectora de CD");
  EXPECT_EQ(tests::TextOf(GetDlgItem(dialog, catalogue::kCmdAceptar)), L"&Aceptar");
  EXPECT_GT(Ask(GetDlgItem(dialog, catalogue::kImage1), STM_GETICON), 0) << "the CD-drive icon";
  const RECT drive1 = tests::ChildRect(GetDlgItem(dialog, catalogue::kDrive1));
  EXPECT_EQ(drive1.left, 68);
  EXPECT_EQ(drive1.top, 120);

  // Closed without "Aceptar": nothing stored, the same drive is used again.
  PostMessageW(dialog, WM_CLOSE, 0, 0);
  ASSERT_TRUE(tests::WaitGone(dialog, kWait));
  EXPECT_EQ(StoredDrive(), first);
  EXPECT_TRUE(panel.MoveTitle(VK_DOWN, 2, L"Tres\r\n")) << "the CD is still found for the others";
  PressKey(panel.titles, VK_UP);
  dialog = tests::WaitForWindow(panel.process.Id(), catalogue::kVerDriveClass, kWait);
  ASSERT_NE(dialog, nullptr) << "the dialog comes up on every missing description";

  // A missing description while the dialog is open brings the same dialog forward.
  ASSERT_TRUE(panel.MoveTitle(VK_UP, 0, L"Uno\r\n"));
  PressKey(panel.titles, VK_DOWN);
  ASSERT_TRUE(WaitUntil([&] { return Ask(panel.titles, LB_GETCURSEL) == 1 && panel.Description().empty(); }));
  EXPECT_EQ(tests::TopWindows(panel.process.Id(), catalogue::kVerDriveClass), std::vector<HWND>{dialog});

  // The second drive's entry: its letter in lower case, as the list shows it, is stored.
  HWND list = GetDlgItem(dialog, catalogue::kDrive1);
  const std::vector<std::wstring> entries = Rows(list, true);
  const wchar_t second = static_cast<wchar_t>(m_cd.Drive(1) | 0x20);
  LRESULT pick = -1;
  for (size_t i = 0; i < entries.size(); ++i) {
    if (!entries[i].empty() && entries[i][0] == second) pick = static_cast<LRESULT>(i);
  }
  ASSERT_GE(pick, 0) << "the drive list lacks the second drive";
  EXPECT_EQ(entries[static_cast<size_t>(pick)].substr(0, 2), std::wstring(1, second) + L":");
  ASSERT_EQ(Ask(list, CB_SETCURSEL, pick), pick);
  tests::Click(GetDlgItem(dialog, catalogue::kCmdAceptar));
  ASSERT_TRUE(tests::WaitGone(dialog, kWait));
  EXPECT_EQ(StoredDrive(), std::wstring(1, second));
  EXPECT_EQ(panel.Description(), L"") << "nothing is read again until a title is chosen";

  // The next choice reads from the new drive.
  EXPECT_TRUE(panel.MoveTitle(VK_UP, 0, L"Uno\r\n"));
  EXPECT_TRUE(panel.MoveTitle(VK_DOWN, 1, L"Dos en otra unidad\r\n"));
  EXPECT_EQ(panel.DriveDialog(), nullptr);
  Close(panel);

  // The next start reads the stored letter back.
  Panel again;
  ASSERT_NO_FATAL_FAILURE(Start(again));
  EXPECT_EQ(again.Description(), L"Uno\r\n");
  EXPECT_TRUE(again.MoveTitle(VK_DOWN, 1, L"Dos en otra unidad\r\n"));
  Close(again);
}

TEST_F(CatalogueTest, WithoutTheCdTheDialogOutlivesTheMainWindow) {
  ASSERT_TRUE(m_cd.WriteListFile(L"Accion", "Uno#UNO\\U.EXE\r\n"));
  const std::string uno = "Uno";
  ASSERT_TRUE(m_cd.AddTitle(L"Accion", L"UNO", &uno));
  // A letter that names no drive at all.
  wchar_t absent = 0;
  for (wchar_t c = L'Y'; c > L'E' && !absent; --c) {
    if (!(GetLogicalDrives() & (1u << (c - L'A')))) absent = c;
  }
  ASSERT_NE(absent, 0);
  ASSERT_NO_FATAL_FAILURE(StoreDrive(std::wstring(1, absent)));

  Panel panel;
  ASSERT_NO_FATAL_FAILURE(Start(panel));
  HWND dialog = tests::WaitForWindow(panel.process.Id(), catalogue::kVerDriveClass, kWait);
  ASSERT_NE(dialog, nullptr) << "the first description is missing: the dialog comes up at start";
  EXPECT_EQ(panel.Titles(), Wide({"Uno"}));
  EXPECT_EQ(panel.Description(), L"");

  // Closing the main window leaves the program running while the dialog is open.
  PostMessageW(panel.main, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(panel.main); }));
  EXPECT_TRUE(panel.process.Running());
  EXPECT_TRUE(IsWindowVisible(dialog));

  HWND list = GetDlgItem(dialog, catalogue::kDrive1);
  const std::vector<std::wstring> entries = Rows(list, true);
  const wchar_t mapped = static_cast<wchar_t>(m_cd.Drive() | 0x20);
  LRESULT pick = -1;
  for (size_t i = 0; i < entries.size(); ++i) {
    if (!entries[i].empty() && entries[i][0] == mapped) pick = static_cast<LRESULT>(i);
  }
  ASSERT_GE(pick, 0);
  ASSERT_EQ(Ask(list, CB_SETCURSEL, pick), pick);
  tests::Click(GetDlgItem(dialog, catalogue::kCmdAceptar));
  DWORD code = 1;
  EXPECT_TRUE(panel.process.WaitExit(kWait, &code)) << "the last window closed: the program ends";
  EXPECT_EQ(code, 0u);
  EXPECT_EQ(StoredDrive(), std::wstring(1, mapped));
}

TEST_F(CatalogueTest, AMissingListFileIsReportedAndThePanelStaysUsable) {
  ASSERT_TRUE(m_cd.WriteListFile(L"3D", "Cubo#CUBO\\CUBO.EXE\r\n"));
  const std::string cubo = "Un cubo.";
  ASSERT_TRUE(m_cd.AddTitle(L"3D", L"CUBO", &cubo));
  ASSERT_NO_FATAL_FAILURE(StoreDrive(std::wstring(1, m_cd.Drive())));

  const auto expectMessage = [](DWORD process, const std::wstring& text) {
    HWND box = tests::WaitForWindow(process, L"#32770", kWait);
    ASSERT_NE(box, nullptr) << "no message for the missing list file";
    const tests::MessageBoxView view = tests::ReadMessageBox(box);
    EXPECT_EQ(view.caption, L"Quorvel Vol 2");
    EXPECT_EQ(view.text, text);
    EXPECT_STREQ(tests::BoxIconName(view.icon), "error");
    EXPECT_EQ(view.buttons, std::vector<int>{IDOK});
    tests::PressMessageBoxButton(view, IDOK);
    ASSERT_TRUE(tests::WaitGone(box, kWait));
  };

  Panel panel;
  ASSERT_TRUE(panel.process.Start(m_cd.ProgramExe()));
  ASSERT_NO_FATAL_FAILURE(expectMessage(panel.process.Id(), L"No se encuentra el archivo 'Accion.LST'."));
  panel.main = tests::WaitForWindow(panel.process.Id(), catalogue::kPrincipalClass, kWait);
  ASSERT_NE(panel.main, nullptr);
  panel.categories = GetDlgItem(panel.main, catalogue::kCboTipoJuego);
  panel.titles = GetDlgItem(panel.main, catalogue::kLstJuegos);
  panel.description = GetDlgItem(panel.main, catalogue::kTxtDescripcion);
  EXPECT_TRUE(panel.Titles().empty());
  EXPECT_EQ(panel.Description(), L"");
  EXPECT_EQ(panel.DriveDialog(), nullptr) << "no title, so no description looked for";

  PressKey(panel.categories, VK_DOWN);
  EXPECT_TRUE(WaitUntil([&] { return panel.Titles() == Wide({"Cubo"}) && panel.Description() == L"Un cubo.\r\n"; }));

  // Aventuras has no list file either: its message, an empty list, the description kept.
  PressKey(panel.categories, VK_DOWN);
  ASSERT_NO_FATAL_FAILURE(expectMessage(panel.process.Id(), L"No se encuentra el archivo 'Aventuras.LST'."));
  EXPECT_TRUE(WaitUntil([&] { return panel.Titles().empty(); }));
  EXPECT_EQ(panel.Description(), L"Un cubo.\r\n");
  EXPECT_EQ(Ask(panel.categories, CB_GETCURSEL), 2);
  Close(panel);
}

TEST_F(CatalogueTest, OddListAndDescriptionFilesNeverStopThePanel) {
  const std::string longTitle(254, 'T');
  const std::string longCommand = "LARGO\\" + std::string(60000, 'c') + ".EXE";
  const std::string list =
      "\r\n"
      "Primero#PRIMERO\\P.EXE\n"  // a line ended by LF alone
      "sin separador\r\n"
      "Sin carpeta#SOLO.EXE\r\n"
      "Barra al principio#\\RAIZ.EXE\r"  // a lone CR
      + longTitle + "#LISTO\\L.EXE\r\n" + longTitle +
      "X#LEJOS\\L.EXE\r\n"  // '#' as the 256th character
      "Largo#" +
      longCommand +
      "\r\n"
      "\r\n\r\n"
      "Con #almohadilla#ALMO\\A#1.EXE";  // no end on the last line
  ASSERT_TRUE(m_cd.WriteListFile(L"Accion", list));
  // A long description: one line of 7,000 characters with accents, then a short one.
  std::string longLine;
  for (int i = 0; i < 1000; ++i) longLine += "\xE1\xE9\xED\xF3\xFA\xF1 ";
  const std::string description = longLine + "\nfin";
  ASSERT_TRUE(m_cd.AddTitle(L"Accion", L"PRIMERO", &description));
  const std::string listo = "Listo", largo = "Largo", almo = "";
  ASSERT_TRUE(m_cd.AddTitle(L"Accion", L"LISTO", &listo));
  ASSERT_TRUE(m_cd.AddTitle(L"Accion", L"LARGO", &largo));
  ASSERT_TRUE(m_cd.AddTitle(L"Accion", L"almohadilla#ALMO", &almo));  // the folder up to the first backslash
  ASSERT_NO_FATAL_FAILURE(StoreDrive(std::wstring(1, m_cd.Drive())));

  Panel panel;
  ASSERT_NO_FATAL_FAILURE(Start(panel));
  const std::wstring wideTitle(longTitle.begin(), longTitle.end());
  EXPECT_EQ(panel.Titles(), (std::vector<std::wstring>{L"Primero", wideTitle, L"Largo", L"Con "}));
  for (LRESULT row = 0; row < 4; ++row) EXPECT_EQ(Ask(panel.titles, LB_GETITEMDATA, row), row);

  std::wstring shown;
  for (int i = 0; i < 1000; ++i) shown += FromUtf8("áéíóúñ ");
  shown += L"\r\nfin\r\n";
  EXPECT_TRUE(WaitUntil([&] { return panel.Description() == shown; })) << "the long description, whole";

  EXPECT_TRUE(panel.MoveTitle(VK_DOWN, 1, L"Listo\r\n"));
  EXPECT_TRUE(panel.MoveTitle(VK_DOWN, 2, L"Largo\r\n"));
  EXPECT_TRUE(panel.MoveTitle(VK_DOWN, 3, L"")) << "an empty description file is an empty description";
  EXPECT_EQ(panel.DriveDialog(), nullptr) << "every title's description was there";
  Close(panel);
}

// The stored drive through the program's own module, in this process.
TEST_F(CatalogueTest, CDRootComesFromTheStoredLetter) {
  Settings().DeleteKey(L"General", L"DriveCD");
  EXPECT_EQ(catalogue::GetCDRoot(), L"D:\\QVOL2\\") << "no letter stored";
  ASSERT_EQ(catalogue::SaveDriveCD(L"e"), 0);
  EXPECT_EQ(StoredDrive(), L"e");
  EXPECT_EQ(catalogue::GetCDRoot(), L"e:\\QVOL2\\");
  ASSERT_EQ(Settings().Save(L"General", L"DriveCD", L"E:"), 0);
  EXPECT_EQ(catalogue::GetCDRoot(), L"D:\\QVOL2\\") << "a value that is no letter";

  // The drive list: every drive of the machine, lower-case letter and colon, label in brackets.
  const std::vector<std::wstring> entries = catalogue::frmVerDrive::DriveEntries();
  const std::wstring mapped = std::wstring(1, static_cast<wchar_t>(m_cd.Drive() | 0x20)) + L": [QVOL2_0]";
  bool foundC = false, foundMapped = false;
  for (const std::wstring& e : entries) {
    foundC = foundC || e.compare(0, 2, L"c:") == 0;
    foundMapped = foundMapped || e == mapped;
  }
  EXPECT_TRUE(foundC);
  std::string all;
  for (const std::wstring& e : entries) all += std::string(e.begin(), e.end()) + " | ";
  EXPECT_TRUE(foundMapped) << "no entry " << std::string(mapped.begin(), mapped.end()) << " in " << all;
}

}  // namespace
