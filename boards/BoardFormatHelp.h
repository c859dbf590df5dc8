// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace tav {

// German description of the pick-and-place files the import reads: the
// layouts, the column names recognised (from the same tables the reader
// uses), units, numbers and encodings. Windows-1252 text, lines ending in LF.
std::string BoardFormatHelp();

}  // namespace tav
