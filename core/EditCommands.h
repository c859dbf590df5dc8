// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/ComponentTree.h"

namespace tav {

// The editing commands act on the selected node; nullptr changes nothing.

// Sets a top-level node's icons to 0 (included); other nodes are left alone.
void IncludeComponent(ComponentTree& tree, TreeNode* selected);
// Sets a top-level node's icons to 1 (excluded); other nodes are left alone.
void ExcludeComponent(ComponentTree& tree, TreeNode* selected);
// Sets the feeder node of the selected component (selected at level 0 or 1) to
// "Feeder: N"; a node at level 2 changes nothing. `feeder` is 1 to 4.
void AssignFeeder(ComponentTree& tree, TreeNode* selected, int feeder);
// Stable sort of the components by designator; blocks stay intact.
void SortComponents(ComponentTree& tree, const ComponentTree::TextLess& less);

}  // namespace tav
