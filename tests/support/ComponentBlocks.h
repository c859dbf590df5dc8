#pragma once

#include <string>

#include "core/ComponentBlock.h"
#include "core/ComponentTree.h"

namespace tav::test {

// Appends one component block laid out as an import builds it.
inline TreeNode* AddComponent(ComponentTree& tree, const std::string& designator,
                              const std::string& x, const std::string& y,
                              const std::string& feeder = "Feeder: 1", bool included = true) {
  TreeNode* top = tree.AddChild(nullptr, designator);
  tree.SetIcons(top, included ? icon::kIncluded : icon::kExcluded);
  const auto child = [&tree](TreeNode* parent, const std::string& text, int iconIndex) {
    TreeNode* node = tree.AddChild(parent, text);
    tree.SetIcons(node, iconIndex);
    return node;
  };
  child(top, "Comment: 10k", icon::kAttribute);
  child(top, "Footprint: 0805", icon::kAttribute);
  child(top, "Layer: TopLayer", icon::kAttribute);
  child(top, "Rotation: 0", icon::kAttribute);
  child(top, feeder, icon::kAttribute);
  TreeNode* position = child(top, "Position", icon::kPositionGroup);
  child(position, x, icon::kXValue);
  child(position, y, icon::kYValue);
  TreeNode* size = child(top, "Gr\xF6sse", icon::kSizeGroup);
  child(size, "0", icon::kXValue);
  child(size, "0", icon::kYValue);
  child(size, "0", icon::kZValue);
  return top;
}

}  // namespace tav::test
