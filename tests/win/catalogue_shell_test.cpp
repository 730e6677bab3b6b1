// The main window's skin, QVOL2.exe run for real under Wine: its shape, the picture buttons as
// button controls at their places, the help and shareware panels, the link labels' hover look, the
// move handle and the exit button. The outline's arithmetic for other screens runs in-process.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "catalogue/CatalogueIds.h"
#include "catalogue/MainOutline.h"
#include "catalogue/MainRegion.h"
#include "catalogue/PanelTexts.h"
#include "common/settings/AppSettings.h"
#include "tests/support/UiDriver_win.h"
#include "tests/win/catalogue_fixture.h"

namespace {

namespace ui = zbtest::ui;
using catalogue_fixture::FakeCollection;
using catalogue_fixture::WaitUntil;

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
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, dib);
  BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
  GdiFlush();
  int longest = 0;
  const auto* pixels = static_cast<const DWORD*>(bits);
  for (int y = 0; pixels && y < height; ++y) {
    int run = 0;
    for (int x = 0; x < width; ++x) {
      const DWORD p = pixels[y * width + x];
      const bool dark = (p & 0xFF) < 90 && ((p >> 8) & 0xFF) < 90 && ((p >> 16) & 0xFF) < 90;
      run = dark ? run + 1 : 0;
      if (run > longest) longest = run;
    }
  }
  SelectObject(memory, old);
  DeleteObject(dib);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return longest >= width / 2;
}

class CatalogueShellTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(catalogue_fixture::RegisterButtonControl()) << "the panel's buttons need the control module";
    before_ = Settings().Get(L"General", L"DriveCD", kMissing);
    std::wstring error;
    ASSERT_TRUE(cd_.Create(&error)) << std::string(error.begin(), error.end());
    ASSERT_TRUE(cd_.WriteListFile(L"Accion", "Uno#UNO\\U.EXE\r\n"));
    const std::string uno = "Uno";
    ASSERT_TRUE(cd_.AddTitle(L"Accion", L"UNO", &uno));
    ASSERT_EQ(Settings().Save(L"General", L"DriveCD", std::wstring(1, cd_.Drive())), 0);
    // The pointer away from the window, where no move of the real mouse reaches the panel.
    SetCursorPos(0, 0);
    ASSERT_TRUE(process_.Start(cd_.ProgramExe()));
    main_ = ui::WaitForWindow(process_.Id(), qvol2::kPrincipalClass, kWait);
    ASSERT_NE(main_, nullptr) << "the main window did not come up";
    // The load has run once the description is in.
    ASSERT_TRUE(WaitUntil([&] { return ui::TextOf(GetDlgItem(main_, qvol2::kTxtDescripcion)) == L"Uno\r\n"; }));
  }
  void TearDown() override {
    process_.Kill();
    if (before_ == kMissing) {
      Settings().DeleteKey(L"General", L"DriveCD");
    } else {
      Settings().Save(L"General", L"DriveCD", before_);
    }
  }
  static zb::AppSettings Settings() { return zb::AppSettings(L"Quorvel Vol. 2"); }

  static constexpr wchar_t kMissing[] = L"\x01missing";
  std::wstring before_;
  FakeCollection cd_;
  ui::Process process_;
  HWND main_ = nullptr;
};

