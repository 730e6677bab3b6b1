// The General and Profi pages as a container's property frame drives them, through the registered
// module: page info, the control's values shown in the dialog, edits marking the page dirty and
// telling the site, Apply writing back to the control, page switching, the about box, and the
// platform's own property frame opening the control's pages.
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

#include "tests/win/pages_fixture.h"

using namespace tests;

namespace {

using GeneralPage = PageTest<button::CLSID_ZephonGeneralPage>;
using ProfiPage = PageTest<button::CLSID_ZephonProfiPage>;

TEST_F(GeneralPage, InfoGivesCaptionAndTheTemplateSize) {
  PROPPAGEINFO info{};
  ASSERT_EQ(page->GetPageInfo(&info), S_OK);
  EXPECT_STREQ(info.pszTitle, L"General");
  CoTaskMemFree(info.pszTitle);
  HWND dialog = Open();
  ASSERT_NE(dialog, nullptr);
  // 250 x 110 dialog units in the page's own font.
  RECT units{0, 0, 250, 110};
  ASSERT_TRUE(MapDialogRect(dialog, &units));
  EXPECT_EQ(info.size.cx, units.right);
  EXPECT_EQ(info.size.cy, units.bottom);
  EXPECT_EQ(page->IsPageDirty(), S_FALSE);
}

TEST_F(GeneralPage, ShowsTheControlsPropertiesWithListsAndTips) {
  ASSERT_EQ(PutShort(control.Get(), L"AlignHor", 2), S_OK);
  ASSERT_EQ(PutShort(control.Get(), L"AlignVer", 0), S_OK);
  ASSERT_EQ(PutShort(control.Get(), L"Stretch", 4), S_OK);
  ASSERT_EQ(PutBool(control.Get(), L"AutoHandCursor", true), S_OK);
  ASSERT_EQ(PutBool(control.Get(), L"FlipHorisontal", true), S_OK);
  ASSERT_EQ(PutShort(control.Get(), L"HoldingFlag", 0x0305), S_OK);
  HWND dialog = Open();
  ASSERT_NE(dialog, nullptr);

  EXPECT_EQ(Selection(dialog, 290), 2);
  EXPECT_EQ(Selection(dialog, 291), 0);
  EXPECT_EQ(Selection(dialog, 292), 4);
  EXPECT_EQ(Selection(dialog, 674), 3);
  EXPECT_TRUE(Checked(dialog, 232));
  EXPECT_TRUE(Checked(dialog, 235));  // AutoSize's default, but unusable with "Fixed 96x96"
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, 235)));
  EXPECT_FALSE(Checked(dialog, 233));
  EXPECT_TRUE(Checked(dialog, 234));
  EXPECT_TRUE(Checked(dialog, 625));  // Wine reports a system newer than 4.0
  wchar_t flag[16] = {};
  GetDlgItemTextW(dialog, 507, flag, 16);
  EXPECT_STREQ(flag, L"773");
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, 507)));

  EXPECT_EQ(ListItem(GetDlgItem(dialog, 292), 4), L"Fixed 96x96");
  EXPECT_EQ(ListItem(GetDlgItem(dialog, 674), 1), L"FlatButton and  ClickOffset");
  EXPECT_EQ(ListItem(GetDlgItem(dialog, 674), 5), L"Check+AutoButtonize");
  wchar_t text[64] = {};
  GetDlgItemTextW(dialog, 228, text, 64);
  EXPECT_STREQ(text, L"About    |   Upgrade ");

  // The tooltip over the mode list and the extensions box.
  HWND tip = ThreadToolTip();
  ASSERT_NE(tip, nullptr);
  EXPECT_EQ(GetWindow(tip, GW_OWNER), parent);  // a popup's owner is the top-level window
  EXPECT_EQ(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 2);
  EXPECT_EQ(SendMessageW(tip, TTM_GETMAXTIPWIDTH, 0, 0), 260);
  EXPECT_EQ(SendMessageW(tip, TTM_GETDELAYTIME, TTDT_AUTOPOP, 0), 20000);

  EXPECT_EQ(page->IsPageDirty(), S_FALSE);
  EXPECT_TRUE(site.statusChanges.empty());
  // The frame outlives the page: the tooltip goes with the page, not with the frame.
  ASSERT_EQ(page->Deactivate(), S_OK);
  EXPECT_FALSE(IsWindow(tip));
}

TEST_F(GeneralPage, PickingAModeKeepsThePictureBitsAndApplyWritesIt) {
  ASSERT_EQ(PutShort(control.Get(), L"HoldingFlag", 0x0005), S_OK);
  HWND dialog = Open();
  ASSERT_NE(dialog, nullptr);
  PickListEntry(dialog, 674, 5);
  wchar_t flag[16] = {};
  GetDlgItemTextW(dialog, 507, flag, 16);
  EXPECT_STREQ(flag, L"1285");  // 0x0505
  EXPECT_EQ(page->IsPageDirty(), S_OK);
  ASSERT_FALSE(site.statusChanges.empty());
  EXPECT_TRUE(site.statusChanges.back() & PROPPAGESTATUS_DIRTY);

  // A check box edit, by a click.
  SendDlgItemMessageW(dialog, 233, BM_CLICK, 0, 0);
  EXPECT_TRUE(Checked(dialog, 233));
  EXPECT_EQ(GetNumber(control.Get(), L"FlipVertical"), 0);

  ASSERT_EQ(page->Apply(), S_OK);
  EXPECT_EQ(GetNumber(control.Get(), L"HoldingFlag"), 0x0505);
  EXPECT_EQ(GetNumber(control.Get(), L"GetButtonMode", DISPATCH_METHOD), 5);
  EXPECT_NE(GetNumber(control.Get(), L"FlipVertical"), 0);
  EXPECT_EQ(page->IsPageDirty(), S_FALSE);
}

