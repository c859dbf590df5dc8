#include "boards/BoardLines.h"

#include <algorithm>
#include <cstring>

namespace tav {

std::vector<std::string_view> BoardLines(std::string_view text) {
  if (text.empty()) return {};
  if (const void* nul = std::memchr(text.data(), '\0', text.size()))
    text = text.substr(0, static_cast<std::size_t>(static_cast<const char*>(nul) - text.data()));
  const char* const end = text.data() + text.size();
  // The next `c` from `from` on, or `end`.
  const auto next = [end](const char* from, char c) {
    const void* found = std::memchr(from, c, static_cast<std::size_t>(end - from));
    return found != nullptr ? static_cast<const char*>(found) : end;
  };
  // One line per line feed is the common case; a CR-only file grows as needed.
  std::size_t feeds = 0;
  for (const char* at = next(text.data(), '\n'); at < end; at = next(at + 1, '\n')) ++feeds;
  std::vector<std::string_view> lines;
  lines.reserve(feeds + 1);
  // The next CR and LF are searched only once the cut has passed them, so a
  // file with one kind of line end is not searched to its end for the other
  // on every line.
  const char* position = text.data();
  const char* cr = next(position, '\r');
  const char* lf = next(position, '\n');
  while (position < end) {
    if (cr < position) cr = next(position, '\r');
    if (lf < position) lf = next(position, '\n');
    const char* stop = std::min(cr, lf);
    lines.emplace_back(position, static_cast<std::size_t>(stop - position));
    position = stop;
    if (position < end && *position == '\r') ++position;
    if (position < end && *position == '\n') ++position;
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
