// Placeholder until the real implementation lands.
#include "core/ComponentTree.h"

#include "core/Error.h"

namespace tav {

struct ComponentTree::Impl {};
TreeNode* TreeNode::Child(int) const { throw Error("not implemented"); }
ComponentTree::ComponentTree() : impl_(new Impl) {}
ComponentTree::~ComponentTree() { delete impl_; }
void ComponentTree::Clear() { throw Error("not implemented"); }
TreeNode* ComponentTree::AddFirst(std::string) { throw Error("not implemented"); }
TreeNode* ComponentTree::AddChild(TreeNode*, std::string) { throw Error("not implemented"); }
int ComponentTree::Count() const noexcept { return 0; }
TreeNode* ComponentTree::NodeAt(int) const { throw Error("not implemented"); }
int ComponentTree::IndexOf(const TreeNode*) const { throw Error("not implemented"); }
int ComponentTree::TopLevelCount() const noexcept { return 0; }
TreeNode* ComponentTree::TopLevel(int) const { return nullptr; }
int ComponentTree::RowOf(const TreeNode*) const { throw Error("not implemented"); }
void ComponentTree::SetText(TreeNode*, std::string) { throw Error("not implemented"); }
void ComponentTree::SetImageIndex(TreeNode*, int) { throw Error("not implemented"); }
void ComponentTree::SetSelectedIndex(TreeNode*, int) { throw Error("not implemented"); }
void ComponentTree::SortTopLevel(const TextLess&) { throw Error("not implemented"); }
void ComponentTree::Swap(ComponentTree&) { throw Error("not implemented"); }
void ComponentTree::AddObserver(TreeObserver*) {}
void ComponentTree::RemoveObserver(TreeObserver*) {}

}  // namespace tav
