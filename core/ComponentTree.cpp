// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ComponentTree.h"

#include <sys/mman.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <numeric>
#include <stdexcept>
#include <unordered_map>
#include <utility>
#include <vector>

#include "core/Error.h"
#include "core/Messages.h"
#include "core/NumberConversion.h"

namespace tav {

namespace {

// Nodes live in blocks aligned to their size. A block starts with a header
// naming its store, so a node finds its tree's data from its own address and
// needs no pointer of its own.
constexpr std::size_t kBlockBytes = std::size_t{1} << 16;
constexpr std::size_t kHeaderBytes = 32;
constexpr std::uint32_t kNodesPerBlock =
    static_cast<std::uint32_t>((kBlockBytes - kHeaderBytes) / sizeof(TreeNode));
static_assert(sizeof(TreeNode) == 28, "a node is a compact record");
constexpr std::size_t kMaxGroupBlocks = 32;

// Text arena: chunks that never move, so node texts keep their address. A text
// is found by a 32-bit number: chunk (high 12 bits) and position (low 20 bits).
constexpr unsigned kPositionBits = 20;
constexpr std::size_t kChunkBytes = std::size_t{1} << kPositionBits;
constexpr std::size_t kMaxChunks = std::size_t{1} << (32 - kPositionBits);
// Texts longer than this get a chunk of their own, so chunks waste little.
constexpr std::size_t kOwnChunkFrom = kChunkBytes / 4;
// Short texts repeat a lot ("Position", "Feeder: 1", "0", a footprint): they
// are looked up among the recently stored ones and shared.
constexpr std::size_t kSharedUpTo = 32;
constexpr std::size_t kRecentSlots = 256;

constexpr std::uint32_t kNoNode = UINT32_MAX;

// Large arrays (the child slots of a big tree) are asked to be huge pages where
// the system grants them on request, so filling them costs few page faults.
constexpr std::size_t kHugePage = std::size_t{1} << 21;

template <typename T>
struct LargeArrayAllocator {
  using value_type = T;
  LargeArrayAllocator() = default;
  template <typename U>
  LargeArrayAllocator(const LargeArrayAllocator<U>&) noexcept {}

  T* allocate(std::size_t n) {
    if (n > SIZE_MAX / sizeof(T)) throw std::bad_array_new_length();
    const std::size_t bytes = n * sizeof(T);
    if (bytes < kHugePage) return static_cast<T*>(::operator new(bytes));
    void* memory = ::operator new (bytes, std::align_val_t{kHugePage});
    ::madvise(memory, bytes, MADV_HUGEPAGE);
    return static_cast<T*>(memory);
  }
  void deallocate(T* memory, std::size_t n) noexcept {
    if (n * sizeof(T) < kHugePage) {
      ::operator delete(memory);
    } else {
      ::operator delete (memory, std::align_val_t{kHugePage});
    }
  }
  friend bool operator==(const LargeArrayAllocator&, const LargeArrayAllocator&) noexcept {
    return true;
  }
};

std::size_t HashOf(std::string_view text) noexcept {
  std::uint32_t hash = 2166136261u;  // FNV-1a
  for (const char c : text) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 16777619u;
  }
  return hash ^ (hash >> 16);
}

}  // namespace

struct ComponentTree::Store {
  struct BlockHeader {
    Store* store;
    std::uint32_t first;  // number of the block's first node
  };
  struct StoredText {
    std::uint32_t at = 0;
    std::uint32_t size = 0;
  };

  // Nodes, numbered in the order they were made. Blocks are allocated in
  // groups that double up to kMaxGroupBlocks: few allocations for a large
  // tree, little memory for a small one.
  std::vector<std::byte*> blocks;
  // Each group is aligned to its size.
  std::vector<std::pair<std::byte*, std::size_t>> groups;
  std::uint32_t count = 0;

  // Node texts.
  std::vector<std::unique_ptr<char[]>> chunks;
  std::size_t current = 0;  // the chunk short texts go into
  std::size_t used = kChunkBytes;
  std::array<StoredText, kRecentSlots> recent{};

  // Child lists: a node's children are slots [children_, children_ + childCount_).
  // A list's room is the next power of two of its length; a full list grows in
  // place when it ends the array and moves to the end otherwise.
  std::vector<std::uint32_t, LargeArrayAllocator<std::uint32_t>> slots;

