// SPDX-License-Identifier: GPL-3.0-or-later
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
#include "support/ComponentBlocks.h"
#include "support/ErrorOf.h"
#include "support/TempFolder.h"

namespace tav::test {

// Appends the component block the project tests save and load: the top-level
// node included (ImageIndex 0) or excluded (1).
inline void AddProjectComponent(ComponentTree& tree, const std::string& designator,
                                bool included = true, const std::string& x = "10.16mm",
                                const std::string& y = "5.08mm") {
  BlockTexts texts;
  texts.layer = "Layer: Top";
  texts.rotation = "Rotation: 90";
  texts.x = x;
  texts.y = y;
  texts.included = included;
  AddBlock(tree, designator, texts);
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
