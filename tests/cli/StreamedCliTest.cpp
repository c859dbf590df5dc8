// SPDX-License-Identifier: GPL-3.0-or-later
// `tav gcode --pnp` without a project streams the board: on a board large
// enough to span many read pieces and to spool standard output to a temporary
// file, it gives the bytes the imported project gives, and nothing on a fault.
#include <gtest/gtest.h>

#include <string>

#include "ProcessRunner.h"
#include "support/TempFolder.h"

namespace tav {
namespace {

using test::ProcessResult;

ProcessResult Tav(const std::vector<std::string>& args) {
  return test::RunProcess(TAV_CLI_PATH, args);
}

std::string LargeBoard(const std::string& lastRow) {
  std::string board = "Designator;Comment;Footprint;Mid X;Mid Y;Layer\r\n";
  for (int i = 1; i <= 40000; ++i) {
    const std::string n = std::to_string(i);
    board += "R" + n + ";" + std::to_string(i % 7) + "k;R0603;" + std::to_string(i % 300) + "." +
             std::to_string(i % 10) + "mm;" + n + "mil;Top\r\n";
  }
  return board + lastRow;
}

TEST(StreamedCli, LargeBoardGivesTheImportedProjectsProgram) {
  const test::TempFolder folder;
  const std::string board = folder / "board.csv";
  test::WriteBytes(board, LargeBoard("C1;1n;C0402;1.5;2;Bottom\r\n"));
  const std::string project = folder / "board.tav";
  ASSERT_EQ(Tav({"import", board, "-o", project}).exitCode, 0);
  const ProcessResult fromTree = Tav({"gcode", "--project", project, "--summary"});
  ASSERT_EQ(fromTree.exitCode, 0);
  ASSERT_GT(fromTree.out.size(), std::size_t{5} << 20);  // past the in-memory spool

  const ProcessResult streamed = Tav({"gcode", "--pnp", board, "--summary"});
  EXPECT_EQ(streamed.exitCode, 0);
  EXPECT_TRUE(streamed.out == fromTree.out);
  EXPECT_EQ(streamed.err, fromTree.err);
  EXPECT_EQ(Tav({"gcode", "--pnp", board, "-o", folder / "out.nc"}).exitCode, 0);
  EXPECT_TRUE(test::ReadBytes(folder / "out.nc") == fromTree.out);
}

TEST(StreamedCli, AFaultInTheLastRowLeavesNothing) {
  const test::TempFolder folder;
  const std::string board = folder / "board.csv";
  test::WriteBytes(board, LargeBoard("C1;1n;C0402;x;2;Bottom\r\n"));
  const ProcessResult toOutput = Tav({"gcode", "--pnp", board});
  EXPECT_EQ(toOutput.exitCode, 1);
  EXPECT_EQ(toOutput.out, "");
  EXPECT_EQ(toOutput.err,
            "Zeile 40002, Spalte \"Mid X\": 'x' ist kein g\xC3\xBCltiger Gleitkommawert.\n");
  EXPECT_EQ(Tav({"gcode", "--pnp", board, "-o", folder / "out.nc"}).err, toOutput.err);
  EXPECT_EQ(Tav({"plan", "--pnp", board, "-o", folder / "plan"}).err, toOutput.err);
  EXPECT_EQ(folder.Entries(), std::vector<std::string>{"board.csv"});
}

}  // namespace
}  // namespace tav
