// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/LineBreaks.h"

#include <bit>
#include <cstdint>
#include <cstring>

namespace tav {

std::size_t LineEnd(std::string_view text, std::size_t pos) noexcept {
  // Eight bytes are tested at once where the byte order allows: project and
  // board files have millions of short lines.
  if constexpr (std::endian::native == std::endian::little) {
    constexpr std::uint64_t kOnes = 0x0101010101010101u;
    constexpr std::uint64_t kHighBits = 0x8080808080808080u;
    while (text.size() - pos >= 8) {
      std::uint64_t word;
      std::memcpy(&word, text.data() + pos, 8);
      // A byte of `cr` or `lf` is zero where the text has that byte; the
      // lowest high bit the test sets marks the first such byte exactly.
      const std::uint64_t cr = word ^ (kOnes * '\r');
      const std::uint64_t lf = word ^ (kOnes * '\n');
      const std::uint64_t found = (((cr - kOnes) & ~cr) | ((lf - kOnes) & ~lf)) & kHighBits;
      if (found != 0) return pos + static_cast<std::size_t>(std::countr_zero(found)) / 8;
      pos += 8;
    }
  }
  while (pos < text.size() && text[pos] != '\r' && text[pos] != '\n') ++pos;
  return pos;
}

std::size_t AfterLineBreak(std::string_view text, std::size_t end) noexcept {
  if (end < text.size() && text[end] == '\r') ++end;
  if (end < text.size() && text[end] == '\n') ++end;
  return end;
}

std::vector<std::string_view> LineViews(std::string_view text) {
  text = text.substr(0, text.find('\0'));
  // One line per line feed is the common case; a CR-only text grows as needed.
  std::size_t feeds = 0;
  for (std::size_t at = text.find('\n'); at != text.npos; at = text.find('\n', at + 1)) ++feeds;
  std::vector<std::string_view> lines;
  lines.reserve(feeds + 1);
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t end = LineEnd(text, pos);
    lines.push_back(text.substr(pos, end - pos));
    pos = AfterLineBreak(text, end);
  }
  return lines;
}

}  // namespace tav
