#include "core/ComponentBlock.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "core/Error.h"

namespace tav {
namespace {

// Appends the nodes of one component; `attributes` and `withY` allow broken shapes.
TreeNode* AddBlock(ComponentTree& tree, const std::string& designator, int attributes = 5,
                   bool withY = true) {
  TreeNode* top = tree.AddChild(nullptr, designator);
  for (int i = 0; i < attributes; ++i) tree.AddChild(top, "attribute " + std::to_string(i));
  TreeNode* position = tree.AddChild(top, "Position");
  tree.AddChild(position, "1mm");
  if (withY) tree.AddChild(position, "2mm");
  TreeNode* size = tree.AddChild(top, "Gr\xF6sse");
  for (int i = 0; i < 3; ++i) tree.AddChild(size, "0");
  return top;
}

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
  EXPECT_EQ(MessageOf(tree, 1), "Der Eintrag \"attribute 0\" hat nicht den Aufbau eines Bauteils");

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