TEST_F(CatalogueShellTest, TheWindowIsCutToTheOutlineAndCarriesItsControls) {
  HRGN shape = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(main_, shape), ERROR) << "the window has no region";
  // At 96 dots per inch the region is the outline itself.
  HRGN outline = qvol2::BuildMainRegion(1, 1, 0, 0);
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
  HWND sharware = GetDlgItem(main_, qvol2::kPctSharware);
  HWND ayuda = GetDlgItem(main_, qvol2::kPctAyuda);
  ASSERT_TRUE(sharware && ayuda);
  EXPECT_FALSE(IsWindowVisible(sharware)) << "hidden at start";
  EXPECT_FALSE(IsWindowVisible(ayuda)) << "hidden at start";
  const Place buttons[] = {
      {main_, qvol2::kBotRun, {67, 37, 78, 62}},       {main_, qvol2::kBotCopiar, {17, 104, 78, 62}},
      {main_, qvol2::kBotAyuda, {20, 180, 78, 62}},    {main_, qvol2::kBotSharware, {50, 252, 78, 62}},
      {main_, qvol2::kBotSalir1, {256, 388, 21, 21}},  {sharware, qvol2::kBotCerrarSW, {406, 4, 21, 21}},
      {ayuda, qvol2::kBotCerrarAyuda, {426, 4, 21, 21}},
  };
  for (const Place& b : buttons) {
    HWND control = GetDlgItem(b.parent, b.id);
    ASSERT_NE(control, nullptr) << "button " << b.id;
    EXPECT_EQ(ui::ClassOf(control), qvol2::kButtonControlClass) << "button " << b.id;
    const RECT r = ui::ChildRect(control);
    EXPECT_EQ(r.left, b.rect.left) << "button " << b.id;
    EXPECT_EQ(r.top, b.rect.top) << "button " << b.id;
    EXPECT_EQ(r.right - r.left, b.rect.right) << "button " << b.id;
    EXPECT_EQ(r.bottom - r.top, b.rect.bottom) << "button " << b.id;
  }
  const RECT mover = ui::ChildRect(GetDlgItem(main_, qvol2::kImgMMover));
  EXPECT_EQ(mover.left, 164);
  EXPECT_EQ(mover.top, 8);
  EXPECT_EQ(mover.right - mover.left, 206);
  EXPECT_EQ(mover.bottom - mover.top, 5);
  EXPECT_EQ(ui::TextOf(GetDlgItem(main_, qvol2::kLblLink0)), qvol2::kSupportMail);
  EXPECT_EQ(ui::TextOf(GetDlgItem(main_, qvol2::kLblLink1)), qvol2::kWebSite);
}

TEST_F(CatalogueShellTest, ThePanelsOpenAndCloseIndependently) {
  HWND sharware = GetDlgItem(main_, qvol2::kPctSharware);
  HWND ayuda = GetDlgItem(main_, qvol2::kPctAyuda);
  ASSERT_TRUE(sharware && ayuda);

  // The help button (botSharware) opens the help panel.
  ClickControl(GetDlgItem(main_, qvol2::kBotSharware));
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(ayuda) != FALSE; })) << "the help panel did not open";
  RECT r = ui::ChildRect(ayuda);
  EXPECT_EQ(r.left, 40);
  EXPECT_EQ(r.top, 64);
  EXPECT_EQ(r.right - r.left, 453);
  EXPECT_EQ(r.bottom - r.top, 213);
  const std::wstring help = ui::TextOf(GetDlgItem(ayuda, qvol2::kTxtAyuda));
  EXPECT_EQ(help, qvol2::kHelpText);
  for (const wchar_t* part : {L"Copiar", L"Ctrl+Break", L"Shift+F10", L"Ctrl+Alt+Supr", L"disquete de sistema"}) {
    EXPECT_NE(help.find(part), std::wstring::npos) << std::string(part, part + wcslen(part));
  }

  // The shareware button (botAyuda) opens the other; both stay open.
  ClickControl(GetDlgItem(main_, qvol2::kBotAyuda));
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(sharware) != FALSE; })) << "the shareware panel did not open";
  r = ui::ChildRect(sharware);
  EXPECT_EQ(r.left, 48);
  EXPECT_EQ(r.top, 56);
  EXPECT_EQ(ui::TextOf(GetDlgItem(sharware, qvol2::kTxtSharware)), qvol2::kSharewareText);
  EXPECT_TRUE(IsWindowVisible(ayuda));

  // Closing the help leaves the shareware panel open; then that one closes too.
  ClickControl(GetDlgItem(ayuda, qvol2::kBotCerrarAyuda));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(ayuda); })) << "the help panel did not close";
  EXPECT_TRUE(IsWindowVisible(sharware));
  ClickControl(GetDlgItem(sharware, qvol2::kBotCerrarSW));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(sharware); })) << "the shareware panel did not close";
  EXPECT_TRUE(process_.Running());
}

