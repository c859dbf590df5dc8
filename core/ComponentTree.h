// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <climits>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "core/NodeText.h"

namespace tav {

class ComponentTree;

// One node of the component tree: a display text and two icon indices. The
// tree owns its nodes; a node pointer stays valid until the node is removed
// (Clear, Swap, ReadFrom...) or the tree is destroyed.
//
// A node is a compact record of 16- and 32-bit fields (28 bytes): its text lives in the
// tree's text arena and its relatives are numbers the tree resolves, so a tree
// of a million nodes needs no allocation per node.
class TreeNode final {
 public:
  TreeNode(const TreeNode&) = delete;
  TreeNode& operator=(const TreeNode&) = delete;

  // Valid until the tree is cleared, swapped away or destroyed; changing the
  // node's text gives it a new view and leaves old views as they were.
  NodeText Text() const noexcept;
  int ImageIndex() const noexcept {
    return imageIndex_ != kWideIcon ? imageIndex_ : WideIcon(kImage);
  }
  int SelectedIndex() const noexcept {
    return selectedIndex_ != kWideIcon ? selectedIndex_ : WideIcon(kSelected);
  }
  // 0 for a top-level node, the parent's level + 1 otherwise.
  int Level() const noexcept { return level_ != kWide ? level_ : WideLevel(); }
  TreeNode* Parent() const noexcept;
  int ChildCount() const noexcept { return static_cast<int>(childCount_); }
  // Child `i`, counted from 0. Throws Error "Listenindex überschreitet das
  // Maximum (%d)" with the part of `i` left over after the last child.
  TreeNode* Child(int i) const;

 private:
  friend class ComponentTree;
  // Icon indices outside the 16-bit range (only a project file can give them)
  // are kept by the tree; the node holds this mark instead.
  static constexpr std::int16_t kWideIcon = INT16_MIN;
  // Likewise text lengths and levels from 65535 up (a long text, a very deep tree).
  static constexpr std::uint16_t kWide = UINT16_MAX;
  enum WhichIcon { kImage, kSelected };
  TreeNode() = default;
  int WideIcon(WhichIcon which) const noexcept;
  int WideLevel() const noexcept;

  std::uint32_t text_ = 0;   // where the text starts in the tree's text arena
  std::uint16_t size_ = 0;   // text length in bytes, or kWide
  std::uint16_t level_ = 0;  // or kWide
  std::int16_t imageIndex_ = 0;
  std::int16_t selectedIndex_ = 0;
  std::uint32_t parent_ = 0;  // the parent's number + 1; 0 for a top-level node
  // Position among siblings; for a top-level node the slot in the tree's
  // top-level array, which keeps free slots at its front (see ComponentTree::RowOf).
  std::uint32_t row_ = 0;
  std::uint32_t children_ = 0;  // first slot of the child list in the tree's child slots
  std::uint32_t childCount_ = 0;
};

// Told about every change of a ComponentTree, so a view can follow it without
// holding a copy. Adding a node (AddChild, and AddFirst as row 0 of the top
// level) arrives as NodeAboutToBeAdded/NodeAdded; Clear, SortTopLevel and Swap
// arrive as a reset. The "AboutTo" calls come before the change, the others
// after it. Observers must not change the tree from a notification.
class TreeObserver {
 public:
  virtual ~TreeObserver() = default;
  virtual void TreeAboutToReset() {}
  virtual void TreeReset() {}
  // A node is about to become child `row` of `parent` (nullptr: top level).
  virtual void NodeAboutToBeAdded(const TreeNode* /*parent*/, int /*row*/) {}
  virtual void NodeAdded(const TreeNode* /*node*/) {}
  // Text, ImageIndex or SelectedIndex of `node` changed.
  virtual void NodeChanged(const TreeNode* /*node*/) {}
};

// The ordered tree of all imported components. Nodes are addressed by their
// absolute index: depth-first pre-order from 0. Every lookup by absolute index
// is O(1) amortised, whatever the access pattern, so loops over the whole tree
// are linear in its size. A tree built in pre-order (import, project load)
// numbers its nodes in that order and needs no index table; after a change
// that moves nodes (AddFirst, SortTopLevel, or an AddChild that does not land
// at the end of the pre-order) a table is rebuilt in one linear pass on the
// first lookup. AddFirst and AddChild are amortised O(1). Nothing here
// recurses, so trees of any depth are safe, destruction included. Const
// lookups may refresh that table, so a tree must not be used from two threads
// at once. A tree holds at most 2^31 - 1 nodes and 4 GiB of text.
//
// Node arguments must be nodes of this tree (AddChild's parent may be nullptr).
class ComponentTree final {
 public:
  using TextLess = std::function<bool(const std::string&, const std::string&)>;

  ComponentTree();
  ~ComponentTree();
  ComponentTree(const ComponentTree&) = delete;
  ComponentTree& operator=(const ComponentTree&) = delete;

  void Clear();
  // Inserts a new top-level node before all others.
  TreeNode* AddFirst(std::string_view text);
  // Appends a new node as last child of `parent` (last top-level node for nullptr).
  // New nodes have ImageIndex 0 and SelectedIndex 0.
  TreeNode* AddChild(TreeNode* parent, std::string_view text);
  // The same with ImageIndex and SelectedIndex `icon`, which the observers see
  // in NodeAdded already (as one node, without a NodeChanged).
  TreeNode* AddChild(TreeNode* parent, std::string_view text, int icon);

  int Count() const noexcept;
  // Throws Error "Ungültiger Index" for an index below 0 or at or past Count().
  TreeNode* NodeAt(int index) const;
  // Absolute index of a node of this tree; throws Error "Ungültiger Index" for
  // nullptr or a node of another tree.
  int IndexOf(const TreeNode* node) const;

  int TopLevelCount() const noexcept;
  TreeNode* TopLevel(int row) const;  // nullptr when out of range
  // Position of `node` among its siblings (or among the top-level nodes).
  int RowOf(const TreeNode* node) const;

  // Change one property of `node` and report NodeChanged when its value changed.
  void SetText(TreeNode* node, std::string_view text);
  void SetImageIndex(TreeNode* node, int index);
  void SetSelectedIndex(TreeNode* node, int index);
  // Both icons of `node` at once (ImageIndex first), as every node shows the
  // same icon whether selected or not.
  void SetIcons(TreeNode* node, int icon);

  // Stable sort of the top-level nodes by text; each keeps its subtree. `less`
  // must be a strict weak order; if it throws, the tree is unchanged.
  void SortTopLevel(const TextLess& less);

  // Exchanges the contents (not the observers) of two trees; both observer sets
  // see a reset. Used to swap in a completely built tree.
  void Swap(ComponentTree& other);

  // An observer is told about changes until it is removed; adding it twice has
  // no further effect. The tree does not own it.
  void AddObserver(TreeObserver* observer);
  void RemoveObserver(TreeObserver* observer);

 private:
  friend class TreeNode;
  struct Impl;
  struct Store;
  Impl* impl_;
};

}  // namespace tav
