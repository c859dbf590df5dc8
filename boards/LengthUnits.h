// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

#include "core/NumberConversion.h"

namespace tav {

// Units of board coordinates; kUnspecified where nothing names one.
enum class LengthUnit { kUnspecified, kMm, kMil, kInch };

// A coordinate text cut into its number and the unit of its suffix.
struct UnitSuffix {
  std::string_view number;  // the text before the suffix, blanks kept
  LengthUnit unit = LengthUnit::kUnspecified;
};

// Finds a unit suffix at the end of `value` (trailing blanks ignored): "mm",
// "mil", "in" or "inch", in any case, with or without blanks before it.
// Without a suffix, `number` is the whole value.
UnitSuffix SplitUnitSuffix(std::string_view value) noexcept;

// The unit a word names: "mm", "mil", "in", "inch" or "inches", in any case.
LengthUnit UnitOfWord(std::string_view word) noexcept;

// The unit of a banner line "Units used: mil" (or mm, in, inch), also when a
// spreadsheet re-save quoted it or added delimiters after it.
LengthUnit BannerUnit(std::string_view line) noexcept;

// A value in `unit` in millimetres, the product formed in extended precision.
Number ToMillimetres(Number value, LengthUnit unit) noexcept;

// Short name of the unit ("mm", "mil", "inch").
std::string_view UnitName(LengthUnit unit) noexcept;

// Whether `text` starts with `prefix`, ASCII letters compared in any case.
bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) noexcept;

}  // namespace tav
