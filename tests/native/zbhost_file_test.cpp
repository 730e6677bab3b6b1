// ZBHOST's portable parts: the property file, its value syntax, button placement, the command line
// and the screenshot's BMP layout.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/zbhost/BmpFile.h"
#include "tools/zbhost/HostFile.h"
#include "tools/zbhost/HostLayout.h"
#include "tools/zbhost/HostOptions.h"
#include "tools/zbhost/HostValues.h"

using namespace tools;

TEST(ZbhostFile, SectionsCommentsAndTheImplicitFirstButton) {
  const std::string text =
      "\xEF\xBB\xBF; leading comment\r\n"
      "PictureURL = a b.bmp \r\n"
      "\r\n"
      "[Window]\n"
      "Title=Caf\xC3\xA9\n"
      "  # indented comment\n"
      "[Second]\n"
      "Text=C# ; not a comment\n"
      "Empty=\n"
      "[third-3.x]\n";
  HostFile f;
  FileError e;
  ASSERT_TRUE(ParseHostFile(text, f, e)) << e.line << ": " << e.message;
  ASSERT_EQ(f.buttons.size(), 3u);
  EXPECT_EQ(f.buttons[0].name, "Button1");
  EXPECT_EQ(f.buttons[0].line, 2);
  ASSERT_EQ(f.buttons[0].settings.size(), 1u);
  EXPECT_EQ(f.buttons[0].settings[0].name, "PictureURL");
  EXPECT_EQ(f.buttons[0].settings[0].value, "a b.bmp");
  ASSERT_EQ(f.window.size(), 1u);
  EXPECT_EQ(f.window[0].value, "Caf\xC3\xA9");
  EXPECT_EQ(f.window[0].line, 5);
  EXPECT_EQ(f.buttons[1].settings[0].value, "C# ; not a comment");
  EXPECT_EQ(f.buttons[1].settings[1].value, "");
  EXPECT_EQ(f.buttons[2].name, "third-3.x");
  EXPECT_TRUE(f.buttons[2].settings.empty());
}

TEST(ZbhostFile, RefusedFilesNameTheLineAndLeaveTheResultAlone) {
  struct Case {
    std::string text;
    int line;
    std::string says;
  } cases[] = {
      {"[A]\nText=1\n[A b]\n", 3, "button name"},
      {"[A]\n[a]\n", 2, "a second button named a (first on line 1)"},
      {"Text=x\n[Button1]\n", 2, "a second button named Button1"},
      {"[A]\nText=1\ntext=2\n", 3, "set twice (first on line 2)"},
      {"[A]\njust words\n", 2, "expected Name=Value"},
      {"[A\n", 1, "must end with ']'"},
      {"[A]\nBad Name=1\n", 2, "not a property name"},
      {"[Window]\n[window]\n", 2, "a second [Window]"},
      {"[A]\nText=\xC3(\n", 2, "not UTF-8"},
      {"[A]\nText=\xED\xA0\x80\n", 2, "not UTF-8"},  // a surrogate
      {"[A]\nText=a\x01z\n", 2, "control character"},
      {"; only comments\n[Window]\nTitle=t\n", 3, "declares no button"},
  };
  for (const Case& c : cases) {
    HostFile f;
    f.buttons.push_back(ButtonSection{"kept", 7, {}});
    FileError e;
    EXPECT_FALSE(ParseHostFile(c.text, f, e)) << c.text;
    EXPECT_EQ(e.line, c.line) << c.text;
    EXPECT_NE(e.message.find(c.says), std::string::npos) << c.text << " -> " << e.message;
    ASSERT_EQ(f.buttons.size(), 1u);
    EXPECT_EQ(f.buttons[0].name, "kept");
  }
  std::string many;
  for (size_t i = 0; i <= kMaxButtons; ++i) many += "[B" + std::to_string(i) + "]\n";
  HostFile f;
  FileError e;
  EXPECT_FALSE(ParseHostFile(many, f, e));
  EXPECT_EQ(e.line, int(kMaxButtons) + 1);
  EXPECT_FALSE(ParseHostFile(std::string(kMaxFileBytes + 1, ';'), f, e));
}

