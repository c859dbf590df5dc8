// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <string_view>
#include <vector>

#include "core/ComponentTree.h"

namespace tav {
namespace {

// clang-format off
// Icon indices that fit a node's own 16-bit fields and ones the tree keeps aside.
const std::vector<int> kIcons{0, 7, -1, 32767, -32767, -32768, 32768, -40000, INT_MAX, INT_MIN};
// clang-format on

class IconRange : public testing::TestWithParam<int> {};

TEST_P(IconRange, EveryIntegerSurvivesAndCanBeReplaced) {
  ComponentTree tree;
  TreeNode* a = tree.AddChild(nullptr, "a");
  TreeNode* b = tree.AddChild(a, "b");
  tree.SetImageIndex(a, GetParam());
  tree.SetSelectedIndex(a, -(GetParam() / 2));
  tree.SetImageIndex(b, GetParam() / 3);
  EXPECT_EQ(a->ImageIndex(), GetParam());
  EXPECT_EQ(a->SelectedIndex(), -(GetParam() / 2));
  EXPECT_EQ(b->ImageIndex(), GetParam() / 3);
  EXPECT_EQ(b->SelectedIndex(), 0);
  // Back to a small value and out again: nothing of the old value is left.
  tree.SetImageIndex(a, 3);
  EXPECT_EQ(a->ImageIndex(), 3);
  tree.SetImageIndex(a, GetParam());
  EXPECT_EQ(a->ImageIndex(), GetParam());
  EXPECT_EQ(a->SelectedIndex(), -(GetParam() / 2));
}

INSTANTIATE_TEST_SUITE_P(ComponentTree, IconRange, testing::ValuesIn(kIcons));

// Text sizes around the arena's chunk limits: short shared ones, chunk-filling
// ones and texts too long for a chunk.
class TextSize : public testing::TestWithParam<std::size_t> {};

TEST_P(TextSize, TextsKeepTheirBytesWhileTheTreeGrows) {
  ComponentTree tree;
  std::vector<std::string> expected;
  std::vector<std::string_view> views;
  for (int i = 0; i < 40; ++i) {
    std::string text(GetParam(), static_cast<char>('a' + i % 26));
    if (!text.empty()) text.back() = static_cast<char>(0xF6);
    views.push_back(tree.AddChild(nullptr, text)->Text());
    expected.push_back(text);
  }
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(tree.NodeAt(static_cast<int>(i))->Text(), expected[i]);
    EXPECT_EQ(views[i], expected[i]);  // views taken earlier stay valid
  }
}

INSTANTIATE_TEST_SUITE_P(ComponentTree, TextSize,
                         testing::Values(0, 1, 32, 33, 4096, (1 << 18) - 1, 1 << 18,
                                         (1 << 20) + 5));

TEST(ComponentTree, SharedTextsChangeOnlyTheNodeThatIsSet) {
  ComponentTree tree;
  TreeNode* first = tree.AddChild(nullptr, "Feeder: 1");
  TreeNode* second = tree.AddChild(nullptr, "Feeder: 1");
  const std::string_view before = second->Text();
  tree.SetText(first, "Feeder: 2");
  EXPECT_EQ(first->Text(), "Feeder: 2");
  EXPECT_EQ(second->Text(), "Feeder: 1");
  EXPECT_EQ(before, "Feeder: 1");
  tree.SetText(second, "");
  EXPECT_EQ(second->Text(), "");
  EXPECT_TRUE(second->Text().empty());
}

TEST(ComponentTree, NodeTextReadsLikeAString) {
  ComponentTree tree;
  const TreeNode* node = tree.AddChild(nullptr, "R1");
  const std::string& copy = node->Text();
  std::string assigned;
  assigned = node->Text();
  EXPECT_EQ(copy, "R1");
  EXPECT_EQ(assigned, "R1");
  EXPECT_EQ("<" + node->Text() + ">", "<R1>");
  EXPECT_EQ(node->Text() + std::string("x"), "R1x");
  EXPECT_EQ(std::string("x") + node->Text(), "xR1");
  EXPECT_EQ(node->Text() + node->Text(), "R1R1");
  EXPECT_TRUE(node->Text() == std::string("R1"));
}

// The index table exists only after nodes leave creation order; both ways of
// numbering must give the same answers.
TEST(ComponentTree, IndexesAgreeBeforeAndAfterTheOrderChanges) {
  ComponentTree tree;
  std::vector<TreeNode*> tops;
  for (int i = 0; i < 50; ++i) {
    TreeNode* top = tree.AddChild(nullptr, "T" + std::to_string(i));
    for (int c = 0; c < 9; ++c) tree.AddChild(top, "c");  // lists of 1, 2, 4, 8 and 9
    tops.push_back(top);
  }
  for (int i = 0; i < tree.Count(); ++i) EXPECT_EQ(tree.IndexOf(tree.NodeAt(i)), i);
  tree.AddChild(tops[3], "late");  // lands inside the pre-order
  EXPECT_EQ(tree.NodeAt(3 * 10 + 10)->Text(), "late");
  EXPECT_EQ(tree.NodeAt(3 * 10 + 11)->Text(), "T4");
  EXPECT_EQ(tops[3]->ChildCount(), 10);
  EXPECT_EQ(tops[3]->Child(9)->Text(), "late");
  EXPECT_EQ(tops[3]->Child(8)->Parent(), tops[3]);
  for (int i = 0; i < tree.Count(); ++i) EXPECT_EQ(tree.IndexOf(tree.NodeAt(i)), i);
  tree.AddChild(nullptr, "end");
  EXPECT_EQ(tree.NodeAt(tree.Count() - 1)->Text(), "end");
}

}  // namespace
}  // namespace tav
