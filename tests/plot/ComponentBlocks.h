#pragma once

#include <string>

#include "core/ComponentBlock.h"
#include "core/ComponentTree.h"

namespace tav::test {

// Appends one component in the 13-node layout an import produces.
inline TreeNode* AddComponent(ComponentTree& tree, const std::string& designator,
                              const std::string& x, const std::string& y, bool included = true) {
  TreeNode* top = tree.AddChild(nullptr, designator);
  tree.SetImageIndex(top, included ? icon::kIncluded : icon::kExcluded);
  tree.SetSelectedIndex(top, included ? icon::kIncluded : icon::kExcluded);
  const auto add = [&tree](TreeNode* parent, const std::string& text, int image) {
    TreeNode* node = tree.AddChild(parent, text);
    tree.SetImageIndex(node, image);
    tree.SetSelectedIndex(node, image);
    return node;
  };
  add(top, "Comment: 10k", icon::kAttribute);
  add(top, "Footprint: 0805", icon::kAttribute);
  add(top, "Layer: TopLayer", icon::kAttribute);
  add(top, "Rotation: 0", icon::kAttribute);
  add(top, "Feeder: 1", icon::kAttribute);
  TreeNode* position = add(top, "Position", icon::kPositionGroup);
  add(position, x, icon::kXValue);
  add(position, y, icon::kYValue);
  TreeNode* size = add(top, "Gr\xF6sse", icon::kSizeGroup);
  add(size, "0", icon::kXValue);
  add(size, "0", icon::kYValue);
  add(size, "0", icon::kZValue);
  return top;
}

}  // namespace tav::test
