// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "boards/PickPlaceImport.h"
#include "core/ComponentTree.h"

namespace tav {

// What an import of the components in `tree` would have recorded: the number
// of top-level nodes (included and excluded components alike) and the largest
// X and Y read from each component's "Position" node (child 5, with X and Y
// as its children 0 and 1). A coordinate counts as the import counts it: its
// first "mm" (any case) removed, read as the import reads numbers ("." or the user's separator),
// taken when strictly greater, so the maxima never fall below 0. Coordinates
// that are no numbers, and components without that shape, add nothing.
// Linear in the number of components; throws nothing but std::bad_alloc.
ImportSummary SummaryOfTree(const ComponentTree& tree);

}  // namespace tav
