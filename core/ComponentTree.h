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
  int row_ = 0;            // position among siblings (see ComponentTree::RowOf)
  int absoluteIndex_ = 0;  // valid while the tree's pre-order cache is
  TreeNode* parent_ = nullptr;
  std::vector<TreeNode*> children_;
};

// Told about every change of a ComponentTree, so a view can follow it without
// holding a copy. Structural changes other than appending nodes arrive as a reset.
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
// are linear in its size. Nothing here recurses, so trees of any depth are safe.
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
  TreeNode* AddChild(TreeNode* parent, std::string text);

  int Count() const noexcept;
  // Throws Error "Ungültiger Index" for an index below 0 or at or past Count().
  TreeNode* NodeAt(int index) const;
  // Absolute index of a node of this tree.
  int IndexOf(const TreeNode* node) const;

  int TopLevelCount() const noexcept;
  TreeNode* TopLevel(int row) const;  // nullptr when out of range
  // Position of `node` among its siblings (or among the top-level nodes).
  int RowOf(const TreeNode* node) const;

  void SetText(TreeNode* node, std::string text);
  void SetImageIndex(TreeNode* node, int index);
  void SetSelectedIndex(TreeNode* node, int index);

  // Stable sort of the top-level nodes by text; each keeps its subtree.
  void SortTopLevel(const TextLess& less);

  // Exchanges the contents (not the observers) of two trees; both observer sets
  // see a reset. Used to swap in a completely built tree.
  void Swap(ComponentTree& other);

  void AddObserver(TreeObserver* observer);
  void RemoveObserver(TreeObserver* observer);

 private:
  struct Impl;
  Impl* impl_;
};

}  // namespace tav
