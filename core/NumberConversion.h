#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tav {

// Numbers are held in the 80-bit extended format.
using Number = long double;

// Reads a decimal number: blanks (spaces only) around it, an optional sign,
// digits with an optional decimal separator and fraction, an optional exponent.
// Rounds exactly as the extended-precision digit accumulation and the
// three-step power-of-ten scaling do. Throws Error "'%s' ist kein gültiger
// Gleitkommawert" naming `text` unchanged when it is not a number.
Number TextToNumber(std::string_view text);
Number TextToNumber(std::string_view text, char decimalSeparator);

// Writes `value` in the general format with `precision` significant digits
// (bounded to 2..18) and at least `exponentDigits` exponent digits (above 4
// counts as 0). Never throws.
std::string NumberToText(Number value, int precision = 15, int exponentDigits = 0);
std::string NumberToText(Number value, int precision, int exponentDigits, char decimalSeparator);

// Reads a signed 32-bit integer, decimal or hexadecimal ("$", "x", "0x").
// Throws Error "'%s' ist kein gültiger Integerwert" naming `text` unchanged.
std::int32_t TextToInteger(std::string_view text);

std::string IntegerToText(std::int64_t value);

}  // namespace tav
