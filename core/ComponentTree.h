#pragma once

#include <functional>
#include <string>
#include <vector>

namespace tav {

class ComponentTree;

// One node of the component tree: a display text and two icon indices. The
// tree owns its nodes; a node pointer stays valid until the node is removed
// (Clear, Swap, ReadFrom...) or the tree is destroyed.
class TreeNode final {
 public:
  TreeNode(const TreeNode&) = delete;
  TreeNode& operator=(const TreeNode&) = delete;

  const std::string& Text() const noexcept { return text_; }
  int ImageIndex() const noexcept { return imageIndex_; }
  int SelectedIndex() const noexcept { return selectedIndex_; }
  // 0 for a top-level node, the parent's level + 1 otherwise.
  int Level() const noexcept { return level_; }
  TreeNode* Parent() const noexcept { return parent_; }
  int ChildCount() const noexcept { return static_cast<int>(children_.size()); }
  // Child `i`, counted from 0. Throws Error "Listenindex überschreitet das
  // Maximum (%d)" with the part of `i` left over after the last child.
  TreeNode* Child(int i) const;

 private:
  friend class ComponentTree;
  TreeNode() = default;

  std::string text_;
  int imageIndex_ = 0;
  int selectedIndex_ = 0;
  int level_ = 0;
  // Position among siblings; for a top-level node the slot in the tree's
  // top-level array, which keeps free slots at its front (see ComponentTree::RowOf).
  int row_ = 0;
  int absoluteIndex_ = 0;  // valid while the tree's pre-order cache is
  TreeNode* parent_ = nullptr;
  std::vector<TreeNode*> children_;
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
// are linear in its size: the pre-order is cached and rebuilt in one linear pass
// on the first lookup after a change that moved nodes (AddFirst, SortTopLevel,
// or an AddChild that does not land at the end of the pre-order). AddFirst and
// AddChild are amortised O(1). Nothing here recurses, so trees of any depth are
// safe, destruction included. Const lookups may refresh that cache, so a tree
// must not be used from two threads at once.
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
  TreeNode* AddFirst(std::string text);
  // Appends a new node as last child of `parent` (last top-level node for nullptr).
  // New nodes have ImageIndex 0 and SelectedIndex 0.
  TreeNode* AddChild(TreeNode* parent, std::string text);

  int Count() const noexcept;
  // Throws Error "Ungültiger Index" for an index below 0 or at or past Count().
  TreeNode* NodeAt(int index) const;
  // Absolute index of a node of this tree; throws Error "Ung�ltiger Index" for
  // nullptr or a node of another tree.
  int IndexOf(const TreeNode* node) const;

  int TopLevelCount() const noexcept;
  TreeNode* TopLevel(int row) const;  // nullptr when out of range
  // Position of `node` among its siblings (or among the top-level nodes).
  int RowOf(const TreeNode* node) const;

  // Change one property of `node` and report NodeChanged when its value changed.
  void SetText(TreeNode* node, std::string text);
  void SetImageIndex(TreeNode* node, int index);
  void SetSelectedIndex(TreeNode* node, int index);

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
  struct Impl;
  Impl* impl_;
};

}  // namespace tav
