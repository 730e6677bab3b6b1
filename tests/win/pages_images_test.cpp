// The Images page and its picture file dialog against a real control.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>
#include <olectl.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "tests/win/control_pictures_files.h"
#include "tests/win/pages_fixture.h"

using namespace tests;

// The Images page.
namespace {

class ImagesPage : public PageTest<button::CLSID_ZephonImagesPage> {
 protected:
  void SetUp() override {
    PageFixture::SetUp();
    wchar_t temp[MAX_PATH] = {};
    ASSERT_GT(GetTempPathW(MAX_PATH, temp), 0u);
    dir = std::wstring(temp) + L"zb_images_page_" + std::to_wstring(GetCurrentProcessId()) + L"\\";
    CreateDirectoryW(dir.c_str(), nullptr);
    ASSERT_TRUE(tests::WriteBmp24(dir + L"wide.bmp", 240, 60));
    ASSERT_TRUE(tests::WriteBmp24(dir + L"small.bmp", 100, 50));
  }
  void TearDown() override {
    PageFixture::TearDown();
    DeleteFileW((dir + L"wide.bmp").c_str());
    DeleteFileW((dir + L"small.bmp").c_str());
    RemoveDirectoryW(dir.c_str());
  }
  std::wstring dir;
};

// Every test picture has 0x80 in its blue channel; the page's preview ground is white.
bool PictureBlue(COLORREF c) { return c != CLR_INVALID && GetBValue(c) == 0x80; }

TEST_F(ImagesPage, ShowsThePicturesTheirSizesAndLinksClearsAndApplies) {
  PROPPAGEINFO info{};
  ASSERT_EQ(page->GetPageInfo(&info), S_OK);
  EXPECT_STREQ(info.pszTitle, L"Images");
  CoTaskMemFree(info.pszTitle);
  const std::wstring wide = dir + L"wide.bmp", small = dir + L"small.bmp";
  ASSERT_EQ(PutBool(control.Get(), L"SmartLoading", false), S_OK);  // every state's picture at once
  ASSERT_EQ(PutString(control.Get(), L"PictureURL", wide.c_str()), S_OK);
  ASSERT_EQ(PutString(control.Get(), L"PictureOverURL", small.c_str()), S_OK);
  ASSERT_EQ(PutString(control.Get(), L"PictureDownURL", wide.c_str()), S_OK);
  ASSERT_EQ(PutShort(control.Get(), L"HoldingFlag", 0x0504), S_OK);  // the down picture from the host
  HWND dialog = Open();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(ItemText(dialog, 495), wide);
  EXPECT_EQ(ItemText(dialog, 498), small);
  EXPECT_EQ(ItemText(dialog, 501), wide);
  EXPECT_EQ(ItemText(dialog, 507), L"1284");
  EXPECT_FALSE(Checked(dialog, 231));
  EXPECT_TRUE(Checked(dialog, 233));

  // Row 0: 240 x 60 previews at 120 x 30, centred in the square at (8, 20) with its margin of 5.
  EXPECT_EQ(ItemText(dialog, 519), L"Width: 240  Height: 60");
  EXPECT_TRUE(PictureBlue(PagePixel(dialog, 8 + 5 + 1, 20 + 5 + 45 + 1)));
  EXPECT_TRUE(PictureBlue(PagePixel(dialog, 8 + 5 + 118, 20 + 5 + 45 + 28)));
  EXPECT_EQ(PagePixel(dialog, 8 + 5 + 60, 20 + 5 + 44), RGB(255, 255, 255));
  EXPECT_EQ(PagePixel(dialog, 8 + 5 + 60, 20 + 5 + 75), RGB(255, 255, 255));

  // Row 1: 100 x 50 keeps its size.
  ClickButton(dialog, 513);
  EXPECT_EQ(ItemText(dialog, 519), L"Width: 100  Height: 50");
  EXPECT_TRUE(PictureBlue(PagePixel(dialog, 8 + 15, 20 + 40)));
  EXPECT_EQ(PagePixel(dialog, 8 + 14, 20 + 40), RGB(255, 255, 255));
  EXPECT_EQ(page->IsPageDirty(), S_FALSE);

  // "Clear" on the linked row takes the link and keeps the URL; on a plain row it empties the URL.
  ClickButton(dialog, 503);
  EXPECT_FALSE(Checked(dialog, 233));
  EXPECT_EQ(ItemText(dialog, 507), L"1280");
  EXPECT_EQ(ItemText(dialog, 501), wide);
  EXPECT_EQ(page->IsPageDirty(), S_OK);
  ClickButton(dialog, 497);
  EXPECT_EQ(ItemText(dialog, 495), L"");
  ClickButton(dialog, 234);  // "link to EXE" of the disabled row
  EXPECT_EQ(ItemText(dialog, 507), L"1288");

  ASSERT_EQ(page->Apply(), S_OK);
  EXPECT_EQ(GetString(control.Get(), L"PictureURL"), L"");
  EXPECT_EQ(GetString(control.Get(), L"PictureDownURL"), wide);
  EXPECT_EQ(GetNumber(control.Get(), L"HoldingFlag"), 0x0508);
}

TEST_F(ImagesPage, NoPictureTableShowsAnEmptyPreview) {
  HWND dialog = Open();
  ASSERT_NE(dialog, nullptr);
  SetDlgItemTextW(dialog, 516, L"0");
  ClickButton(dialog, 512);
  EXPECT_EQ(ItemText(dialog, 519), L"Image is empty.");
  EXPECT_EQ(PagePixel(dialog, 8 + 65, 20 + 65), RGB(255, 255, 255));
}

// "Browse" opens the picture file dialog under the row's title; a file typed there and confirmed
// goes into the row's URL, a cancelled dialog changes nothing.
TEST_F(ImagesPage, BrowseTakesTheChosenFileAndCancelKeepsTheUrl) {
  HWND dialog = Open();
  ASSERT_NE(dialog, nullptr);
  const std::wstring small = dir + L"small.bmp";
  {
    LONG width = 0;
    ModalWatcher watcher(L"Normal picture", IDOK, [&](HWND box) {
      RECT r{};
      GetWindowRect(box, &r);
      width = r.right - r.left;
      return SetDlgItemTextW(box, cmb13, small.c_str()) != FALSE;
    });
    ClickButton(dialog, 496);
    watcher.Join();
    EXPECT_TRUE(watcher.Seen());
    EXPECT_GT(width, 220);  // widened by the preview
  }
  EXPECT_EQ(ItemText(dialog, 495), small);
  EXPECT_EQ(page->IsPageDirty(), S_OK);
  {
    ModalWatcher watcher(L"Mouse over picture", IDCANCEL, [](HWND) { return true; });
    ClickButton(dialog, 499);
    watcher.Join();
    EXPECT_TRUE(watcher.Seen());
  }
  EXPECT_EQ(ItemText(dialog, 498), L"");
  ASSERT_EQ(page->Apply(), S_OK);
  EXPECT_EQ(GetString(control.Get(), L"PictureURL"), small);
  ClickButton(dialog, 512);
  EXPECT_EQ(ItemText(dialog, 519), L"Width: 100  Height: 50");
}

// The file dialog previews the file selected in its list: the picture at its own size, centred in
// the 200 x 160 area at (client width - 210, 36); resizing keeps the dialog's widened width.
TEST_F(ImagesPage, FileDialogPreviewsTheSelectedPicture) {
  HWND dialog = Open();
  ASSERT_NE(dialog, nullptr);
  const std::wstring folder = dir.substr(0, dir.size() - 1);
  int stage = 0;
  COLORREF centre = CLR_INVALID, corner = CLR_INVALID;
  LONG width = 0, sizedWidth = 0;
  ModalWatcher watcher(L"Normal picture", IDCANCEL, [&](HWND box) {
    if (stage == 0) {
      // Into the pictures' folder, as the user would type it.
      if (!SetDlgItemTextW(box, cmb13, folder.c_str())) return false;
      PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
      stage = 1;
      return false;
    }
    HWND list = nullptr;
    EnumChildWindows(
        box,
        [](HWND w, LPARAM p) CALLBACK -> BOOL {
          if (tests::ClassOf(w) == L"SysListView32") *reinterpret_cast<HWND*>(p) = w;
          return TRUE;
        },
        LPARAM(&list));
    if (!list) return false;
    if (stage == 1) {
      LVFINDINFOW find{};
      find.flags = LVFI_STRING;
      find.psz = L"small.bmp";
      const int item = int(SendMessageW(list, LVM_FINDITEMW, WPARAM(-1), LPARAM(&find)));
      if (item < 0) return false;  // the folder is not listed yet
      LVITEMW state{};
      state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
      state.state = LVIS_SELECTED | LVIS_FOCUSED;
      SendMessageW(list, LVM_SETITEMSTATE, WPARAM(item), LPARAM(&state));
      stage = 2;
      return false;
    }
    RECT client{};
    GetClientRect(box, &client);
    const int x = client.right - 210, y = 36;
    HDC dc = GetDC(box);
    centre = GetPixel(dc, x + 100, y + 80);
    corner = GetPixel(dc, x + 20, y + 20);
    ReleaseDC(box, dc);
    if (!PictureBlue(centre)) return false;
    // Sizing keeps the widened width whatever the user drags.
    RECT window{};
    GetWindowRect(box, &window);
    RECT sizing{window.left, window.top, window.left + 100, window.bottom + 30};
    SendMessageW(box, WM_SIZING, WMSZ_BOTTOMRIGHT, LPARAM(&sizing));
    sizedWidth = sizing.right - sizing.left;
    width = window.right - window.left;
    return true;
  });
  ClickButton(dialog, 496);
  watcher.Join();
  EXPECT_TRUE(watcher.Seen());
  EXPECT_EQ(stage, 2);
  EXPECT_TRUE(PictureBlue(centre)) << std::hex << centre;
  EXPECT_EQ(corner, RGB(255, 255, 255));
  EXPECT_GT(width, 220);
  EXPECT_EQ(sizedWidth, width);
  EXPECT_EQ(ItemText(dialog, 495), L"");  // cancelled
}

}  // namespace