  // Top-level nodes in slots [topBegin, top.size()); the free slots in front
  // make AddFirst amortised O(1). A top-level node's row_ is its slot.
  std::vector<std::uint32_t> top;
  std::size_t topBegin = 0;

  // While numberedInOrder, a node's number is its absolute index. Otherwise
  // `order` (absolute index -> number) and `position` (number -> absolute
  // index) hold the pre-order while orderValid.
  bool numberedInOrder = true;
  bool orderValid = false;
  std::vector<std::uint32_t> order;
  std::vector<std::uint32_t> position;

  // Icon indices that do not fit a node's 16-bit fields, by number * 2 + which.
  std::unordered_map<std::uint64_t, int> wideIcons;
  // Text lengths and levels that do not fit a node's 16-bit fields, by number.
  std::unordered_map<std::uint32_t, std::uint32_t> wideSizes;
  std::unordered_map<std::uint32_t, std::uint32_t> wideLevels;

  Store() = default;
  Store(const Store&) = delete;
  Store& operator=(const Store&) = delete;
  ~Store() {
    for (const auto& [group, bytes] : groups) ::operator delete (group, std::align_val_t{bytes});
  }

  static const BlockHeader& HeaderOf(const TreeNode& node) noexcept {
    const auto address =
        reinterpret_cast<std::uintptr_t>(&node) & ~(std::uintptr_t{kBlockBytes} - 1);
    return *std::launder(reinterpret_cast<const BlockHeader*>(address));
  }
  static Store& Of(const TreeNode& node) noexcept { return *HeaderOf(node).store; }
  static std::uint32_t NumberOf(const TreeNode& node) noexcept {
    const BlockHeader& header = HeaderOf(node);
    const auto* first = reinterpret_cast<const std::byte*>(&header) + kHeaderBytes;
    const auto offset = static_cast<std::size_t>(reinterpret_cast<const std::byte*>(&node) - first);
    return header.first + static_cast<std::uint32_t>(offset / sizeof(TreeNode));
  }

  TreeNode& Node(std::uint32_t number) const noexcept {
    std::byte* block = blocks[number / kNodesPerBlock];
    return *std::launder(reinterpret_cast<TreeNode*>(block + kHeaderBytes +
                                                     (number % kNodesPerBlock) * sizeof(TreeNode)));
  }

  // Makes sure that MakeNode cannot throw.
  void ReserveNode() {
    if (count >= static_cast<std::uint32_t>(INT32_MAX))
      throw std::length_error("too many tree nodes");
    if (count < blocks.size() * kNodesPerBlock) return;
    const std::size_t added = std::clamp<std::size_t>(blocks.size(), 1, kMaxGroupBlocks);
    const std::size_t bytes = added * kBlockBytes;
    blocks.reserve(blocks.size() + added);
    groups.reserve(groups.size() + 1);
    auto* group = static_cast<std::byte*>(::operator new (bytes, std::align_val_t{bytes}));
    groups.emplace_back(group, bytes);
    // A full group is one huge page where the system offers them on request:
    // one page fault instead of 512 while a large tree is built.
    if (bytes == kMaxGroupBlocks * kBlockBytes) ::madvise(group, bytes, MADV_HUGEPAGE);
    for (std::size_t i = 0; i < added; ++i) {
      std::byte* block = group + i * kBlockBytes;
      new (block) BlockHeader{this, static_cast<std::uint32_t>(blocks.size() * kNodesPerBlock)};
      blocks.push_back(block);
    }
  }
  std::uint32_t MakeNode() noexcept {
    std::byte* block = blocks[count / kNodesPerBlock];
    new (block + kHeaderBytes + (count % kNodesPerBlock) * sizeof(TreeNode)) TreeNode;
    return count++;
  }

  std::string_view TextAt(std::uint32_t at, std::uint32_t size) const noexcept {
    if (size == 0) return {};
    return {chunks[at >> kPositionBits].get() + (at & (kChunkBytes - 1)), size};
  }

