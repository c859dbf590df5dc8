// SPDX-License-Identifier: GPL-3.0-or-later
// The shortcuts for large numbered sections (reading a section straight from
// the file text, rewriting it as a whole, producing it while writing) must
// give exactly what the general line by line path gives.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "project/IniDocument.h"

namespace tav {
namespace {

// The document with every section split into line records, as any lookup does.
std::string SerializedAfterLookups(const std::string& file,
                                   const std::vector<std::string>& sections) {
  IniDocument doc(file);
  for (const std::string& section : sections) doc.ReadSection(section);
  return doc.Serialize();
}

struct ReadCase {
  const char* name;
  std::string file;
  bool numbered;  // whether the shortcut reads the whole section "S"
};

class NumberedRead : public testing::TestWithParam<ReadCase> {};

TEST_P(NumberedRead, GivesWhatTheGeneralPathGives) {
  const IniDocument fast(GetParam().file);
  std::vector<std::string> visited;
  const bool numbered = fast.VisitNumberedValues(
      "S", "Node", [&visited](std::string_view value) { visited.emplace_back(value); });
  EXPECT_EQ(numbered, GetParam().numbered);

  const IniDocument general(GetParam().file);
  std::vector<std::string> values;
  for (std::string_view value : general.ReadSectionValues("S")) values.emplace_back(value);
  if (numbered) {
    EXPECT_EQ(visited, values);
  } else {
    // What was handed out before the run broke is the start of the answer.
    ASSERT_LE(visited.size(), values.size());
    EXPECT_EQ(visited, std::vector<std::string>(values.begin(), values.begin() + visited.size()));
  }
  // Sections never split write the same text as split ones.
  EXPECT_EQ(fast.Serialize(), SerializedAfterLookups(GetParam().file, {"S", "T", "U"}));
}

const std::string kHugeValue(100000, 'x');

// clang-format off
INSTANTIATE_TEST_SUITE_P(IniDocument, NumberedRead, testing::Values(
    ReadCase{"Plain", "[S]\r\nNode0=a\r\nNode1=#b\r\nNode2=\r\n", true},
    ReadCase{"NoBreakAfterTheLastLine", "[T]\r\nx=1\r\n[S]\r\nNode0=a\r\nNode1=b", true},
    ReadCase{"LfOnly", "[S]\nNode0=a\nNode1=b\n[T]\nx=1\n", true},
    ReadCase{"CrOnly", "[S]\rNode0=a\rNode1=b\r[T]\rx=1", true},
    ReadCase{"MixedAndOddBreaks", "[S]\r\nNode0=a\n\rNode1=b\r\r\nNode2=c\n", true},
    ReadCase{"CommentsBlankLinesAndNoEntries", "[S]\r\n\r\n;Node0=x\r\nNode0=a\r\n =y\r\nplain\r\n  ; c\r\nNode1=b\r\n\r\n", true},
    ReadCase{"BlanksAndCaseInKeys", "[S]\r\n node0 =a\r\nNODE1\t=b\r\nNode2=c\r\n", true},
    ReadCase{"ValuesKeepEveryByte", "[S]\r\nNode0= a=b \r\nNode1=[T]\r\nNode2=;x\r\n", true},
    ReadCase{"HugeLine", "[S]\r\nNode0=" + kHugeValue + "\r\nNode1=b\r\n", true},
    ReadCase{"IndentedSectionLineEndsTheSection", "[S]\r\nNode0=a\r\n \t[T] x\r\nNode1=b\r\n", true},
    ReadCase{"ByteOrderMarkBeforeTheSection", "\xEF\xBB\xBF[S]\r\nNode0=a\r\n", true},
    ReadCase{"SecondSectionOfTheNameIsNotRead", "[S]\r\nNode0=a\r\n[T]\r\n[s]\r\nNode0=z\r\nNode1=y\r\n", true},
    ReadCase{"SectionLineAfterText", "x [S]\r\n[S]\r\nNode0=a\r\n", true},
    ReadCase{"EmptySection", "[S]\r\n[T]\r\nNode0=a\r\n", true},
    ReadCase{"MissingSection", "[T]\r\nNode0=a\r\n", true},
    ReadCase{"EmptyFile", "", true},
    ReadCase{"DuplicateKey", "[S]\r\nNode0=a\r\nNode1=b\r\nNode0=c\r\nNode2=d\r\n", false},
    ReadCase{"Gap", "[S]\r\nNode0=a\r\nNode2=b\r\n", false},
    ReadCase{"LeadingZero", "[S]\r\nNode0=a\r\nNode01=b\r\n", false},
    ReadCase{"StartsAtOne", "[S]\r\nNode1=a\r\nNode2=b\r\n", false},
    ReadCase{"OtherPrefix", "[S]\r\nNode0=a\r\nItem1=b\r\n", false},
    ReadCase{"BlankInsideKey", "[S]\r\nNode0=a\r\nNode 1=b\r\n", false},
    ReadCase{"BracketClosedOnTheNextLine", "[S]\r\nNode0=a\r\n[T\r\n]Node1=b\r\n", false},
    ReadCase{"BracketWithoutCloseIsAnEntry", "[S]\r\nNode0=a\r\n[x=1\r\nNode1=b\r\n", false}),
    [](const auto& row) { return std::string(row.param.name); });
// clang-format on

// Lines are split several bytes at a time: values of every length around
// those steps, with every kind of line end and bytes close to CR and LF, must
// come back whole.
TEST(IniDocument, ValuesOfEveryLengthEndAtTheirLineBreak) {
  const std::string nearBreaks = "\x8D\x8A\x0C\x0E\x0B\x09=a#\xFF";
  for (const std::string lineEnd : {"\r\n", "\n", "\r"}) {
    for (const bool lastBreak : {true, false}) {
      std::string file = "[S]" + lineEnd;
      std::vector<std::string> values;
      for (std::size_t size = 0; size < 20; ++size) {
        std::string value;
        for (std::size_t i = 0; i < size; ++i) value += nearBreaks[(size + i) % nearBreaks.size()];
        file += "Node" + std::to_string(size) + "=" + value + lineEnd;
        values.push_back(value);
      }
      if (!lastBreak) file.resize(file.size() - lineEnd.size());
      const IniDocument fast(file);
      std::vector<std::string> visited;
      EXPECT_TRUE(fast.VisitNumberedValues(
          "S", "Node", [&visited](std::string_view value) { visited.emplace_back(value); }));
      EXPECT_EQ(visited, values);
      const IniDocument general(file);
      for (std::size_t size = 0; size < values.size(); ++size)
        EXPECT_EQ(general.ReadString("S", "Node" + std::to_string(size), "-"), values[size]);
    }
  }
}

TEST(IniDocument, NumberedReadWantsAnUntouchedSection) {
  IniDocument doc("[S]\r\nNode0=a\r\n");
  doc.WriteString("S", "Node1", "b");
  int visits = 0;
  EXPECT_FALSE(doc.VisitNumberedValues("S", "Node", [&visits](std::string_view) { ++visits; }));
  EXPECT_EQ(visits, 0);
}

// Writes "<i>=v<i>" for i below `count`, split into pieces at odd places.
IniDocument::LineProducer NumberedLines(int count) {
  return [count](const std::function<void(std::string_view)>& write) {
    std::string text;
    for (int i = 0; i < count; ++i) text += std::to_string(i) + "=v" + std::to_string(i) + "\r\n";
    for (std::size_t at = 0; at < text.size(); at += 7) write(std::string_view(text).substr(at, 7));
  };
}

struct ReplaceCase {
  const char* name;
  std::string file;
  int count;
  bool replaced;
};

class NumberedReplace : public testing::TestWithParam<ReplaceCase> {};

TEST_P(NumberedReplace, GivesWhatWritingEveryKeyGives) {
  const ReplaceCase& c = GetParam();
  IniDocument fast(c.file);
  const std::string before = fast.Serialize();
  const bool replaced =
      fast.ReplaceNumberedLines("S", "", static_cast<std::size_t>(c.count), NumberedLines(c.count));
  EXPECT_EQ(replaced, c.replaced);
  if (!replaced) {
    EXPECT_EQ(fast.Serialize(), before);
    return;
  }
  IniDocument general(c.file);
  for (int i = 0; i < c.count; ++i)
    general.WriteString("S", std::to_string(i), "v" + std::to_string(i));
  EXPECT_EQ(fast.Serialize(), general.Serialize());
  // The new lines are entries like any others.
  EXPECT_EQ(fast.ReadSection("S"), general.ReadSection("S"));
  fast.WriteString("S", "0", "changed");
  EXPECT_EQ(fast.ReadString("S", "0", "-"), "changed");
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(IniDocument, NumberedReplace, testing::Values(
    ReplaceCase{"AsMany", "[S]\r\n0=a\r\n1=b\r\n[T]\r\nx=1\r\n", 2, true},
    ReplaceCase{"More", "[S]\r\n0=a\r\n[T]\r\nx=1\r\n", 3, true},
    ReplaceCase{"FewerKeepTheRest", "[S]\r\n0=a\r\n1=b\r\n2=c\r\n[T]\r\n", 1, true},
    ReplaceCase{"NoneKeepsAll", "[S]\r\n0=a\r\n1=b\r\n", 0, true},
    ReplaceCase{"LastLineWithoutBreak", "[S]\r\n0=a\r\n1=b\r\n2=c", 2, true},
    ReplaceCase{"EmptySection", "[S]\r\n[T]\r\nx=1\r\n", 2, true},
    ReplaceCase{"OnlyTheFirstSectionOfTheName", "[S]\r\n0=a\r\n[T]\r\n[S]\r\n0=z\r\n", 2, true},
    ReplaceCase{"MissingSection", "[T]\r\n0=a\r\n", 2, false},
    ReplaceCase{"LfOnly", "[S]\n0=a\n1=b\n", 2, false},
    ReplaceCase{"BlankLine", "[S]\r\n0=a\r\n\r\n[T]\r\n", 2, false},
    ReplaceCase{"Comment", "[S]\r\n0=a\r\n;c\r\n", 2, false},
    ReplaceCase{"BlankAroundKey", "[S]\r\n0=a\r\n 1=b\r\n", 2, false},
    ReplaceCase{"Gap", "[S]\r\n0=a\r\n2=b\r\n", 2, false},
    ReplaceCase{"LoneCrAtTheEnd", "[S]\r\n0=a\r", 2, false}),
    [](const auto& row) { return std::string(row.param.name); });
// clang-format on

TEST(IniDocument, GeneratedLinesAreWhatAppendLinesAdds) {
  const std::string file = "; head\r\n[T]\r\nx=1\r\n";
  IniDocument generated(file);
  IniDocument appended(file);
  generated.AppendGenerated("S", NumberedLines(3));
  std::string lines;
  NumberedLines(3)([&lines](std::string_view piece) { lines += piece; });
  appended.AppendLines("S", lines);
  EXPECT_EQ(generated.Serialize(), appended.Serialize());
  // A lookup turns them into entries; later writes land behind them.
  EXPECT_EQ(generated.ReadString("s", "2", "-"), "v2");
  generated.WriteString("S", "k", "v");
  appended.WriteString("S", "k", "v");
  EXPECT_EQ(generated.Serialize(), appended.Serialize());
}

TEST(IniDocument, RefusedGeneratedLineFailsEveryUseAndIsKept) {
  IniDocument doc("[T]\r\nx=1\r\n");
  doc.AppendGenerated("S", [](const std::function<void(std::string_view)>& write) {
    write("0=a\r\n");
    throw std::invalid_argument("bad line");
  });
  EXPECT_THROW(doc.Serialize(), std::invalid_argument);
  EXPECT_THROW(doc.ReadString("S", "0", "-"), std::invalid_argument);
  EXPECT_THROW(doc.Serialize(), std::invalid_argument);
  EXPECT_EQ(doc.ReadString("T", "x", "-"), "1");

  // Lines AppendLines would refuse fail the lookup too.
  IniDocument broken;
  broken.AppendGenerated(
      "S", [](const std::function<void(std::string_view)>& write) { write("0=a\n"); });
  EXPECT_THROW(broken.ReadSection("S"), std::invalid_argument);
}

}  // namespace
}  // namespace tav
