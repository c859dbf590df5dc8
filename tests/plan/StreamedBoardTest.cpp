// SPDX-License-Identifier: GPL-3.0-or-later
// A board file read row by row gives the generator exactly the program the
// imported tree gives, and the errors in the same order.
#include "plan/StreamedBoard.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "boards/PickPlaceImport.h"
#include "core/DecimalSeparator.h"
#include "gcode/GCodeGenerator.h"
#include "support/ErrorOf.h"
#include "support/TempFolder.h"

namespace tav {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> BoardFiles() {
  std::vector<std::string> files;
  for (const char* folder : {"/examples", "/tests/data/boards"}) {
    for (const auto& entry : fs::directory_iterator(std::string(TAV_SOURCE_DIR) + folder)) {
      const std::string extension = entry.path().extension().string();
      if (extension == ".csv" || extension == ".pos") files.push_back(entry.path().string());
    }
  }
  return files;
}

std::string Streamed(const std::string& path, const MachineSettings& settings) {
  StreamedBoard board(path);
  std::string program;
  GCodeGenerator::Generate(board.Components(), settings,
                           [&program](std::string_view piece) { program.append(piece); });
  return program;
}

std::string FromTree(const std::string& path, const MachineSettings& settings) {
  ComponentTree tree;
  PickPlaceImport(path, tree);
  return GCodeGenerator::Generate(tree, settings);
}

TEST(StreamedBoard, GivesTheTreesProgramForEveryBoard) {
  const char saved = DecimalSeparator();
  SetDecimalSeparator('.');
  MachineSettings plain;
  MachineSettings shaped;  // comment lines name value and footprint
  shaped.comments = "1";
  shaped.switchValve = "1";
  shaped.valveOnCode = "M7";
  shaped.valveOffCode = "M9";
  shaped.controller = "LinuxCNC";
  const std::vector<std::string> files = BoardFiles();
  ASSERT_GE(files.size(), 15U);
  for (const std::string& file : files) {
    for (const MachineSettings* settings : {&plain, &shaped}) {
      const std::string program = FromTree(file, *settings);
      EXPECT_EQ(Streamed(file, *settings), program) << file;
      EXPECT_GT(program.size(), 400U) << file;
    }
  }
  SetDecimalSeparator(saved);
}

TEST(StreamedBoard, TheFilesFaultComesBeforeTheGeneratorsAndNoFileIsLeft) {
  const test::TempFolder folder;
  const std::string board = folder / "board.csv";
  test::WriteBytes(board, "Ref,PosX,PosY\nR1,1,2\nR2,3,4\nR3,x,5\n");
  MachineSettings settings;
  settings.feeders[0].direction = "Seitlich";  // fails at the first component
  StreamedBoard streamed(board);
  const std::string target = folder / "out.nc";
  const std::string message =
      test::ErrorOf([&] { WriteGCodeFile(streamed.Components(), settings, target); });
  EXPECT_EQ(message, "Zeile 4, Spalte \"PosX\": 'x' ist kein g\xFCltiger Gleitkommawert");
  EXPECT_EQ(folder.Entries(), std::vector<std::string>{"board.csv"});

  // Sound rows: the generator's own error, still without an output file.
  test::WriteBytes(board, "Ref,PosX,PosY\nR1,1,2\n");
  EXPECT_NE(test::ErrorOf([&] { WriteGCodeFile(streamed.Components(), settings, target); }), "");
  EXPECT_EQ(folder.Entries(), std::vector<std::string>{"board.csv"});
}

TEST(StreamedBoard, PlacesEachComponentOnTheChosenFeederOrLeavesItOut) {
  const test::TempFolder folder;
  const std::string board = folder / "board.csv";
  test::WriteBytes(board, "Ref,Val,PosX,PosY\nR1,10k,1,2\nC1,1n,3,4\nR2,10k,5,6\n");
  StreamedBoard streamed(board);
  std::vector<std::string> seen;
  streamed.Components([](const BoardComponent& c) { return c.value == "10k" ? 3 : 0; })(
      [&seen](const ComponentBlock& block) {
        seen.push_back(std::string(block.designator) + " " + std::string(block.feederText));
      });
  EXPECT_EQ(seen, (std::vector<std::string>{"R1 Feeder: 3", "R2 Feeder: 3"}));
}

}  // namespace
}  // namespace tav