TEST_F(GeneralPage, StretchRulesAutoSizeAndTheExtensionsBoxCannotBeChanged) {
  HWND dialog = Open();
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, 235)));
  PickListEntry(dialog, 292, 4);
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, 235)));
  PickListEntry(dialog, 292, 3);
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, 235)));
  PickListEntry(dialog, 292, 0);
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, 235)));

  site.statusChanges.clear();
  const bool before = Checked(dialog, 625);
  SendDlgItemMessageW(dialog, 625, BM_CLICK, 0, 0);
  EXPECT_EQ(Checked(dialog, 625), before);
  EXPECT_TRUE(site.statusChanges.empty());  // not a property: no edit
}

TEST_F(GeneralPage, EditsSurviveLeavingThePageAndComeBackWithIt) {
  HWND dialog = Open();
  ASSERT_NE(dialog, nullptr);
  PickListEntry(dialog, 290, 0);
  ASSERT_EQ(page->Deactivate(), S_OK);
  EXPECT_EQ(FindWindowExW(parent, nullptr, L"#32770", nullptr), nullptr);
  EXPECT_EQ(page->IsPageDirty(), S_OK);
  EXPECT_EQ(GetNumber(control.Get(), L"AlignHor"), 1);  // nothing written yet

  RECT rect{0, 0, 400, 200};
  ASSERT_EQ(page->Activate(parent, &rect, FALSE), S_OK);
  dialog = FindWindowExW(parent, nullptr, L"#32770", nullptr);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(Selection(dialog, 290), 0);
  // Applying after the page is gone again still writes what it holds.
  ASSERT_EQ(page->Deactivate(), S_OK);
  ASSERT_EQ(page->Apply(), S_OK);
  EXPECT_EQ(GetNumber(control.Get(), L"AlignHor"), 0);
}

TEST_F(GeneralPage, AboutButtonOpensTheAboutBoxOnce) {
  HWND dialog = Open();
  ASSERT_NE(dialog, nullptr);
  std::wstring text;
  ModalWatcher watcher(L"About ZephonButtonPro", IDOK, [&text](HWND box) {
    text = tests::TextOf(GetDlgItem(box, 1221));
    return !text.empty();
  });
  tests::Click(GetDlgItem(dialog, 228));
  const ULONGLONG end = GetTickCount64() + 60000;
  while (!watcher.Done() && GetTickCount64() < end) {
    Pump();
    Sleep(10);
  }
  watcher.Join();
  Pump();
  EXPECT_TRUE(watcher.Seen());
  EXPECT_NE(text.find(L"ZephonButtonPro"), std::wstring::npos);
}

// The platform's frame over the pages the control names: it creates the pages it can, shows ours
// and closes without failure.
TEST_F(GeneralPage, PlatformPropertyFrameShowsTheGeneralPage) {
  CAUUID pages{};
  ASSERT_EQ(QueryAs<ISpecifyPropertyPages>(control.Get())->GetPages(&pages), S_OK);
  bool pageInFrame = false;
  ModalWatcher watcher(L"Button", IDCANCEL, [&pageInFrame](HWND frame) {
    HWND list = FindDescendant(frame, 674, L"ComboBox");
    pageInFrame = list && IsWindowVisible(list);
    return pageInFrame;
  });
  IUnknown* objects[1] = {control.Get()};
  const HRESULT hr =
      OleCreatePropertyFrame(parent, 0, 0, L"Button", 1, objects, pages.cElems, pages.pElems, 0x409, 0, nullptr);
  CoTaskMemFree(pages.pElems);
  watcher.Join();
  EXPECT_EQ(hr, S_OK);
  EXPECT_TRUE(watcher.Seen());
  EXPECT_TRUE(pageInFrame);
}

TEST_F(ProfiPage, SwitchesStartAtTheDefaultsShowTheControlAndApply) {
  PROPPAGEINFO info{};
  ASSERT_EQ(page->GetPageInfo(&info), S_OK);
  EXPECT_STREQ(info.pszTitle, L"Profi");
  CoTaskMemFree(info.pszTitle);
  // Before any control is read: HideHelpers and SmartLoading on, the others off.
  HWND dialog = Show();
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(Checked(dialog, 236));
  EXPECT_TRUE(Checked(dialog, 237));
  EXPECT_FALSE(Checked(dialog, 238));
  EXPECT_FALSE(Checked(dialog, 239));
  HBITMAP picture = reinterpret_cast<HBITMAP>(SendDlgItemMessageW(dialog, 1231, STM_GETIMAGE, IMAGE_BITMAP, 0));
  BITMAP bm{};
  ASSERT_TRUE(picture && GetObjectW(picture, sizeof(bm), &bm));
  EXPECT_EQ(bm.bmWidth, 56);
  EXPECT_EQ(bm.bmHeight, 38);
  ASSERT_EQ(page->Deactivate(), S_OK);

  ASSERT_EQ(PutBool(control.Get(), L"FastDraw", true), S_OK);
  ASSERT_EQ(PutBool(control.Get(), L"HideHelpers", false), S_OK);
  dialog = Open();
  ASSERT_NE(dialog, nullptr);
  EXPECT_FALSE(Checked(dialog, 236));
  EXPECT_TRUE(Checked(dialog, 239));
  SendDlgItemMessageW(dialog, 237, BM_CLICK, 0, 0);
  EXPECT_EQ(page->IsPageDirty(), S_OK);
  ASSERT_EQ(page->Apply(), S_OK);
  EXPECT_EQ(GetNumber(control.Get(), L"SmartLoading"), 0);
  EXPECT_NE(GetNumber(control.Get(), L"FastDraw"), 0);
}

}  // namespace
