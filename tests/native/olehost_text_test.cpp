// Property-bag text: every kind survives a round trip, and bad text is refused whole with the line.
#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>

#include "common/olehost/BagText.h"

using namespace common;

TEST(BagText, EveryKindRoundTrips) {
  auto entry = [](const wchar_t* name, Kind kind) {
    Entry e;
    e.name = name;
    e.kind = kind;
    return e;
  };
  std::vector<Entry> in = {entry(L"Empty", Kind::Empty), entry(L"Short", Kind::I2),  entry(L"Long", Kind::I4),
                           entry(L"Colour", Kind::UI4),  entry(L"Flag", Kind::Bool), entry(L"Caption", Kind::String),
                           entry(L"Font", Kind::Bytes)};
  in[1].number = -32768;
  in[2].number = -2147483647 - 1;
  in[3].number = 4294967295LL;
  in[4].flag = true;
  in[5].text = L"tab\there \"q\" back\\slash\nline \u00e9\u0001";
  in[6].bytes = {0x00, 0x7F, 0xFF, 0x10};
  std::wstring text = Format(in);
  std::vector<Entry> out;
  std::wstring error;
  ASSERT_TRUE(Parse(text, out, error)) << std::string(error.begin(), error.end());
  ASSERT_EQ(out.size(), in.size());
  for (size_t i = 0; i < in.size(); ++i) {
    EXPECT_EQ(out[i].name, in[i].name);
    EXPECT_EQ(out[i].kind, in[i].kind);
    EXPECT_EQ(out[i].number, in[i].number);
    EXPECT_EQ(out[i].flag, in[i].flag);
    EXPECT_EQ(out[i].text, in[i].text);
    EXPECT_EQ(out[i].bytes, in[i].bytes);
  }
  // One line each, so a line break in a value never splits a property.
  EXPECT_EQ(std::count(text.begin(), text.end(), L'\n'), 7);
}

TEST(BagText, CommentsBlankLinesAndCrLfAreAccepted) {
  std::vector<Entry> out;
  std::wstring error;
  ASSERT_TRUE(Parse(L"# saved by the panel\r\n\r\n  AlignHor = I2:2\r\nText=BSTR:\"a = b\"\r\n", out, error));
  ASSERT_EQ(out.size(), 2u);
  EXPECT_EQ(out[0].name, L"AlignHor");
  EXPECT_EQ(out[0].number, 2);
  EXPECT_EQ(out[1].text, L"a = b");
}

TEST(BagText, BadTextIsRefusedWholeAndNamesItsLine) {
  const struct {
    const wchar_t* text;
    const wchar_t* line;
  } cases[] = {
      {L"A=I2:1\nB=I2:40000\n", L"line 2: "},
      {L"A=I4:2147483648", L"line 1: "},
      {L"A=UI4:-1", L"line 1: "},
      {L"A=BOOL:yes", L"line 1: "},
      {L"A=BSTR:unquoted", L"line 1: "},
      {L"A=BSTR:\"bad \\q escape\"", L"line 1: "},
      {L"A=BSTR:\"cut \\u00\"", L"line 1: "},
      {L"A=BYTES:abc", L"line 1: "},
      {L"A=BYTES:zz", L"line 1: "},
      {L"A=R8:1.5", L"line 1: "},
      {L"A I2:1", L"line 1: "},
      {L"=I2:1", L"line 1: "},
      {L"A=I2:1\n\na=I2:2", L"line 3: "},  // names are not case-sensitive
      {L"A=EMPTY:x", L"line 1: "},
  };
  for (const auto& c : cases) {
    std::vector<Entry> out(1);
    out[0].name = L"untouched";
    std::wstring error;
    EXPECT_FALSE(Parse(c.text, out, error)) << std::string(c.text, c.text + wcslen(c.text));
    EXPECT_EQ(error.rfind(c.line, 0), 0u) << std::string(error.begin(), error.end());
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].name, L"untouched");
  }
}