  std::string_view TextOf(const TreeNode& node) const noexcept {
    if (node.size_ != TreeNode::kWide) return TextAt(node.text_, node.size_);
    return TextAt(node.text_, wideSizes.find(NumberOf(node))->second);
  }
  // Gives node `number` (made already or next) its stored text; only this may throw.
  void PrepareText(std::uint32_t number, StoredText stored) {
    if (stored.size >= TreeNode::kWide) wideSizes[number] = stored.size;
  }
  static void SetText(TreeNode& node, StoredText stored) noexcept {
    node.text_ = stored.at;
    node.size_ = static_cast<std::uint16_t>(std::min<std::uint32_t>(stored.size, TreeNode::kWide));
  }
  void PrepareLevel(std::uint32_t number, std::uint32_t level) {
    if (level >= TreeNode::kWide) wideLevels[number] = level;
  }
  static void SetLevel(TreeNode& node, std::uint32_t level) noexcept {
    node.level_ = static_cast<std::uint16_t>(std::min<std::uint32_t>(level, TreeNode::kWide));
  }

  StoredText PutText(std::string_view text) {
    if (text.empty()) return {};
    if (text.size() > UINT32_MAX) throw std::length_error("node text too long");
    const auto size = static_cast<std::uint32_t>(text.size());
    StoredText* shared = nullptr;
    if (text.size() <= kSharedUpTo) {
      shared = &recent[HashOf(text) % kRecentSlots];
      if (shared->size == size &&
          std::memcmp(TextAt(shared->at, size).data(), text.data(), size) == 0)
        return *shared;
    }
    StoredText stored;
    if (text.size() >= kOwnChunkFrom) {
      stored.at = static_cast<std::uint32_t>(NewChunk(text.size()) << kPositionBits);
    } else {
      if (used + text.size() > kChunkBytes) {
        current = NewChunk(kChunkBytes);
        used = 0;
      }
      stored.at = static_cast<std::uint32_t>((current << kPositionBits) | used);
      used += text.size();
    }
    stored.size = size;
    std::memcpy(chunks[stored.at >> kPositionBits].get() + (stored.at & (kChunkBytes - 1)),
                text.data(), text.size());
    if (shared != nullptr) *shared = stored;
    return stored;
  }
  std::size_t NewChunk(std::size_t bytes) {
    if (chunks.size() >= kMaxChunks) throw std::length_error("tree texts exceed 4 GiB");
    chunks.reserve(chunks.size() + 1);
    chunks.push_back(std::make_unique_for_overwrite<char[]>(bytes));
    return chunks.size() - 1;
  }

  // Makes room for one more child of `parent` and returns its slot; moving
  // the list changes nothing anyone can see.
  std::size_t ReserveChildSlot(TreeNode& parent) {
    const std::uint32_t length = parent.childCount_;
    if (length == 0) {
      slots.push_back(kNoNode);
      parent.children_ = static_cast<std::uint32_t>(slots.size() - 1);
      return parent.children_;
    }
    // Full when the length is a power of two (tested without a popcount call).
    if ((length & (length - 1)) == 0) {
      if (slots.size() > UINT32_MAX - 2 * std::size_t{length})
        throw std::length_error("too many tree nodes");
      if (parent.children_ + std::size_t{length} == slots.size()) {
        slots.resize(slots.size() + length);
      } else {
        const std::size_t moved = slots.size();
        slots.resize(moved + 2 * std::size_t{length});
        std::copy_n(slots.begin() + parent.children_, length,
                    slots.begin() + static_cast<std::ptrdiff_t>(moved));
        parent.children_ = static_cast<std::uint32_t>(moved);
      }
    }
    return parent.children_ + std::size_t{length};
  }

  // The node after `number` in pre-order, or kNoNode; walks up without a stack.
  std::uint32_t NextInPreOrder(std::uint32_t number) const noexcept {
    const TreeNode* node = &Node(number);
    if (node->childCount_ != 0) return slots[node->children_];
    for (;;) {
      const std::size_t next = std::size_t{node->row_} + 1;
      if (node->parent_ == 0) return next < top.size() ? top[next] : kNoNode;
      const TreeNode& parent = Node(node->parent_ - 1);
      if (next < parent.childCount_) return slots[parent.children_ + next];
      node = &parent;
    }
  }

  void EnsureOrder() {
    if (numberedInOrder || orderValid) return;
    order.resize(count);
    position.resize(count);
    std::uint32_t number = topBegin < top.size() ? top[topBegin] : kNoNode;
    for (std::uint32_t index = 0; number != kNoNode; ++index) {
      order[index] = number;
      position[number] = index;
      number = NextInPreOrder(number);
    }
    orderValid = true;
  }

