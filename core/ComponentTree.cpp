#include "core/ComponentTree.h"

#include <algorithm>
#include <cstddef>
#include <memory>
#include <utility>

#include "core/Error.h"
#include "core/Messages.h"
#include "core/NumberConversion.h"

namespace tav {

TreeNode* TreeNode::Child(int i) const {
  const int count = ChildCount();
  if (i < 0 || i >= count) {
    // The message names what is left of the index after the last child.
    const int leftOver = i < 0 ? i : i - count;
    throw Error(FormatMessage(msg::kListIndex, {IntegerToText(leftOver)}));
  }
  return children_[static_cast<std::size_t>(i)];
}

struct ComponentTree::Impl {
  // Hands out nodes from blocks that never move, so node pointers stay valid and
  // nodes are destroyed without recursion (each node only owns its own vector).
  class NodePool {
   public:
    // Makes sure that the next Take() cannot throw.
    void Reserve() {
      if (used_ < capacity_) return;
      const std::size_t size = std::clamp<std::size_t>(capacity_ * 2, 32, kMaxBlock);
      std::unique_ptr<TreeNode[]> block(new TreeNode[size]);
      blocks_.push_back(std::move(block));
      used_ = 0;
      capacity_ = size;
    }
    TreeNode* Take() noexcept { return &blocks_.back()[used_++]; }

   private:
    static constexpr std::size_t kMaxBlock = 8192;
    std::vector<std::unique_ptr<TreeNode[]>> blocks_;
    std::size_t used_ = 0;      // nodes taken from the last block
    std::size_t capacity_ = 0;  // size of the last block
  };

  // Everything Swap exchanges.
  struct Contents {
    NodePool pool;
    int count = 0;
    // Top-level nodes in slots [topBegin, top.size()); the free slots in front
    // make AddFirst amortised O(1). A top-level node's row_ is its slot.
    std::vector<TreeNode*> top;
    std::size_t topBegin = 0;
    // All nodes in pre-order while orderValid; node->absoluteIndex_ matches.
    std::vector<TreeNode*> order;
    bool orderValid = true;
  };

  Contents c;
  std::vector<TreeObserver*> observers;

  template <typename Call>
  void Notify(Call call) const {
    // By index: an observer may remove itself without invalidating the loop.
    for (std::size_t i = 0; i < observers.size(); ++i) call(*observers[i]);
  }

