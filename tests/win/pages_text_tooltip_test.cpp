// The Text and ToolTip pages against a real control.
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

using TextPage = PageTest<button::CLSID_ZephonTextPage>;
using ToolTipPage = PageTest<button::CLSID_ZephonToolTipPage>;

// The page's visible test tooltip, once it is up (null after the wait).
HWND WaitForTestTip(DWORD timeoutMs) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  while (GetTickCount64() < end) {
    Pump();
    HWND found = nullptr;
    for (HWND w : tests::TopWindows(GetCurrentProcessId()))
      if (tests::TextOf(w) == L"ZephonToolTip" && IsWindowVisible(w)) found = w;
    if (found) return found;
    Sleep(10);
  }
  return nullptr;
}

LONG WidthOf(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return r.right - r.left;
}

// The tooltip's left border, in the middle of its height, once painted (CLR_INVALID until then).
bool WaitForBorder(HWND tip, COLORREF expected, COLORREF& seen) {
  const ULONGLONG end = GetTickCount64() + 20000;
  do {
    Pump();
    RECT r{};
    GetClientRect(tip, &r);
    HDC dc = GetDC(tip);
    seen = dc ? GetPixel(dc, 0, r.bottom / 2) : CLR_INVALID;
    if (dc) ReleaseDC(tip, dc);
    if (seen == expected) return true;
    Sleep(20);
  } while (GetTickCount64() < end);
  return false;
}

TEST_F(TextPage, ShowsTheTextPropertiesStepsTheBoxesAndApplies) {
  PROPPAGEINFO info{};
  ASSERT_EQ(page->GetPageInfo(&info), S_OK);
  EXPECT_STREQ(info.pszTitle, L"Text");
  CoTaskMemFree(info.pszTitle);
  ASSERT_EQ(PutString(control.Get(), L"Text", L"Play\r\nnow"), S_OK);
  ASSERT_EQ(PutShort(control.Get(), L"TextBlendValue", 0), S_OK);
  ASSERT_EQ(PutLong(control.Get(), L"TextVerticalOffset", 5), S_OK);
  ASSERT_EQ(PutShort(control.Get(), L"TextApplyTo", 3), S_OK);
  ASSERT_EQ(PutShort(control.Get(), L"TextAlignHor", 2), S_OK);
  ASSERT_EQ(PutBool(control.Get(), L"TextWordBreak", true), S_OK);
  HWND dialog = Open();
  ASSERT_NE(dialog, nullptr);

  EXPECT_EQ(BoxText(dialog, 394), L"Play\r\nnow");
  EXPECT_EQ(BoxText(dialog, 527), L"0");
  EXPECT_EQ(BoxText(dialog, 529), L"5");
  EXPECT_EQ(Selection(dialog, 550), 3);
  EXPECT_EQ(ListItem(GetDlgItem(dialog, 550), 3), L"Normal & Over");
  EXPECT_EQ(ListItem(GetDlgItem(dialog, 550), 6), L"On Focus");
  EXPECT_EQ(Selection(dialog, 293), 2);
  EXPECT_EQ(Selection(dialog, 294), 1);
  EXPECT_TRUE(Checked(dialog, 524));
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, 294)));  // word-broken text ignores it
  EXPECT_EQ(page->IsPageDirty(), S_FALSE);

  PressArrow(dialog, 528, SB_LINEDOWN);
  EXPECT_EQ(BoxText(dialog, 527), L"0");
  PressArrow(dialog, 528, SB_PAGEUP);  // only the arrows step
  EXPECT_EQ(BoxText(dialog, 527), L"0");
  EXPECT_EQ(page->IsPageDirty(), S_FALSE);
  PressArrow(dialog, 530, SB_LINEUP);
  EXPECT_EQ(BoxText(dialog, 529), L"6");
  EXPECT_EQ(page->IsPageDirty(), S_OK);

  SendDlgItemMessageW(dialog, 524, BM_CLICK, 0, 0);
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, 294)));
  // A typed value outside the byte: the step's result is held to it.
  SetDlgItemTextW(dialog, 527, L"300");
  PressArrow(dialog, 528, SB_LINEDOWN);
  EXPECT_EQ(BoxText(dialog, 527), L"255");
  SetDlgItemTextW(dialog, 527, L"-5");
  PressArrow(dialog, 528, SB_LINEUP);
  EXPECT_EQ(BoxText(dialog, 527), L"0");
  SetDlgItemTextW(dialog, 394, L"Jugar");
  ASSERT_EQ(page->Apply(), S_OK);
  EXPECT_EQ(GetNumber(control.Get(), L"TextVerticalOffset"), 6);
  EXPECT_EQ(GetNumber(control.Get(), L"TextWordBreak"), 0);
  EXPECT_EQ(GetNumber(control.Get(), L"TextBlendValue"), 0);
  EXPECT_EQ(GetString(control.Get(), L"Text"), L"Jugar");
  EXPECT_EQ(page->IsPageDirty(), S_FALSE);
}

