// What an untrusted page may name as a picture, and the texts it is told.
#include <gtest/gtest.h>

#include <string>

#include "button/imaging/UntrustedRules.h"

using namespace button;

TEST(UntrustedRules, OnlyHttpAndHttpsAddressesWithAHostAreInternetAddresses) {
  for (const wchar_t* ok : {L"http://host/a.gif", L"HTTPS://host", L"http://127.0.0.1:8080/p.bmp?x=1#y",
                            L"http://user:pw@host/p.jpg", L"https://[::1]/p", L"hTTp://h"})
    EXPECT_TRUE(IsHttpAddress(ok)) << ok;
  for (const wchar_t* bad : {L"",
                             L"C:\\pics\\a.bmp",
                             L"c:/pics/a.bmp",
                             L"\\\\server\\share\\a.bmp",
                             L"//server/share/a.bmp",
                             L"\\\\?\\C:\\a.bmp",
                             L"\\\\.\\pipe\\p",
                             L"file:///C:/a.bmp",
                             L"file://server/share/a.bmp",
                             L"a.bmp",
                             L"..\\a.bmp",
                             L"HTTPfoo.bmp",
                             L"http:a.bmp",
                             L"http:/a.bmp",
                             L"http:\\\\server\\share\\a.bmp",
                             L"http://server\\share\\a.bmp",
                             L"http://",
                             L"http:///a.bmp",
                             L"http://@/a",
                             L"http://:80/a",
                             L" http://host/a",
                             L"http://host/a b",
                             L"http://ho\tst/",
                             L"ftp://host/a.bmp",
                             L"res://x.dll/1",
                             L"mk:@MSITStore:C:\\a.chm::/a.bmp"})
    EXPECT_FALSE(IsHttpAddress(bad)) << bad;
  EXPECT_TRUE(MayLoadPicture(L""));  // no picture
  EXPECT_TRUE(MayLoadPicture(L"http://host/a.gif"));
  EXPECT_FALSE(MayLoadPicture(L"C:\\a.gif"));
}

TEST(UntrustedRules, DownloaderTextsForAPageNameTheAddressNotTheLocalCopy) {
  const std::wstring url = L"http://host/a.gif";
  EXPECT_EQ(TextForPage(L"Internet Session - Cant Create temp file: C:\\users\\me\\Temp\\ZPX1.gif", url),
            L"Internet Session - Cant Create temp file: " + url);
  for (const std::wstring& t : {L"Requested URL not found: " + url, std::wstring(L"Unknown server error."),
                                L"Internet connection error.\nURL: " + url})
    EXPECT_EQ(TextForPage(t, url), t);
}
