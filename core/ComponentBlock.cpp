#include "core/ComponentBlock.h"

#include <limits>

#include "core/Error.h"
#include "core/Messages.h"

namespace tav {

void CheckComponentBlock(const ComponentTree& tree, int index) {
  // The last node read comes first, so a block cut short at the end reports
  // the index error as a plain lookup would.
  if (index > std::numeric_limits<int>::max() - block::kY) throw Error(msg::kInvalidIndex);
  const TreeNode* y = tree.NodeAt(index + block::kY);
  const TreeNode* component = tree.NodeAt(index);
  const TreeNode* position = tree.NodeAt(index + block::kPosition);
  constexpr int kPositionChild = block::kFeederChild + 1;
  const bool ok = component->ChildCount() > kPositionChild &&
                  component->Child(block::kFeederChild) == tree.NodeAt(index + block::kFeeder) &&
                  component->Child(kPositionChild) == position && position->ChildCount() > 1 &&
                  position->Child(0) == tree.NodeAt(index + block::kX) && position->Child(1) == y;
  if (!ok) throw Error(FormatMessage(msg::kNotAComponentBlock, {component->Text()}));
}

}  // namespace tav
