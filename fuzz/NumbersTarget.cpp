// SPDX-License-Identifier: GPL-3.0-or-later
// Number conversions: every text either converts or raises the conversion
// error naming exactly that text, and what NumberToText writes is read back.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <string>

#include "core/Error.h"
#include "core/Messages.h"
#include "core/NumberConversion.h"
#include "fuzz/FuzzSupport.h"
#include "fuzz/FuzzTargets.h"

namespace tav::fuzz {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The digits and decimal scale of a plain decimal text, when the conversion
// is exactly rounded for it: at most 19 significant digits and a scale of
// at most 27 in magnitude. Only called for texts that were accepted.
struct ExactCase {
  bool negative = false;
  std::string digits;  // without leading zeros
  int scale = 0;
};

std::optional<ExactCase> ExactlyRoundedCase(std::string_view text, char separator) {
  ExactCase exact;
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) exact.negative = text[i++] == '-';
  int fractionDigits = 0;
  bool inFraction = false;
  for (; i < text.size(); ++i) {
    if (IsDigit(text[i])) {
      if (!exact.digits.empty() || text[i] != '0') exact.digits.push_back(text[i]);
      if (inFraction) ++fractionDigits;
    } else if (text[i] == separator && !inFraction) {
      inFraction = true;
    } else {
      break;
    }
  }
  int exponent = 0;
  if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
    ++i;
    bool negativeExponent = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negativeExponent = text[i++] == '-';
    int count = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
      if (++count > 3) return std::nullopt;  // the 500 cut-off is not modelled here
      exponent = exponent * 10 + (text[i] - '0');
    }
    if (negativeExponent) exponent = -exponent;
  }
  if (exact.digits.size() > 19 || fractionDigits > 1000) return std::nullopt;
  exact.scale = exponent - fractionDigits;
  if (exact.scale < -27 || exact.scale > 27) return std::nullopt;
  return exact;
}

void CheckAgainstCLibrary(std::string_view text, char separator, Number value) {
  const std::optional<ExactCase> exact = ExactlyRoundedCase(text, separator);
  if (!exact) return;
  Number expected = 0.0L;
  if (!exact->digits.empty()) {
    // glibc's strtold rounds exactly; the text it gets has no locale-dependent parts.
    const std::string plain = exact->digits + "e" + std::to_string(exact->scale);
    expected = std::strtold(plain.c_str(), nullptr);
  }
  if (exact->negative) expected = -expected;
  Expect(value == expected, "TextToNumber(\"" + Printable(text) + "\") is not exactly rounded");
}

// Text written by NumberToText must always be a number again.
Number ReadBack(const std::string& written, char separator, std::string_view origin) {
  try {
    return TextToNumber(written, separator);
  } catch (const Error&) {
    throw PropertyViolation("NumberToText wrote \"" + Printable(written) + "\" for \"" +
                            Printable(origin) + "\", which is not read back");
  }
}

void CheckNumberText(std::string_view text, char separator) {
  Number value = 0.0L;
  try {
    value = TextToNumber(text, separator);
  } catch (const Error& error) {
    Expect(error.message() == FormatMessage(msg::kNotAFloat, {text}),
           "conversion error does not name the text exactly: " + Printable(error.message()));
    return;
  }
  Expect(std::isfinite(value), "TextToNumber gave a value that is not finite");
  CheckAgainstCLibrary(text, separator, value);

  const std::string written = NumberToText(value, 15, 0, separator);
  const Number again = ReadBack(written, separator, text);
  // Away from the ends of the range, fifteen digits read back are written the same way.
  const Number magnitude = std::fabs(again);
  if (magnitude == 0.0L || (magnitude > 1e-4900L && magnitude < 1e4900L)) {
    Expect(NumberToText(again, 15, 0, separator) == written,
           "NumberToText(TextToNumber(\"" + Printable(written) + "\")) changes the text");
  }
  // Three digits round up past the largest value near the top of the range.
  if (magnitude < 1e4900L) ReadBack(NumberToText(value, 3, 1, separator), separator, text);
}

void CheckIntegerText(std::string_view text) {
  std::int32_t value = 0;
  bool converted = false;
  try {
    value = TextToInteger(text);
    converted = true;
  } catch (const Error& error) {
    Expect(error.message() == FormatMessage(msg::kNotAnInteger, {text}),
           "integer error does not name the text exactly: " + Printable(error.message()));
  }
  if (converted) {
    const std::string written = IntegerToText(value);
    Expect(TextToInteger(written) == value, "IntegerToText does not read back: " + written);
    Expect(text.empty() || text.back() != ' ', "a trailing blank was accepted");
  }

  // Blanks, a sign and decimal digits to the end: accepted exactly when in range.
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  const std::size_t first = i;
  while (i < text.size() && IsDigit(text[i])) ++i;
  if (i != text.size() || i == first) return;
  std::int64_t magnitude = 0;
  for (std::size_t k = first; k < i && magnitude <= (std::int64_t{1} << 32); ++k)
    magnitude = magnitude * 10 + (text[k] - '0');
  const std::int64_t expected = negative ? -magnitude : magnitude;
  const bool inRange = expected >= std::numeric_limits<std::int32_t>::min() &&
                       expected <= std::numeric_limits<std::int32_t>::max();
  Expect(converted == inRange, "decimal integer \"" + Printable(text) + "\" " +
                                   (inRange ? "rejected" : "accepted out of range"));
  if (converted) Expect(value == expected, "decimal integer \"" + Printable(text) + "\" misread");
}

// The first ten bytes as an 80-bit value, whatever they encode (also the
// invalid encodings), with the following two bytes as precision and digits.
void CheckRawNumber(std::string_view input) {
  constexpr std::size_t kBytes = 10;
  if (input.size() < kBytes + 2 || std::numeric_limits<Number>::digits != 64) return;
  Number value = 0.0L;
  std::memcpy(&value, input.data(), kBytes);
  const int precision = static_cast<signed char>(input[kBytes]);
  const int exponentDigits = static_cast<signed char>(input[kBytes + 1]) % 8;
  Expect(!NumberToText(value, precision, exponentDigits, '.').empty(),
         "NumberToText wrote an empty text");
  const std::string written = NumberToText(value, 15, 0, '.');
  if (written == "NAN" || written == "INF" || written == "-INF") return;
  ReadBack(written, '.', Printable(input.substr(0, kBytes)));
}

}  // namespace

void FuzzNumbers(std::string_view input) {
  CheckNumberText(input, '.');
  CheckNumberText(input, ',');
  CheckIntegerText(input);
  CheckRawNumber(input);
}

}  // namespace tav::fuzz