TEST(ZbhostValues, Numbers) {
  int64_t v = 0;
  std::string why;
  EXPECT_TRUE(ParseInteger("-32768", INT16_MIN, INT16_MAX, v, why) && v == -32768);
  EXPECT_TRUE(ParseInteger("0x7FFF", INT16_MIN, INT16_MAX, v, why) && v == 0x7FFF);
  EXPECT_TRUE(ParseInteger("&H10&", 0, 100, v, why) && v == 16);
  EXPECT_TRUE(ParseInteger("+5", 0, 10, v, why) && v == 5);
  // Eight hex digits of a signed 32-bit property are its bit pattern.
  EXPECT_TRUE(ParseInteger("0xFFFFFFFF", INT32_MIN, INT32_MAX, v, why) && v == -1);
  EXPECT_TRUE(ParseInteger("0xFFFFFFFF", 0, UINT32_MAX, v, why) && v == 0xFFFFFFFFLL);
  for (const char* bad : {"", "-", "12a", "0x", "&H", "1.5", "0x1G", "0x10000000000000000"}) {
    EXPECT_FALSE(ParseInteger(bad, INT32_MIN, INT32_MAX, v, why)) << bad;
    EXPECT_NE(why.find("not a number"), std::string::npos) << bad << " -> " << why;
  }
  for (const char* huge : {"-9223372036854775809", "99999999999999999999"}) {
    EXPECT_FALSE(ParseInteger(huge, INT64_MIN, INT64_MAX, v, why));
    EXPECT_NE(why.find("out of range"), std::string::npos) << why;
  }
  EXPECT_FALSE(ParseInteger("32768", INT16_MIN, INT16_MAX, v, why));
  EXPECT_NE(why.find("out of range (-32768 to 32767)"), std::string::npos) << why;
  EXPECT_FALSE(ParseInteger("0xFFFF", INT16_MIN, INT16_MAX, v, why));  // no 16-bit wrap-around

  bool b = false;
  EXPECT_TRUE(ParseBool("TRUE", b, why) && b);
  EXPECT_TRUE(ParseBool("-1", b, why) && b);
  EXPECT_TRUE(ParseBool("off", b, why) && !b);
  EXPECT_FALSE(ParseBool("2", b, why));
  EXPECT_FALSE(ParseBool("", b, why));
}

TEST(ZbhostValues, ColoursTakeTheControlsByteOrder) {
  uint32_t c = 0;
  std::string why;
  EXPECT_TRUE(ParseColor("#FF8000", c, why) && c == 0x000080FFu);  // web RRGGBB -> 0x00BBGGRR
  EXPECT_TRUE(ParseColor("255, 128, 0", c, why) && c == 0x000080FFu);
  EXPECT_TRUE(ParseColor("0x00C08E00", c, why) && c == 0x00C08E00u);
  EXPECT_TRUE(ParseColor("4294967295", c, why) && c == 0xFFFFFFFFu);
  for (const char* bad : {"#FF80", "#GG8000", "1,2", "1,2,256", "-1", "red"})
    EXPECT_FALSE(ParseColor(bad, c, why)) << bad;
}

TEST(ZbhostValues, TextAndFonts) {
  std::string t, why;
  EXPECT_TRUE(ParseText("plain \"inner\"", t, why) && t == "plain \"inner\"");
  EXPECT_TRUE(ParseText("\"  two\\nlines\\t\\\\ \\\" \"", t, why) && t == "  two\nlines\t\\ \" ");
  EXPECT_TRUE(ParseText("\"\"", t, why) && t.empty());
  for (const char* bad : {"\"open", "\"", "\"a\"b\"", "\"bad \\q\"", "\"ends \\\""})
    EXPECT_FALSE(ParseText(bad, t, why)) << bad;

  FontSpec f;
  ASSERT_TRUE(ParseFont("Liberation Sans, 10.5, bold, Italic", f, why)) << why;
  EXPECT_EQ(f.face, "Liberation Sans");
  EXPECT_EQ(f.sizeTenths, 105);
  EXPECT_TRUE(f.bold && f.italic && !f.underline && !f.strikethrough);
  ASSERT_TRUE(ParseFont("Arial", f, why));
  EXPECT_EQ(f.sizeTenths, 100);
  for (const char* bad :
       {"", "Arial,0", "Arial,10.25", "Arial,big", "Arial,bold,12", "A very long face name over 31 chars"})
    EXPECT_FALSE(ParseFont(bad, f, why)) << bad;
}

TEST(ZbhostValues, PicturePathsAreTakenFromTheFilesFolder) {
  EXPECT_EQ(ResolvePath("C:\\ex\\", "pics/a.bmp"), "C:\\ex\\pics\\a.bmp");
  EXPECT_EQ(ResolvePath("C:\\ex", "a.bmp"), "C:\\ex\\a.bmp");
  EXPECT_EQ(ResolvePath("/tmp/ex", "a.bmp"), "/tmp/ex/a.bmp");
  EXPECT_EQ(ResolvePath("C:\\ex\\", "D:\\b.bmp"), "D:\\b.bmp");
  EXPECT_EQ(ResolvePath("C:\\ex\\", "\\\\server\\b.bmp"), "\\\\server\\b.bmp");
  EXPECT_EQ(ResolvePath("C:\\ex\\", "https://host/b.gif"), "https://host/b.gif");
  EXPECT_EQ(ResolvePath("C:\\ex\\", "HTTPpics.bmp"), "HTTPpics.bmp");  // the control fetches it as an address
  EXPECT_EQ(ResolvePath("C:\\ex\\", ""), "");
}

