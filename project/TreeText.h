// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "core/ComponentTree.h"

namespace tav {

// The tab-indented text form of a tree: one line per node in absolute order,
// made of as many TABs as the node's level, the node's text and CR LF. An
// empty tree gives an empty text.
std::string WriteTreeAsText(const ComponentTree& tree);

// Builds a tree line by line from the tab-indented form. A line's level is the
// number of TABs and blanks at its start, each counting one; the rest is the
// node's text. The first line is always a top-level node; a line may go at
// most one level deeper than the line before it, and any number of levels up.
// New nodes have ImageIndex and SelectedIndex 0. Works without recursion, so
// nesting depth is limited only by memory.
class TreeTextReader final {
 public:
  explicit TreeTextReader(ComponentTree& tree) : tree_(tree) {}

  // Appends the node for `line` (without line break). Throws Error "Ungültige
  // Ebene (%d) für Eintrag "%s"" with the level and the text when the line is
  // more than one level deeper than the one before.
  void AddLine(std::string_view line);

  // The same for a line already split into its level and its text.
  void AddNode(std::size_t level, std::string_view text);

 private:
  ComponentTree& tree_;
  TreeNode* previous_ = nullptr;
};

// Replaces the whole tree by the nodes `text` describes; lines end at CR LF,
// CR or LF. All or nothing: on the level error the tree is unchanged.
void ReadTreeFromText(ComponentTree& tree, std::string_view text);

}  // namespace tav
