// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/BoardPlacement.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "core/Error.h"
#include "gcode/GCodeGenerator.h"
#include "settings/BoardAlignment.h"
#include "support/ComponentBlocks.h"
#include "support/ErrorOf.h"

namespace tav {
namespace {

using test::AddBlock;
using test::BlockTexts;

std::vector<std::string> Lines(const std::string& program) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = program.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(program.substr(start, end - start));
  return lines;
}

// The lines of the first block: after the 12 header lines.
std::vector<std::string> FirstBlock(const std::string& program) {
  const std::vector<std::string> lines = Lines(program);
  return {lines.begin() + 12, lines.end()};
}

BlockTexts Part(std::string x, std::string y, std::string rotation = "0",
                std::string layer = "TopLayer") {
  BlockTexts texts;
  texts.x = std::move(x);
  texts.y = std::move(y);
  texts.rotation = "Rotation: " + rotation;
  texts.layer = "Layer: " + layer;
  return texts;
}

TEST(BoardPlacementTest, TurnedAndShiftedBoardPutsEveryPartAtOriginPlusTurnedPosition) {
  // A KiCad board: negative Y, positions with "mm".
  MachineSettings settings;
  settings.originX = "120";
  settings.originY = "80";
  settings.boardRotation = "90";
  const BoardPlacement placement(settings);
  ComponentTree tree;
  const double xs[] = {10.16, 31.75, 0, -4.5};
  const double ys[] = {-154.709, -12.5, -0.001, 7};
  for (int i = 0; i < 4; ++i)
    AddBlock(tree, "R" + std::to_string(i),
             Part(std::to_string(xs[i]) + "mm", std::to_string(ys[i]) + "mm"));
  for (int i = 0; i < 4; ++i) {
    const PlacedComponent placed =
        placement.PlaceComponent(ReadComponentBlock(tree, i * block::kSize));
    // Turned by 90° counter-clockwise: (x, y) -> (-y, x).
    EXPECT_NEAR(std::stod(placed.x), 120 - ys[i], 0.0005) << placed.x;
    EXPECT_NEAR(std::stod(placed.y), 80 + xs[i], 0.0005) << placed.y;
  }
  const std::vector<std::string> block = FirstBlock(GCodeGenerator::Generate(tree, settings));
  EXPECT_EQ(block[7], "G00 X274.709 Y90.16 F20");
}

TEST(BoardPlacementTest, IdentityCopiesPositionTextsAndChecksNothing) {
  ComponentTree tree;
  AddBlock(tree, "R1", Part("10.160mm", "5.0800", "0", "Bottom"));
  MachineSettings settings;
  const std::string plain = GCodeGenerator::Generate(tree, settings);
  EXPECT_EQ(FirstBlock(plain)[7], "G00 X10.160 Y5.0800 F20");
  settings.boardSide = "";  // "–": nothing mirrored, nothing checked
  EXPECT_EQ(GCodeGenerator::Generate(tree, settings), plain);
}

TEST(BoardPlacementTest, BottomSideMirrorsPositionsAndAngles) {
  MachineSettings settings;
  settings.boardSide = "Unterseite";
  settings.angles[0] = "90";
  settings.rotationAxis = "A";
  ComponentTree tree;
  AddBlock(tree, "U1", Part("12.5", "-3", "30", "B.Cu"));
  const std::vector<std::string> block = FirstBlock(GCodeGenerator::Generate(tree, settings));
  // x -> -x; turn = (180 - 30) + 0 - 90 = 60.
  EXPECT_EQ(block[7], "G00 A60");
  EXPECT_EQ(block[8], "G00 X-12.5 Y-3 F20");
  EXPECT_EQ(block[11], "G00 A0");
}

TEST(BoardPlacementTest, PartOfTheOtherOrNoSideIsRefusedByName) {
  MachineSettings settings;
  settings.boardSide = "Unterseite";
  ComponentTree tree;
  AddBlock(tree, "C7", Part("1", "2", "0", "Top"));
  EXPECT_EQ(test::ErrorOf([&] { GCodeGenerator::Generate(tree, settings); }),
            "Das Bauteil C7 liegt auf der Oberseite; platziert wird die Unterseite");
  settings.boardSide = "Oberseite";
  ComponentTree unknown;
  AddBlock(unknown, "X1", Part("1", "2", "0", "Inner"));
  EXPECT_NE(test::ErrorOf([&] { GCodeGenerator::Generate(unknown, settings); }).find("X1"),
            std::string::npos);
}

TEST(BoardPlacementTest, RotationAxisTurnsAfterThePickAndBackAfterTheSetDown) {
  MachineSettings settings;
  settings.rotationAxis = "C";
  settings.switchValve = "1";
  settings.valveOnCode = "M64 P0";
  settings.valveOffCode = "M65 P0";
  ComponentTree tree;
  AddBlock(tree, "R1", Part("1", "2", "-90"));
  AddBlock(tree, "R2", Part("1", "2", "180"));
  const std::string program = GCodeGenerator::Generate(tree, settings);
  const std::vector<std::string> lines = Lines(program);
  std::vector<std::string> axisLines;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (!lines[i].starts_with("G00 C")) continue;
    axisLines.push_back(lines[i - 1].substr(0, 6) + " | " + lines[i]);
  }
  EXPECT_EQ(axisLines, (std::vector<std::string>{"G01 Z+ | G00 C-90", "G01 Z+ | G00 C0",
                                                 "G01 Z+ | G00 C180", "G01 Z+ | G00 C0"}));
  // The turn comes before the move to the part, the return after its lift.
  EXPECT_TRUE(program.find("G00 C-90\r\nG00 X1 Y2") != std::string::npos);
}

