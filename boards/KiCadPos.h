// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

#include "boards/LengthUnits.h"

namespace tav {

// Rules of KiCad's position file (.pos): columns aligned with blanks, comment
// lines starting with "#", the header as a comment ("# Ref Val Package PosX
// PosY Rot Side"), the unit in "## Unit = mm, Angle = deg." (or inches) and the
// end marked by "## End".

// Whether the first character after blanks is "#".
bool IsCommentLine(std::string_view line) noexcept;

// The line after its leading blanks and "#" characters: what a comment line
// says when it is read as a header.
std::string_view WithoutCommentMarks(std::string_view line) noexcept;

// The unit of a "## Unit = inches" or "## Unit = mm, ..." line, kUnspecified
// for any other line.
LengthUnit KiCadUnit(std::string_view line) noexcept;

}  // namespace tav
