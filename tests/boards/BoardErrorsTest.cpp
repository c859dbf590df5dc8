// SPDX-License-Identifier: GPL-3.0-or-later
// Faulty rows of files read by their header: the error names the line and the
// column as the header writes it; the conversion message stays whole.
#include <gtest/gtest.h>

#include <string>

#include "boards/BoardFile.h"
#include "core/DecimalSeparator.h"
#include "support/ErrorOf.h"

namespace tav {
namespace {

struct ErrorCase {
  std::string bytes;
  std::string message;
};

class BoardErrors : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(BoardErrors, NameLineAndColumn) {
  EXPECT_EQ(test::ErrorOf([&] { ReadBoardBytes(GetParam().bytes, "/tmp/board.csv"); }),
            GetParam().message);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, BoardErrors, ::testing::Values(
    ErrorCase{"Designator,Mid X,Mid Y\nR1,1,2\nR2,1,2\n\nR3,1,2\nR4,abc,2\n",
              "Zeile 6, Spalte \"Mid X\": 'abc' ist kein g\xFCltiger Gleitkommawert"},
    ErrorCase{"\"Designator\";\"Center-Y(mil)\";\"Center-X(mil)\"\r\n\"R1\";\"1,5,0\";\"2\"\r\n",
              "Zeile 2, Spalte \"Center-Y(mil)\": '1,5,0' ist kein g\xFCltiger Gleitkommawert"},
    ErrorCase{"Ref,PosX,PosY\nR1,1mm,\n",
              "Zeile 2, Spalte \"PosY\": '' ist kein g\xFCltiger Gleitkommawert"},
    ErrorCase{"Ref,PosX,PosY\nR1,1\n",
              "Zeile 2, Spalte \"PosY\": '' ist kein g\xFCltiger Gleitkommawert"},
    ErrorCase{"Ref,PosX,PosY\nR1,10mmmm,1\n",
              "Zeile 2, Spalte \"PosX\": '10mm' ist kein g\xFCltiger Gleitkommawert"},
    ErrorCase{"Ref,Val,PosX,PosY\n,10k,1,2\n",
              "Zeile 2, Spalte \"Ref\": der Bauteilname fehlt"},
    ErrorCase{"# Ref Val PosX PosY\n C1 1n 1.0 x\n## End\n",
              "Zeile 2, Spalte \"PosY\": 'x' ist kein g\xFCltiger Gleitkommawert"}));

INSTANTIATE_TEST_SUITE_P(Files, BoardErrors, ::testing::Values(
    ErrorCase{"", "Die Datei /tmp/board.csv ist leer"},
    ErrorCase{"\xFF\xFE", "Die Datei /tmp/board.csv ist leer"},
    ErrorCase{"Part,X,Y\nR1,1,2\n",
              "Die Datei /tmp/board.csv hat keine Kopfzeile mit den Spalten f\xFCr Bauteilname, X "
              "und Y. Erwartet werden eine Spalte Bauteilname (Designator, Ref, RefDes, "
              "Reference), eine Spalte X (Mid X, Center-X, PosX, X, Ref X) und eine Spalte Y "
              "(Mid Y, Center-Y, PosY, Y, Ref Y)"}));
// clang-format on

TEST(BoardRows, SkipFillerCommentAndNoteLinesAndReadAHeaderWithoutRows) {
  // clang-format off
  const struct { const char* bytes; std::size_t count; } cases[] = {
      {"Ref,PosX,PosY\n", 0},
      {"Ref,PosX,PosY\n,,\n \t \n# note\n  ## End\n\"\",\"\",\"\"\nTotal parts: 0\n", 0},
      {"junk\nUnits used: mil\nRef,PosX,PosY\nR1,1,2\n;;;\nR2,3,4", 2},
  };
  // clang-format on
  for (const auto& c : cases)
    EXPECT_EQ(ReadBoardBytes(c.bytes, "b.csv").components.size(), c.count) << c.bytes;
}

// A banner whose second line is empty is no legacy file when a header of
// named columns follows before any complete row.
TEST(BoardRows, ABannerWithAnEmptySecondLineIsReadByItsHeader) {
  const BoardFile file = ReadBoardBytes(
      "Pick and Place Locations\r\n\r\n=====\r\nUnits used: mil\r\n\r\n"
      "\"Designator\",\"Comment\",\"Layer\",\"Footprint\",\"Center-X\",\"Center-Y\","
      "\"Rotation\"\r\n"
      "\"C1\",\"1n\",\"TopLayer\",\"C0603\",\"1000\",\"500\",\"90\"\r\n",
      "b.csv");
  EXPECT_EQ(file.layout, BoardLayout::kDelimited);
  EXPECT_EQ(file.headerLine, 6u);
  ASSERT_EQ(file.components.size(), 1u);
  EXPECT_EQ(file.components[0].x, "25.4mm");

  // A legacy file keeps its layout even when its first row looks odd.
  const BoardFile legacy =
      ReadBoardBytes("Designator,X,Y\r\n\r\nR1,0805,1,2,,,,,Top,0,10k\r\n", "b.csv");
  EXPECT_EQ(legacy.layout, BoardLayout::kLegacy);
  EXPECT_EQ(legacy.components.size(), 1u);
}

TEST(BoardRows, UnitOfValueBeatsColumnBeatsBanner) {
  SetDecimalSeparator(',');
  const BoardFile file =
      ReadBoardBytes("Units used: mil\nRef;X (in);Y\nR1;1mm;1\nR2;1;2,5mil\nR3;0,5;10\n", "b.csv");
  SetDecimalSeparator('.');
  ASSERT_EQ(file.components.size(), 3u);
  EXPECT_EQ(file.components[0].x, "1mm");       // own suffix
  EXPECT_EQ(file.components[0].y, "0.0254mm");  // banner
  EXPECT_EQ(file.components[1].x, "25.4mm");    // column
  EXPECT_EQ(file.components[1].y, "0.0635mm");
  EXPECT_EQ(file.components[2].x, "12.7mm");
  EXPECT_EQ(file.components[2].y, "0.254mm");
}

}  // namespace
}  // namespace tav
