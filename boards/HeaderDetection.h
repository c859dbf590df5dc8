// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "boards/BoardLines.h"
#include "boards/ColumnRoles.h"
#include "boards/FieldSplitting.h"
#include "boards/LengthUnits.h"

namespace tav {

// The header of a board file read by its column names.
struct BoardHeader {
  std::size_t line = 0;  // index of the header line, from 0
  Delimiter delimiter = Delimiter::kComma;
  ColumnMap columns;
  bool fromComment = false;  // the header was a "#" line, as in KiCad's .pos
  // The unit named before the header ("Units used: mil", "## Unit = inches").
  LengthUnit fileUnit = LengthUnit::kUnspecified;
};

// Reads one line as a header: a "#" line counts once its leading "#" are
// removed; its delimiter is chosen as DelimiterOf does. Gives nothing unless
// it names a designator, an X and a Y column.
std::optional<BoardHeader> HeaderOfLine(std::string_view line, std::vector<std::string>& scratch);

// The first header line. Blank, banner and "#" lines before it are skipped;
// the last unit a banner or KiCad unit line names before it becomes the
// file's unit. Reads `lines` up to the header line and no further, so the
// rows follow from the same source.
std::optional<BoardHeader> FindHeader(LineSource& lines);

}  // namespace tav
