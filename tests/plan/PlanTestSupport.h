// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "core/ComponentTree.h"
#include "support/ComponentBlocks.h"

namespace tav::test {

// A component of the given value, footprint and layer, laid out as an import
// builds it, at X = Y = its position among the components in mm.
inline TreeNode* AddPart(ComponentTree& tree, const std::string& designator,
                         const std::string& value, const std::string& footprint,
                         bool included = true, const std::string& layer = "TopLayer") {
  const std::string position = std::to_string(tree.TopLevelCount() + 1) + "mm";
  TreeNode* top = AddComponent(tree, designator, position, position, "Feeder: 1", included);
  tree.SetText(top->Child(0), "Comment: " + value);
  tree.SetText(top->Child(1), "Footprint: " + footprint);
  tree.SetText(top->Child(2), "Layer: " + layer);
  return top;
}

}  // namespace tav::test
