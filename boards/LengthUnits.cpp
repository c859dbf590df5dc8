// SPDX-License-Identifier: GPL-3.0-or-later
#include "boards/LengthUnits.h"

#include "boards/BoardLines.h"
#include "boards/NamedValues.h"

namespace tav {
namespace {

char Lower(char c) noexcept { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualIgnoringCase(std::string_view a, std::string_view b) noexcept {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return true;
}

bool EndsWithIgnoringCase(std::string_view text, std::string_view suffix) noexcept {
  return text.size() >= suffix.size() &&
         EqualIgnoringCase(text.substr(text.size() - suffix.size()), suffix);
}

}  // namespace

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) noexcept {
  return text.size() >= prefix.size() && EqualIgnoringCase(text.substr(0, prefix.size()), prefix);
}

UnitSuffix SplitUnitSuffix(std::string_view value) noexcept {
  std::string_view text = value;
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  // "inch" before "in", so "12inch" does not leave "12inc".
  static constexpr struct {
    std::string_view suffix;
    LengthUnit unit;
  } kSuffixes[] = {{"inch", LengthUnit::kInch},
                   {"mil", LengthUnit::kMil},
                   {"mm", LengthUnit::kMm},
                   {"in", LengthUnit::kInch}};
  for (const auto& entry : kSuffixes) {
    if (EndsWithIgnoringCase(text, entry.suffix))
      return {text.substr(0, text.size() - entry.suffix.size()), entry.unit};
  }
  return {value, LengthUnit::kUnspecified};
}

LengthUnit UnitOfWord(std::string_view word) noexcept {
  if (EqualIgnoringCase(word, "mm")) return LengthUnit::kMm;
  if (EqualIgnoringCase(word, "mil")) return LengthUnit::kMil;
  if (EqualIgnoringCase(word, "in") || EqualIgnoringCase(word, "inch") ||
      EqualIgnoringCase(word, "inches"))
    return LengthUnit::kInch;
  return LengthUnit::kUnspecified;
}

LengthUnit BannerUnit(std::string_view line) noexcept {
  std::string_view text = TrimBlanks(line);
  while (!text.empty() && (text.front() == '"' || text.front() == '#')) text.remove_prefix(1);
  text = TrimBlanks(text);
  static constexpr std::string_view kLabel = "units used";
  if (!StartsWithIgnoringCase(text, kLabel)) return LengthUnit::kUnspecified;
  text = TrimBlanks(text.substr(kLabel.size()));
  if (text.empty() || text.front() != ':') return LengthUnit::kUnspecified;
  text.remove_prefix(1);
  // The unit word ends at the first character that cannot belong to it.
  text = TrimBlanks(text);
  std::size_t end = 0;
  while (end < text.size() &&
         ((text[end] >= 'a' && text[end] <= 'z') || (text[end] >= 'A' && text[end] <= 'Z')))
    ++end;
  const std::string_view rest = text.substr(end);
  if (rest.find_first_not_of(" \t\",;") != std::string_view::npos) return LengthUnit::kUnspecified;
  return UnitOfWord(text.substr(0, end));
}

Number ToMillimetres(Number value, LengthUnit unit) noexcept {
  switch (unit) {
    case LengthUnit::kMil:
      return value * 0.0254L;
    case LengthUnit::kInch:
      return value * 25.4L;
    case LengthUnit::kMm:
    case LengthUnit::kUnspecified:
      break;
  }
  return value;
}

std::string_view UnitName(LengthUnit unit) noexcept {
  // An unspecified unit is read as mm, and so named.
  static constexpr NamedValue<LengthUnit> kNames[] = {
      {LengthUnit::kMm, "mm"}, {LengthUnit::kMil, "mil"}, {LengthUnit::kInch, "inch"}};
  return NameIn(kNames, unit);
}

}  // namespace tav
