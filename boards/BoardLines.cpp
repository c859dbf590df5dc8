#include "boards/BoardLines.h"

#include <algorithm>

namespace tav {

std::vector<std::string_view> BoardLines(std::string_view text) {
  text = text.substr(0, text.find('\0'));
  std::vector<std::string_view> lines;
  // One line per line feed is the common case; a CR-only file grows as needed.
  lines.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
  std::size_t position = 0;
  while (position < text.size()) {
    const std::size_t end = std::min(text.find_first_of("\r\n", position), text.size());
    lines.push_back(text.substr(position, end - position));
    position = end;
    if (position < text.size() && text[position] == '\r') ++position;
    if (position < text.size() && text[position] == '\n') ++position;
  }
  return lines;
}

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
