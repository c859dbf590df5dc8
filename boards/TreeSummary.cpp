// SPDX-License-Identifier: GPL-3.0-or-later
#include "boards/TreeSummary.h"

#include <string>

#include "boards/BoardNumbers.h"
#include "core/ComponentBlock.h"
#include "core/Error.h"

namespace tav {

namespace {

// The child of the top-level node that holds X and Y in a component block.
constexpr int kPositionChild = block::kPosition - 1;

// A loaded project may hold anything in its coordinate nodes; a text that is
// no number just does not count, where the import would have refused the file.
void RaiseLargest(double& largest, const std::string& coordinate) {
  try {
    const Number value = BoardNumber(WithoutFirstUnit(coordinate));
    if (value > largest) largest = static_cast<double>(value);
  } catch (const Error&) {
  }
}

}  // namespace

ImportSummary SummaryOfTree(const ComponentTree& tree) {
  ImportSummary summary;
  summary.componentCount = tree.TopLevelCount();
  for (int row = 0; row < summary.componentCount; ++row) {
    const TreeNode* component = tree.TopLevel(row);
    if (component == nullptr || component->ChildCount() <= kPositionChild) continue;
    const TreeNode* position = component->Child(kPositionChild);
    if (position->ChildCount() >= 1) RaiseLargest(summary.largestX, position->Child(0)->Text());
    if (position->ChildCount() >= 2) RaiseLargest(summary.largestY, position->Child(1)->Text());
  }
  return summary;
}

}  // namespace tav
