// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/EditCommands.h"

#include <string>

#include "core/ComponentBlock.h"

namespace tav {

namespace {

void SetComponentIcon(ComponentTree& tree, TreeNode* selected, int icon) {
  if (selected == nullptr || selected->Level() != 0) return;
  tree.SetIcons(selected, icon);
}

}  // namespace

void IncludeComponent(ComponentTree& tree, TreeNode* selected) {
  SetComponentIcon(tree, selected, icon::kIncluded);
}

void ExcludeComponent(ComponentTree& tree, TreeNode* selected) {
  SetComponentIcon(tree, selected, icon::kExcluded);
}

void AssignFeeder(ComponentTree& tree, TreeNode* selected, int feeder) {
  if (selected == nullptr) return;
  TreeNode* component = nullptr;
  if (selected->Level() == 0)
    component = selected;
  else if (selected->Level() == 1)
    component = selected->Parent();
  else
    return;  // a coordinate or size value changes nothing
  // A component without a feeder node (a reshaped tree from a project file)
  // gets the list error from Child() instead of a change somewhere else.
  tree.SetText(component->Child(block::kFeederChild), FeederText(feeder));
}

void SortComponents(ComponentTree& tree, const ComponentTree::TextLess& less) {
  tree.SortTopLevel(less);
}

}  // namespace tav
