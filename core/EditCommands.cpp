// Placeholder until the real implementation lands.
#include "core/EditCommands.h"

#include "core/Error.h"

namespace tav {

void IncludeComponent(ComponentTree&, TreeNode*) { throw Error("not implemented"); }
void ExcludeComponent(ComponentTree&, TreeNode*) { throw Error("not implemented"); }
void AssignFeeder(ComponentTree&, TreeNode*, int) { throw Error("not implemented"); }
void SortComponents(ComponentTree&, const ComponentTree::TextLess&) {
  throw Error("not implemented");
}
bool ByteTextLess(const std::string& a, const std::string& b) { return a < b; }

}  // namespace tav
