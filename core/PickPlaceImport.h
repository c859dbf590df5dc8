#pragma once

#include <string>

#include "core/ComponentTree.h"

namespace tav {

// What an import leaves besides the tree.
struct ImportSummary {
  int componentCount = 0;
  double largestX = 0;  // never below 0
  double largestY = 0;
};

// Reads a pick-and-place file (two header lines, one component per line, a
// last line that is not a component) and replaces `tree` with one 13-node block
// per row, in file order, all included and on "Feeder: 1". Double quotes are
// removed from the whole text before rows are split on ",". All or nothing: on
// any error `tree` is untouched and an Error is thrown: the file cannot be
// opened; it has fewer than four lines; a row has fewer than 11 fields; an X or
// Y field is not a number once its first "mm" (any case) is removed. Rows are
// checked from the bottom up, so the error names the bottom-most bad row.
ImportSummary PickPlaceImport(const std::string& path, ComponentTree& tree);

// Text of DimLabel_X / DimLabel_Y: the number in the general format and " mm".
std::string DimensionLabel(double largest);

}  // namespace tav
