// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace tav {

// The one way lines are cut in this program: at CR LF, a lone CR or a lone LF.

// Where the line starting at `pos` ends: at its first CR or LF, or at the end
// of `text`.
std::size_t LineEnd(std::string_view text, std::size_t pos) noexcept;

// Where the next line starts after the line that ends at `end`: past CR LF, a
// lone CR or a lone LF; `end` itself at the end of `text`.
std::size_t AfterLineBreak(std::string_view text, std::size_t end) noexcept;

// The lines of `text` as views into it. A NUL byte ends the text; a line
// break at the very end adds no empty last line.
std::vector<std::string_view> LineViews(std::string_view text);

}  // namespace tav
