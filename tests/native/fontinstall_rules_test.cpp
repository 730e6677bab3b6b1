// Which local file a font address becomes, which names are refused before any transfer, and which
// downloaded bytes count as a font file.
#include <gtest/gtest.h>

#include <string>

#include "button/imaging/FontInstallRules.h"
#include "tests/support/TestFont.h"

using namespace button;

TEST(FontInstallRules, FileNameIsTheTextAfterTheLastSeparator) {
  EXPECT_EQ(FontFileName(L"http://host/fonts/Face.ttf"), L"Face.ttf");
  EXPECT_EQ(FontFileName(L"C:\\fonts\\Face.TTF"), L"Face.TTF");
  EXPECT_EQ(FontFileName(L"file:Face.ttf"), L"Face.ttf");
  EXPECT_EQ(FontFileName(L"http://host:8080"), L"8080");
  EXPECT_EQ(FontFileName(L"Face.ttf"), L"Face.ttf");
  EXPECT_EQ(FontFileName(L"http://host/fonts/"), L"");
  EXPECT_EQ(FontFileName(L""), L"");

  EXPECT_EQ(LocalFontPath(L"C:\\users\\me\\Temp\\", L"Face.ttf"), L"C:\\users\\me\\Temp\\Face.ttf");
  EXPECT_EQ(LocalFontPath(L"", L"Face.ttf"), L"C:\\Face.ttf");
  EXPECT_STREQ(kBadUrlText, L"Bad HTTP URL (Font name).");
  EXPECT_STREQ(kAddFailedText, L"Adding font to system fail fontname: ");
}

TEST(FontInstallRules, OnlyPlainFileNamesAreWritten) {
  for (const wchar_t* ok : {L"Face.ttf", L"my font.ttf", L"a", L"COM10.ttf", L"CONSOLE.ttf", L"x.y.z", L"LPTX"})
    EXPECT_TRUE(IsPlainFileName(ok)) << ok;
  for (const wchar_t* bad : {L"",        L".",         L"..",   L"f.ttf?v=2", L"a*b",       L"a|b",     L"a<b",
                             L"a\"b",    L"tab\tname", L"dot.", L"blank ",    L"NUL",       L"nul.ttf", L"Con",
                             L"aux.fon", L"PRN",       L"COM1", L"lpt9.ttf",  L"COM1 .ttf", L"CONOUT$"})
    EXPECT_FALSE(IsPlainFileName(bad)) << bad;
}

TEST(FontInstallRules, FontSignatures) {
  const std::string ttf = tests::MakeTrueTypeFont("Zb Rules Face");
  EXPECT_TRUE(LooksLikeFontFile(reinterpret_cast<const unsigned char*>(ttf.data()), ttf.size()));
  const std::string yes[] = {std::string("OTTO\0\x0a", 6),
                             "true",
                             "ttcf",
                             "typ1",
                             std::string("MZ\x90\x00", 4),
                             std::string("\x00\x03\x10\x00", 4),
                             std::string("\x00\x02\x10\x00", 4)};
  for (const std::string& s : yes)
    EXPECT_TRUE(LooksLikeFontFile(reinterpret_cast<const unsigned char*>(s.data()), s.size())) << s;
  const std::string no[] = {"<html><body>404</body></html>",    "GIF89a", std::string("\x00\x01\x00", 3), "MZ",
                            std::string("\x00\x00\x00\x00", 4), "OTT"};
  for (const std::string& s : no)
    EXPECT_FALSE(LooksLikeFontFile(reinterpret_cast<const unsigned char*>(s.data()), s.size())) << s;
  EXPECT_FALSE(LooksLikeFontFile(nullptr, 0));
}
