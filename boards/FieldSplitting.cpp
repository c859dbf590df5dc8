// SPDX-License-Identifier: GPL-3.0-or-later
#include "boards/FieldSplitting.h"

#include "boards/NamedValues.h"

#include <array>
#include <cstring>

namespace tav {
namespace {

bool IsBlank(char c) noexcept { return c == ' ' || c == '\t'; }

std::string_view TrimField(std::string_view field) noexcept {
  while (!field.empty() && IsBlank(field.back())) field.remove_suffix(1);
  while (!field.empty() && IsBlank(field.front())) field.remove_prefix(1);
  return field;
}

// Position of the first `c` in line[from, end), or `end`.
std::size_t FindIn(std::string_view line, std::size_t from, std::size_t end, char c) noexcept {
  const void* found = std::memchr(line.data() + from, c, end - from);
  return found == nullptr ? end
                          : static_cast<std::size_t>(static_cast<const char*>(found) - line.data());
}

}  // namespace

void SplitBoardFieldViews(std::string_view line, Delimiter delimiter,
                          std::vector<std::string_view>& fields, std::string& buffer) {
  const bool blanks = delimiter == Delimiter::kBlanks;
  const char separator = delimiter == Delimiter::kTab         ? '\t'
                         : delimiter == Delimiter::kSemicolon ? ';'
                                                              : ',';
  // Blanks before a field's opening quote; a TAB is never one when it separates.
  const auto isPadding = [&](char c) { return c == ' ' || (c == '\t' && separator != '\t'); };
  const std::size_t size = line.size();
  const auto fieldEnd = [&](std::size_t from) {
    if (!blanks) return FindIn(line, from, size, separator);
    while (from < size && !IsBlank(line[from])) ++from;
    return from;
  };

  fields.clear();
  // Unquoted text is never longer than the line, so the buffer never moves
  // while views into it are handed out.
  buffer.clear();
  buffer.reserve(size);
  std::size_t pos = 0;
  if (blanks) {
    while (pos < size && IsBlank(line[pos])) ++pos;
    if (pos == size) return;
  }
  while (true) {
    std::size_t start = pos;
    while (pos < size && isPadding(line[pos])) ++pos;
    if (pos < size && line[pos] == '"') {
      // Quoted: the text between the quotes ("" is one quote), then whatever
      // follows the closing quote up to the delimiter.
      const std::size_t from = buffer.size();
      ++pos;
      while (pos < size) {
        const std::size_t quote = FindIn(line, pos, size, '"');
        buffer.append(line.substr(pos, quote - pos));
        pos = quote;
        if (pos == size) break;
        if (pos + 1 < size && line[pos + 1] == '"') {
          buffer.push_back('"');
          pos += 2;
        } else {
          ++pos;
          break;
        }
      }
      start = pos;
      pos = fieldEnd(pos);
      buffer.append(line.substr(start, pos - start));
      fields.push_back(TrimField(std::string_view(buffer).substr(from)));
    } else {
      pos = fieldEnd(start);
      fields.push_back(TrimField(line.substr(start, pos - start)));
    }
    if (pos == size) break;
    if (blanks) {
      while (pos < size && IsBlank(line[pos])) ++pos;
      if (pos == size) break;
    } else {
      ++pos;
    }
  }
}

void SplitBoardFields(std::string_view line, Delimiter delimiter,
                      std::vector<std::string>& fields) {
  std::vector<std::string_view> views;
  std::string buffer;
  SplitBoardFieldViews(line, delimiter, views, buffer);
  fields.resize(views.size());
  for (std::size_t i = 0; i < views.size(); ++i) fields[i].assign(views[i]);
}

Delimiter DelimiterOf(std::string_view header, std::vector<std::string>& scratch) {
  static constexpr std::array<Delimiter, 3> kCandidates = {Delimiter::kTab, Delimiter::kSemicolon,
                                                           Delimiter::kComma};
  Delimiter best = Delimiter::kBlanks;
  std::size_t most = 1;
  for (const Delimiter candidate : kCandidates) {
    SplitBoardFields(header, candidate, scratch);
    if (scratch.size() > most) {
      most = scratch.size();
      best = candidate;
    }
  }
  return best;
}

std::string_view DelimiterName(Delimiter delimiter) noexcept {
  static constexpr NamedValue<Delimiter> kNames[] = {{Delimiter::kBlanks, "Leerzeichen"},
                                                     {Delimiter::kTab, "Tabulator"},
                                                     {Delimiter::kSemicolon, "Semikolon"},
                                                     {Delimiter::kComma, "Komma"}};
  return NameIn(kNames, delimiter);
}

}  // namespace tav
