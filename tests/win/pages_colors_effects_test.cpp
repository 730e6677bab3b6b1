// The Color and Effects pages against a real control.
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

#include "button/pixels/EffectPass.h"
#include "button/pixels/ImageDIB.h"
#include "tests/win/pages_fixture.h"

using namespace tests;

// The Colors and Effects pages.
namespace {

using ColorsPage = PageTest<button::CLSID_ZephonColorsPage>;
using EffectsPage = PageTest<button::CLSID_ZephonEffectsPage>;

HRESULT PutColor(IDispatch* disp, const wchar_t* name, uint32_t colorref) {
  VARIANT value;
  value.vt = VT_I4;
  value.lVal = LONG(colorref);
  return PutProperty(disp, name, value);
}

void Press(HWND dialog, int x, int y) {
  SendMessageW(dialog, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  SendMessageW(dialog, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

std::wstring Numbers(HWND dialog) {
  return ItemText(dialog, 349) + L"," + ItemText(dialog, 350) + L"," + ItemText(dialog, 351);
}

TEST_F(ColorsPage, OpensOnTheBackColourLockedWithTipsAndTheControlsColours) {
  PROPPAGEINFO info{};
  ASSERT_EQ(page->GetPageInfo(&info), S_OK);
  EXPECT_STREQ(info.pszTitle, L"Color");
  CoTaskMemFree(info.pszTitle);
  ASSERT_EQ(PutColor(control.Get(), L"BackGroundColor", 0x00332211), S_OK);
  ASSERT_EQ(PutColor(control.Get(), L"TextColor", 0x000000FF), S_OK);
  HWND dialog = Open();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(ItemText(dialog, 397), L"3351057");
  EXPECT_EQ(ItemText(dialog, 412), L"255");
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, 397)));
  EXPECT_EQ(Numbers(dialog), L"17,34,51");
  EXPECT_TRUE(Checked(dialog, 399));
  EXPECT_TRUE(Checked(dialog, 423));
  EXPECT_TRUE(Checked(dialog, 345));
  EXPECT_FALSE(Checked(dialog, 231));
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, 364)));
  EXPECT_EQ(PagePixel(dialog, 170, 130), RGB(17, 34, 51));  // the loaded item's swatch

  HWND tip = ThreadToolTip();
  ASSERT_NE(tip, nullptr);
  EXPECT_EQ(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 6);
  EXPECT_EQ(page->IsPageDirty(), S_FALSE);

  // Locked: choosing an item loads it at once.
  ClickButton(dialog, 411);
  EXPECT_EQ(Numbers(dialog), L"255,0,0");
  EXPECT_EQ(page->IsPageDirty(), S_FALSE);
}

TEST_F(ColorsPage, UnlockedItemsWaitForSelectAndSetColorWritesTheChosenItem) {
  ASSERT_EQ(PutColor(control.Get(), L"MaskColor", 0x0000FF00), S_OK);
  HWND dialog = Open();
  ASSERT_NE(dialog, nullptr);
  const std::wstring back = Numbers(dialog);
  ClickButton(dialog, 423);
  EXPECT_FALSE(Checked(dialog, 423));
  ClickButton(dialog, 402);
  EXPECT_EQ(Numbers(dialog), back);
  ClickButton(dialog, 401);
  EXPECT_EQ(Numbers(dialog), L"0,255,0");

  // Typing 300 into the red box gives red 255; "Set color" stores the colour in the Mask item.
  SetDlgItemTextW(dialog, 349, L"300");
  EXPECT_EQ(PagePixel(dialog, 170, 110), RGB(255, 255, 0));  // the current colour's swatch
  EXPECT_EQ(page->IsPageDirty(), S_FALSE);
  ClickButton(dialog, 400);
  EXPECT_EQ(ItemText(dialog, 398), std::to_wstring(0x0000FFFF));
  EXPECT_EQ(page->IsPageDirty(), S_OK);
  ASSERT_EQ(page->Apply(), S_OK);
  EXPECT_EQ(GetNumber(control.Get(), L"MaskColor"), 0x0000FFFF);
}

