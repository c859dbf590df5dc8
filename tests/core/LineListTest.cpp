// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "core/Error.h"
#include "core/LineList.h"
#include "support/ErrorOf.h"
#include "support/TempFolder.h"

namespace tav {
namespace {

struct SplitLinesRow {
  std::string text;
  LineList lines;
};

class SplitLinesTest : public ::testing::TestWithParam<SplitLinesRow> {};

TEST_P(SplitLinesTest, CutsAtLineBreaks) {
  const SplitLinesRow& row = GetParam();
  EXPECT_EQ(SplitLines(row.text), row.lines);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, SplitLinesTest, ::testing::Values(
    SplitLinesRow{"",                 {}},
    SplitLinesRow{"a",                {"a"}},
    SplitLinesRow{"a\r\n",            {"a"}},
    SplitLinesRow{"a\r\n\r\n",        {"a", ""}},
    SplitLinesRow{"a\rb\nc",          {"a", "b", "c"}},
    SplitLinesRow{"a\n\rb",           {"a", "", "b"}},
    SplitLinesRow{"\r\n",             {""}},
    SplitLinesRow{"\n",               {""}},
    SplitLinesRow{"\r",               {""}},
    SplitLinesRow{"\n\n",             {"", ""}},
    SplitLinesRow{"a\r\r\nb",         {"a", "", "b"}},
    SplitLinesRow{" a \tb\r\n",       {" a \tb"}},
    SplitLinesRow{"\xEF\xBB\xBFx,y\r\n", {"\xEF\xBB\xBFx,y"}},
    SplitLinesRow{std::string("a\r\nb\0c\r\nd", 9), {"a", "b"}},
    SplitLinesRow{std::string("\0a", 2), {}},
    SplitLinesRow{std::string("a\r\n\0", 4), {"a"}}));
// clang-format on

TEST(JoinLines, EveryLineEndsWithCrLf) {
  EXPECT_EQ(JoinLines({}), "");
  EXPECT_EQ(JoinLines({""}), "\r\n");
  EXPECT_EQ(JoinLines({"a", "", "b"}), "a\r\n\r\nb\r\n");
}

TEST(JoinLines, SplitLinesGivesTheLinesBack) {
  const LineList lists[] = {{}, {""}, {"", ""}, {"a"}, {"a", "", "b", ""}, {" x\t", "\xE4\xF6"}};
  for (const LineList& lines : lists) EXPECT_EQ(SplitLines(JoinLines(lines)), lines);
}

TEST(SplitLines, FiftyMegabyteLine) {
  const std::string text(50'000'000, 'x');
  const LineList lines = SplitLines(text + "\r\n");
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].size(), text.size());
}

TEST(LoadLines, ReadsFilesByteForByte) {
  test::TempFolder folder;
  const struct {
    std::string bytes;
    LineList lines;
  } cases[] = {
      {"", {}},
      {"\r\n", {""}},
      {"Designator,Footprint\r\nR1,0805\r\n", {"Designator,Footprint", "R1,0805"}},
      {"\xEF\xBB\xBFR1\r\nC1", {"\xEF\xBB\xBFR1", "C1"}},
      {std::string("R1\r\nC1\0R2\r\n", 11), {"R1", "C1"}},
      {"a\n\rb", {"a", "", "b"}},
      {"\xE4\xF6\xFC\r\n", {"\xE4\xF6\xFC"}},
  };
  for (const auto& c : cases) {
    const std::string path = folder / "input.csv";
    test::WriteBytes(path, c.bytes);
    EXPECT_EQ(LoadLines(path), c.lines);
  }
}

using test::ErrorOf;

TEST(LoadLines, MissingFileNamesTheFullPath) {
  test::TempFolder folder;
  const std::string path = folder / "missing.csv";
  EXPECT_EQ(ErrorOf([&] { LoadLines(path); }),
            "Datei " + path +
                " kann nicht ge\xF6"
                "ffnet werden. Das System kann die angegebene Datei nicht finden");
  // A folder cannot be read as a file.
  EXPECT_EQ(ErrorOf([&] { LoadLines(folder.path().string()); }),
            "Datei " + folder.path().string() +
                " kann nicht ge\xF6"
                "ffnet werden. Der Pfad ist ein Verzeichnis");
}

TEST(LoadLines, RelativePathIsMadeAbsoluteWithoutResolvingLinks) {
  test::TempFolder folder;
  const std::string saved = std::filesystem::current_path().string();
  std::filesystem::current_path(folder.path());
  const std::string message = ErrorOf([] { LoadLines("sub/../missing.csv"); });
  std::filesystem::current_path(saved);
  EXPECT_EQ(message, "Datei " + (folder / "missing.csv") +
                         " kann nicht ge\xF6"
                         "ffnet werden. Das System kann die angegebene Datei nicht finden");
}

TEST(SaveText, WritesTheBytesUnchanged) {
  test::TempFolder folder;
  const std::string path = folder / "out.nc";
  SaveText("G21\r\nG90\r\n", path);
  EXPECT_EQ(test::ReadBytes(path), "G21\r\nG90\r\n");
  SaveText("x", path);  // replaces and truncates
  EXPECT_EQ(test::ReadBytes(path), "x");
  SaveText(JoinLines({}), path);
  EXPECT_TRUE(std::filesystem::exists(path));
  EXPECT_EQ(std::filesystem::file_size(path), 0u);
  const std::string bytes("\xEF\xBB\xBF\0\xFF\r", 6);
  SaveText(bytes, path);
  EXPECT_EQ(test::ReadBytes(path), bytes);
  EXPECT_EQ(folder.EntryCount(), 1);
}

TEST(SaveText, FailureNamesThePathInQuotes) {
  test::TempFolder folder;
  const std::string path = folder / "no-such-folder/out.nc";
  EXPECT_EQ(ErrorOf([&] { SaveText("x", path); }),
            "Datei \"" + path +
                "\" kann nicht erstellt werden. Das System kann den angegebenen Pfad nicht finden");
  EXPECT_EQ(ErrorOf([&] { SaveText("x", folder.path().string()); }),
            "Datei \"" + folder.path().string() +
                "\" kann nicht erstellt werden. Der Pfad ist ein Verzeichnis");
}

}  // namespace
}  // namespace tav
