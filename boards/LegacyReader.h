// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>
#include <vector>

#include "boards/BoardComponent.h"
#include "boards/BoardLines.h"

namespace tav {

// The program's own legacy layout: line 2, once every double quote is removed,
// is blank (empty or only blanks and tabs). Lines from 3 on are rows whose
// fields are taken by position. A file whose lines after line 2 hold a header
// of named columns before any complete row (11 fields) is not legacy: some
// tools write a banner with an empty second line.
// Reads `lines` from the first line on, as far as it needs.
bool IsLegacyLayout(LineSource& lines);
bool IsLegacyLayout(const std::vector<std::string_view>& lines);

// Reads the legacy rows, lines 3 to the end; `lines` starts at line 3. Every double quote is
// removed and each row is cut at every "," (no quoting, no trimming). Fields: 0 designator, 1
// footprint, 2 X, 3 Y, 8 layer, 9 rotation, 10 comment; texts are kept byte for byte. An X or Y
// value ending in "mil", "in" or "inch" (any case) is converted to mm and written as
// MillimetreText; any other has its first "mm" (any case) removed for reading and keeps its text.
// The last line is a row only when it has at least 11 fields. Adds to `unitsSeen` the bit (1 <<
// unit) of every unit a coordinate was read in. Hands each component to `sink` and gives their
// number. Throws Error for the bottom-most faulty row (rows after the first fault are checked, not
// handed on): too few fields, or a coordinate that is not a number (naming line and field; X before
// Y).
std::size_t ReadLegacyRows(LineSource& lines, unsigned& unitsSeen, const ComponentSink& sink);

}  // namespace tav