TEST(ZbhostLayout, PlacesButtonsAndKeepsControlPropertiesInOrder) {
  HostFile f;
  FileError e;
  ASSERT_TRUE(
      ParseHostFile("[A]\nHeight=30\nText=x\nbuttonmode=3\nAlignHor=2\n[B]\nLeft=-5\nWidth=100\n[C]\nTop=200\n", f, e));
  std::vector<ButtonPlacement> placed;
  ASSERT_TRUE(PlaceButtons(f.buttons, placed, e)) << e.message;
  ASSERT_EQ(placed.size(), 3u);
  EXPECT_EQ(placed[0].left, 10);
  EXPECT_EQ(placed[0].top, 10);
  EXPECT_EQ(placed[0].width, 64);
  EXPECT_EQ(placed[0].buttonMode, 3);
  ASSERT_EQ(placed[0].properties.size(), 2u);
  EXPECT_EQ(placed[0].properties[0].name, "Text");
  EXPECT_EQ(placed[0].properties[1].name, "AlignHor");
  EXPECT_EQ(placed[1].left, -5);
  EXPECT_EQ(placed[1].top, 50);  // below A: 10 + 30 + 10
  EXPECT_EQ(placed[1].buttonMode, -1);
  EXPECT_EQ(placed[2].top, 200);

  for (const char* bad : {"[A]\nWidth=0\n", "[A]\nButtonMode=6\n", "[A]\nLeft=x\n", "[A]\nHeight=5000\n"}) {
    ASSERT_TRUE(ParseHostFile(bad, f, e));
    EXPECT_FALSE(PlaceButtons(f.buttons, placed, e)) << bad;
    EXPECT_EQ(e.line, 2) << bad;
  }

  WindowSettings w;
  ASSERT_TRUE(ParseHostFile("[Window]\nBackColor=#102030\nWidth=300\nTitle=\" t \"\n[A]\n", f, e));
  ASSERT_TRUE(ReadWindowSettings(f.window, w, e)) << e.message;
  EXPECT_EQ(w.backColor, 0x00302010u);
  EXPECT_EQ(w.width, 300);
  EXPECT_EQ(w.height, 0);
  EXPECT_EQ(w.title, " t ");
  ASSERT_TRUE(ParseHostFile("[Window]\nLeft=3\n[A]\n", f, e));
  EXPECT_FALSE(ReadWindowSettings(f.window, w, e));
  EXPECT_EQ(e.line, 2);
}

TEST(ZbhostOptions, ActionsKeepTheirOrderAndBadArgumentsAreRefused) {
  HostOptions o;
  std::string why;
  ASSERT_TRUE(ParseHostOptions({"f.txt", "--click", "A", "--rclick", "B", "--click", "C", "--wait", "0", "--design",
                                "--screenshot", "s.bmp", "--exit-after", "2000"},
                               o, why))
      << why;
  EXPECT_EQ(o.file, "f.txt");
  ASSERT_EQ(o.actions.size(), 3u);
  EXPECT_EQ(o.actions[1].kind, Action::RightClick);
  EXPECT_EQ(o.actions[2].button, "C");
  EXPECT_EQ(o.waitMs, 0);
  EXPECT_EQ(o.exitAfterMs, 2000);
  EXPECT_TRUE(o.design);
  EXPECT_EQ(o.screenshot, "s.bmp");

  const std::vector<std::vector<std::string>> bad = {{},
                                                     {"f.txt", "--click"},
                                                     {"f.txt", "--wait", "-1"},
                                                     {"f.txt", "--wait", "soon"},
                                                     {"f.txt", "g.txt"},
                                                     {"f.txt", "--bogus"},
                                                     {"f.txt", "--screenshot", ""}};
  for (const auto& args : bad) EXPECT_FALSE(ParseHostOptions(args, o, why)) << (args.empty() ? "" : args.back());
  EXPECT_TRUE(ParseHostOptions({"--help"}, o, why) && o.help);
}

TEST(ZbhostBmp, BottomUpRowsPaddedToFourBytes) {
  // 3 x 2: row 0 red green blue, row 1 white black grey.
  const std::vector<uint32_t> px = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x000000, 0x808080};
  const std::vector<uint8_t> b = EncodeBmp24(3, 2, px);
  ASSERT_EQ(b.size(), 54u + 2 * 12);  // 9 bytes a row padded to 12
  auto u32 = [&](size_t at) { return uint32_t(b[at] | b[at + 1] << 8 | b[at + 2] << 16 | uint32_t(b[at + 3]) << 24); };
  EXPECT_EQ(b[0], 'B');
  EXPECT_EQ(u32(2), b.size());
  EXPECT_EQ(u32(10), 54u);
  EXPECT_EQ(u32(18), 3u);
  EXPECT_EQ(u32(22), 2u);
  EXPECT_EQ(b[28], 24);
  // The file's first row is the picture's bottom row, each pixel blue, green, red.
  const std::vector<uint8_t> bottom(b.begin() + 54, b.begin() + 66);
  EXPECT_EQ(bottom, (std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0, 0, 0, 0x80, 0x80, 0x80, 0, 0, 0}));
  const std::vector<uint8_t> top(b.begin() + 66, b.begin() + 75);
  EXPECT_EQ(top, (std::vector<uint8_t>{0, 0, 0xFF, 0, 0xFF, 0, 0xFF, 0, 0}));

  EXPECT_TRUE(EncodeBmp24(0, 2, {}).empty());
  EXPECT_TRUE(EncodeBmp24(3, 2, std::vector<uint32_t>(5)).empty());
}
