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
    SplitCase{" \t ", D::kBlanks, {}}));
// clang-format on

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