TEST_F(ColorsPage, ThePlaneAndStripPickWithTheMouseAndResetRestoresTheFaceColour) {
  HWND dialog = Open();
  ASSERT_NE(dialog, nullptr);
  ClickButton(dialog, 423);  // unlock, so the Back item keeps the picker
  Press(dialog, 6, 18);      // top-left of the plane, slider red
  const std::wstring red = ItemText(dialog, 349);
  EXPECT_EQ(Numbers(dialog), red + L",255,0");
  // The plane as drawn: column 10, buffer row 20 is (slider, 40, 20).
  EXPECT_EQ(PagePixel(dialog, 6 + 10, 18 + 128 - 20), RGB(_wtoi(red.c_str()), 40, 20));
  Press(dialog, 140, 18 + 27);  // the strip: red 201
  EXPECT_EQ(Numbers(dialog), L"201,255,0");

  ClickButton(dialog, 231);  // fine
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, 364)));
  // Top row of the shading, second column: 255 - trunc(2/255 * (255 - C)) of (201, 255, 0).
  EXPECT_EQ(PagePixel(dialog, 6 + 1, 18 + 1), RGB(255, 255, 253));
  ClickButton(dialog, 231);

  ClickButton(dialog, 366);
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  EXPECT_EQ(ItemText(dialog, 397), std::to_wstring(face));
  EXPECT_EQ(Numbers(dialog), std::to_wstring(GetRValue(face)) + L"," + std::to_wstring(GetGValue(face)) + L"," +
                                 std::to_wstring(GetBValue(face)));
  EXPECT_EQ(page->IsPageDirty(), S_OK);
}

// The sample picture as the module holds it, put through the control's own effect pass.
void ExpectedPreview(button::CImageDIB& out, const button::EffectSettings& settings) {
  HBITMAP sample =
      static_cast<HBITMAP>(LoadImageW(Module::handle, MAKEINTRESOURCEW(1235), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  ASSERT_NE(sample, nullptr);
  BITMAP bm{};
  ASSERT_TRUE(GetObjectW(sample, sizeof(bm), &bm));
  ASSERT_EQ(bm.bmWidth, 68);
  ASSERT_EQ(bm.bmHeight, 78);
  ASSERT_TRUE(out.Create(68, 78));
  HDC screen = GetDC(nullptr);
  EXPECT_EQ(out.GetFromBitmap(screen, sample), 78);
  ReleaseDC(nullptr, screen);
  DeleteObject(sample);
  button::CImageDIB work;
  ASSERT_TRUE(work.Create(68, 78));
  button::RunEffectPass(out, work, settings, button::PictureState{});
}

// The preview as the page drew it at (16, 16).
void ShownPreview(HWND dialog, button::CImageDIB& out) {
  ASSERT_TRUE(out.Create(68, 78));
  FinishPainting(dialog);
  HDC dc = GetDC(dialog);
  EXPECT_EQ(out.GrabFromDC(dc, 16, 16, 68, 78), 78);
  ReleaseDC(dialog, dc);
}

int DifferentPixels(const button::CImageDIB& a, const button::CImageDIB& b) {
  int n = 0;
  for (int y = 0; y < 78; ++y)
    for (int x = 0; x < 68; ++x) n += (a.Pixel(x, y) & 0xFFFFFF) != (b.Pixel(x, y) & 0xFFFFFF);
  return n;
}

TEST_F(EffectsPage, ShowsTheFilterWithItsHelpAndPreviewsTheControlsEffectPass) {
  PROPPAGEINFO info{};
  ASSERT_EQ(page->GetPageInfo(&info), S_OK);
  EXPECT_STREQ(info.pszTitle, L"Effects");
  CoTaskMemFree(info.pszTitle);
  button::EffectSettings s;
  s.EffectFilter = 9;
  s.BackGroundColor = 0x000000FF;
  s.MaskColor = 0x00FF0000;
  s.EffectColorMask = true;
  s.EffectColorMaskValue = 80;
  s.EffectApplyTo = 4;  // the preview ignores it
  ASSERT_EQ(PutShort(control.Get(), L"EffectFilter", s.EffectFilter), S_OK);
  ASSERT_EQ(PutColor(control.Get(), L"BackGroundColor", s.BackGroundColor), S_OK);
  ASSERT_EQ(PutColor(control.Get(), L"MaskColor", s.MaskColor), S_OK);
  ASSERT_EQ(PutBool(control.Get(), L"EffectColorMask", true), S_OK);
  ASSERT_EQ(PutShort(control.Get(), L"EffectColorMaskValue", s.EffectColorMaskValue), S_OK);
  ASSERT_EQ(PutShort(control.Get(), L"EffectApplyTo", s.EffectApplyTo), S_OK);
  HWND dialog = Open();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(Selection(dialog, 488), 9);
  EXPECT_EQ(Selection(dialog, 489), 4);
  EXPECT_EQ(ListItem(GetDlgItem(dialog, 488), 0), L"NONE");
  EXPECT_EQ(ListItem(GetDlgItem(dialog, 488), 23), L"Mask Transparent 2");
  EXPECT_EQ(ListItem(GetDlgItem(dialog, 489), 6), L"On Focus");
  EXPECT_EQ(ItemText(dialog, 731), std::wstring(button::EffectFilterHelp(9),
                                                button::EffectFilterHelp(9) + strlen(button::EffectFilterHelp(9))));
  EXPECT_TRUE(Checked(dialog, 232));
  EXPECT_EQ(ItemText(dialog, 394), L"80");
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, 399)));
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, 492)));

  s.EffectApplyTo = 0;
  button::CImageDIB expected, shown;
  ExpectedPreview(expected, s);
  ShownPreview(dialog, shown);
  EXPECT_EQ(DifferentPixels(expected, shown), 0);
  EXPECT_EQ(page->IsPageDirty(), S_FALSE);

  // "Thin border" with a red Back: the frame in red, its help line, the filter written on Apply.
  PickListEntry(dialog, 488, 17);
  EXPECT_EQ(ItemText(dialog, 399), L"17");
  EXPECT_EQ(ItemText(dialog, 731), L"Frame by thickness in 1 pixel colour=[Back]");
  EXPECT_EQ(page->IsPageDirty(), S_OK);
  ClickButton(dialog, 232);  // the mask off again
  s.EffectFilter = 17;
  s.EffectColorMask = false;
  ExpectedPreview(expected, s);
  ShownPreview(dialog, shown);
  EXPECT_EQ(DifferentPixels(expected, shown), 0);
  EXPECT_EQ(shown.Pixel(0, 0) & 0xFFFFFF, 0xFF0000u);
  ASSERT_EQ(page->Apply(), S_OK);
  EXPECT_EQ(GetNumber(control.Get(), L"EffectFilter"), 17);
  EXPECT_EQ(GetNumber(control.Get(), L"EffectColorMask"), 0);
}

