// SPDX-License-Identifier: GPL-3.0-or-later
#include "boards/FieldSplitting.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tav {
namespace {

using Fields = std::vector<std::string>;

struct SplitCase {
  const char* line;
  Delimiter delimiter;
  Fields fields;
};

class SplitBoardFieldsTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitBoardFieldsTest, CutsQuotesAndTrims) {
  // A vector that held longer rows before is reused.
  Fields fields = {"old", "old", "old", "old", "old", "old", "old", "old", "old"};
  SplitBoardFields(GetParam().line, GetParam().delimiter, fields);
  EXPECT_EQ(fields, GetParam().fields);
}

using D = Delimiter;

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, SplitBoardFieldsTest, ::testing::Values(
    SplitCase{"a,b,,c,", D::kComma, {"a", "b", "", "c", ""}},
    SplitCase{"", D::kComma, {""}},
    SplitCase{"  C1 ; 100nF ;0603", D::kSemicolon, {"C1", "100nF", "0603"}},
    SplitCase{"\"a,b\",\"say \"\"hi\"\"\",c", D::kComma, {"a,b", "say \"hi\"", "c"}},
    SplitCase{" \" padded \" ,x", D::kComma, {"padded", "x"}},
    SplitCase{"\"R1\"\t\"1k\"\t\t\"T\"", D::kTab, {"R1", "1k", "", "T"}},
    SplitCase{"\"open, quote", D::kComma, {"open, quote"}},
    SplitCase{"5\"x,y", D::kComma, {"5\"x", "y"}},
    SplitCase{"\"ab\"cd,e", D::kComma, {"abcd", "e"}},
    SplitCase{"  C1   100nF\t C_0603   1.5  ", D::kBlanks, {"C1", "100nF", "C_0603", "1.5"}},
    SplitCase{"U1 \"LED red\" 2", D::kBlanks, {"U1", "LED red", "2"}},
    SplitCase{" \t ", D::kBlanks, {}},
    SplitCase{"\"\"\"\"\"\",\"\",\"", D::kComma, {"\"\"", "", ""}},
    SplitCase{"a;\"b;c\";", D::kSemicolon, {"a", "b;c", ""}}));
// clang-format on

TEST_P(SplitBoardFieldsTest, AsViewsCutsTheSame) {
  // Views of a longer row before stay apart from this one's.
  std::vector<std::string_view> views;
  std::string buffer;
  SplitBoardFieldViews("\"x\",\"y\",\"z\",\"w\",\"v\",\"u\",\"t\",\"s\"", D::kComma, views, buffer);
  SplitBoardFieldViews(GetParam().line, GetParam().delimiter, views, buffer);
  EXPECT_EQ(Fields(views.begin(), views.end()), GetParam().fields);
}

TEST(SplitBoardFieldViews, KeepsEveryQuotedFieldOfALongRow) {
  // Many quoted fields, one far longer than the others, all unquoted into one
  // buffer: each view must still show its own text once the row is cut.
  std::string line;
  Fields expected;
  for (int i = 0; i < 40; ++i) {
    const std::string number = std::to_string(i);
    expected.push_back(i == 20 ? std::string(100000, 'h') : "f\"" + number);
    line += (i > 0 ? ";\"" : "\"") + (i == 20 ? expected.back() : "f\"\"" + number) + "\"";
  }
  std::vector<std::string_view> views;
  std::string buffer;
  SplitBoardFieldViews(line, D::kSemicolon, views, buffer);
  EXPECT_EQ(Fields(views.begin(), views.end()), expected);
}

TEST(DelimiterOf, TakesTheDelimiterGivingTheMostFields) {
  // clang-format off
  const struct { const char* header; Delimiter delimiter; } cases[] = {
      {"Designator,Val,Package,Mid X,Mid Y,Rotation,Layer", D::kComma},
      {"Designator;Val;Package;Mid X;Mid Y;Rotation;Layer", D::kSemicolon},
      {"Designator\tFootprint\tMid X\tMid Y", D::kTab},
      {"\"Ref,X\";Y;Z", D::kSemicolon},   // a delimiter in quotes does not count
      {"a,b;c\td", D::kTab},              // a tie goes to TAB, then ";", then ","
      {"a,b;c", D::kSemicolon},
      {" Ref     Val       Package   PosX", D::kBlanks},
      {"", D::kBlanks},
  };
  // clang-format on
  Fields scratch;
  for (const auto& c : cases) EXPECT_EQ(DelimiterOf(c.header, scratch), c.delimiter) << c.header;
}

}  // namespace
}  // namespace tav
