// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tav {

// Numbers are held in the 80-bit extended format.
using Number = long double;

// Every conversion here uses the decimal separator it is given, or, in the
// overloads without one, DecimalSeparator() at the moment of the call; the C
// library's locale is never consulted. No thousands separator is accepted or
// written.

// Reads a decimal number: blanks (spaces only) around it, an optional sign,
// digits with an optional decimal separator and fraction, an optional exponent
// ("E" or "e", optional sign, digits taken while the value read is below 500).
// Rounds exactly as the extended-precision digit accumulation and the
// three-step power-of-ten scaling do: up to 19 digits with a scale within ±27
// give the exactly rounded value. Values too small for the range become
// subnormal or zero; "-0" gives a negative zero. Throws Error "'%s' ist kein
// gültiger Gleitkommawert" naming `text` unchanged when it is not a number or
// lies beyond the extended range.
Number TextToNumber(std::string_view text);
Number TextToNumber(std::string_view text, char decimalSeparator);
// The same reading without the error: nothing when `text` is not a number.
std::optional<Number> TryTextToNumber(std::string_view text, char decimalSeparator) noexcept;

// Reads a number typed or stored by a user of any regional setting: "." and
// "," are both taken as the decimal separator (none of the fields that hold
// such numbers has a thousands separator), so a file saved under one setting
// reads the same under every other. Throws the error of TextToNumber naming
// `text` unchanged; the other form gives nothing instead.
Number ReadNumber(std::string_view text);
std::optional<Number> TryReadNumber(std::string_view text) noexcept;

// Writes `value` in the general format with `precision` significant digits
// (bounded to 2..18, rounded half up) and at least `exponentDigits` exponent
// digits (above 4 counts as 0): plain decimals for rounded magnitudes from
// 0.0001 up to below 10^precision, otherwise scientific ("1.5E-5", "1E15").
// Zero, negative zero and subnormal values give "0"; infinities "INF" and
// "-INF"; not-a-number "NAN". Never throws anything but std::bad_alloc.
std::string NumberToText(Number value, int precision = 15, int exponentDigits = 0);
std::string NumberToText(Number value, int precision, int exponentDigits, char decimalSeparator);

// Reads a signed 32-bit integer, decimal or hexadecimal ("$", "x", "0x"; up to
// FFFFFFFF taken as two's complement), after blanks (spaces only) and an
// optional sign; nothing may follow. Throws Error "'%s' ist kein gültiger
// Integerwert" naming `text` unchanged.
std::int32_t TextToInteger(std::string_view text);

// Decimal digits with a leading "-" for negative values; wide enough for counts.
std::string IntegerToText(std::int64_t value);

}  // namespace tav