TEST_F(EffectsPage, ArrowsStepTheAmountsWithinTheByteAndFullBlendShowsTheBack) {
  ASSERT_EQ(PutShort(control.Get(), L"EffectGlobalBlendValue", 254), S_OK);
  ASSERT_EQ(PutColor(control.Get(), L"BackGroundColor", 0x0000FF00), S_OK);
  HWND dialog = Open();
  ASSERT_NE(dialog, nullptr);
  auto arrow = [dialog](int bar, int code) {
    SendMessageW(dialog, WM_VSCROLL, MAKEWPARAM(code, 0), LPARAM(GetDlgItem(dialog, bar)));
  };
  arrow(393, SB_LINEUP);
  EXPECT_EQ(ItemText(dialog, 392), L"255");
  arrow(393, SB_LINEUP);
  EXPECT_EQ(ItemText(dialog, 392), L"255");
  arrow(393, SB_PAGEUP);  // other actions do nothing
  EXPECT_EQ(ItemText(dialog, 392), L"255");
  SetDlgItemTextW(dialog, 394, L"0");
  arrow(395, SB_LINEDOWN);
  EXPECT_EQ(ItemText(dialog, 394), L"0");
  arrow(395, SB_LINEUP);
  EXPECT_EQ(ItemText(dialog, 394), L"1");

  ClickButton(dialog, 231);
  button::CImageDIB shown;
  ShownPreview(dialog, shown);
  int green = 0;
  for (int y = 0; y < 78; ++y)
    for (int x = 0; x < 68; ++x) {
      const uint32_t p = shown.Pixel(x, y);
      green += (p >> 16 & 255) <= 2 && (p >> 8 & 255) >= 253 && (p & 255) <= 2;
    }
  EXPECT_GT(green, 68 * 78 * 9 / 10);
  ASSERT_EQ(page->Apply(), S_OK);
  EXPECT_EQ(GetNumber(control.Get(), L"EffectGlobalBlendValue"), 255);
  EXPECT_NE(GetNumber(control.Get(), L"EffectGlobalBlend"), 0);
  EXPECT_EQ(GetNumber(control.Get(), L"EffectColorMaskValue"), 1);
}

