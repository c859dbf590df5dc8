// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/EditCommands.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/ComponentBlock.h"
#include "core/Error.h"
#include "support/ByteTextLess.h"
#include "support/ErrorOf.h"
#include "tree/BlockBuilder.h"

namespace tav {
namespace {

using test::AddBlock;
using test::ByteTextLess;

std::vector<std::string> Texts(const ComponentTree& tree) {
  std::vector<std::string> texts;
  for (int i = 0; i < tree.Count(); ++i) texts.push_back(tree.NodeAt(i)->Text());
  return texts;
}

std::vector<int> Icons(const ComponentTree& tree) {
  std::vector<int> icons;
  for (int i = 0; i < tree.Count(); ++i) {
    icons.push_back(tree.NodeAt(i)->ImageIndex());
    icons.push_back(tree.NodeAt(i)->SelectedIndex());
  }
  return icons;
}

TEST(EditCommands, ExcludeAndIncludeChangeOnlyTheComponentIcons) {
  ComponentTree tree;
  TreeNode* r1 = AddBlock(tree, "R1");
  AddBlock(tree, "R2");
  const std::vector<int> before = Icons(tree);

  ExcludeComponent(tree, r1);
  EXPECT_EQ(r1->ImageIndex(), 1);
  EXPECT_EQ(r1->SelectedIndex(), 1);
  std::vector<int> expected = before;
  expected[0] = expected[1] = 1;
  EXPECT_EQ(Icons(tree), expected);

  IncludeComponent(tree, r1);
  EXPECT_EQ(Icons(tree), before);
}

TEST(EditCommands, IncludeAndExcludeIgnoreNodesBelowTheTopLevel) {
  ComponentTree tree;
  TreeNode* r1 = AddBlock(tree, "R1");
  const std::vector<int> before = Icons(tree);
  for (int index : {block::kFeeder, block::kPosition, block::kX}) {
    ExcludeComponent(tree, tree.NodeAt(index));
    IncludeComponent(tree, tree.NodeAt(index));
  }
  ExcludeComponent(tree, nullptr);
  IncludeComponent(tree, nullptr);
  EXPECT_EQ(Icons(tree), before);
  EXPECT_EQ(r1->ImageIndex(), 0);
}

TEST(EditCommands, AssignFeederFromComponentOrAttributeButNotFromValues) {
  ComponentTree tree;
  AddBlock(tree, "R1");
  AddBlock(tree, "R2");
  std::vector<std::string> expected = Texts(tree);

  AssignFeeder(tree, tree.NodeAt(13 + block::kPosition), 3);
  expected[13 + block::kFeeder] = "Feeder: 3";
  EXPECT_EQ(Texts(tree), expected);

  AssignFeeder(tree, tree.NodeAt(0), 2);
  expected[block::kFeeder] = "Feeder: 2";
  EXPECT_EQ(Texts(tree), expected);

  AssignFeeder(tree, tree.NodeAt(block::kFeeder), 4);  // the feeder node itself
  expected[block::kFeeder] = "Feeder: 4";
  EXPECT_EQ(Texts(tree), expected);

  AssignFeeder(tree, tree.NodeAt(block::kX), 1);  // the X value: nothing happens
  AssignFeeder(tree, tree.NodeAt(block::kSizeGroup + 1), 1);
  AssignFeeder(tree, nullptr, 1);
  EXPECT_EQ(Texts(tree), expected);
}

TEST(EditCommands, AssignFeederWithoutFeederNodeReportsTheListError) {
  ComponentTree tree;
  TreeNode* top = tree.AddChild(nullptr, "R1");
  tree.AddChild(top, "Comment: 10k");
  EXPECT_EQ(test::ErrorOf([&] { AssignFeeder(tree, top, 2); }),
            "Listenindex \xFC"
            "berschreitet das Maximum (3)");
  EXPECT_EQ(Texts(tree), (std::vector<std::string>{"R1", "Comment: 10k"}));
}

TEST(EditCommands, SortOrdersByDesignatorKeepingBlocksAndEqualOnesInOrder) {
  ComponentTree tree;
  for (const char* name : {"R2", "C1", "R10", "C1"}) AddBlock(tree, name);
  // Mark the blocks so their attributes can be told apart afterwards.
  for (int row = 0; row < 4; ++row)
    tree.SetText(tree.TopLevel(row)->Child(0), "Comment: #" + std::to_string(row));
  SortComponents(tree, ByteTextLess);

  const char* const order[][2] = {{"C1", "#1"}, {"C1", "#3"}, {"R10", "#2"}, {"R2", "#0"}};
  for (int row = 0; row < 4; ++row) {
    const int index = row * block::kSize;
    EXPECT_EQ(tree.NodeAt(index)->Text(), order[row][0]);
    EXPECT_EQ(tree.NodeAt(index + block::kComment)->Text(),
              std::string("Comment: ") + order[row][1]);
    EXPECT_NO_THROW(CheckComponentBlock(tree, index));
  }
}

struct LessRow {
  const char* a;
  const char* b;
  bool less;
};
class ByteOrder : public ::testing::TestWithParam<LessRow> {};

// clang-format off
INSTANTIATE_TEST_SUITE_P(EditCommands, ByteOrder, ::testing::Values(
    LessRow{"R10",    "R2",   true},   // digits compare as characters
    LessRow{"C1",     "R1",   true},
    LessRow{"R",      "R1",   true},   // a prefix comes first
    LessRow{"r1",     "R1",   false},  // case-sensitive: upper case first
    LessRow{"Z",      "\xC4", true},   // bytes above 127 after ASCII
    LessRow{"R1",     "R1",   false}));
// clang-format on

TEST_P(ByteOrder, ComparesBytesAsUnsigned) {
  EXPECT_EQ(ByteTextLess(GetParam().a, GetParam().b), GetParam().less);
}

}  // namespace
}  // namespace tav
