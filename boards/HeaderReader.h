// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>
#include <vector>

#include "boards/BoardComponent.h"
#include "boards/BoardLines.h"
#include "boards/HeaderDetection.h"

namespace tav {

// Reads the rows after `header`: every later line except blank lines, lines
// whose fields are all empty (filler lines), lines of a single field (notes
// such as "Total parts: 10") and "#" lines (KiCad's comments and "## End").
// Fields are taken by the header's columns; a missing column or a row too
// short for it gives an empty text. A coordinate's unit is its own suffix,
// else its column's unit, else the file's unit, else mm; values in mm keep
// their text, others become "<mm>mm" (MillimetreText). Adds to `unitsSeen`
// the bit (1 << unit) of every unit a coordinate was read in. Throws Error
// naming the line (from 1) and the column as written in the header when a row
// has no designator or a coordinate that is not a number. Hands each
// component to `sink` and gives their number. `lines` gives the lines after
// the header line, as FindHeader leaves it.
std::size_t ReadHeaderRows(LineSource& lines, const BoardHeader& header, unsigned& unitsSeen,
                           const ComponentSink& sink);

}  // namespace tav
