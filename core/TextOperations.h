// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tav {

// Cuts `line` at every `separator`: no quoting, escaping or trimming, so the
// result always has one field more than the line has separators.
std::vector<std::string> SplitFields(std::string_view line, char separator);

// Replaces the first (or every, with `all`) occurrence of `pattern`, scanning
// left to right without overlaps; replaced text is never searched again. With
// `ignoreCase` ASCII letters match in any case. An empty pattern matches nothing.
std::string ReplaceText(std::string_view text, std::string_view pattern,
                        std::string_view replacement, bool all, bool ignoreCase);

// Position of the first entry equal to `text` byte for byte, or -1.
int IndexOfExact(std::string_view text, std::span<const std::string_view> list);

}  // namespace tav
