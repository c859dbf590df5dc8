// SPDX-License-Identifier: GPL-3.0-or-later
#include "boards/PickPlaceImport.h"

#include <utility>

#include "core/ComponentBlock.h"
#include "core/NumberConversion.h"

namespace tav {

namespace {

void RaiseLargest(double& largest, Number value) {
  if (value > largest) largest = static_cast<double>(value);
}

// Appends component blocks after all others; the labelled texts are put
// together in one buffer that keeps its room from component to component.
class BlockWriter {
 public:
  explicit BlockWriter(ComponentTree& tree) : tree_(tree), feeder_(FeederText(1)) {}

  void Add(const BoardComponent& component) {
    TreeNode* top = tree_.AddChild(nullptr, component.designator);
    tree_.AddChild(top, Labelled("Comment: ", component.value), icon::kAttribute);
    tree_.AddChild(top, Labelled("Footprint: ", component.footprint), icon::kAttribute);
    tree_.AddChild(top, Labelled("Layer: ", component.side), icon::kAttribute);
    tree_.AddChild(top, Labelled("Rotation: ", component.rotation), icon::kAttribute);
    tree_.AddChild(top, feeder_, icon::kAttribute);
    TreeNode* position = tree_.AddChild(top, "Position", icon::kPositionGroup);
    tree_.AddChild(position, component.x, icon::kXValue);
    tree_.AddChild(position, component.y, icon::kYValue);
    TreeNode* size = tree_.AddChild(top, "Gr\xF6sse", icon::kSizeGroup);
    tree_.AddChild(size, "0", icon::kXValue);
    tree_.AddChild(size, "0", icon::kYValue);
    tree_.AddChild(size, "0", icon::kZValue);
  }

 private:
  std::string_view Labelled(std::string_view label, std::string_view value) {
    text_.assign(label);
    text_.append(value);
    return text_;
  }

  ComponentTree& tree_;
  const std::string feeder_;
  std::string text_;
};

}  // namespace

ImportSummary PickPlaceImport(const std::string& path, ComponentTree& tree, BoardFile* file) {
  // Built in file order into a tree of its own, which replaces `tree` as a
  // whole only when the whole file was read; appending keeps its absolute
  // indexes valid all along.
  ImportSummary summary;
  ComponentTree built;
  BlockWriter writer(built);
  BoardFile read = ReadBoardFile(path, [&](BoardComponent& component) {
    RaiseLargest(summary.largestX, component.xMm);
    RaiseLargest(summary.largestY, component.yMm);
    writer.Add(component);
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
