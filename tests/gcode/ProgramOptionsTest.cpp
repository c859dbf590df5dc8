// SPDX-License-Identifier: GPL-3.0-or-later
// The program options of the page "G-Code": valve switching, controller
// framing, part comments, "." numbers, and the job estimate.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/DecimalSeparator.h"
#include "core/Error.h"
#include "gcode/GCodeGenerator.h"
#include "gcode/GCodeNumbers.h"
#include "gcode/GCodeOptions.h"
#include "support/ComponentBlocks.h"
#include "support/ErrorOf.h"

namespace tav {
namespace {

using Lines = std::vector<std::string>;

Lines SplitCrLf(const std::string& program) {
  Lines lines;
  for (std::size_t start = 0; start < program.size();) {
    const std::size_t end = program.find("\r\n", start);
    lines.push_back(program.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

Lines Slice(const Lines& lines, std::size_t from, std::size_t count) {
  return Lines(lines.begin() + static_cast<std::ptrdiff_t>(from),
               lines.begin() + static_cast<std::ptrdiff_t>(from + count));
}

MachineSettings ValveSettings() {
  MachineSettings settings;
  settings.valveOnCode = "M7";
  settings.valveOffCode = "M9";
  settings.switchValve = "1";
  return settings;
}

class ProgramOptions : public ::testing::Test {
 protected:
  void TearDown() override { SetDecimalSeparator('.'); }
};

TEST_F(ProgramOptions, ValveSwitchesAfterPickAndPlaceWithADwell) {
  ComponentTree tree;
  test::AddComponent(tree, "R1", "10.16mm", "5.08mm");
  const Lines lines = SplitCrLf(GCodeGenerator::Generate(tree, ValveSettings()));
  const Lines block = {"G00 X0.00 Y0.00 F20",
                       "G01 Z-0 F2",
                       "G00 X-0.00 F2.",
                       "G01 Z+0 F2",
                       "G00 X0.00 Y0.00 F20",
                       "G01 Z-0.00 F2",
                       "M7",
                       "G04 P0.5",
                       "G01 Z+0.00 F2",
                       "G00 X10.16 Y5.08 F20",
                       "G01 Z-0.00 F2",
                       "M9",
                       "G04 P0.5",
                       "G01 Z+0.00 F2",
                       ""};
  ASSERT_EQ(lines.size(), 12 + block.size() + 1);
  EXPECT_EQ(Slice(lines, 12, block.size()), block);
  EXPECT_EQ(lines.back(), "%");
}

// clang-format off
struct FramingCase { const char* controller; bool percent; const char* last; };
const FramingCase kFramingCases[] = {
    {"Standard", true,  "%"},
    {"LinuxCNC", false, "M2"},
    {"GRBL",     false, "M2"},
};
// clang-format on

class Framing : public ProgramOptions, public ::testing::WithParamInterface<FramingCase> {};

TEST_P(Framing, DecidesThePercentLinesAndTheLastLine) {
  ComponentTree tree;
  test::AddComponent(tree, "R1", "1", "2");
  MachineSettings settings;
  settings.controller = GetParam().controller;
  const Lines lines = SplitCrLf(GCodeGenerator::Generate(tree, settings));
  const std::size_t header = GetParam().percent ? 12 : 11;
  ASSERT_EQ(lines.size(), header + 11 + 1);
  EXPECT_EQ(lines[7], GetParam().percent ? "%" : "G21");
  EXPECT_EQ(lines[header], "G00 X0.00 Y0.00 F20");  // everything between stays the same
  EXPECT_EQ(lines.back(), GetParam().last);
  for (std::size_t i = 8; i + 1 < lines.size(); ++i) EXPECT_NE(lines[i], "%");
}

INSTANTIATE_TEST_SUITE_P(Table, Framing, ::testing::ValuesIn(kFramingCases));

TEST_F(ProgramOptions, CommentLineNamesEachPartWithoutBreakingTheComment) {
  ComponentTree tree;
  test::AddComponent(tree, "R1", "1", "2");
  test::AddComponent(tree, "X1", "1", "2", "Feeder: 1", /*included=*/false);
  TreeNode* odd = test::AddComponent(tree, "C(3)", "1", "2");
  tree.SetText(odd->Child(0), "Comment: ");                    // no value
  tree.SetText(odd->Child(1), "Footprint: SOT-23 (3 Pins))");  // parentheses inside
  MachineSettings settings;
  settings.comments = "1";
  const Lines lines = SplitCrLf(GCodeGenerator::Generate(tree, settings));
  ASSERT_EQ(lines.size(), 12 + 2 * 12 + 1);
  EXPECT_EQ(lines[12], "(R1 10k 0805)");
  EXPECT_EQ(lines[13], "G00 X0.00 Y0.00 F20");
  EXPECT_EQ(lines[24], "(C[3] SOT-23 [3 Pins]])");
}

// clang-format off
struct OptionErrorCase { const char* field; const char* value; const char* message; };
const OptionErrorCase kOptionErrors[] = {
    {"off", "", "Ventil schalten ist eingeschaltet, aber \"Ventil aus\" ist leer"},
    {"off", "  ", "Ventil schalten ist eingeschaltet, aber \"Ventil aus\" ist leer"},
    {"on", "", "Ventil schalten ist eingeschaltet, aber \"Ventil Ausgang\" ist leer"},
    {"on", "M1", "Der Ventil-Befehl \"M1\" enth\xE4lt M1 und w\xFCrde das Programm anhalten; "
                 "bitte die Befehle der Steuerung eintragen, die das Vakuumventil schalten"},
    {"on", "M0", nullptr}, {"on", "m01", nullptr}, {"on", "M02", nullptr},
    {"off", "M30", nullptr}, {"off", "M60", nullptr}, {"off", "M 2", nullptr},
    {"off", "M65 P0 M2", nullptr}, {"off", "M2.0", nullptr},
    {"delay", "kurz", "Die Verz\xF6gerung \"kurz\" ist keine Zeit in Sekunden (eine Zahl ab 0)"},
    {"delay", "-1", nullptr}, {"delay", "", nullptr},
    {"switch", "ja", "Ung\xFCltiger Wert \"ja\" f\xFCr Ventil schalten (erlaubt: 0 oder 1)"},
    {"comments", "", "Ung\xFCltiger Wert \"\" f\xFCr Kommentare (erlaubt: 0 oder 1)"},
    {"controller", "linuxcnc",
     "Unbekannte Steuerung \"linuxcnc\" (erlaubt: Standard, LinuxCNC, GRBL)"},
};
// clang-format on

class OptionErrors : public ProgramOptions,
                     public ::testing::WithParamInterface<OptionErrorCase> {};

TEST_P(OptionErrors, AreRefusedBeforeTheEditorChanges) {
  const OptionErrorCase& c = GetParam();
  MachineSettings settings = ValveSettings();
  const std::string field = c.field;
  std::string& target = field == "on"         ? settings.valveOnCode
                        : field == "off"      ? settings.valveOffCode
                        : field == "delay"    ? settings.valveDelay
                        : field == "switch"   ? settings.switchValve
                        : field == "comments" ? settings.comments
                                              : settings.controller;
  target = c.value;
  ComponentTree tree;
  test::AddComponent(tree, "R1", "1", "2");
  std::string editor = "previous program";
  const std::string message =
      test::ErrorOf([&] { GCodeGenerator::Generate(tree, settings, editor); });
  EXPECT_NE(message, "<no error>") << c.field << "=" << c.value;
  if (c.message != nullptr) {
    EXPECT_EQ(message, c.message);
  }
  EXPECT_EQ(editor, "previous program");
}

INSTANTIATE_TEST_SUITE_P(Table, OptionErrors, ::testing::ValuesIn(kOptionErrors));

TEST_F(ProgramOptions, ValveCodesAreOnlyCheckedWhileSwitching) {
  // The default "M1" is no valve code, but unused it harms nothing.
  ComponentTree tree;
  test::AddComponent(tree, "R1", "1", "2");
  EXPECT_NO_THROW(GCodeGenerator::Generate(tree, MachineSettings{}));
  // Codes that merely contain stop-like text are fine.
  // A decimal part with other digits after a nonzero one is read to its end.
  for (const char* code :
       {"M64 P0", "M7", "M10", "M100", "M1.5", "M1.50", "M0.10 P2", "M65 P0 (nicht M2)", "#<m2>"})
    EXPECT_EQ(ProgramStopIn(code), "") << code;
  EXPECT_EQ(ProgramStopIn("M64 P0 m01"), "m01");
  EXPECT_EQ(ProgramStopIn("M1.50 M2.00"), "M2.00");
}

// clang-format off
struct NumberTextCase { char separator; const char* text; const char* written; };
const NumberTextCase kNumberTexts[] = {
    {'.', "1.5",    "1.5"},
    {'.', "1,5",    "1.5"},     // "," is read under every separator
    {',', "1,5",    "1.5"},
    {',', " -2,25 ", " -2.25 "},
    {',', "1,5e3",  "1.5e3"},
    {',', "0.00",   "0.00"},    // already "."
    {',', "#<f>",   "#<f>"},    // a parameter: copied
    {',', "[1,5*2]", "[1,5*2]"}, // an expression: copied
    {',', "1,5,0",  "1,5,0"},   // no number
    {'.', "[1,5*2]", "[1,5*2]"},
};
// clang-format on

class NumberTexts : public ProgramOptions, public ::testing::WithParamInterface<NumberTextCase> {};

TEST_P(NumberTexts, UseADotOnlyWhereTheTextIsANumber) {
  SetDecimalSeparator(GetParam().separator);
  EXPECT_EQ(GCodeNumberText(GetParam().text), GetParam().written);
}

INSTANTIATE_TEST_SUITE_P(Table, NumberTexts, ::testing::ValuesIn(kNumberTexts));

TEST_F(ProgramOptions, NoDecimalCommaUnderACommaSeparator) {
  SetDecimalSeparator(',');
  MachineSettings settings = ValveSettings();
  settings.maxPartHeight = "1,5";
  settings.travelFeed = "1500,5";
  settings.liftFeed = "#<lift>";
  settings.valveDelay = "0,75";
  *settings.Feeder(3) = {.x = "12,5", .y = "7", .z = "0,25", .offset = "1,25"};
  ComponentTree tree;
  test::AddComponent(tree, "R1", "10,16mm", "5.08MM", "Feeder: 3");
  const std::string program = GCodeGenerator::Generate(tree, settings);
  const Lines lines = SplitCrLf(program);
  EXPECT_EQ(lines[10], "G01 Z+1.5 F#<lift>");
  EXPECT_EQ(Slice(lines, 12, 10),
            (Lines{"G00 X12.5 Y7 F1500.5", "G01 Z-1.75 F2", "G00 X11.25 F2.", "G01 Z+1.75 F#<lift>",
                   "G00 X12.5 Y7 F1500.5", "G01 Z-1.5 F2", "M7", "G04 P0.75", "G01 Z+1.5 F#<lift>",
                   "G00 X10.16 Y5.08 F1500.5"}));
  EXPECT_EQ(program.find(','), std::string::npos) << program;
  // The settings keep the user's texts.
  EXPECT_EQ(settings.Feeder(3)->x, "12,5");
}

TEST_F(ProgramOptions, EstimateFollowsTheMovesAndFeeds) {
  MachineSettings settings = ValveSettings();
  settings.maxPartHeight = "3";
  settings.travelFeed = "600";
  settings.liftFeed = "300";
  settings.placeFeed = "300";
  settings.valveDelay = "1.5";
  *settings.Feeder(1) = {.x = "30", .y = "40"};
  ComponentTree tree;
  test::AddComponent(tree, "R1", "30mm", "10mm");
  test::AddComponent(tree, "R2", "0", "0", "Feeder: 1", /*included=*/false);
  std::string program;
  const JobSummary summary = GCodeGenerator::Generate(tree, settings, program);
  EXPECT_EQ(summary.parts, 1);
  // Lift 3; to the feeder 50, down 6, sideways 0 (the offset is 0), up 6,
  // back 0, down 6, up 6, to the part 30, down 6, up 6.
  ASSERT_TRUE(summary.travelMm);
  EXPECT_NEAR(static_cast<double>(*summary.travelMm), 119, 1e-9);
  ASSERT_TRUE(summary.minutes);
  // XY 80 mm at 600, Z 39 mm at 300, two dwells of 1.5 s.
  const double minutes = 80.0 / 600 + 39.0 / 300 + 3.0 / 60;
  EXPECT_NEAR(static_cast<double>(*summary.minutes), minutes, 1e-9);
  EXPECT_EQ(JobSummaryText(summary),
            "Bauteile platziert: 1\nVerfahrweg: 119 mm\nGesch\xE4tzte Dauer: 19 s");

  // A feed given as a parameter leaves the time unknown, not wrong.
  settings.placeFeed = "#<set>";
  const JobSummary unknown = GCodeGenerator::Generate(tree, settings, program);
  EXPECT_TRUE(unknown.travelMm);
  EXPECT_FALSE(unknown.minutes);
  EXPECT_EQ(JobSummaryText(unknown).substr(JobSummaryText(unknown).rfind('\n') + 1),
            "Gesch\xE4tzte Dauer: unbekannt");
}

}  // namespace
}  // namespace tav
