// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/TreeText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ProjectTestSupport.h"
#include "core/Messages.h"

namespace tav {
namespace {

using test::ErrorOf;
using test::NodeState;
using test::StateOf;

TEST(TreeText, WritesOneTabIndentedLinePerNode) {
  ComponentTree tree;
  EXPECT_EQ(WriteTreeAsText(tree), "");
  test::AddProjectComponent(tree, "R1");
  tree.AddChild(nullptr, "a\tb #c");
  EXPECT_EQ(WriteTreeAsText(tree),
            "R1\r\n\tComment: 10k\r\n\tFootprint: 0805\r\n\tLayer: Top\r\n\tRotation: 90\r\n"
            "\tFeeder: 1\r\n\tPosition\r\n\t\t10.16mm\r\n\t\t5.08mm\r\n\tGr\xF6sse\r\n\t\t0\r\n"
            "\t\t0\r\n\t\t0\r\na\tb #c\r\n");
}

struct ReadCase {
  const char* name;
  std::string text;
  std::vector<NodeState> nodes;
};

class ReadTreeFromTextTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadTreeFromTextTest, BuildsTheTree) {
  ComponentTree tree;
  tree.AddChild(nullptr, "old");
  ReadTreeFromText(tree, GetParam().text);
  EXPECT_EQ(StateOf(tree), GetParam().nodes);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, ReadTreeFromTextTest, ::testing::Values(
    ReadCase{"Empty", "", {}},
    ReadCase{"FirstLineDeepIsTopLevel", "\t\tA\r\n\tB\r\n", {{0, "A", 0, 0}, {1, "B", 0, 0}}},
    ReadCase{"BlanksAndTabsMix", "A\n B\n\t C\n", {{0, "A", 0, 0}, {1, "B", 0, 0}, {2, "C", 0, 0}}},
    ReadCase{"ClimbsSeveralLevels", "A\r\tB\r\t\tC\r\t\t\tD\rE\r\tF",
             {{0, "A", 0, 0}, {1, "B", 0, 0}, {2, "C", 0, 0}, {3, "D", 0, 0}, {0, "E", 0, 0}, {1, "F", 0, 0}}},
    ReadCase{"SiblingsAndBackUpOne", "A\r\n\tB\r\n\t\tC\r\n\tD\r\n",
             {{0, "A", 0, 0}, {1, "B", 0, 0}, {2, "C", 0, 0}, {1, "D", 0, 0}}},
    ReadCase{"EmptyAndBlankOnlyLines", "A\r\n\r\n\t\r\n", {{0, "A", 0, 0}, {0, "", 0, 0}, {1, "", 0, 0}}},
    ReadCase{"TextKeepsInnerTabsAndBlanks", "A\r\n\tb \tc \r\n", {{0, "A", 0, 0}, {1, "b \tc ", 0, 0}}},
    ReadCase{"TwoBreaksAtEndGiveEmptyLine", "A\r\n\r\n", {{0, "A", 0, 0}, {0, "", 0, 0}}}),
    [](const auto& row) { return std::string(row.param.name); });
// clang-format on

TEST(TreeText, TooDeepLineFailsAndLeavesTheTree) {
  ComponentTree tree;
  TreeNode* old = tree.AddChild(nullptr, "old");
  EXPECT_EQ(ErrorOf([&] { ReadTreeFromText(tree, "R1\r\n\t\t10.16mm\r\n"); }),
            "Ung\xFCltige Ebene (2) f\xFCr Eintrag \"10.16mm\"");
  ASSERT_EQ(tree.Count(), 1);
  EXPECT_EQ(tree.NodeAt(0), old);
  EXPECT_EQ(ErrorOf([&] { ReadTreeFromText(tree, "A\n\tB\n\t\t  \t C D\n"); }),
            "Ung\xFCltige Ebene (6) f\xFCr Eintrag \"C D\"");
  // The first line is top level whatever its indent; the next is measured from there.
  EXPECT_EQ(ErrorOf([&] { ReadTreeFromText(tree, "\t\tA\r\n\t\t\tB\r\n"); }),
            "Ung\xFCltige Ebene (3) f\xFCr Eintrag \"B\"");
}

TEST(TreeText, DeepNestingNeedsNoRecursion) {
  constexpr int kDepth = 3000;  // the text grows with the square of the depth
  std::string text;
  for (int level = 0; level < kDepth; ++level) text += std::string(level, '\t') + "n\r\n";
  text += "top\r\n";
  ComponentTree tree;
  ReadTreeFromText(tree, text);
  ASSERT_EQ(tree.Count(), kDepth + 1);
  EXPECT_EQ(tree.NodeAt(kDepth - 1)->Level(), kDepth - 1);
  EXPECT_EQ(tree.NodeAt(kDepth)->Level(), 0);
  EXPECT_EQ(WriteTreeAsText(tree), text);
}

}  // namespace
}  // namespace tav
