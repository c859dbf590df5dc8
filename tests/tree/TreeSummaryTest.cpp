// SPDX-License-Identifier: GPL-3.0-or-later
#include "boards/TreeSummary.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "boards/PickPlaceImport.h"
#include "core/DecimalSeparator.h"
#include "support/ComponentBlocks.h"
#include "support/TempFolder.h"

namespace tav {
namespace {

struct Coordinates {
  std::string x, y;
  bool included = true;
};

struct SummaryCase {
  const char* name;
  std::vector<Coordinates> components;
  int count;
  double largestX, largestY;
};

class TreeSummary : public ::testing::TestWithParam<SummaryCase> {};

// clang-format off
const SummaryCase kSummaryCases[] = {
    {"Empty", {}, 0, 0, 0},
    {"PlainAndMm", {{"10.16mm", "5.08mm"}, {"3", "20.5"}}, 2, 10.16, 20.5},
    {"UnitInAnyCase", {{"12.7MM", "1mM"}}, 1, 12.7, 1},
    {"ExcludedCountToo", {{"1mm", "1mm"}, {"80mm", "40mm", false}}, 2, 80, 40},
    {"NegativeStayAtZero", {{"-3mm", "-0.5"}, {"-1", "-2mm"}}, 2, 0, 0},
    {"NoNumbersAddNothing", {{"abc", "7mm"}, {"5mm", ""}, {"10mmmm", "x"}}, 3, 5, 7},
    {"OnlyTheFirstMmGoes", {{"2mm mm", "1mm"}}, 1, 0, 1},
};
// clang-format on

TEST_P(TreeSummary, CountsEveryComponentAndTakesTheLargestNumbers) {
  ComponentTree tree;
  int n = 0;
  for (const Coordinates& c : GetParam().components)
    test::AddComponent(tree, "R" + std::to_string(++n), c.x, c.y, "Feeder: 1", c.included);
  const ImportSummary summary = SummaryOfTree(tree);
  EXPECT_EQ(summary.componentCount, GetParam().count);
  EXPECT_EQ(summary.largestX, GetParam().largestX);
  EXPECT_EQ(summary.largestY, GetParam().largestY);
}

INSTANTIATE_TEST_SUITE_P(Rows, TreeSummary, ::testing::ValuesIn(kSummaryCases),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(TreeSummaryShape, ComponentsWithoutPositionsStillCount) {
  ComponentTree tree;
  tree.AddChild(nullptr, "loose");                        // no children at all
  TreeNode* partial = tree.AddChild(nullptr, "partial");  // Position without Y
  for (int i = 0; i < 5; ++i) tree.AddChild(partial, "a");
  tree.AddChild(tree.AddChild(partial, "Position"), "30mm");
  test::AddComponent(tree, "R1", "10", "20");
  const ImportSummary summary = SummaryOfTree(tree);
  EXPECT_EQ(summary.componentCount, 3);
  EXPECT_EQ(summary.largestX, 30);
  EXPECT_EQ(summary.largestY, 20);
}

TEST(TreeSummaryShape, ReadsNumbersAsTheImportDoes) {
  ComponentTree tree;
  test::AddComponent(tree, "R1", "1,5mm", "2.5mm");
  SetDecimalSeparator(',');
  const ImportSummary summary = SummaryOfTree(tree);
  SetDecimalSeparator('.');
  EXPECT_EQ(summary.largestX, 1.5);  // the user's separator
  EXPECT_EQ(summary.largestY, 2.5);  // "." always
}

TEST(TreeSummaryShape, MatchesWhatTheImportRecorded) {
  const test::TempFolder folder;
  const std::string path = folder / "board.csv";
  test::WriteBytes(path,
                   "header\r\n\r\n"
                   "R1,0805,10.16mm,5.08mm,,,,,Top,0,10k\r\n"
                   "C1,0603,-3mm,20.5MM,,,,,Top,90,1u\r\n"
                   "U1,SOIC,7.5,1mm,,,,,Bottom,0,x\r\n"
                   "end\r\n");
  ComponentTree tree;
  const ImportSummary imported = PickPlaceImport(path, tree);
  const ImportSummary summary = SummaryOfTree(tree);
  EXPECT_EQ(summary.componentCount, imported.componentCount);
  EXPECT_EQ(summary.largestX, imported.largestX);
  EXPECT_EQ(summary.largestY, imported.largestY);
}

}  // namespace
}  // namespace tav