  // The last node in pre-order while that is known cheaply; kNoNode otherwise.
  std::uint32_t LastInPreOrder() const noexcept {
    if (count == 0) return kNoNode;
    if (numberedInOrder) return count - 1;
    return orderValid ? order.back() : kNoNode;
  }

  // Whether a new last child of `parent` becomes the last node in pre-order:
  // true when `parent` is the last node or one of its ancestors. The nodes
  // walked over leave the rightmost path for good, so this is amortised O(1).
  bool LandsAtEnd(const TreeNode* parent) const noexcept {
    if (parent == nullptr) return true;
    const std::uint32_t target = NumberOf(*parent);
    for (std::uint32_t number = LastInPreOrder(); number != kNoNode;) {
      if (number == target) return true;
      const std::uint32_t up = Node(number).parent_;
      number = up == 0 ? kNoNode : up - 1;
    }
    return false;
  }

  void ReserveTopFront() {
    if (topBegin != 0) return;
    const std::size_t size = top.size();
    const std::size_t front = std::max<std::size_t>(16, size);
    std::vector<std::uint32_t> grown(front + size);
    std::copy(top.begin(), top.end(), grown.begin() + static_cast<std::ptrdiff_t>(front));
    for (std::size_t slot = front; slot < grown.size(); ++slot)
      Node(grown[slot]).row_ = static_cast<std::uint32_t>(slot);
    top.swap(grown);
    topBegin = front;
  }
};

struct ComponentTree::Impl {
  std::unique_ptr<Store> store = std::make_unique<Store>();
  std::vector<TreeObserver*> observers;

  template <typename Call>
  void Notify(Call call) const {
    // By index: an observer may remove itself without invalidating the loop.
    for (std::size_t i = 0; i < observers.size(); ++i) call(*observers[i]);
  }
};

NodeText TreeNode::Text() const noexcept {
  return NodeText(ComponentTree::Store::Of(*this).TextOf(*this));
}

int TreeNode::WideLevel() const noexcept {
  const ComponentTree::Store& store = ComponentTree::Store::Of(*this);
  return static_cast<int>(store.wideLevels.find(ComponentTree::Store::NumberOf(*this))->second);
}

TreeNode* TreeNode::Parent() const noexcept {
  if (parent_ == 0) return nullptr;
  return &ComponentTree::Store::Of(*this).Node(parent_ - 1);
}

TreeNode* TreeNode::Child(int i) const {
  const int count = ChildCount();
  if (i < 0 || i >= count) {
    // The message names what is left of the index after the last child.
    const int leftOver = i < 0 ? i : i - count;
    throw Error(FormatMessage(msg::kListIndex, {IntegerToText(leftOver)}));
  }
  const ComponentTree::Store& store = ComponentTree::Store::Of(*this);
  return &store.Node(store.slots[children_ + static_cast<std::size_t>(i)]);
}

int TreeNode::WideIcon(WhichIcon which) const noexcept {
  const ComponentTree::Store& store = ComponentTree::Store::Of(*this);
  const auto found =
      store.wideIcons.find(std::uint64_t{ComponentTree::Store::NumberOf(*this)} * 2 + which);
  return found != store.wideIcons.end() ? found->second : 0;
}

ComponentTree::ComponentTree() : impl_(new Impl) {}
ComponentTree::~ComponentTree() { delete impl_; }

void ComponentTree::Clear() {
  auto empty = std::make_unique<Store>();
  impl_->Notify([](TreeObserver& o) { o.TreeAboutToReset(); });
  std::swap(impl_->store, empty);
  impl_->Notify([](TreeObserver& o) { o.TreeReset(); });
}

TreeNode* ComponentTree::AddFirst(std::string_view text) {
  Store& s = *impl_->store;
  // Everything that may throw happens before the observers hear of the change.
  s.ReserveTopFront();
  const Store::StoredText stored = s.PutText(text);
  s.ReserveNode();
  s.PrepareText(s.count, stored);

  impl_->Notify([](TreeObserver& o) { o.NodeAboutToBeAdded(nullptr, 0); });
  const std::uint32_t number = s.MakeNode();
  TreeNode& node = s.Node(number);
  Store::SetText(node, stored);
  node.row_ = static_cast<std::uint32_t>(--s.topBegin);
  s.top[s.topBegin] = number;
  if (s.count > 1) s.numberedInOrder = false;
  s.orderValid = false;
  impl_->Notify([&node](TreeObserver& o) { o.NodeAdded(&node); });
  return &node;
}

