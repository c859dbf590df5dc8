// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/BulkEditCommands.h"

#include <string>
#include <string_view>
#include <unordered_set>

#include "core/ComponentAttributes.h"
#include "core/ComponentBlock.h"
#include "core/EditCommands.h"
#include "core/NotFitted.h"
#include "core/NumberConversion.h"

namespace tav {
namespace {

void SetIcons(ComponentTree& tree, const std::vector<TreeNode*>& components, int icon) {
  for (TreeNode* component : components) tree.SetIcons(component, icon);
}

std::vector<TreeNode*> AllComponents(const ComponentTree& tree) {
  std::vector<TreeNode*> components;
  components.reserve(static_cast<std::size_t>(tree.TopLevelCount()));
  for (int row = 0; row < tree.TopLevelCount(); ++row) components.push_back(tree.TopLevel(row));
  return components;
}

// Every feeder node is looked up before the first one changes.
void SetFeeders(ComponentTree& tree, const std::vector<TreeNode*>& components, int feeder) {
  std::vector<TreeNode*> feederNodes;
  feederNodes.reserve(components.size());
  for (const TreeNode* component : components)
    feederNodes.push_back(component->Child(block::kFeederChild));
  const std::string text = "Feeder: " + IntegerToText(feeder);
  for (TreeNode* node : feederNodes) tree.SetText(node, text);
}

// Value and footprint in one key; the value's length in front keeps pairs
// apart whatever bytes an in-place edit put into them.
std::string KindKey(const TreeNode& component) {
  const std::string_view value = ComponentAttribute(component, block::kComment);
  std::string key = std::to_string(value.size()) + ':';
  key += value;
  key += ComponentAttribute(component, block::kFootprint);
  return key;
}

}  // namespace

std::vector<TreeNode*> SelectedComponents(const ComponentTree& tree, std::span<const int> nodes) {
  // Marks by top-level row, then reads them in row order: linear, however many
  // nodes of each component are selected.
  std::vector<char> chosen(static_cast<std::size_t>(tree.TopLevelCount()), 0);
  std::size_t count = 0;
  for (const int index : nodes) {
    const TreeNode* node = tree.NodeAt(index);
    if (node->Level() == 1) node = node->Parent();
    if (node->Level() != 0) continue;
    char& mark = chosen[static_cast<std::size_t>(tree.RowOf(node))];
    count += mark == 0 ? 1 : 0;
    mark = 1;
  }
  std::vector<TreeNode*> components;
  components.reserve(count);
  for (std::size_t row = 0; row < chosen.size() && components.size() < count; ++row)
    if (chosen[row] != 0) components.push_back(tree.TopLevel(static_cast<int>(row)));
  return components;
}

void IncludeComponents(ComponentTree& tree, std::span<const int> nodes) {
  if (nodes.size() == 1) return IncludeComponent(tree, tree.NodeAt(nodes.front()));
  SetIcons(tree, SelectedComponents(tree, nodes), icon::kIncluded);
}

void ExcludeComponents(ComponentTree& tree, std::span<const int> nodes) {
  if (nodes.size() == 1) return ExcludeComponent(tree, tree.NodeAt(nodes.front()));
  SetIcons(tree, SelectedComponents(tree, nodes), icon::kExcluded);
}

void AssignFeederToComponents(ComponentTree& tree, std::span<const int> nodes, int feeder) {
  SetFeeders(tree, SelectedComponents(tree, nodes), feeder);
}

void AssignFeederToSameKind(ComponentTree& tree, std::span<const int> nodes, int feeder) {
  std::unordered_set<std::string> kinds;
  for (const TreeNode* component : SelectedComponents(tree, nodes))
    kinds.insert(KindKey(*component));
  if (kinds.empty()) return;
  std::vector<TreeNode*> sameKind;
  for (TreeNode* component : AllComponents(tree))
    if (kinds.contains(KindKey(*component))) sameKind.push_back(component);
  SetFeeders(tree, sameKind, feeder);
}

void IncludeAllComponents(ComponentTree& tree) {
  SetIcons(tree, AllComponents(tree), icon::kIncluded);
}

void ExcludeAllComponents(ComponentTree& tree) {
  SetIcons(tree, AllComponents(tree), icon::kExcluded);
}

void ExcludeSide(ComponentTree& tree, ComponentSide side) {
  std::vector<TreeNode*> onSide;
  for (TreeNode* component : AllComponents(tree))
    if (SideOfComponent(*component) == side) onSide.push_back(component);
  SetIcons(tree, onSide, icon::kExcluded);
}

void ExcludeNotFitted(ComponentTree& tree) {
  std::vector<TreeNode*> notFitted;
  for (TreeNode* component : AllComponents(tree))
    if (IsNotFitted(ComponentAttribute(*component, block::kComment)))
      notFitted.push_back(component);
  SetIcons(tree, notFitted, icon::kExcluded);
}

}  // namespace tav
