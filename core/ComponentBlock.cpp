// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ComponentBlock.h"

#include <array>
#include <limits>

#include "core/Error.h"
#include "core/Messages.h"
#include "core/NumberConversion.h"
#include "core/TextOperations.h"

namespace tav {
namespace {

constexpr std::string_view kFeederLabel = label::kFeeder;

// The text after `prefix`, or the whole text when it does not start with it.
std::string_view AfterLabel(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix ? text.substr(prefix.size()) : text;
}

}  // namespace

void CheckComponentBlock(const ComponentTree& tree, int index) {
  // The last node read comes first, so a block cut short at the end reports
  // the index error as a plain lookup would.
  if (index > std::numeric_limits<int>::max() - block::kY) throw Error(msg::kInvalidIndex);
  const TreeNode* y = tree.NodeAt(index + block::kY);
  const TreeNode* component = tree.NodeAt(index);
  const TreeNode* position = tree.NodeAt(index + block::kPosition);
  constexpr int kPositionChild = block::kFeederChild + 1;
  const bool ok = component->ChildCount() > kPositionChild &&
                  component->Child(block::kFeederChild) == tree.NodeAt(index + block::kFeeder) &&
                  component->Child(kPositionChild) == position && position->ChildCount() > 1 &&
                  position->Child(0) == tree.NodeAt(index + block::kX) && position->Child(1) == y;
  if (!ok) throw Error(FormatMessage(msg::kNotAComponentBlock, {component->Text()}));
}

std::string FeederText(int number) {
  std::string text(kFeederLabel);
  text += IntegerToText(number);
  return text;
}

int ParseFeederText(std::string_view text) {
  static constexpr std::array<std::string_view, 4> kTexts{"Feeder: 1", "Feeder: 2", "Feeder: 3",
                                                          "Feeder: 4"};
  return IndexOfExact(text, kTexts) + 1;
}

std::string WithoutFirstUnit(std::string_view coordinate) {
  return ReplaceText(coordinate, "mm", "", /*all=*/false, /*ignoreCase=*/true);
}

std::string WithoutAnyUnit(std::string_view coordinate) {
  return ReplaceText(coordinate, "mm", "", /*all=*/true, /*ignoreCase=*/true);
}

ComponentBlock ReadComponentBlock(const ComponentTree& tree, int index) {
  CheckComponentBlock(tree, index);
  // The check has shown that the component has children 0 to 5 and that the
  // position group's first two children are the X and Y nodes.
  const TreeNode* top = tree.NodeAt(index);
  const TreeNode* position = top->Child(block::kPosition - 1);
  ComponentBlock c;
  c.top = top;
  c.designator = top->Text();
  c.feederText = top->Child(block::kFeederChild)->Text();
  c.feeder = ParseFeederText(c.feederText);
  c.x = position->Child(0)->Text();
  c.y = position->Child(1)->Text();
  c.value = AfterLabel(top->Child(block::kComment - 1)->Text(), label::kComment);
  c.footprint = AfterLabel(top->Child(block::kFootprint - 1)->Text(), label::kFootprint);
  c.side = AfterLabel(top->Child(block::kLayer - 1)->Text(), label::kLayer);
  c.rotation = AfterLabel(top->Child(block::kRotation - 1)->Text(), label::kRotation);
  c.included = top->ImageIndex() == icon::kIncluded;
  return c;
}

}  // namespace tav