TreeNode* ComponentTree::AddChild(TreeNode* parent, std::string_view text) {
  return AddChild(parent, text, 0);
}

TreeNode* ComponentTree::AddChild(TreeNode* parent, std::string_view text, int icon) {
  if (icon <= INT16_MIN || icon > INT16_MAX) {
    // Kept in the tree's table of wide icons, which SetIcons fills.
    TreeNode* node = AddChild(parent, text, 0);
    SetIcons(node, icon);
    return node;
  }
  Store& s = *impl_->store;
  // Everything that may throw happens before the observers hear of the change.
  std::size_t slot = 0;
  if (parent != nullptr) {
    slot = s.ReserveChildSlot(*parent);
  } else if (s.top.size() == s.top.capacity()) {
    // Capacities double by hand: reserve() alone might grow only to the size asked.
    s.top.reserve(std::max<std::size_t>(16, 2 * s.top.capacity()));
  }
  const bool atEnd = s.LandsAtEnd(parent);
  const bool extendOrder = !s.numberedInOrder && s.orderValid && atEnd;
  if (extendOrder && s.order.size() == s.order.capacity()) {
    s.order.reserve(std::max<std::size_t>(16, 2 * s.order.capacity()));
    s.position.reserve(s.order.capacity());
  }
  const Store::StoredText stored = s.PutText(text);
  s.ReserveNode();
  s.PrepareText(s.count, stored);
  const std::uint32_t level =
      parent != nullptr ? static_cast<std::uint32_t>(parent->Level()) + 1 : 0;
  s.PrepareLevel(s.count, level);

  const int row =
      static_cast<int>(parent != nullptr ? parent->childCount_ : s.top.size() - s.topBegin);
  impl_->Notify([parent, row](TreeObserver& o) { o.NodeAboutToBeAdded(parent, row); });
  const std::uint32_t number = s.MakeNode();
  TreeNode& node = s.Node(number);
  Store::SetText(node, stored);
  Store::SetLevel(node, level);
  node.imageIndex_ = static_cast<std::int16_t>(icon);
  node.selectedIndex_ = static_cast<std::int16_t>(icon);
  if (parent != nullptr) {
    node.parent_ = Store::NumberOf(*parent) + 1;
    node.row_ = parent->childCount_++;
    s.slots[slot] = number;
  } else {
    node.row_ = static_cast<std::uint32_t>(s.top.size());
    s.top.push_back(number);
  }
  if (extendOrder) {
    s.position.push_back(static_cast<std::uint32_t>(s.order.size()));
    s.order.push_back(number);
  } else if (!atEnd) {
    s.numberedInOrder = false;
    s.orderValid = false;
  }
  impl_->Notify([&node](TreeObserver& o) { o.NodeAdded(&node); });
  return &node;
}

int ComponentTree::Count() const noexcept { return static_cast<int>(impl_->store->count); }

TreeNode* ComponentTree::NodeAt(int index) const {
  Store& s = *impl_->store;
  if (index < 0 || static_cast<std::uint32_t>(index) >= s.count) throw Error(msg::kInvalidIndex);
  const auto at = static_cast<std::uint32_t>(index);
  if (s.numberedInOrder) return &s.Node(at);
  s.EnsureOrder();
  return &s.Node(s.order[at]);
}

int ComponentTree::IndexOf(const TreeNode* node) const {
  Store& s = *impl_->store;
  if (node == nullptr || &Store::Of(*node) != &s) throw Error(msg::kInvalidIndex);
  const std::uint32_t number = Store::NumberOf(*node);
  if (s.numberedInOrder) return static_cast<int>(number);
  s.EnsureOrder();
  return static_cast<int>(s.position[number]);
}

int ComponentTree::TopLevelCount() const noexcept {
  const Store& s = *impl_->store;
  return static_cast<int>(s.top.size() - s.topBegin);
}

