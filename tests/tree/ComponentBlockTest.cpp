// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ComponentBlock.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "core/Error.h"
#include "support/ErrorOf.h"
#include "tree/BlockBuilder.h"

namespace tav {
namespace {

using test::AddBlock;

std::string MessageOf(const ComponentTree& tree, int index) {
  return test::ErrorOf([&] { CheckComponentBlock(tree, index); });
}

TEST(CheckComponentBlock, AcceptsWellFormedBlocks) {
  ComponentTree tree;
  AddBlock(tree, "R1");
  AddBlock(tree, "R2");
  EXPECT_EQ(MessageOf(tree, 0), "<no error>");
  EXPECT_EQ(MessageOf(tree, 13), "<no error>");
}

TEST(CheckComponentBlock, RejectsIndexesOutsideTheTree) {
  ComponentTree tree;
  AddBlock(tree, "R1");
  EXPECT_EQ(MessageOf(tree, 5), "Ung\xFCltiger Index");  // +8 lies past the end
  EXPECT_EQ(MessageOf(tree, -1), "Ung\xFCltiger Index");
  EXPECT_EQ(MessageOf(tree, 2147483647), "Ung\xFCltiger Index");
}

TEST(CheckComponentBlock, NamesTheEntryOfAWrongShape) {
  ComponentTree tree;
  AddBlock(tree, "R1");
  AddBlock(tree, "R2");
  // Index 1 is an attribute node, not a component.
  EXPECT_EQ(MessageOf(tree, 1), "Der Eintrag \"Comment: 10k\" hat nicht den Aufbau eines Bauteils");

  ComponentTree missingY;  // a component cut short before its Y node
  AddBlock(missingY, "C1", 5, false);
  AddBlock(missingY, "C2");
  EXPECT_EQ(MessageOf(missingY, 0), "Der Eintrag \"C1\" hat nicht den Aufbau eines Bauteils");

  ComponentTree missingFeeder;
  AddBlock(missingFeeder, "C3", 4);
  AddBlock(missingFeeder, "C4");
  EXPECT_EQ(MessageOf(missingFeeder, 0), "Der Eintrag \"C3\" hat nicht den Aufbau eines Bauteils");

  ComponentTree nested;  // an attribute with a child shifts the feeder node
  TreeNode* top = AddBlock(nested, "C5");
  nested.AddChild(top->Child(0), "extra");
  EXPECT_EQ(MessageOf(nested, 0), "Der Eintrag \"C5\" hat nicht den Aufbau eines Bauteils");
}

TEST(ReadComponentBlock, ReadsEveryFieldOfTheBlock) {
  ComponentTree tree;
  AddBlock(tree, "R1");
  TreeNode* top = AddBlock(tree, "C7");
  tree.SetText(top->Child(block::kFeederChild), "Feeder: 3");
  tree.SetText(top->Child(0), "100n");  // a label edited away: the whole text is the value
  tree.SetImageIndex(top, icon::kExcluded);

  const ComponentBlock first = ReadComponentBlock(tree, 0);
  EXPECT_EQ(first.designator, "R1");
  EXPECT_EQ(first.feeder, 1);
  EXPECT_EQ(first.x, "1mm");
  EXPECT_EQ(first.y, "2mm");
  EXPECT_EQ(first.value, "10k");
  EXPECT_EQ(first.footprint, "0805");
  EXPECT_EQ(first.side, "TopLayer");
  EXPECT_TRUE(first.included);

  const ComponentBlock second = ReadComponentBlock(tree, 13);
  EXPECT_EQ(second.top, top);
  EXPECT_EQ(second.feederText, "Feeder: 3");
  EXPECT_EQ(second.feeder, 3);
  EXPECT_EQ(second.value, "100n");
  EXPECT_FALSE(second.included);
  EXPECT_THROW(ReadComponentBlock(tree, 1), Error);
}

TEST(FeederText, FormatsAndParsesOnlyTheFourExactTexts) {
  for (int n = 1; n <= 4; ++n) EXPECT_EQ(ParseFeederText(FeederText(n)), n);
  EXPECT_EQ(FeederText(2), "Feeder: 2");
  for (const char* text : {"Feeder: 0", "Feeder: 5", "feeder: 1", "Feeder:1", "Feeder: 1 ",
                           "Feeder: 01", " Feeder: 1", ""})
    EXPECT_EQ(ParseFeederText(text), 0) << text;
}

TEST(CoordinateUnit, TheImportRemovesTheFirstUnitTheOthersEvery) {
  EXPECT_EQ(WithoutFirstUnit("10mmmm"), "10mm");
  EXPECT_EQ(WithoutAnyUnit("10mmmm"), "10");
  EXPECT_EQ(WithoutFirstUnit("1Mm2mM"), "12mM");
  EXPECT_EQ(WithoutAnyUnit("1Mm2mM"), "12");
  EXPECT_EQ(WithoutAnyUnit("mmm"), "m");
}

}  // namespace
}  // namespace tav
