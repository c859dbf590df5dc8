#include "core/ComponentBlock.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "core/Error.h"
#include "tree/BlockBuilder.h"

namespace tav {
namespace {

using test::AddBlock;

std::string MessageOf(const ComponentTree& tree, int index) {
  try {
    CheckComponentBlock(tree, index);
  } catch (const Error& e) {
    return e.message();
  }
  return "ok";
}

TEST(CheckComponentBlock, AcceptsWellFormedBlocks) {
  ComponentTree tree;
  AddBlock(tree, "R1");
  AddBlock(tree, "R2");
  EXPECT_EQ(MessageOf(tree, 0), "ok");
  EXPECT_EQ(MessageOf(tree, 13), "ok");
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

}  // namespace
}  // namespace tav