TreeNode* ComponentTree::TopLevel(int row) const {
  if (row < 0 || row >= TopLevelCount()) return nullptr;
  const Store& s = *impl_->store;
  return &s.Node(s.top[s.topBegin + static_cast<std::size_t>(row)]);
}

int ComponentTree::RowOf(const TreeNode* node) const {
  if (node->parent_ != 0) return static_cast<int>(node->row_);
  return static_cast<int>(node->row_ - impl_->store->topBegin);
}

void ComponentTree::SetText(TreeNode* node, std::string_view text) {
  if (node->Text() == text) return;
  Store& s = *impl_->store;
  const Store::StoredText stored = s.PutText(text);
  const std::uint32_t number = Store::NumberOf(*node);
  s.PrepareText(number, stored);
  if (stored.size < TreeNode::kWide) s.wideSizes.erase(number);
  Store::SetText(*node, stored);
  impl_->Notify([node](TreeObserver& o) { o.NodeChanged(node); });
}

namespace {

// Stores `index` in a node's 16-bit field, or in the tree's table of wide ones.
void PutIcon(std::int16_t& field, int index, std::int16_t wideMark,
             std::unordered_map<std::uint64_t, int>& wide, std::uint64_t key) {
  if (index > INT16_MIN && index <= INT16_MAX) {
    if (field == wideMark) wide.erase(key);
    field = static_cast<std::int16_t>(index);
    return;
  }
  wide[key] = index;
  field = wideMark;
}

}  // namespace

void ComponentTree::SetImageIndex(TreeNode* node, int index) {
  if (node->ImageIndex() == index) return;
  PutIcon(node->imageIndex_, index, TreeNode::kWideIcon, impl_->store->wideIcons,
          std::uint64_t{Store::NumberOf(*node)} * 2 + TreeNode::kImage);
  impl_->Notify([node](TreeObserver& o) { o.NodeChanged(node); });
}

void ComponentTree::SetSelectedIndex(TreeNode* node, int index) {
  if (node->SelectedIndex() == index) return;
  PutIcon(node->selectedIndex_, index, TreeNode::kWideIcon, impl_->store->wideIcons,
          std::uint64_t{Store::NumberOf(*node)} * 2 + TreeNode::kSelected);
  impl_->Notify([node](TreeObserver& o) { o.NodeChanged(node); });
}

void ComponentTree::SetIcons(TreeNode* node, int icon) {
  SetImageIndex(node, icon);
  SetSelectedIndex(node, icon);
}

void ComponentTree::SortTopLevel(const TextLess& less) {
  Store& s = *impl_->store;
  // Sorted on copies, so a throwing comparison leaves the tree as it was; each
  // text is copied once, not once per comparison.
  const std::size_t rows = s.top.size() - s.topBegin;
  std::vector<std::string> texts;
  texts.reserve(rows);
  for (std::size_t row = 0; row < rows; ++row) {
    const TreeNode& node = s.Node(s.top[s.topBegin + row]);
    texts.emplace_back(s.TextOf(node));
  }
  std::vector<std::uint32_t> rank(rows);
  std::iota(rank.begin(), rank.end(), 0u);
  std::stable_sort(rank.begin(), rank.end(), [&less, &texts](std::uint32_t a, std::uint32_t b) {
    return less(texts[a], texts[b]);
  });
  std::vector<std::uint32_t> sorted(rows);
  for (std::size_t row = 0; row < rows; ++row) sorted[row] = s.top[s.topBegin + rank[row]];

  impl_->Notify([](TreeObserver& o) { o.TreeAboutToReset(); });
  s.top.swap(sorted);
  s.topBegin = 0;
  for (std::size_t slot = 0; slot < s.top.size(); ++slot)
    s.Node(s.top[slot]).row_ = static_cast<std::uint32_t>(slot);
  if (s.count > 0) s.numberedInOrder = false;
  s.orderValid = false;
  impl_->Notify([](TreeObserver& o) { o.TreeReset(); });
}

void ComponentTree::Swap(ComponentTree& other) {
  if (&other == this) return;
  impl_->Notify([](TreeObserver& o) { o.TreeAboutToReset(); });
  other.impl_->Notify([](TreeObserver& o) { o.TreeAboutToReset(); });
  std::swap(impl_->store, other.impl_->store);
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
