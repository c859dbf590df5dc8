// SPDX-License-Identifier: GPL-3.0-or-later
#include "boards/ColumnRoles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "boards/KiCadPos.h"
#include "boards/LengthUnits.h"

namespace tav {
namespace {

using R = ColumnRole;
using U = LengthUnit;

struct HeaderCase {
  std::vector<std::string> fields;
  // indexes of designator, X, Y, rotation, side, value, footprint (-1: none)
  std::vector<int> indexes;
  U xUnit;
};

class RecognizeColumnsTest : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(RecognizeColumnsTest, FindsEveryRole) {
  const auto map = RecognizeColumns(GetParam().fields);
  ASSERT_TRUE(map.has_value());
  std::vector<int> indexes;
  for (const Column& column : map->columns) indexes.push_back(column.index);
  EXPECT_EQ(indexes, GetParam().indexes);
  EXPECT_EQ((*map)[R::kX].unit, GetParam().xUnit);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Headers, RecognizeColumnsTest, ::testing::Values(
    HeaderCase{{"Ref", "Val", "Package", "PosX", "PosY", "Rot", "Side"},
               {0, 3, 4, 5, 6, 1, 2}, U::kUnspecified},
    HeaderCase{{"Designator", "Comment", "Layer", "Footprint", "Center-X(mil)", "Center-Y(mil)",
                "Rotation", "Description"},
               {0, 4, 5, 6, 2, 1, 3}, U::kMil},
    HeaderCase{{"RefDes", "Name", "X (in)", "Y (in)", "Side", "Rotate", "Value"},
               {0, 2, 3, 5, 4, 6, -1}, U::kInch},
    HeaderCase{{"Designator", "Footprint", "Mid X", "Mid Y", "Ref X", "Ref Y", "Pad X", "Pad Y",
                "Layer", "Rotation", "Comment"},
               {0, 2, 3, 9, 8, 10, 1}, U::kUnspecified},
    // Ref X and Ref Y only when there is no other X or Y column
    HeaderCase{{"reference", "REF_X", "ref-y", "angle", "TB", "pattern"},
               {0, 1, 2, 3, 4, -1, 5}, U::kUnspecified},
    // names match without case, blanks, "-" and "_"; the first match wins
    HeaderCase{{"DESIGNATOR", "mid_x (MM)", "Mid-Y", "x", "y", "Designator"},
               {0, 1, 2, -1, -1, -1, -1}, U::kMm}));
// clang-format on

TEST(RecognizeColumns, NeedsADesignatorAnXAndAY) {
  const std::vector<std::vector<std::string>> headers = {
      {"Designator", "Mid X"}, {"Mid X", "Mid Y"}, {"Part", "X", "Y"}, {"Ref", "X (cm)", "Y"}, {}};
  for (const auto& header : headers) EXPECT_FALSE(RecognizeColumns(header)) << header.size();
}

TEST(LengthUnits, SuffixesBannersAndKiCadUnitLines) {
  // clang-format off
  const struct { const char* value; const char* number; U unit; } suffixes[] = {
      {"12.5mm", "12.5", U::kMm}, {"100 MIL", "100 ", U::kMil}, {"1.5in ", "1.5", U::kInch},
      {"2 Inch", "2 ", U::kInch}, {"-3", "-3", U::kUnspecified}, {"7 cm", "7 cm", U::kUnspecified},
      {"mil", "", U::kMil}};
  // clang-format on
  for (const auto& c : suffixes) {
    const UnitSuffix suffix = SplitUnitSuffix(c.value);
    EXPECT_EQ(suffix.number, c.number) << c.value;
    EXPECT_EQ(suffix.unit, c.unit) << c.value;
  }
  // clang-format off
  const struct { const char* line; U banner; U kiCad; } lines[] = {
      {"Units used: mil", U::kMil, U::kUnspecified},
      {"Units used: mm,,,,,,,", U::kMm, U::kUnspecified},
      {"\"Units used:  MIL\";;;", U::kMil, U::kUnspecified},
      {"Units used: mils and more", U::kUnspecified, U::kUnspecified},
      {"## Unit = inches, Angle = deg.", U::kUnspecified, U::kInch},
      {"## Unit = mm, Angle = deg.", U::kUnspecified, U::kMm},
      {"Unit = mm", U::kUnspecified, U::kUnspecified},
      {"## Side : top", U::kUnspecified, U::kUnspecified}};
  // clang-format on
  for (const auto& c : lines) {
    EXPECT_EQ(BannerUnit(c.line), c.banner) << c.line;
    EXPECT_EQ(KiCadUnit(c.line), c.kiCad) << c.line;
  }
}

}  // namespace
}  // namespace tav