struct TurnCase {
  double degrees;
  const char* text;
};
class TurnTextTest : public testing::TestWithParam<TurnCase> {};

TEST_P(TurnTextTest, RoundsToHundredthsInsideHalfOpenCircle) {
  EXPECT_EQ(TurnText(GetParam().degrees), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Turns, TurnTextTest,
                         testing::Values(TurnCase{0, "0"}, TurnCase{-180, "180"},
                                         TurnCase{180, "180"}, TurnCase{190, "-170"},
                                         TurnCase{-540, "180"}, TurnCase{12.345, "12.35"},
                                         TurnCase{-179.999, "180"}, TurnCase{-0.001, "0"},
                                         TurnCase{720.5, "0.5"}));

TEST(BoardPlacementTest, MillimetresAreRoundedWithoutTrailingZeros) {
  EXPECT_EQ(MillimetreText(12.5), "12.5");
  EXPECT_EQ(MillimetreText(-3.00049), "-3");
  EXPECT_EQ(MillimetreText(-0.0004), "0");
  EXPECT_EQ(MillimetreText(1.0006), "1.001");
}

TEST(BoardPlacementTest, TurnedPartsAreListedOnlyWithoutAxisOnceTurnsMatter) {
  ComponentTree tree;
  AddBlock(tree, "R1", Part("1", "2", "90"));
  AddBlock(tree, "R2", Part("1", "2", "0"));
  MachineSettings settings;
  std::string program;
  EXPECT_TRUE(GCodeGenerator::Generate(tree, settings, program).turnedParts.empty());
  settings.boardSide = "Oberseite";
  const JobSummary summary = GCodeGenerator::Generate(tree, settings, program);
  EXPECT_EQ(summary.turnedParts, std::vector<std::string>{"R1"});
  EXPECT_NE(JobSummaryText(summary).find("anders gedreht als sein Feeder: R1"), std::string::npos);
  settings.rotationAxis = "A";
  EXPECT_TRUE(GCodeGenerator::Generate(tree, settings, program).turnedParts.empty());
}

TEST(BoardPlacementTest, UnusableSettingsAreNamedBeforeTheEditorIsTouched) {
  ComponentTree tree;
  AddBlock(tree, "R1", Part("1", "2"));
  std::string editor = "old";
  MachineSettings settings;
  settings.boardRotation = "neunzig";
  EXPECT_EQ(test::ErrorOf([&] { GCodeGenerator::Generate(tree, settings, editor); }),
            "Drehung: 'neunzig' ist keine Zahl");
  settings = {};
  settings.rotationAxis = "D";
  EXPECT_NE(test::ErrorOf([&] { GCodeGenerator::Generate(tree, settings, editor); }), "<no error>");
  EXPECT_EQ(editor, "old");
  settings = {};
  settings.originX = "5";
  ComponentTree bad;
  AddBlock(bad, "R9", Part("x1", "2"));
  EXPECT_NE(test::ErrorOf([&] { GCodeGenerator::Generate(bad, settings); }).find("R9"),
            std::string::npos);
}

// Two measured points of a board turned by 3° and shifted.
struct AlignCase {
  BoardSide side;
  double scale;  // measured distances stretched by this factor
};
class AlignmentTest : public testing::TestWithParam<AlignCase> {};

TEST_P(AlignmentTest, ReproducesOriginAndTurn) {
  MachineSettings truth;
  truth.originX = "57.25";
  truth.originY = "-31.5";
  truth.boardRotation = "3";
  truth.boardSide = GetParam().side == BoardSide::kBottom ? "Unterseite" : "Oberseite";
  const BoardPlacement placement(truth);
  const Point2 a{12.7, -154.709};
  const Point2 b{88.9, -20.32};
  Point2 ma = placement.Place(a);
  Point2 mb = placement.Place(b);
  mb.x = ma.x + (mb.x - ma.x) * GetParam().scale;
  mb.y = ma.y + (mb.y - ma.y) * GetParam().scale;
  const BoardAlignment found = AlignBoard(a, b, ma, mb, GetParam().side);
  MachineSettings applied;
  ApplyAlignment(found, applied);
  EXPECT_NEAR(std::stod(applied.originX), 57.25, GetParam().scale == 1 ? 0.01 : 1);
  EXPECT_NEAR(std::stod(applied.originY), -31.5, GetParam().scale == 1 ? 0.01 : 1);
  EXPECT_NEAR(std::stod(applied.boardRotation), 3, 0.01);
  EXPECT_EQ(found.doubtful, std::fabs(found.differenceMm) > 0.2);
}

INSTANTIATE_TEST_SUITE_P(Sides, AlignmentTest,
                         testing::Values(AlignCase{BoardSide::kTop, 1},
                                         AlignCase{BoardSide::kBottom, 1},
                                         AlignCase{BoardSide::kTop, 1.005}));

TEST(BoardAlignmentTest, DistanceMismatchAboveOnePercentIsRefused) {
  const std::string error = test::ErrorOf([] {
    AlignBoard({0, 0}, {100, 0}, {10, 10}, {112, 10}, BoardSide::kUnset);
  });
  EXPECT_NE(error.find("2.00 %"), std::string::npos) << error;
  EXPECT_NE(test::ErrorOf([] {
              AlignBoard({5, 5}, {5, 5}, {1, 1}, {2, 2}, BoardSide::kUnset);
            }),
            "<no error>");
}

}  // namespace
}  // namespace tav
