// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/BulkEditCommands.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/ComponentBlock.h"
#include "support/ErrorOf.h"
#include "tree/BlockBuilder.h"

namespace tav {
namespace {

using test::AddBlock;
using test::ErrorOf;

struct Part {
  std::string designator, value = "10k", footprint = "0805", layer = "TopLayer";
};

// A board of full component blocks with the given attributes.
void AddParts(ComponentTree& tree, const std::vector<Part>& parts) {
  for (const Part& part : parts) {
    TreeNode* top = AddBlock(tree, part.designator);
    tree.SetText(top->Child(0), "Comment: " + part.value);
    tree.SetText(top->Child(1), "Footprint: " + part.footprint);
    tree.SetText(top->Child(2), "Layer: " + part.layer);
  }
}

// One letter per component: 'i' included, 'x' excluded.
std::string States(const ComponentTree& tree) {
  std::string states;
  for (int row = 0; row < tree.TopLevelCount(); ++row) {
    const TreeNode* top = tree.TopLevel(row);
    EXPECT_EQ(top->SelectedIndex(), top->ImageIndex());
    states += top->ImageIndex() == icon::kIncluded ? 'i' : 'x';
  }
  return states;
}

// The feeder digit of each component.
std::string Feeders(const ComponentTree& tree) {
  std::string feeders;
  for (int row = 0; row < tree.TopLevelCount(); ++row)
    feeders += tree.TopLevel(row)->Child(block::kFeederChild)->Text().back();
  return feeders;
}

class BulkEditCommands : public ::testing::Test {
 protected:
  BulkEditCommands() { AddParts(tree_, {{"R1"}, {"R2"}, {"R3"}, {"R4"}}); }
  static int At(int component, int offset = 0) { return component * block::kSize + offset; }
  ComponentTree tree_;
};

// clang-format off
struct SelectionCase {
  const char* name;
  std::vector<int> nodes;
  const char* excluded;  // states after "Ausschliessen"
  const char* feeders;   // feeders after "Feeder 3"
};
const SelectionCase kSelections[] = {
  {"OneComponent",            {0},                         "xiii", "3111"},
  // One node alone keeps the single-node rules: an attribute takes the feeder
  // but is not excluded, a value below "Position" changes nothing.
  {"OneAttribute",            {block::kLayer},             "iiii", "3111"},
  {"OneValue",                {block::kX},                 "iiii", "1111"},
  {"SeveralComponents",       {26, 0},                     "xixi", "3131"},
  {"ChildrenCountAsTheirComponent", {13 + 2, 39 + 6, 39},  "ixix", "1313"},
  {"ValuesCountForNothing",   {13 + 7, 26 + 12, 26 + 9},   "iixi", "1131"},
  {"Repeats",                 {13, 13, 13 + 1},            "ixii", "1311"},
  {"Nothing",                 {},                          "iiii", "1111"},
};
// clang-format on

class BulkSelection : public BulkEditCommands,
                      public ::testing::WithParamInterface<SelectionCase> {};

TEST_P(BulkSelection, ExcludeIncludeAndFeederActOnTheSelectedComponents) {
  const SelectionCase& c = GetParam();
  ExcludeComponents(tree_, c.nodes);
  EXPECT_EQ(States(tree_), c.excluded);
  IncludeComponents(tree_, c.nodes);
  EXPECT_EQ(States(tree_), "iiii");
  AssignFeederToComponents(tree_, c.nodes, 3);
  EXPECT_EQ(Feeders(tree_), c.feeders);
}

INSTANTIATE_TEST_SUITE_P(Selections, BulkSelection, ::testing::ValuesIn(kSelections),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(BulkEditCommands, SelectedComponentsAreInTreeOrderOnce) {
  const std::vector<int> nodes{At(3, 4), At(1), At(3), At(1, 11), At(1, 9)};
  const std::vector<TreeNode*> components = SelectedComponents(tree_, nodes);
  EXPECT_EQ(components, (std::vector<TreeNode*>{tree_.TopLevel(1), tree_.TopLevel(3)}));
}

TEST_F(BulkEditCommands, AnIndexOutsideTheTreeChangesNothing) {
  const std::vector<int> nodes{0, tree_.Count()};
  EXPECT_EQ(ErrorOf([&] { ExcludeComponents(tree_, nodes); }), "Ung\xFCltiger Index");
  EXPECT_EQ(ErrorOf([&] { AssignFeederToComponents(tree_, nodes, 2); }), "Ung\xFCltiger Index");
  EXPECT_EQ(States(tree_), "iiii");
  EXPECT_EQ(Feeders(tree_), "1111");
}

TEST_F(BulkEditCommands, AComponentWithoutFeederNodeStopsTheFeederBeforeAnyChange) {
  AddBlock(tree_, "X1", 2);  // only comment and footprint
  const std::vector<int> nodes{0, At(4)};
  EXPECT_NE(ErrorOf([&] { AssignFeederToComponents(tree_, nodes, 4); }), "<no error>");
  EXPECT_EQ(tree_.NodeAt(block::kFeeder)->Text(), "Feeder: 1");
}

TEST_F(BulkEditCommands, AllComponentsAreIncludedOrExcluded) {
  ExcludeComponents(tree_, std::vector<int>{At(2)});
  IncludeAllComponents(tree_);
  EXPECT_EQ(States(tree_), "iiii");
  ExcludeAllComponents(tree_);
  EXPECT_EQ(States(tree_), "xxxx");
  ComponentTree empty;
  IncludeAllComponents(empty);
  EXPECT_EQ(empty.Count(), 0);
}

TEST(BulkSameKind, EveryComponentOfTheSelectedKindsGetsTheFeeder) {
  ComponentTree tree;
  AddParts(tree, {{"R1", "10k", "0805"},
                  {"R2", "10k", "0603"},
                  {"R3", "10k", "0805"},
                  {"C1", "100n", "0805"},
                  {"R4", "10k", "0805"},
                  // Value and footprint are compared as a pair, not as one joined text.
                  {"X1", "10k0", "805"},
                  {"C2", "100n", "0805"}});
  ExcludeComponents(tree, std::vector<int>{4 * block::kSize});  // excluded ones get it too
  AssignFeederToSameKind(tree, std::vector<int>{2 * block::kSize + block::kComment}, 2);
  EXPECT_EQ(Feeders(tree), "2121211");
  // Several selected components: each of their kinds.
  AssignFeederToSameKind(tree, std::vector<int>{block::kSize, 3 * block::kSize}, 4);
  EXPECT_EQ(Feeders(tree), "2424214");
  // A value below "Position" stands for no component.
  AssignFeederToSameKind(tree, std::vector<int>{block::kX}, 3);
  EXPECT_EQ(Feeders(tree), "2424214");
  EXPECT_EQ(States(tree), "iiiixii");
}

// Layer texts as board design tools write them, in varied letter case.
const std::vector<std::string> kLayerNames{
    "TopLayer", "bottomlayer", " F.Cu ", "B.Cu",   "T", "b",        "FRONT",
    "Back",     "Top",         "BOTTOM", "Inner1", "",  "TopLayer2"};

TEST(BulkSide, ExcludeSideGoesByTheLayerText) {
  ComponentTree tree;
  std::vector<Part> parts;
  for (const std::string& layer : kLayerNames) parts.push_back({"U", "v", "f", layer});
  AddParts(tree, parts);
  ExcludeSide(tree, ComponentSide::kTop);
  EXPECT_EQ(States(tree), "xixixixixiiii");
  IncludeAllComponents(tree);
  ExcludeSide(tree, ComponentSide::kBottom);
  EXPECT_EQ(States(tree), "ixixixixixiii");
}

TEST(BulkSide, AComponentWithoutLayerNodeChangesNothing) {
  ComponentTree tree;
  AddParts(tree, {{"R1"}});
  tree.AddChild(nullptr, "X1");  // a bare node a reshaped project may hold
  EXPECT_NE(ErrorOf([&] { ExcludeSide(tree, ComponentSide::kTop); }), "<no error>");
  EXPECT_EQ(States(tree), "ii");
}

}  // namespace
}  // namespace tav