// A system colour shows on the Effects and Colors pages as the colour it stands for, and stays stored.
TEST_F(EffectsPage, SystemColoursShowAsTheColourTheyStandForAndStayStored) {
  const uint32_t face = 0x80000000u | COLOR_BTNFACE;
  const COLORREF faceRgb = GetSysColor(COLOR_BTNFACE);
  ASSERT_NE(faceRgb, RGB(255, 255, 255));
  ASSERT_EQ(PutColor(control.Get(), L"BackGroundColor", face), S_OK);
  ASSERT_EQ(PutShort(control.Get(), L"EffectFilter", 17), S_OK);  // a frame in the Back colour
  HWND dialog = Open();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(ItemText(dialog, 398), std::to_wstring(face));
  button::CImageDIB shown;
  ShownPreview(dialog, shown);
  EXPECT_EQ(shown.Pixel(0, 0) & 0xFFFFFF,
            uint32_t(GetRValue(faceRgb)) << 16 | uint32_t(GetGValue(faceRgb)) << 8 | GetBValue(faceRgb));
  PickListEntry(dialog, 488, 18);
  ASSERT_EQ(page->Apply(), S_OK);
  EXPECT_EQ(uint32_t(GetNumber(control.Get(), L"BackGroundColor")), face);

  SwitchPage(button::CLSID_ZephonColorsPage);
  dialog = Open();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(PagePixel(dialog, 170, 130), faceRgb);  // the loaded Back item's swatch
  EXPECT_EQ(ItemText(dialog, 397), std::to_wstring(face));
}

// A list or radio group whose stored value no item shows keeps it: Apply after an edit elsewhere on
// the page writes only what was edited, and nothing of an edit the user took back.
TEST_F(EffectsPage, ApplyWritesOnlyEditedValuesAndKeepsValuesNoItemShows) {
  struct Case {
    CLSID page;
    const wchar_t* unshown;
    short stored;
    void (*edit)(HWND);
    const wchar_t* edited;
    const wchar_t* written;
    const wchar_t* takenBack;  // edited, taken into the page, then typed back as it was
  };
  const Case cases[] = {
      {button::CLSID_ZephonEffectsPage, L"EffectApplyTo", 7, [](HWND d) { PickListEntry(d, 488, 17); }, L"EffectFilter",
       L"17", nullptr},
      {button::CLSID_ZephonTextPage, L"TextApplyTo", 9,
       [](HWND d) {
         SetDlgItemTextW(d, 529, L"40");
         ClickButton(d, 524);  // "Word break" takes the dialog's values
         ClickButton(d, 524);
         SetDlgItemTextW(d, 529, L"0");
         SetDlgItemTextW(d, 527, L"12");
       },
       L"TextBlendValue", L"12", L"TextVerticalOffset"},
      {button::CLSID_ZephonToolTipPage, L"ToolTipEffect", 6, [](HWND d) { SetDlgItemTextW(d, 440, L"Hola"); },
       L"ToolTipString", L"Hola", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.unshown, c.unshown + wcslen(c.unshown)));
    SwitchPage(c.page);
    ASSERT_EQ(PutShort(control.Get(), c.unshown, c.stored), S_OK);
    ASSERT_EQ(GetNumber(control.Get(), c.unshown), c.stored);
    HWND dialog = Open();
    ASSERT_NE(dialog, nullptr);
    c.edit(dialog);
    ASSERT_EQ(page->IsPageDirty(), S_OK);
    ASSERT_EQ(page->Apply(), S_OK);
    EXPECT_EQ(GetNumber(control.Get(), c.unshown), c.stored);
    EXPECT_EQ(GetString(control.Get(), c.edited), c.written);
    if (c.takenBack) EXPECT_EQ(GetString(control.Get(), c.takenBack), L"0");
  }
}

}  // namespace
