#include "boards/FieldSplitting.h"

#include <array>

namespace tav {
namespace {

bool IsBlank(char c) noexcept { return c == ' ' || c == '\t'; }

void TrimField(std::string& field) {
  std::size_t end = field.size();
  while (end > 0 && IsBlank(field[end - 1])) --end;
  std::size_t begin = 0;
  while (begin < end && IsBlank(field[begin])) ++begin;
  if (end < field.size()) field.erase(end);
  if (begin > 0) field.erase(0, begin);
}

}  // namespace

void SplitBoardFields(std::string_view line, Delimiter delimiter,
                      std::vector<std::string>& fields) {
  const bool blanks = delimiter == Delimiter::kBlanks;
  const char separator = delimiter == Delimiter::kTab         ? '\t'
                         : delimiter == Delimiter::kSemicolon ? ';'
                                                              : ',';
  const auto isSeparator = [&](char c) { return blanks ? IsBlank(c) : c == separator; };
  // Blanks before a field's opening quote; a TAB is never one when it separates.
  const auto isPadding = [&](char c) { return c == ' ' || (c == '\t' && separator != '\t'); };

  std::size_t count = 0;
  std::size_t pos = 0;
  const std::size_t size = line.size();
  if (blanks) {
    while (pos < size && IsBlank(line[pos])) ++pos;
    if (pos == size) {
      fields.clear();
      return;
    }
  }
  while (true) {
    if (count == fields.size()) fields.emplace_back();
    std::string& field = fields[count++];
    field.clear();
    std::size_t start = pos;
    while (pos < size && isPadding(line[pos])) ++pos;
    if (pos < size && line[pos] == '"') {
      ++pos;
      while (pos < size) {
        if (line[pos] != '"') {
          field.push_back(line[pos++]);
        } else if (pos + 1 < size && line[pos + 1] == '"') {
          field.push_back('"');
          pos += 2;
        } else {
          ++pos;
          break;
        }
      }
      start = pos;
    } else {
      pos = start;
    }
    while (pos < size && !isSeparator(line[pos])) ++pos;
    field.append(line.substr(start, pos - start));
    TrimField(field);
    if (pos == size) break;
    if (blanks) {
      while (pos < size && IsBlank(line[pos])) ++pos;
      if (pos == size) break;
    } else {
      ++pos;
    }
  }
  fields.resize(count);
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
  switch (delimiter) {
    case Delimiter::kTab:
      return "Tabulator";
    case Delimiter::kSemicolon:
      return "Semikolon";
    case Delimiter::kComma:
      return "Komma";
    case Delimiter::kBlanks:
      break;
  }
  return "Leerzeichen";
}

}  // namespace tav
