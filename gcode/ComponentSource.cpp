// SPDX-License-Identifier: GPL-3.0-or-later
#include "gcode/ComponentSource.h"

namespace tav {

ComponentSource TreeComponents(const ComponentTree& tree) {
  return [&tree](const ComponentVisitor& visit) {
    // Visiting the top-level nodes in order is the same as walking every
    // absolute index and picking the top-level ones, without touching the
    // other nodes.
    const int components = tree.TopLevelCount();
    for (int row = 0; row < components; ++row) {
      const TreeNode* top = tree.TopLevel(row);
      if (top->ImageIndex() != icon::kIncluded) continue;
      visit(ReadComponentBlock(tree, tree.IndexOf(top)));
    }
  };
}

}  // namespace tav
