// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace tav {

// Whether a line holds nothing but blanks and tabs.
bool IsBlankLine(std::string_view line) noexcept;

// The line without leading and trailing blanks and tabs.
std::string_view TrimBlanks(std::string_view text) noexcept;

}  // namespace tav
