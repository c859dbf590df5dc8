// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "core/ComponentTree.h"

namespace tav::test {

// Appends the 13 nodes of one component as an import creates them. With
// `attributes` below 5 or without `withY` it builds the broken shapes a
// reshaped tree may hold.
inline TreeNode* AddBlock(ComponentTree& tree, const std::string& designator, int attributes = 5,
                          bool withY = true) {
  static const char* const kAttributes[] = {"Comment: 10k", "Footprint: 0805", "Layer: TopLayer",
                                            "Rotation: 90", "Feeder: 1"};
  TreeNode* top = tree.AddChild(nullptr, designator);
  for (int i = 0; i < attributes; ++i) {
    TreeNode* attribute = tree.AddChild(top, kAttributes[i]);
    tree.SetIcons(attribute, 5);
  }
  TreeNode* position = tree.AddChild(top, "Position");
  tree.AddChild(position, "1mm");
  if (withY) tree.AddChild(position, "2mm");
  TreeNode* size = tree.AddChild(top, "Gr\xF6sse");
  for (int i = 0; i < 3; ++i) tree.AddChild(size, "0");
  return top;
}

}  // namespace tav::test
