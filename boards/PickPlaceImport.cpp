#include "boards/PickPlaceImport.h"

#include <utility>

#include "core/ComponentBlock.h"
#include "core/NumberConversion.h"

namespace tav {

namespace {

TreeNode* AddNode(ComponentTree& tree, TreeNode* parent, std::string text, int icon) {
  TreeNode* node = tree.AddChild(parent, std::move(text));
  tree.SetImageIndex(node, icon);
  tree.SetSelectedIndex(node, icon);
  return node;
}

std::string Labelled(const char* label, const std::string& value) {
  std::string text(label);
  text += value;
  return text;
}

void RaiseLargest(double& largest, Number value) {
  if (value > largest) largest = static_cast<double>(value);
}

// Appends one component block after all others.
void AddComponent(ComponentTree& tree, BoardComponent& component) {
  TreeNode* top = tree.AddChild(nullptr, std::move(component.designator));
  AddNode(tree, top, Labelled("Comment: ", component.value), icon::kAttribute);
  AddNode(tree, top, Labelled("Footprint: ", component.footprint), icon::kAttribute);
  AddNode(tree, top, Labelled("Layer: ", component.side), icon::kAttribute);
  AddNode(tree, top, Labelled("Rotation: ", component.rotation), icon::kAttribute);
  AddNode(tree, top, FeederText(1), icon::kAttribute);
  TreeNode* position = AddNode(tree, top, "Position", icon::kPositionGroup);
  AddNode(tree, position, std::move(component.x), icon::kXValue);
  AddNode(tree, position, std::move(component.y), icon::kYValue);
  TreeNode* size = AddNode(tree, top, "Gr\xF6sse", icon::kSizeGroup);
  AddNode(tree, size, "0", icon::kXValue);
  AddNode(tree, size, "0", icon::kYValue);
  AddNode(tree, size, "0", icon::kZValue);
}

}  // namespace

ImportSummary PickPlaceImport(const std::string& path, ComponentTree& tree, BoardFile* file) {
  // Built in file order into a tree of its own, which replaces `tree` as a
  // whole only when the whole file was read; appending keeps its absolute
  // indexes valid all along.
  ImportSummary summary;
  ComponentTree built;
  BoardFile read = ReadBoardFile(path, [&](BoardComponent& component) {
    RaiseLargest(summary.largestX, component.xMm);
    RaiseLargest(summary.largestY, component.yMm);
    AddComponent(built, component);
  });
  summary.componentCount = static_cast<int>(read.count);
  tree.Swap(built);
  if (file != nullptr) *file = std::move(read);
  return summary;
}

std::string DimensionLabel(double largest) {
  return NumberToText(static_cast<Number>(largest), 15, 0) + " mm";
}

}  // namespace tav
