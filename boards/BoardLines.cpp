// SPDX-License-Identifier: GPL-3.0-or-later
#include "boards/BoardLines.h"

namespace tav {

bool IsBlankLine(std::string_view line) noexcept {
  return line.find_first_not_of(" \t") == std::string_view::npos;
}

std::string_view TrimBlanks(std::string_view text) noexcept {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

}  // namespace tav
