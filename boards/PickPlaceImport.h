// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "boards/BoardFile.h"
#include "core/ComponentTree.h"

namespace tav {

// What an import leaves besides the tree.
struct ImportSummary {
  int componentCount = 0;
  double largestX = 0;  // never below 0
  double largestY = 0;
};

// Reads a pick-and-place file in any layout ReadBoardFile knows and replaces
// `tree` with one 13-node block per component, in file order, all included
// and on "Feeder: 1". All or nothing: on any error `tree` is untouched and the
// Error of ReadBoardFile is thrown. `file`, when given, receives what the
// reader recognised (without the components). Each component goes into the
// new tree as it is read, so the components are never held all at once.
ImportSummary PickPlaceImport(const std::string& path, ComponentTree& tree,
                              BoardFile* file = nullptr);

// Text of DimLabel_X / DimLabel_Y: the number in the general format and " mm".
std::string DimensionLabel(double largest);

}  // namespace tav
