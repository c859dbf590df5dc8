// SPDX-License-Identifier: GPL-3.0-or-later
#include "gcode/GCodeGenerator.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/DecimalSeparator.h"
#include "core/Error.h"
#include "core/Messages.h"
#include "support/ComponentBlocks.h"
#include "support/ErrorOf.h"

namespace tav {
namespace {

using test::AddComponent;
using Lines = std::vector<std::string>;

const Lines kHeader = {
    "(-------------------------------)",
    "(-- G-Code for Pick and Place --)",
    "(--  Created with TAV V1.0    --)",
    "(--                           --)",
    "(--  Tavoline                 --)",
    "(-------------------------------)",
    "",
    "%",
    "G21",
    "G40 G49 G90",
    "G01 Z+0.00 F2",
    "",
};

// The block of a component at X 10.16mm / Y 5.08mm with every setting at its default.
const Lines kDefaultBlock = {
    "G00 X0.00 Y0.00 F20",
    "G01 Z-0 F2",
    "G00 X-0.00 F2.",
    "G01 Z+0 F2",
    "G00 X0.00 Y0.00 F20",
    "G01 Z-0.00 F2",
    "G01 Z+0.00 F2",
    "G00 X10.16 Y5.08 F20",
    "G01 Z-0.00 F2",
    "G01 Z+0.00 F2",
    "",
};

// Splits a program into lines, requiring CR LF after every line, the last included.
Lines SplitProgram(const std::string& program) {
  Lines lines;
  std::size_t start = 0;
  while (start < program.size()) {
    const std::size_t end = program.find("\r\n", start);
    if (end == std::string::npos) {
      ADD_FAILURE() << "text after the last CR LF: " << program.substr(start);
      break;
    }
    const std::string line = program.substr(start, end - start);
    EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << "stray line break in " << line;
    lines.push_back(line);
    start = end + 2;
  }
  return lines;
}

Lines Concat(std::initializer_list<Lines> parts) {
  Lines all;
  for (const Lines& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

// Runs the generator and returns the message of the Error it must throw;
// `editor` keeps what was appended before it.
std::string GenerateError(const ComponentTree& tree, const MachineSettings& settings,
                          std::string& editor) {
  return test::ErrorOf([&] { GCodeGenerator::Generate(tree, settings, editor); });
}

TEST(GCodeGeneratorHeader, EmptyTreeGivesHeaderAndClosingLine) {
  ComponentTree tree;
  std::string editor = "old text that must go\r\n";
  GCodeGenerator::Generate(tree, MachineSettings{}, editor);
  EXPECT_EQ(SplitProgram(editor), Concat({kHeader, {"%"}}));
}

TEST(GCodeGeneratorHeader, AllExcludedGivesHeaderOnly) {
  ComponentTree tree;
  AddComponent(tree, "R1", "1mm", "2mm", "Feeder: 1", /*included=*/false);
  AddComponent(tree, "R2", "3mm", "4mm", "Feeder: 9", /*included=*/false);
  EXPECT_EQ(SplitProgram(GCodeGenerator::Generate(tree, MachineSettings{})),
            Concat({kHeader, {"%"}}));
}

TEST(GCodeGeneratorHeader, CommentLinesAreBoxedAndNameOnlyTheProgram) {
  const Lines lines = SplitProgram(GCodeGenerator::Generate(ComponentTree{}, MachineSettings{}));
  for (int i = 0; i < 6; ++i) EXPECT_EQ(lines[i].size(), 33u) << lines[i];
  EXPECT_TRUE(lines[4].starts_with("(--  Tavoline"));
  EXPECT_TRUE(lines[4].ends_with(" --)"));
}

TEST(GCodeGeneratorHeader, UsesHeightAndLiftFeedAsTyped) {
  MachineSettings settings;
  settings.maxPartHeight = "4,2 ";  // not converted, only "," written as "."
  settings.liftFeed = "#<heben>";
  const Lines lines = SplitProgram(GCodeGenerator::Generate(ComponentTree{}, settings));
  EXPECT_EQ(lines[10], "G01 Z+4.2  F#<heben>");
}

TEST(GCodeGeneratorBlock, DefaultSettingsGiveTheDocumentedBlock) {
  ComponentTree tree;
  AddComponent(tree, "R1", "10.16mm", "5.08mm");
  EXPECT_EQ(SplitProgram(GCodeGenerator::Generate(tree, MachineSettings{})),
            Concat({kHeader, kDefaultBlock, {"%"}}));
}

TEST(GCodeGeneratorBlock, ExcludedComponentsAreSkippedAndOrderKept) {
  ComponentTree tree;
  AddComponent(tree, "R1", "1mm", "1mm");
  AddComponent(tree, "R2", "2mm", "2mm", "Feeder: 1", /*included=*/false);
  AddComponent(tree, "R3", "3mm", "3mm");
  const Lines lines = SplitProgram(GCodeGenerator::Generate(tree, MachineSettings{}));
  ASSERT_EQ(lines.size(), kHeader.size() + 2 * 11 + 1);
  EXPECT_EQ(lines[12 + 7], "G00 X1 Y1 F20");
  EXPECT_EQ(lines[12 + 11 + 7], "G00 X3 Y3 F20");
}

TEST(GCodeGeneratorBlock, ParameterFeedsAreCopiedVerbatim) {
  ComponentTree tree;
  AddComponent(tree, "R1", "1", "2");
  MachineSettings settings;
  settings.travelFeed = "#<fahren>";
  settings.liftFeed = "[#1*2]";
  settings.placeFeed = "1,5";
  const Lines lines = SplitProgram(GCodeGenerator::Generate(tree, settings));
  const Lines block(lines.begin() + 12, lines.begin() + 23);
  EXPECT_EQ(block, (Lines{"G00 X0.00 Y0.00 F#<fahren>", "G01 Z-0 F1.5", "G00 X-0.00 F2.",
                          "G01 Z+0 F[#1*2]", "G00 X0.00 Y0.00 F#<fahren>", "G01 Z-0.00 F1.5",
                          "G01 Z+0.00 F[#1*2]", "G00 X1 Y2 F#<fahren>", "G01 Z-0.00 F1.5",
                          "G01 Z+0.00 F[#1*2]", ""}));
}

// clang-format off
struct CoordinateCase { const char* text; const char* written; };
const CoordinateCase kCoordinateCases[] = {
    {"10.16mm", "10.16"},
    {"12.7MM",  "12.7"},
    {"1mMmm",   "1"},      // every unit is removed, in any case
    {"-3.5 mm", "-3.5 "},  // blanks stay
    {"12,7mm",  "12.7"},   // "," read and written as "."
};
// clang-format on

class GCodeGeneratorCoordinates : public ::testing::TestWithParam<CoordinateCase> {};

TEST_P(GCodeGeneratorCoordinates, WrittenWithoutUnit) {
  ComponentTree tree;
  AddComponent(tree, "R1", GetParam().text, GetParam().text);
  const Lines lines = SplitProgram(GCodeGenerator::Generate(tree, MachineSettings{}));
  const std::string c = GetParam().written;
  EXPECT_EQ(lines[12 + 7], "G00 X" + c + " Y" + c + " F20");
}

INSTANTIATE_TEST_SUITE_P(Table, GCodeGeneratorCoordinates, ::testing::ValuesIn(kCoordinateCases));

// clang-format off
// `written` is the height as the program states it; nullptr: as typed.
struct DepthCase { const char* height; const char* feederZ; char separator; const char* depth;
                   const char* written = nullptr; };
const DepthCase kDepthCases[] = {
    {"3",    "1.5",  '.', "4.5"},
    {"0.1",  "0.2",  '.', "0.3"},   // summed in extended precision
    {" 2 ",  "0.00", '.', "2"},
    {"1e3",  "1e-3", '.', "1000.001"},
    // Under "," numbers are read with "," or "." and written with ".".
    {"1,5",  "0,25", ',', "1.75", "1.5"},
    {"0.00", "0.00", ',', "0"},
    {"1,5",  "0.25", ',', "1.75", "1.5"},
    {"2.5",  "1,5",  ',', "4"},
    {"1,5e1", "0",   ',', "15",   "1.5e1"},
};
// clang-format on

class GCodeGeneratorDepth : public ::testing::TestWithParam<DepthCase> {
 protected:
  void TearDown() override { SetDecimalSeparator('.'); }
};

TEST_P(GCodeGeneratorDepth, IsTheSumOfHeightAndFeederHeight) {
  const DepthCase& c = GetParam();
  SetDecimalSeparator(c.separator);
  ComponentTree tree;
  AddComponent(tree, "R1", "1", "2");
  MachineSettings settings;
  settings.maxPartHeight = c.height;
  settings.Feeder(1)->z = c.feederZ;
  const Lines lines = SplitProgram(GCodeGenerator::Generate(tree, settings));
  EXPECT_EQ(lines[12 + 1], std::string("G01 Z-") + c.depth + " F2");
  EXPECT_EQ(lines[12 + 3], std::string("G01 Z+") + c.depth + " F2");
  // The height itself is written as typed, a number's separator as ".".
  EXPECT_EQ(lines[12 + 5], std::string("G01 Z-") + (c.written ? c.written : c.height) + " F2");
}

INSTANTIATE_TEST_SUITE_P(Table, GCodeGeneratorDepth, ::testing::ValuesIn(kDepthCases));

// clang-format off
struct FeederCase { int number; const char* direction; const char* sideways; };
const FeederCase kFeederCases[] = {  // beside the feeder at X 1N, Y 2N
    {1, "Rechts", "G00 X9.5 F2."},
    {2, "Links",  "G00 X14.5 F2."},
    {3, "Oben",   "G00 Y26.5 F2."},
    {4, "Unten",  "G00 Y19.5 F2."},
};
// clang-format on

class GCodeGeneratorFeeders : public ::testing::TestWithParam<FeederCase> {};

TEST_P(GCodeGeneratorFeeders, ComponentUsesItsFeedersFields) {
  const FeederCase& c = GetParam();
  MachineSettings settings;
  for (int n = 1; n <= 4; ++n) {
    FeederSettings& feeder = *settings.Feeder(n);
    const std::string digit = std::to_string(n);
    feeder.x = "1" + digit;
    feeder.y = "2" + digit;
    feeder.z = digit;
    feeder.offset = digit + ".5";
    feeder.direction = n == c.number ? c.direction : "unused feeders are not looked at";
  }
  ComponentTree tree;
  AddComponent(tree, "U1", "7", "8", "Feeder: " + std::to_string(c.number));
  const Lines lines = SplitProgram(GCodeGenerator::Generate(tree, settings));
  const std::string digit = std::to_string(c.number);
  EXPECT_EQ(lines[12 + 0], "G00 X1" + digit + " Y2" + digit + " F20");
  EXPECT_EQ(lines[12 + 1], "G01 Z-" + digit + " F2");
  EXPECT_EQ(lines[12 + 2], c.sideways);
  EXPECT_EQ(lines[12 + 4], "G00 X1" + digit + " Y2" + digit + " F20");
}

INSTANTIATE_TEST_SUITE_P(Table, GCodeGeneratorFeeders, ::testing::ValuesIn(kFeederCases));

// Errors are found before the first line is written; the editor keeps what it held.

class GCodeGeneratorUnknownFeeder : public ::testing::TestWithParam<const char*> {};

TEST_P(GCodeGeneratorUnknownFeeder, StopsNamingComponentAndText) {
  ComponentTree tree;
  AddComponent(tree, "R1", "10.16mm", "5.08mm");
  AddComponent(tree, "C7", "1", "1", GetParam());
  AddComponent(tree, "R2", "1", "1");
  std::string editor;
  EXPECT_EQ(GenerateError(tree, MachineSettings{}, editor),
            std::string("Bauteil \"C7\": unbekannte Feeder-Angabe \"") + GetParam() + "\"");
  EXPECT_TRUE(editor.empty()) << editor;
}

INSTANTIATE_TEST_SUITE_P(Table, GCodeGeneratorUnknownFeeder,
                         ::testing::Values("Feeder: 0", "Feeder: 5", "feeder: 1", "Feeder:1",
                                           "Feeder: 1 ", "Feeder: 01", ""));

class GCodeGeneratorUnknownDirection : public ::testing::TestWithParam<const char*> {};

TEST_P(GCodeGeneratorUnknownDirection, StopsNamingFeederAndText) {
  ComponentTree tree;
  AddComponent(tree, "R1", "10.16mm", "5.08mm");
  AddComponent(tree, "R2", "1", "1", "Feeder: 2");
  MachineSettings settings;
  settings.Feeder(2)->direction = GetParam();
  std::string editor;
  EXPECT_EQ(GenerateError(tree, settings, editor),
            std::string("Feeder 2: unbekannte Richtung \"") + GetParam() + "\"");
  EXPECT_TRUE(editor.empty()) << editor;
}

INSTANTIATE_TEST_SUITE_P(Table, GCodeGeneratorUnknownDirection,
                         ::testing::Values("rechts", "Rechts ", " Links", "OBEN", "", "Right"));

// clang-format off
struct NumberErrorCase { const char* height; const char* feederZ; const char* message; };
const NumberErrorCase kNumberErrorCases[] = {
    {"abc",  "0.00", "Maximale Bauteilh\xF6he: 'abc' ist kein g\xFCltiger Gleitkommawert"},
    {"abc",  "xyz",  "Maximale Bauteilh\xF6he: 'abc' ist kein g\xFCltiger Gleitkommawert"},
    {"0.00", "1mm",  "Feeder 1, H\xF6he Z: '1mm' ist kein g\xFCltiger Gleitkommawert"},
    {"1\t",  "0",    "Maximale Bauteilh\xF6he: '1\t' ist kein g\xFCltiger Gleitkommawert"},
};
// clang-format on

class GCodeGeneratorNumberError : public ::testing::TestWithParam<NumberErrorCase> {};

TEST_P(GCodeGeneratorNumberError, NamesTheFieldAndWritesNothing) {
  const NumberErrorCase& c = GetParam();
  ComponentTree tree;
  AddComponent(tree, "R1", "1", "2");
  MachineSettings settings;
  settings.maxPartHeight = c.height;
  settings.Feeder(1)->z = c.feederZ;
  std::string editor = "old";
  EXPECT_EQ(GenerateError(tree, settings, editor), c.message);
  EXPECT_EQ(editor, "old");
}

INSTANTIATE_TEST_SUITE_P(Table, GCodeGeneratorNumberError, ::testing::ValuesIn(kNumberErrorCases));

TEST(GCodeGeneratorErrors, HeightIsCheckedWithoutIncludedComponents) {
  ComponentTree tree;
  AddComponent(tree, "R1", "1", "2", "Feeder: 1", /*included=*/false);
  MachineSettings settings;
  settings.maxPartHeight = "abc";
  EXPECT_THROW(GCodeGenerator::Generate(tree, settings), Error);
}

TEST(GCodeGeneratorErrors, BlockCutShortAtTheEndIsAnInvalidIndex) {
  ComponentTree tree;
  AddComponent(tree, "R1", "10.16mm", "5.08mm");
  // What an import stopped at a bad Y leaves: the component, its five
  // attributes, "Position" and the X node.
  TreeNode* cut = tree.AddChild(nullptr, "R9");
  for (const char* text : {"Comment: ", "Footprint: ", "Layer: ", "Rotation: ", "Feeder: 1"})
    tree.AddChild(cut, text);
  tree.AddChild(tree.AddChild(cut, "Position"), "1mm");
  std::string editor;
  EXPECT_EQ(GenerateError(tree, MachineSettings{}, editor), msg::kInvalidIndex);
  EXPECT_TRUE(editor.empty()) << editor;
}

TEST(GCodeGeneratorErrors, BlockOfTheWrongShapeIsRefused) {
  ComponentTree tree;
  AddComponent(tree, "R1", "10.16mm", "5.08mm");
  // Thirteen nodes, but all on one level: the offsets would read the wrong nodes.
  TreeNode* flat = tree.AddChild(nullptr, "X1");
  for (int i = 0; i < 12; ++i) tree.AddChild(flat, "Feeder: 1");
  AddComponent(tree, "R2", "1", "1");
  std::string editor;
  EXPECT_EQ(GenerateError(tree, MachineSettings{}, editor),
            FormatMessage(msg::kNotAComponentBlock, {"X1"}));
  EXPECT_TRUE(editor.empty()) << editor;
}

TEST(GCodeGeneratorErrors, ExcludedMalformedComponentIsNotRead) {
  ComponentTree tree;
  AddComponent(tree, "R1", "10.16mm", "5.08mm");
  TreeNode* cut = tree.AddChild(nullptr, "R9");
  tree.SetImageIndex(cut, 1);
  tree.AddChild(cut, "Comment: ");
  EXPECT_EQ(SplitProgram(GCodeGenerator::Generate(tree, MachineSettings{})),
            Concat({kHeader, kDefaultBlock, {"%"}}));
}

}  // namespace
}  // namespace tav
