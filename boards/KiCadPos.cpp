// SPDX-License-Identifier: GPL-3.0-or-later
#include "boards/KiCadPos.h"

#include "boards/BoardLines.h"

namespace tav {

bool IsCommentLine(std::string_view line) noexcept {
  const std::size_t first = line.find_first_not_of(" \t");
  return first != std::string_view::npos && line[first] == '#';
}

std::string_view WithoutCommentMarks(std::string_view line) noexcept {
  const std::size_t first = line.find_first_not_of(" \t#");
  return first == std::string_view::npos ? std::string_view() : line.substr(first);
}

LengthUnit KiCadUnit(std::string_view line) noexcept {
  if (!IsCommentLine(line)) return LengthUnit::kUnspecified;
  std::string_view text = WithoutCommentMarks(line);
  static constexpr std::string_view kLabel = "unit";
  if (!StartsWithIgnoringCase(text, kLabel)) return LengthUnit::kUnspecified;
  text = TrimBlanks(text.substr(kLabel.size()));
  if (text.empty() || text.front() != '=') return LengthUnit::kUnspecified;
  text = TrimBlanks(text.substr(1));
  const std::size_t end = text.find_first_of(" \t,;");
  return UnitOfWord(text.substr(0, end));
}

}  // namespace tav
