// SPDX-License-Identifier: GPL-3.0-or-later
#include <cmath>

#include "core/DecimalSeparator.h"
#include "core/Error.h"
#include "core/Messages.h"
#include "core/NumberConversion.h"
#include "core/PowersOfTen.h"

namespace tav {
namespace {

bool IsDigit(char c) noexcept { return c >= '0' && c <= '9'; }

}  // namespace

Number TextToNumber(std::string_view text) { return TextToNumber(text, DecimalSeparator()); }

Number TextToNumber(std::string_view text, char decimalSeparator) {
  const std::optional<Number> value = TryTextToNumber(text, decimalSeparator);
  if (!value) throw Error(FormatMessage(msg::kNotAFloat, {text}));
  return *value;
}

Number ReadNumber(std::string_view text) {
  const std::optional<Number> value = TryReadNumber(text);
  if (!value) throw Error(FormatMessage(msg::kNotAFloat, {text}));
  return *value;
}

std::optional<Number> TryReadNumber(std::string_view text) noexcept {
  // A number holds at most one separator, so at most one of the two readings
  // can succeed where they differ.
  if (const std::optional<Number> value = TryTextToNumber(text, '.')) return value;
  return TryTextToNumber(text, ',');
}

std::optional<Number> TryTextToNumber(std::string_view text, char decimalSeparator) noexcept {
  std::size_t i = 0;
  const std::size_t size = text.size();
  while (i < size && text[i] == ' ') ++i;

  bool negative = false;
  if (i < size && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';

  // The integer and fraction digits together form one whole number; each step
  // (times ten, plus the digit) is rounded to extended precision.
  Number whole = 0.0L;
  bool tookMantissa = false;
  int fractionDigits = 0;
  while (i < size && IsDigit(text[i])) {
    whole = whole * 10.0L + static_cast<Number>(text[i++] - '0');
    tookMantissa = true;
  }
  if (i < size && text[i] == decimalSeparator) {
    ++i;
    tookMantissa = true;
    while (i < size && IsDigit(text[i])) {
      whole = whole * 10.0L + static_cast<Number>(text[i++] - '0');
      // More fraction digits than this give zero anyway (scale below -5120).
      if (fractionDigits < 1'000'000) ++fractionDigits;
    }
  }
  if (!tookMantissa) return std::nullopt;

  int exponent = 0;
  if (i < size && (text[i] == 'E' || text[i] == 'e')) {
    ++i;
    bool negativeExponent = false;
    if (i < size && (text[i] == '+' || text[i] == '-')) negativeExponent = text[i++] == '-';
    // Digits are taken only while the value read so far is below 500.
    while (i < size && IsDigit(text[i]) && exponent < 500)
      exponent = exponent * 10 + (text[i++] - '0');
    if (negativeExponent) exponent = -exponent;
  }

  while (i < size && text[i] == ' ') ++i;
  if (i != size) return std::nullopt;

  Number value = ScaleByPowerOfTen(whole, exponent - fractionDigits);
  if (std::isinf(value)) return std::nullopt;
  return negative ? -value : value;
}

}  // namespace tav