  TreeNode* NextInPreOrder(TreeNode* node) const noexcept;
  void RebuildOrder();
  void EnsureOrder() {
    if (!c.orderValid) RebuildOrder();
  }
  bool LandsAtEnd(const TreeNode* parent) const noexcept;
};

// The node after `node` in pre-order, or nullptr; walks up without a stack.
TreeNode* ComponentTree::Impl::NextInPreOrder(TreeNode* node) const noexcept {
  if (!node->children_.empty()) return node->children_.front();
  while (node != nullptr) {
    const auto next = static_cast<std::size_t>(node->row_) + 1;
    if (node->parent_ == nullptr) return next < c.top.size() ? c.top[next] : nullptr;
    if (next < node->parent_->children_.size()) return node->parent_->children_[next];
    node = node->parent_;
  }
  return nullptr;
}

void ComponentTree::Impl::RebuildOrder() {
  c.order.clear();
  c.order.reserve(static_cast<std::size_t>(c.count));
  TreeNode* node = c.topBegin < c.top.size() ? c.top[c.topBegin] : nullptr;
  for (int index = 0; node != nullptr; ++index) {
    node->absoluteIndex_ = index;
    c.order.push_back(node);
    node = NextInPreOrder(node);
  }
  c.orderValid = true;
}

// Whether a new last child of `parent` becomes the last node in pre-order:
// true when `parent` is the last node or one of its ancestors. The nodes
// walked over leave the rightmost path for good, so this is amortised O(1).
bool ComponentTree::Impl::LandsAtEnd(const TreeNode* parent) const noexcept {
  if (parent == nullptr) return true;
  for (const TreeNode* node = c.order.back(); node != nullptr; node = node->parent_)
    if (node == parent) return true;
  return false;
}

ComponentTree::ComponentTree() : impl_(new Impl) {}
ComponentTree::~ComponentTree() { delete impl_; }

void ComponentTree::Clear() {
  Impl::Contents empty;
  impl_->Notify([](TreeObserver& o) { o.TreeAboutToReset(); });
  std::swap(impl_->c, empty);
  impl_->Notify([](TreeObserver& o) { o.TreeReset(); });
}

TreeNode* ComponentTree::AddFirst(std::string text) {
  auto& c = impl_->c;
  // Everything that may throw happens before the observers hear of the change.
  if (c.topBegin == 0) {
    const std::size_t size = c.top.size();
    const std::size_t front = std::max<std::size_t>(16, size);
    std::vector<TreeNode*> grown(front + size);
    std::copy(c.top.begin(), c.top.end(), grown.begin() + static_cast<std::ptrdiff_t>(front));
    for (std::size_t slot = front; slot < grown.size(); ++slot)
      grown[slot]->row_ = static_cast<int>(slot);
    c.top.swap(grown);
    c.topBegin = front;
  }
  c.pool.Reserve();

  impl_->Notify([](TreeObserver& o) { o.NodeAboutToBeAdded(nullptr, 0); });
  TreeNode* node = c.pool.Take();
  node->text_ = std::move(text);
  node->row_ = static_cast<int>(--c.topBegin);
  c.top[c.topBegin] = node;
  ++c.count;
  c.orderValid = false;
  impl_->Notify([node](TreeObserver& o) { o.NodeAdded(node); });
  return node;
}

TreeNode* ComponentTree::AddChild(TreeNode* parent, std::string text) {
  auto& c = impl_->c;
  std::vector<TreeNode*>& siblings = parent != nullptr ? parent->children_ : c.top;
  // Everything that may throw happens before the observers hear of the change.
  // Capacities double by hand: reserve() alone might grow only to the size asked.
  if (siblings.size() == siblings.capacity())
    siblings.reserve(std::max<std::size_t>(parent != nullptr ? 4 : 16, 2 * siblings.capacity()));
  const bool keepOrder = c.orderValid && impl_->LandsAtEnd(parent);
  if (keepOrder && c.order.size() == c.order.capacity())
    c.order.reserve(std::max<std::size_t>(16, 2 * c.order.capacity()));
  c.pool.Reserve();

  const int row =
      static_cast<int>(parent != nullptr ? siblings.size() : siblings.size() - c.topBegin);
  impl_->Notify([parent, row](TreeObserver& o) { o.NodeAboutToBeAdded(parent, row); });
  TreeNode* node = c.pool.Take();
  node->text_ = std::move(text);
  node->parent_ = parent;
  node->level_ = parent != nullptr ? parent->level_ + 1 : 0;
  node->row_ = static_cast<int>(siblings.size());
  siblings.push_back(node);
  ++c.count;
  if (keepOrder) {
    node->absoluteIndex_ = static_cast<int>(c.order.size());
    c.order.push_back(node);
  } else {
    c.orderValid = false;
  }
  impl_->Notify([node](TreeObserver& o) { o.NodeAdded(node); });
  return node;
}

int ComponentTree::Count() const noexcept { return impl_->c.count; }

TreeNode* ComponentTree::NodeAt(int index) const {
  if (index < 0 || index >= impl_->c.count) throw Error(msg::kInvalidIndex);
  impl_->EnsureOrder();
  return impl_->c.order[static_cast<std::size_t>(index)];
}

int ComponentTree::IndexOf(const TreeNode* node) const {
  if (node == nullptr) throw Error(msg::kInvalidIndex);
  impl_->EnsureOrder();
  const auto& order = impl_->c.order;
  const auto index = static_cast<std::size_t>(node->absoluteIndex_);
  if (index >= order.size() || order[index] != node) throw Error(msg::kInvalidIndex);
  return node->absoluteIndex_;
}

int ComponentTree::TopLevelCount() const noexcept {
  return static_cast<int>(impl_->c.top.size() - impl_->c.topBegin);
}

TreeNode* ComponentTree::TopLevel(int row) const {
  if (row < 0 || row >= TopLevelCount()) return nullptr;
  return impl_->c.top[impl_->c.topBegin + static_cast<std::size_t>(row)];
}

int ComponentTree::RowOf(const TreeNode* node) const {
  if (node->parent_ != nullptr) return node->row_;
  return node->row_ - static_cast<int>(impl_->c.topBegin);
}

void ComponentTree::SetText(TreeNode* node, std::string text) {
  if (node->text_ == text) return;
  node->text_ = std::move(text);
  impl_->Notify([node](TreeObserver& o) { o.NodeChanged(node); });
}

void ComponentTree::SetImageIndex(TreeNode* node, int index) {
  if (node->imageIndex_ == index) return;
  node->imageIndex_ = index;
  impl_->Notify([node](TreeObserver& o) { o.NodeChanged(node); });
}

void ComponentTree::SetSelectedIndex(TreeNode* node, int index) {
  if (node->selectedIndex_ == index) return;
  node->selectedIndex_ = index;
  impl_->Notify([node](TreeObserver& o) { o.NodeChanged(node); });
}

void ComponentTree::SortTopLevel(const TextLess& less) {
  auto& c = impl_->c;
  // Sorted on a copy, so a throwing comparison leaves the tree as it was.
  std::vector<TreeNode*> sorted(c.top.begin() + static_cast<std::ptrdiff_t>(c.topBegin),
                                c.top.end());
  std::stable_sort(sorted.begin(), sorted.end(), [&less](const TreeNode* a, const TreeNode* b) {
    return less(a->text_, b->text_);
  });

  impl_->Notify([](TreeObserver& o) { o.TreeAboutToReset(); });
  c.top.swap(sorted);
  c.topBegin = 0;
  for (std::size_t slot = 0; slot < c.top.size(); ++slot)
    c.top[slot]->row_ = static_cast<int>(slot);
  c.orderValid = false;
  impl_->Notify([](TreeObserver& o) { o.TreeReset(); });
}

void ComponentTree::Swap(ComponentTree& other) {
  if (&other == this) return;
  impl_->Notify([](TreeObserver& o) { o.TreeAboutToReset(); });
  other.impl_->Notify([](TreeObserver& o) { o.TreeAboutToReset(); });
  std::swap(impl_->c, other.impl_->c);
  impl_->Notify([](TreeObserver& o) { o.TreeReset(); });
  other.impl_->Notify([](TreeObserver& o) { o.TreeReset(); });
}

void ComponentTree::AddObserver(TreeObserver* observer) {
  auto& observers = impl_->observers;
  if (observer == nullptr ||
      std::find(observers.begin(), observers.end(), observer) != observers.end())
    return;
  observers.push_back(observer);
}

void ComponentTree::RemoveObserver(TreeObserver* observer) {
  auto& observers = impl_->observers;
  observers.erase(std::remove(observers.begin(), observers.end(), observer), observers.end());
}

}  // namespace tav
