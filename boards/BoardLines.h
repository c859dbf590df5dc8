#pragma once

#include <string_view>
#include <vector>

namespace tav {

// The lines of a decoded board text as views into it, cut exactly as
// SplitLines cuts a file: at CR LF, a lone CR or a lone LF; a NUL byte ends the
// text; a line break at the very end adds no empty last line.
std::vector<std::string_view> BoardLines(std::string_view text);

// Whether a line holds nothing but blanks and tabs.
bool IsBlankLine(std::string_view line) noexcept;

// The line without leading and trailing blanks and tabs.
std::string_view TrimBlanks(std::string_view text) noexcept;

}  // namespace tav