TEST_F(CatalogueShellTest, ALinkLabelIsUnderlinedWhileThePointerIsOnIt) {
  HWND mail = GetDlgItem(main_, qvol2::kLblLink0);
  HWND web = GetDlgItem(main_, qvol2::kLblLink1);
  ASSERT_TRUE(mail && web);
  ASSERT_TRUE(WaitUntil([&] { return !ShowsUnderline(mail) && !ShowsUnderline(web); })) << "underlined at start";

  PostMessageW(mail, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_TRUE(WaitUntil([&] { return ShowsUnderline(mail) && !ShowsUnderline(web); }));
  PostMessageW(web, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_TRUE(WaitUntil([&] { return !ShowsUnderline(mail) && ShowsUnderline(web); }));
  // Back onto the background: no label underlined.
  PostMessageW(main_, WM_MOUSEMOVE, 0, MAKELPARAM(300, 300));
  EXPECT_TRUE(WaitUntil([&] { return !ShowsUnderline(mail) && !ShowsUnderline(web); }));
}

TEST_F(CatalogueShellTest, TheMoveHandleDragsTheWindowAndTheExitButtonEndsTheProgram) {
  HWND handle = GetDlgItem(main_, qvol2::kImgMMover);
  ASSERT_NE(handle, nullptr);
  const RECT before = ScreenRect(main_);
  const RECT strip = ScreenRect(handle);
  // The real pointer where the drag leaves it, so that a move the system makes up from it asks
  // for no further shift.
  SetCursorPos(strip.left + 40, strip.top + 22);
  PostMessageW(handle, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 2));
  PostMessageW(handle, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(40, 22));
  PostMessageW(handle, WM_LBUTTONUP, 0, MAKELPARAM(40, 22));
  ASSERT_TRUE(WaitUntil([&] { return ScreenRect(main_).left != before.left; })) << "the window did not move";
  // The release ends the drag: a later move over the strip moves nothing.
  PostMessageW(handle, WM_MOUSEMOVE, 0, MAKELPARAM(100, 3));
  Sleep(200);
  const RECT after = ScreenRect(main_);
  EXPECT_EQ(after.left - before.left, 30);
  EXPECT_EQ(after.top - before.top, 20);

  ClickControl(GetDlgItem(main_, qvol2::kBotSalir1));
  DWORD code = 1;
  EXPECT_TRUE(process_.WaitExit(kWait, &code)) << "the exit button did not end the program";
  EXPECT_EQ(code, 0u);
}

// The outline for a screen of 120 dots per inch: 1.25 times, halves rounded to even.
TEST(MainOutline, ScalesToTheScreenWithHalvesToEven) {
  const std::vector<qvol2::OutlinePoint> design = qvol2::MainOutline(1, 1, 0, 0, 15, 15);
  ASSERT_EQ(design.size(), 292u);
  EXPECT_EQ(design[0].x, 223);
  EXPECT_EQ(design[291].x, 206);
  EXPECT_EQ(design[291].y, 1);
  const std::vector<qvol2::OutlinePoint> large = qvol2::MainOutline(1, 1, 0, 0, 12, 12);
  EXPECT_EQ(large[1].x, 386);  // 309 x 1.25 = 386.25
  EXPECT_EQ(large[1].y, 0);
  EXPECT_EQ(large[2].x, 388);  // 387.5: to the even neighbour
  EXPECT_EQ(large[2].y, 1);    // 1.25
  const std::vector<qvol2::OutlinePoint> shifted = qvol2::MainOutline(2, 1, 5, -3, 15, 15);
  EXPECT_EQ(shifted[1].x, 623);
  EXPECT_EQ(shifted[1].y, -3);
  EXPECT_EQ(qvol2::MainOutlineX(292), 0) << "beyond the table";
  EXPECT_EQ(qvol2::MainOutlineY(-1), 0);
}

}  // namespace
