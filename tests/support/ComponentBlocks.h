// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "core/ComponentBlock.h"
#include "core/ComponentTree.h"

namespace tav::test {

// The texts of one component block and whether it is included; the defaults
// are what a test or a benchmark takes where it does not care.
struct BlockTexts {
  bool included = true;
  std::string comment = "Comment: 10k";
  std::string footprint = "Footprint: 0805";
  std::string layer = "Layer: TopLayer";
  std::string rotation = "Rotation: 0";
  std::string feeder = "Feeder: 1";
  std::string x = "10.16mm";
  std::string y = "5.08mm";
};

// Appends one component block laid out as an import builds it: 13 nodes with
// the import's icons, the top-level node included (ImageIndex 0) or excluded (1).
inline TreeNode* AddBlock(ComponentTree& tree, std::string designator, const BlockTexts& texts) {
  const auto child = [&tree](TreeNode* parent, std::string text, int iconIndex) {
    TreeNode* node = tree.AddChild(parent, std::move(text));
    tree.SetIcons(node, iconIndex);
    return node;
  };
  TreeNode* top =
      child(nullptr, std::move(designator), texts.included ? icon::kIncluded : icon::kExcluded);
  child(top, texts.comment, icon::kAttribute);
  child(top, texts.footprint, icon::kAttribute);
  child(top, texts.layer, icon::kAttribute);
  child(top, texts.rotation, icon::kAttribute);
  child(top, texts.feeder, icon::kAttribute);
  TreeNode* position = child(top, "Position", icon::kPositionGroup);
  child(position, texts.x, icon::kXValue);
  child(position, texts.y, icon::kYValue);
  TreeNode* size = child(top, "Gr\xF6sse", icon::kSizeGroup);
  child(size, "0", icon::kXValue);
  child(size, "0", icon::kYValue);
  child(size, "0", icon::kZValue);
  return top;
}

// A block of the default texts at (`x`, `y`) on `feeder`.
inline TreeNode* AddComponent(ComponentTree& tree, const std::string& designator,
                              const std::string& x, const std::string& y,
                              const std::string& feeder = "Feeder: 1", bool included = true) {
  BlockTexts texts;
  texts.x = x;
  texts.y = y;
  texts.feeder = feeder;
  texts.included = included;
  return AddBlock(tree, designator, texts);
}

}  // namespace tav::test