TEST_F(ToolTipPage, ShowsTheTooltipPropertiesAnimationPeriodsSystemColorsMarkAndApplies) {
  PROPPAGEINFO info{};
  ASSERT_EQ(page->GetPageInfo(&info), S_OK);
  EXPECT_STREQ(info.pszTitle, L"ToolTip");
  CoTaskMemFree(info.pszTitle);
  ASSERT_EQ(PutString(control.Get(), L"ToolTipString", L"Hello"), S_OK);
  ASSERT_EQ(PutLong(control.Get(), L"ToolTipWaitTime", 500), S_OK);
  ASSERT_EQ(PutShort(control.Get(), L"ToolTipEffect", 2), S_OK);
  HWND dialog = Open();
  ASSERT_NE(dialog, nullptr);

  EXPECT_EQ(BoxText(dialog, 440), L"Hello");
  EXPECT_EQ(BoxText(dialog, 442), L"500");
  EXPECT_EQ(BoxText(dialog, 443), L"7000");
  EXPECT_EQ(BoxText(dialog, 444), L"20");
  EXPECT_TRUE(Checked(dialog, 450));
  EXPECT_FALSE(Checked(dialog, 448));
  EXPECT_EQ(BoxText(dialog, 473), L"13137920");  // the back colour's default, 0x00C87800
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, 473)));
  EXPECT_TRUE(Checked(dialog, 231));   // "No Wait" starts on
  EXPECT_FALSE(Checked(dialog, 232));  // no "&" in the text
  EXPECT_EQ(page->IsPageDirty(), S_FALSE);

  SendDlgItemMessageW(dialog, 452, BM_CLICK, 0, 0);
  EXPECT_EQ(BoxText(dialog, 444), L"0");
  SendDlgItemMessageW(dialog, 448, BM_CLICK, 0, 0);
  EXPECT_EQ(BoxText(dialog, 444), L"20");
  SendDlgItemMessageW(dialog, 451, BM_CLICK, 0, 0);
  EXPECT_EQ(BoxText(dialog, 444), L"2");
  EXPECT_EQ(page->IsPageDirty(), S_OK);

  // An edit not yet taken by the page survives the mark.
  SetDlgItemTextW(dialog, 440, L"Hola");
  SendDlgItemMessageW(dialog, 232, BM_CLICK, 0, 0);
  EXPECT_EQ(BoxText(dialog, 440), L"&Hola");
  SendDlgItemMessageW(dialog, 232, BM_CLICK, 0, 0);
  EXPECT_EQ(BoxText(dialog, 440), L"Hola");
  SendDlgItemMessageW(dialog, 232, BM_CLICK, 0, 0);
  SendDlgItemMessageW(dialog, 231, BM_CLICK, 0, 0);

  // The page settings outlive the dialog.
  ASSERT_EQ(page->Deactivate(), S_OK);
  dialog = Show();
  ASSERT_NE(dialog, nullptr);
  EXPECT_FALSE(Checked(dialog, 231));
  EXPECT_TRUE(Checked(dialog, 232));
  EXPECT_TRUE(Checked(dialog, 451));

  ASSERT_EQ(page->Apply(), S_OK);
  EXPECT_EQ(GetString(control.Get(), L"ToolTipString"), L"&Hola");
  EXPECT_EQ(GetNumber(control.Get(), L"ToolTipEffect"), 3);
  EXPECT_EQ(GetNumber(control.Get(), L"ToolTipAnimTime"), 2);
  EXPECT_EQ(GetNumber(control.Get(), L"ToolTipWaitTime"), 500);
}

TEST_F(ToolTipPage, ShowToolTipShowsSamplesInThePageOrSystemColoursAndHidesWithThePage) {
  const COLORREF green = RGB(0, 255, 0);
  ASSERT_EQ(PutLong(control.Get(), L"ToolTipBorderColor", long(green)), S_OK);
  ASSERT_EQ(PutShort(control.Get(), L"ToolTipEffect", 4), S_OK);
  ASSERT_EQ(PutLong(control.Get(), L"ToolTipAnimTime", 0), S_OK);
  ASSERT_EQ(PutLong(control.Get(), L"ToolTipShowTime", 600000), S_OK);
  ASSERT_EQ(PutLong(control.Get(), L"ToolTipWaitTime", 60000), S_OK);  // "No Wait" skips it
  HWND dialog = Open();
  ASSERT_NE(dialog, nullptr);

  // An empty text: the user-colours sample, in the page's colours.
  SendDlgItemMessageW(dialog, 454, BM_CLICK, 0, 0);
  HWND tip = WaitForTestTip(20000);
  ASSERT_NE(tip, nullptr);
  EXPECT_EQ(GetWindow(tip, GW_OWNER), parent);
  COLORREF seen = 0;
  EXPECT_TRUE(WaitForBorder(tip, green, seen)) << std::hex << seen;
  const LONG userWidth = WidthOf(tip);

  // Hiding the page takes the tooltip away.
  ASSERT_EQ(page->Show(SW_HIDE), S_OK);
  EXPECT_FALSE(IsWindow(tip));
  ASSERT_EQ(page->Show(SW_SHOW), S_OK);

  // A bare "&": the system-colours sample, in the system's colours.
  SetDlgItemTextW(dialog, 440, L"&");
  SendDlgItemMessageW(dialog, 454, BM_CLICK, 0, 0);
  tip = WaitForTestTip(20000);
  ASSERT_NE(tip, nullptr);
  EXPECT_TRUE(WaitForBorder(tip, GetSysColor(COLOR_3DDKSHADOW), seen)) << std::hex << seen;
  // "Test with system colors" is the longer sample.
  EXPECT_GT(WidthOf(tip), userWidth);
  ASSERT_EQ(page->Deactivate(), S_OK);
  EXPECT_FALSE(IsWindow(tip));
}

}  // namespace
