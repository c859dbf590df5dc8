// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace tav {

// The usual stand-in for a character that Windows-1252 lacks, as a board
// file's text is read: the ohm signs become "Ohm" (10kΩ reads 10kOhm), the
// Greek small mu the micro sign µ, the minus sign and Unicode hyphens "-",
// ≤ and ≥ "<=" and ">=", ℃ "°C", thin and narrow no-break spaces a blank.
// Empty for any other character, which then becomes "?".
std::string_view ReplacementFor(char32_t codePoint) noexcept;

}  // namespace tav
