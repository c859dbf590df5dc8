// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/TextOperations.h"

#include <algorithm>

namespace tav {
namespace {

// ASCII-only upper-case mapping: every byte keeps its position and length, so
// positions found in the mapped text are positions in the original text.
std::string UpperAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

}  // namespace

std::vector<std::string> SplitFields(std::string_view line, char separator) {
  std::vector<std::string> fields;
  fields.reserve(static_cast<std::size_t>(std::count(line.begin(), line.end(), separator)) + 1);
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = line.find(separator, start);
    if (end == std::string_view::npos) {
      fields.emplace_back(line.substr(start));
      return fields;
    }
    fields.emplace_back(line.substr(start, end - start));
    start = end + 1;
  }
}

std::string ReplaceText(std::string_view text, std::string_view pattern,
                        std::string_view replacement, bool all, bool ignoreCase) {
  if (pattern.empty() || text.size() < pattern.size()) return std::string(text);

  std::string upperText;
  std::string upperPattern;
  std::string_view searched = text;
  std::string_view wanted = pattern;
  // A pattern without letters matches the same in any case, so the upper-case
  // copy of the text (as large as the whole input file for the quote removal)
  // is only made when it can change the result.
  const bool patternHasLetters = std::any_of(pattern.begin(), pattern.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
  });
  if (ignoreCase && patternHasLetters) {
    upperText = UpperAscii(text);
    upperPattern = UpperAscii(pattern);
    searched = upperText;
    wanted = upperPattern;
  }

  std::string result;
  std::size_t copied = 0;  // bytes of `text` already handled
  for (;;) {
    const std::size_t found = searched.find(wanted, copied);
    if (found == std::string_view::npos) break;
    if (result.empty()) result.reserve(text.size());
    result.append(text, copied, found - copied);
    result.append(replacement);
    copied = found + pattern.size();
    if (!all) break;
  }
  result.append(text, copied, std::string_view::npos);
  return result;
}

int IndexOfExact(std::string_view text, std::span<const std::string_view> list) {
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (list[i] == text) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace tav
