// SPDX-License-Identifier: GPL-3.0-or-later
// Every layout the import reads, from the files in tests/data/boards: each
// gives every component in file order with its coordinates in mm, the same
// under "." and "," as the user's decimal separator.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "boards/BoardFile.h"
#include "boards/PickPlaceImport.h"
#include "core/DecimalSeparator.h"
#include "project/TreeText.h"

namespace tav {
namespace {

const std::string kBoards = std::string(TAV_SOURCE_DIR) + "/tests/data/boards/";

// designator|value|footprint|side|rotation|X node|Y node
std::string Row(const BoardComponent& c) {
  return c.designator + "|" + c.value + "|" + c.footprint + "|" + c.side + "|" + c.rotation + "|" +
         c.x + "|" + c.y;
}

struct LayoutCase {
  const char* file;
  BoardLayout layout;
  TextEncoding encoding;
  std::size_t headerLine;
  const char* units;  // as in the summary
  std::size_t count;
  std::vector<std::string> firstRows;
  std::string lastRow;
};

class BoardLayouts : public ::testing::TestWithParam<LayoutCase> {
 protected:
  void TearDown() override { SetDecimalSeparator('.'); }
};

TEST_P(BoardLayouts, GiveEveryComponentInMillimetres) {
  const LayoutCase& c = GetParam();
  for (const char separator : {'.', ','}) {
    SetDecimalSeparator(separator);
    const BoardFile file = ReadBoardFile(kBoards + c.file);
    EXPECT_EQ(file.layout, c.layout);
    EXPECT_EQ(file.encoding, c.encoding);
    EXPECT_EQ(file.headerLine, c.headerLine);
    ASSERT_EQ(file.components.size(), c.count) << separator;
    for (std::size_t i = 0; i < c.firstRows.size(); ++i)
      EXPECT_EQ(Row(file.components[i]), c.firstRows[i]) << separator << " row " << i;
    EXPECT_EQ(Row(file.components.back()), c.lastRow) << separator;
    EXPECT_NE(BoardFileSummary(file).find(c.units), std::string::npos) << BoardFileSummary(file);
  }
}

using L = BoardLayout;
using E = TextEncoding;

// clang-format off
INSTANTIATE_TEST_SUITE_P(Files, BoardLayouts, ::testing::Values(
    LayoutCase{"legacy.csv", L::kLegacy, E::kWindows1252, 0, "; Einheiten mm, mil, inch;", 4,
        {"R1|10k|0805|TopLayer|90|1.5mm|2mm",
         "C1|100n|0603|BottomLayer|0|2.54mm|5.08mm",
         "U1|NE555|SOIC-8|TopLayer|270|12.7mm|25.4mm"},
        "J1|last row|PAD|TopLayer|180|7.5MM|-2.5mm"},
    LayoutCase{"kicad-mm.pos", L::kKiCadPos, E::kWindows1252, 5, "; Einheit mm;", 3,
        {"C1|100nF|C_0603_1608Metric|top|90.0000|120.6500|-85.0900",
         "R12|4k7|R_0402_1005Metric|bottom|180.0000|3.2000|10.0000"},
        "U1|STM32F0|LQFP-48_7x7mm|top|0.0000|-0.5000|0.0000"},
    LayoutCase{"kicad-inches.pos", L::kKiCadPos, E::kWindows1252, 5, "; Einheit inch;", 2,
        {"C1|100nF|C_0603_1608Metric|top|90.0000|31.75mm|-12.7mm"},
        "J2|USB_C|USB_C_Receptacle|top|270.0000|2.54mm|50.8mm"},
    LayoutCase{"kicad.csv", L::kDelimited, E::kWindows1252, 1, "; Einheit mm;", 3,
        {"C1|100nF|C_0603_1608Metric|top|90.0|120.65|-85.09",
         "R12|4k7|R_0402_1005Metric|bottom|180.0|3.2|10"},
        "D1|LED, red|LED_0805|top|0.0|7.5|2.25"},
    LayoutCase{"cpl-comma.csv", L::kDelimited, E::kWindows1252, 1, "; Einheit mm;", 3,
        {"C1|100nF|0603|Top|90|10.16mm|5.08mm"},
        "U2|ATmega328P \"AU\"|TQFP-32|Bottom|270|25.4mm|25.4mm"},
    LayoutCase{"cpl-semicolon-resave.csv", L::kDelimited, E::kWindows1252, 2, "; Einheit mm;", 3,
        {"C1|100nF|0603|Top|90|10.16|5.08", "R1|10k|0402|Top|0|12.7|-3.81"},
        "U2|ATmega328P; AU|TQFP-32|Bottom|270|25.4|25.4"},
    LayoutCase{"diptrace-inches.csv", L::kDelimited, E::kWindows1252, 1, "; Einheit inch;", 3,
        {"C1|100nF||Top|90|31.75mm|12.7mm", "R2|4.7k||Bottom|180|2.54mm|-0.635mm"},
        "U3|NE555||Top|0|50.8mm|38.1mm"},
    LayoutCase{"commercial-mil.csv", L::kDelimited, E::kWindows1252, 13, "; Einheit mil;", 3,
        {"C1|100nF|C0603|TopLayer|90|25.4mm|12.7mm",
         "R1|10k|R0402|BottomLayer|180|31.3563mm|-6.35mm"},
        "U1|LM1117|SOT-223|TopLayer|0|100.00000066mm|0mm"},
    LayoutCase{"commercial-resave.csv", L::kDelimited, E::kWindows1252, 5, "; Einheit mil;", 2,
        {"C1|100nF|C0603|TopLayer|90|25.4mm|12.7mm"},
        "R1|10k|R0402|BottomLayer|180|31.3563mm|-6.35mm"},
    LayoutCase{"utf16-be-tab.csv", L::kDelimited, E::kUtf16Be, 1, "; Einheiten mm, mil;", 2,
        {"R1|1kOhm|R0402|T|0|2.54mm|1.27mm"},
        "C1|M\xFCller|C0603|B|90|2.5mm|1mm"},
    LayoutCase{"utf8-bom-tab.csv", L::kDelimited, E::kUtf8WithMark, 1, "; Einheiten mm, mil;", 2,
        {"R1|1kOhm|R0402|T|0|2.54mm|1.27mm"},
        "C1|M\xFCller|C0603|B|90|2.5mm|1mm"},
    LayoutCase{"usb-micro-to-c-ohm-utf16.csv", L::kDelimited, E::kUtf16Le, 1, "; Einheit mm;", 3,
        {"R1|5.1kOhm|R0402|T|180|8.56mm|58.67mm"},
        "U3|TYPE-C-SMD_TYPE-C-31-M-16|TYPE-C-SMD_TYPE-C-31-M-16|T|180|12.45mm|62.26mm"},
    LayoutCase{"dewesoft-utf8bom-tab.csv", L::kDelimited, E::kUtf8WithMark, 1, "; Einheit mm;", 14,
        {"1|DB9 Pad|PAD|T|0|9.46mm|2mm"},
        "TEDS|GXE00|TO-92-3_L4.9-W3.7-P1.27-L|T|270|25mm|8mm"},
    LayoutCase{"gego-motor-shield-mil-utf16.csv", L::kDelimited, E::kUtf16Le, 1, "; Einheit mil;", 26,
        {"R3|10K|R0402|T|0|82.550254mm|113.284mm"},
        "MC1|CP_TANTALUM_CASE-B_EIA-3528-21_HAND|CP_TANTALUM_CASE-B_EIA-3528-21_HAND|B|180|79.375254mm|98.933mm"},
    LayoutCase{"smsw-cpl-quoted-mm.csv", L::kDelimited, E::kWindows1252, 1, "; Einheit mm;", 20,
        {"C1|||Top|270.0|7.938|13.018"},
        "U2|||Top|270.0|20.955|8.216"}));
// clang-format on

// The bundled examples and every layout give the same tree under "," as under ".".
TEST(BoardLayoutTrees, AreTheSameUnderACommaSeparator) {
  for (const std::string& path :
       {std::string(TAV_SOURCE_DIR) + "/examples/example-board.csv",
        std::string(TAV_SOURCE_DIR) + "/examples/example-module-MM.csv", kBoards + "legacy.csv",
        kBoards + "commercial-mil.csv", kBoards + "kicad-inches.pos"}) {
    std::string trees[2];
    ImportSummary summaries[2];
    for (int i = 0; i < 2; ++i) {
      SetDecimalSeparator(i == 0 ? '.' : ',');
      ComponentTree tree;
      summaries[i] = PickPlaceImport(path, tree);
      trees[i] = WriteTreeAsText(tree);
    }
    SetDecimalSeparator('.');
    EXPECT_EQ(trees[0], trees[1]) << path;
    EXPECT_EQ(summaries[0].largestX, summaries[1].largestX) << path;
    EXPECT_EQ(summaries[0].componentCount, summaries[1].componentCount) << path;
  }
}

}  // namespace
}  // namespace tav
