#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/ComponentBlock.h"
#include "core/ComponentTree.h"
#include "core/Error.h"
#include "support/ErrorOf.h"
#include "support/TempFolder.h"

namespace tav::test {

// Appends one component as the import lays it out: 13 nodes, the top-level
// node included (ImageIndex 0) or excluded (1).
inline void AddComponent(ComponentTree& tree, const std::string& designator, bool included = true,
                         const std::string& x = "10.16mm", const std::string& y = "5.08mm") {
  TreeNode* top = tree.AddChild(nullptr, designator);
  tree.SetIcons(top, included ? icon::kIncluded : icon::kExcluded);
  const auto add = [&tree](TreeNode* parent, const std::string& text, int icon) {
    TreeNode* node = tree.AddChild(parent, text);
    tree.SetIcons(node, icon);
    return node;
  };
  add(top, "Comment: 10k", 5);
  add(top, "Footprint: 0805", 5);
  add(top, "Layer: Top", 5);
  add(top, "Rotation: 90", 5);
  add(top, "Feeder: 1", 5);
  TreeNode* position = add(top, "Position", 6);
  add(position, x, 2);
  add(position, y, 3);
  TreeNode* size = add(top, "Gr\xF6sse", 7);
  add(size, "0", 2);
  add(size, "0", 3);
  add(size, "0", 4);
}

// Everything a load restores of one node.
struct NodeState {
  int level;
  std::string text;
  int image;
  int selected;
  bool operator==(const NodeState&) const = default;
};

inline void PrintTo(const NodeState& n, std::ostream* os) {
  *os << "{" << n.level << ", \"" << n.text << "\", " << n.image << ", " << n.selected << "}";
}

inline std::vector<NodeState> StateOf(const ComponentTree& tree) {
  std::vector<NodeState> nodes;
  for (int i = 0; i < tree.Count(); ++i) {
    const TreeNode* node = tree.NodeAt(i);
    nodes.push_back({node->Level(), node->Text(), node->ImageIndex(), node->SelectedIndex()});
  }
  return nodes;
}

inline std::vector<const TreeNode*> PointersOf(const ComponentTree& tree) {
  std::vector<const TreeNode*> nodes;
  for (int i = 0; i < tree.Count(); ++i) nodes.push_back(tree.NodeAt(i));
  return nodes;
}

}  // namespace tav::test
