// The panel's file rules: how list files become records, how a description becomes box text, and
// the paths built from the stored drive, the category and the title.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogue/CatalogueRules.h"
#include "catalogue/ListFile.h"
#include "catalogue/TextLines.h"

namespace {

using catalogue::LineVerdict;
using catalogue::ListRecord;

std::vector<std::string> Titles(const std::vector<ListRecord>& records) {
  std::vector<std::string> out;
  for (const ListRecord& r : records) out.push_back(r.title);
  return out;
}

TEST(ListFile, EmptyLinesUseNoIndexAndOrderIsKept) {
  const auto records = catalogue::ParseListFile("A#X\\A.EXE\r\n\r\nB#Y\\B.EXE\r\n");
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].title, "A");
  EXPECT_EQ(records[0].command, "X\\A.EXE");
  EXPECT_EQ(records[1].title, "B");
  EXPECT_EQ(records[1].command, "Y\\B.EXE");
}

TEST(ListFile, SplitsAtTheFirstSeparatorAndTrimsNothing) {
  ListRecord r;
  ASSERT_EQ(catalogue::ParseListLine("A#X\\A#2.EXE", &r), LineVerdict::Record);
  EXPECT_EQ(r.title, "A");
  EXPECT_EQ(r.command, "X\\A#2.EXE");
  ASSERT_EQ(catalogue::ParseListLine(" Juego  # DIR\\J.EXE ", &r), LineVerdict::Record);
  EXPECT_EQ(r.title, " Juego  ");
  EXPECT_EQ(r.command, " DIR\\J.EXE ");
  // Bytes of the system code page pass untouched ("Acción" in Windows-1252).
  ASSERT_EQ(catalogue::ParseListLine("Acci\xF3n#ACC\\A.EXE", &r), LineVerdict::Record);
  EXPECT_EQ(r.title, "Acci\xF3n");
}

TEST(ListFile, LinesThatAreNoRecordAreLeftOut) {
  EXPECT_EQ(catalogue::ParseListLine("", nullptr), LineVerdict::Empty);
  EXPECT_EQ(catalogue::ParseListLine("Sin separador", nullptr), LineVerdict::NoSeparator);
  EXPECT_EQ(catalogue::ParseListLine("Juego#JUEGO.EXE", nullptr), LineVerdict::NoFolder);
  EXPECT_EQ(catalogue::ParseListLine("Juego#\\JUEGO.EXE", nullptr), LineVerdict::NoFolder);
  EXPECT_EQ(catalogue::ParseListLine("#X\\A.EXE", nullptr), LineVerdict::Record) << "an empty title is still a title";

  // The separator may be the 255th character (a title of 254) but no later.
  const std::string longest(254, 't');
  EXPECT_EQ(catalogue::ParseListLine(longest + "#X\\A.EXE", nullptr), LineVerdict::Record);
  EXPECT_EQ(catalogue::ParseListLine(longest + "t#X\\A.EXE", nullptr), LineVerdict::SeparatorTooFar);

  const std::string file = "Sin separador\r\n" + longest + "tt#X\\A.EXE\r\nSolo#A.EXE\r\nBueno#B\\B.EXE\r\n";
  EXPECT_EQ(Titles(catalogue::ParseListFile(file)), std::vector<std::string>{"Bueno"});
}

TEST(ListFile, LongCommandPathsAndForeignLineEnds) {
  const std::string command = "DIR\\" + std::string(100000, 'c');
  const auto records = catalogue::ParseListFile("A#" + command + "\nB#Y\\B.EXE\rC#Z\\C.EXE");
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[0].command, command);
  EXPECT_EQ(Titles(records), (std::vector<std::string>{"A", "B", "C"}));
  EXPECT_TRUE(catalogue::ParseListFile("").empty());
  EXPECT_TRUE(catalogue::ParseListFile("\r\n\r\n\n").empty());
}

TEST(TextLines, LineEndsAndTheLastLine) {
  using V = std::vector<std::string_view>;
  EXPECT_EQ(catalogue::SplitLines(""), V{});
  EXPECT_EQ(catalogue::SplitLines("a"), V{"a"});
  EXPECT_EQ(catalogue::SplitLines("a\r\n"), V{"a"});
  EXPECT_EQ(catalogue::SplitLines("\r\n"), V{""});
  EXPECT_EQ(catalogue::SplitLines("a\r\n\r\nb"), (V{"a", "", "b"}));
  EXPECT_EQ(catalogue::SplitLines("a\n\rb"), (V{"a", "", "b"})) << "LF then CR is two ends";
  EXPECT_EQ(catalogue::SplitLines("a\r\r\n"), (V{"a", ""}));
}

TEST(TextLines, ACutTextKeepsWholeLines) {
  EXPECT_EQ(catalogue::WholeLinesWithin("uno\r\ndos", 20), "uno\r\ndos");
  EXPECT_EQ(catalogue::WholeLinesWithin("uno\r\ndos\r\ntres", 11), "uno\r\ndos\r\n");
  EXPECT_EQ(catalogue::WholeLinesWithin("uno\r\ndos\r\ntres", 9), "uno\r\ndos\r");
  EXPECT_EQ(catalogue::DescriptionText(catalogue::WholeLinesWithin("uno\r\ndos\r\ntres", 9)), "uno\r\ndos\r\n");
  EXPECT_EQ(catalogue::WholeLinesWithin("unalineamuylarga", 5), "unali") << "no line end: the cut itself";
}

TEST(TextLines, EveryDescriptionLineEndsWithCrLf) {
  EXPECT_EQ(catalogue::DescriptionText("Uno\r\nDos"), "Uno\r\nDos\r\n");
  EXPECT_EQ(catalogue::DescriptionText("Uno\r\nDos\r\n"), "Uno\r\nDos\r\n");
  EXPECT_EQ(catalogue::DescriptionText("Uno\nDos\n\nTres"), "Uno\r\nDos\r\n\r\nTres\r\n");
  EXPECT_EQ(catalogue::DescriptionText(""), "");
}

TEST(CatalogueRules, CDRootFromTheStoredLetter) {
  EXPECT_EQ(catalogue::CDRootFromDrive(L"D"), L"D:\\QVOL2\\");
  EXPECT_EQ(catalogue::CDRootFromDrive(L"e"), L"e:\\QVOL2\\") << "the case is kept";
  // What names no drive would give a path without one: the default drive is used instead.
  for (const wchar_t* odd : {L"", L"E:", L"EF", L"1", L"\\", L"\u00F1"}) {
    EXPECT_EQ(catalogue::CDRootFromDrive(odd), L"D:\\QVOL2\\") << "stored: " << odd;
  }
}

}  // namespace
