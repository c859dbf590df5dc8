// SPDX-License-Identifier: GPL-3.0-or-later
#include <cfloat>
#include <cmath>
#include <cstdint>

#include "core/DecimalSeparator.h"
#include "core/NumberConversion.h"
#include "core/PowersOfTen.h"

namespace tav {
namespace {

constexpr std::uint64_t kTenTo17 = 100'000'000'000'000'000ULL;
constexpr std::uint64_t kTenTo18 = 1'000'000'000'000'000'000ULL;

// |value| scaled by 10^(18 - exponent), rounded to a whole number with ties to
// even (the default rounding mode).
std::uint64_t ScaledDigits(Number magnitude, int exponent) {
  return static_cast<std::uint64_t>(std::nearbyint(ScaleByPowerOfTen(magnitude, 18 - exponent)));
}

// The 18 significant digits d1..d18 of a finite, normal, positive `magnitude`
// and its decimal exponent E: magnitude is about 0.d1d2...d18 times 10^E.
std::string EighteenDigits(Number magnitude, int& exponent) {
  const int binaryExponent = std::ilogb(magnitude);
  // floor(e * log10(2)) + 1, with log10(2) slightly underestimated as 19728 / 65536;
  // the shift of a negative product rounds towards minus infinity.
  exponent = ((binaryExponent * 19728) >> 16) + 1;
  std::uint64_t digits = ScaledDigits(magnitude, exponent);
  if (digits < kTenTo17) {
    // For tiny magnitudes the underestimate makes E one too high (a leading zero digit).
    --exponent;
    digits = ScaledDigits(magnitude, exponent);
  }
  if (digits >= kTenTo18) {
    // Ties to even, as the rounding of the scaled value.
    const std::uint64_t quotient = digits / 10;
    const std::uint64_t remainder = digits % 10;
    digits = quotient + ((remainder > 5 || (remainder == 5 && (quotient & 1) != 0)) ? 1 : 0);
    ++exponent;
  }
  std::string text(18, '0');
  for (int position = 17; position >= 0; --position) {
    text[static_cast<std::size_t>(position)] = static_cast<char>('0' + digits % 10);
    digits /= 10;
  }
  return text;
}

// Keeps `precision` digits rounding half up, then drops trailing zeros.
void RoundDigits(std::string& digits, int precision, int& exponent) {
  const auto kept = static_cast<std::size_t>(precision);
  if (kept < digits.size()) {
    const bool up = digits[kept] >= '5';
    digits.resize(kept);
    if (up) {
      std::size_t position = kept;
      while (position > 0 && digits[position - 1] == '9') --position;
      if (position == 0) {
        digits.assign(1, '1');
        ++exponent;
      } else {
        digits.resize(position);
        ++digits[position - 1];
      }
    }
  }
  const std::size_t last = digits.find_last_not_of('0');
  digits.resize(last == std::string::npos ? 1 : last + 1);
}

}  // namespace

std::string NumberToText(Number value, int precision, int exponentDigits) {
  return NumberToText(value, precision, exponentDigits, DecimalSeparator());
}

std::string NumberToText(Number value, int precision, int exponentDigits, char decimalSeparator) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  const Number magnitude = std::fabs(value);
  if (magnitude < LDBL_MIN) return "0";  // zero of either sign and subnormal values

  precision = precision < 2 ? 2 : (precision > 18 ? 18 : precision);
  if (exponentDigits > 4) exponentDigits = 0;

  int exponent = 0;
  std::string digits = EighteenDigits(magnitude, exponent);
  RoundDigits(digits, precision, exponent);

  std::string text;
  if (std::signbit(value)) text.push_back('-');
  if (exponent > precision || exponent < -3) {
    text.push_back(digits[0]);
    if (digits.size() > 1) {
      text.push_back(decimalSeparator);
      text.append(digits, 1);
    }
    text.push_back('E');
    const int shown = exponent - 1;
    if (shown < 0) text.push_back('-');
    std::string number = std::to_string(shown < 0 ? -shown : shown);
    if (static_cast<int>(number.size()) < exponentDigits) {
      text.append(static_cast<std::size_t>(exponentDigits) - number.size(), '0');
    }
    text.append(number);
  } else if (exponent <= 0) {
    text.push_back('0');
    text.push_back(decimalSeparator);
    text.append(static_cast<std::size_t>(-exponent), '0');
    text.append(digits);
  } else {
    const auto integerDigits = static_cast<std::size_t>(exponent);
    if (digits.size() <= integerDigits) {
      text.append(digits);
      text.append(integerDigits - digits.size(), '0');
    } else {
      text.append(digits, 0, integerDigits);
      text.push_back(decimalSeparator);
      text.append(digits, integerDigits);
    }
  }
  return text;
}

}  // namespace tav
