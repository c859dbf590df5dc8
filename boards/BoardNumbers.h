// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "core/NumberConversion.h"

namespace tav {

// Reads a number of a board file. "." and "," are always decimal separators,
// the user's separator (DecimalSeparator()) as well, so a file reads the same
// under every regional setting. Throws the conversion error "'%s' ist kein
// gültiger Gleitkommawert" naming `text` unchanged.
Number BoardNumber(std::string_view text);

// The node text of a converted coordinate: the general format with 15 digits
// and "." (whatever the user's separator), then "mm".
std::string MillimetreText(Number millimetres);

}  // namespace tav
