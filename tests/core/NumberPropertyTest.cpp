// SPDX-License-Identifier: GPL-3.0-or-later
// Properties of the number conversions checked against an exact reference:
// rounding done with integer arithmetic, never with the C library's strtold.
#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "core/NumberConversion.h"
#include "core/PowersOfTen.h"

namespace tav {
namespace {

// Just enough of an unsigned big integer for exact rounding references.
class BigUint {
 public:
  explicit BigUint(std::uint64_t value = 0) {
    limbs_ = {static_cast<std::uint32_t>(value), static_cast<std::uint32_t>(value >> 32)};
    Trim();
  }

  static BigUint PowerOfTen(int exponent) {
    BigUint result(1);
    for (int i = 0; i < exponent; ++i) result.MultiplySmall(10);
    return result;
  }

  void MultiplySmall(std::uint32_t factor) {
    std::uint64_t carry = 0;
    for (std::uint32_t& limb : limbs_) {
      const std::uint64_t product = std::uint64_t{limb} * factor + carry;
      limb = static_cast<std::uint32_t>(product);
      carry = product >> 32;
    }
    if (carry != 0) limbs_.push_back(static_cast<std::uint32_t>(carry));
  }

  BigUint operator*(const BigUint& other) const {
    BigUint result;
    result.limbs_.assign(limbs_.size() + other.limbs_.size(), 0);
    for (std::size_t i = 0; i < limbs_.size(); ++i) {
      std::uint64_t carry = 0;
      for (std::size_t j = 0; j < other.limbs_.size(); ++j) {
        const std::uint64_t sum =
            std::uint64_t{limbs_[i]} * other.limbs_[j] + result.limbs_[i + j] + carry;
        result.limbs_[i + j] = static_cast<std::uint32_t>(sum);
        carry = sum >> 32;
      }
      result.limbs_[i + other.limbs_.size()] = static_cast<std::uint32_t>(carry);
    }
    result.Trim();
    return result;
  }

  BigUint ShiftedLeft(int bits) const {
    BigUint result;
    const auto whole = static_cast<std::size_t>(bits / 32);
    const int part = bits % 32;
    result.limbs_.assign(limbs_.size() + whole + 1, 0);
    for (std::size_t i = 0; i < limbs_.size(); ++i) {
      const std::uint64_t moved = std::uint64_t{limbs_[i]} << part;
      result.limbs_[i + whole] |= static_cast<std::uint32_t>(moved);
      result.limbs_[i + whole + 1] |= static_cast<std::uint32_t>(moved >> 32);
    }
    result.Trim();
    return result;
  }

  int BitLength() const {
    if (limbs_.empty()) return 0;
    return static_cast<int>(32 * (limbs_.size() - 1)) + std::bit_width(limbs_.back());
  }

  bool IsZero() const { return limbs_.empty(); }

  friend int Compare(const BigUint& a, const BigUint& b) {
    if (a.limbs_.size() != b.limbs_.size()) return a.limbs_.size() < b.limbs_.size() ? -1 : 1;
    for (std::size_t i = a.limbs_.size(); i-- > 0;) {
      if (a.limbs_[i] != b.limbs_[i]) return a.limbs_[i] < b.limbs_[i] ? -1 : 1;
    }
    return 0;
  }

  // *this -= other, with *this >= other.
  void Subtract(const BigUint& other) {
    std::int64_t borrow = 0;
    for (std::size_t i = 0; i < limbs_.size(); ++i) {
      std::int64_t difference = std::int64_t{limbs_[i]} - borrow -
                                (i < other.limbs_.size() ? std::int64_t{other.limbs_[i]} : 0);
      borrow = difference < 0 ? 1 : 0;
      if (difference < 0) difference += std::int64_t{1} << 32;
      limbs_[i] = static_cast<std::uint32_t>(difference);
    }
    Trim();
  }

 private:
  void Trim() {
    while (!limbs_.empty() && limbs_.back() == 0) limbs_.pop_back();
  }

  std::vector<std::uint32_t> limbs_;
};

// numerator / denominator rounded to the nearest extended value, ties to an
// even significand (both positive; the quotient stays in the normal range).
Number RoundToExtended(const BigUint& numerator, const BigUint& denominator) {
  int shift = 64 - (numerator.BitLength() - denominator.BitLength());
  for (;;) {
    const BigUint scaledNumerator = shift > 0 ? numerator.ShiftedLeft(shift) : numerator;
    const BigUint scaledDenominator = shift < 0 ? denominator.ShiftedLeft(-shift) : denominator;
    // The quotient is below 2^65; one at or above 2^64 means one shift too many.
    if (Compare(scaledNumerator, scaledDenominator.ShiftedLeft(64)) >= 0) {
      --shift;
      continue;
    }
    BigUint remainder = scaledNumerator;
    std::uint64_t quotient = 0;
    for (int bit = 63; bit >= 0; --bit) {
      const BigUint part = scaledDenominator.ShiftedLeft(bit);
      if (Compare(remainder, part) >= 0) {
        remainder.Subtract(part);
        quotient |= std::uint64_t{1} << bit;
      }
    }
    if (quotient < (std::uint64_t{1} << 63)) {
      ++shift;
      continue;
    }
    const int half = Compare(remainder.ShiftedLeft(1), scaledDenominator);
    std::uint64_t significand = quotient;
    int exponent = -shift;
    if (half > 0 || (half == 0 && (significand & 1) != 0)) {
      if (++significand == 0) {
        significand = std::uint64_t{1} << 63;
        ++exponent;
      }
    }
    return std::ldexp(static_cast<Number>(significand), exponent);
  }
}

TEST(PowersOfTen, AreTheNearestExtendedValues) {
  const BigUint one(1);
  for (int k = 0; k < 32; ++k) {
    ASSERT_EQ(kPowersOfTen[static_cast<std::size_t>(k)],
              RoundToExtended(BigUint::PowerOfTen(k), one))
        << k;
  }
  for (int k = 0; k < 16; ++k) {
    ASSERT_EQ(kPowersOfTen32[static_cast<std::size_t>(k)],
              RoundToExtended(BigUint::PowerOfTen(32 * k), one))
        << 32 * k;
  }
  for (int k = 0; k < 10; ++k) {
    ASSERT_EQ(kPowersOfTen512[static_cast<std::size_t>(k)],
              RoundToExtended(BigUint::PowerOfTen(512 * k), one))
        << 512 * k;
  }
  // Exact up to 10^27.
  EXPECT_EQ(kPowersOfTen[27], 1e27L);
  EXPECT_EQ(kPowersOfTen[27] / kPowersOfTen[26], 10.0L);
}

TEST(TextToNumberProperty, ExactlyRoundedForNineteenDigitsAndSmallScales) {
  std::mt19937_64 random(20240611);
  std::vector<BigUint> powers;
  for (int k = 0; k <= 27; ++k) powers.push_back(BigUint::PowerOfTen(k));
  for (int round = 0; round < 20000; ++round) {
    // Up to 19 significant digits, a few leading zeros, a random split into
    // integer and fraction digits and an exponent that keeps the scale in ±27.
    const int significant = 1 + static_cast<int>(random() % 19);
    std::string digits(random() % 3, '0');
    digits.push_back(static_cast<char>('1' + random() % 9));
    for (int i = 1; i < significant; ++i) digits.push_back(static_cast<char>('0' + random() % 10));
    const std::size_t split = random() % (digits.size() + 1);
    const auto fractionDigits = static_cast<int>(digits.size() - split);
    const int scale = static_cast<int>(random() % 55) - 27;
    const int exponent = scale + fractionDigits;
    std::string text = digits.substr(0, split) + "." + digits.substr(split);
    if (exponent != 0 || random() % 2 == 0) text += "E" + std::to_string(exponent);
    if (random() % 2 == 0) text = "-" + text;

    const BigUint whole(std::stoull(digits));
    const Number magnitude =
        scale >= 0 ? RoundToExtended(whole * powers[static_cast<std::size_t>(scale)], BigUint(1))
                   : RoundToExtended(whole, powers[static_cast<std::size_t>(-scale)]);
    const Number expected = text[0] == '-' ? -magnitude : magnitude;
    ASSERT_EQ(TextToNumber(text, '.'), expected) << text;
  }
}

// The general format of a digit string d1d2... (d1 not 0, no trailing zeros)
// with decimal exponent E (value 0.d1d2... times 10^E), written independently.
std::string GeneralFormat(const std::string& digits, int exponent, int precision) {
  if (exponent > precision || exponent < -3) {
    std::string text = digits.substr(0, 1);
    if (digits.size() > 1) text += "." + digits.substr(1);
    return text + "E" + std::to_string(exponent - 1);
  }
  if (exponent <= 0) return "0." + std::string(static_cast<std::size_t>(-exponent), '0') + digits;
  std::string padded = digits;
  if (padded.size() < static_cast<std::size_t>(exponent))
    padded.resize(static_cast<std::size_t>(exponent), '0');
  std::string text = padded.substr(0, static_cast<std::size_t>(exponent));
  if (padded.size() > static_cast<std::size_t>(exponent)) {
    text += "." + padded.substr(static_cast<std::size_t>(exponent));
  }
  return text;
}

TEST(NumberToTextProperty, FifteenDigitDecimalsRoundTrip) {
  std::mt19937_64 random(7);
  for (int round = 0; round < 50000; ++round) {
    std::string digits(1, static_cast<char>('1' + random() % 9));
    const int count = 1 + static_cast<int>(random() % 15);
    for (int i = 1; i < count; ++i) digits.push_back(static_cast<char>('0' + random() % 10));
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    const int exponent = static_cast<int>(random() % 9801) - 4900;
    const bool negative = random() % 2 == 0;

    // Written as 0.d1d2...E<exponent>, or with the point after d1.
    std::string text = random() % 2 == 0 ? "0." + digits + "E" + std::to_string(exponent)
                                         : digits.substr(0, 1) + "." + digits.substr(1) + "e" +
                                               std::to_string(exponent - 1);
    if (negative) text = "-" + text;
    const std::string expected = (negative ? "-" : "") + GeneralFormat(digits, exponent, 15);
    ASSERT_EQ(NumberToText(TextToNumber(text, '.'), 15, 0, '.'), expected) << text;
    ASSERT_EQ(NumberToText(TextToNumber(expected, '.'), 15, 0, '.'), expected) << text;
  }
}

TEST(NumberToTextProperty, RandomValuesAreReadBack) {
  std::mt19937_64 random(99);
  for (int round = 0; round < 50000; ++round) {
    const std::uint64_t significand = random() | (std::uint64_t{1} << 63);
    const int binaryExponent = static_cast<int>(random() % 32765) - 16382;
    Number value = std::ldexp(static_cast<Number>(significand), binaryExponent - 63);
    if (random() % 2 == 0) value = -value;
    ASSERT_TRUE(std::isnormal(value));

    const std::string text = NumberToText(value, 15, 0, '.');
    Number back = 0;
    ASSERT_NO_THROW(back = TextToNumber(text, '.')) << text;
    // Fifteen digits are kept, so the value comes back to within 5E-15 relative.
    if (std::isnormal(back)) {
      ASSERT_LE(std::fabs(back - value) / std::fabs(value), 5.1e-15L) << text;
      if (std::abs(binaryExponent) < 16300) {
        ASSERT_EQ(NumberToText(back, 15, 0, '.'), text);
      }
    }
  }
}

TEST(NumberToTextProperty, EighteenDigitsNeverStartWithZero) {
  // Every binary exponent, at the bottom and the top of its binade; the
  // exponent estimate is one too high for some tiny magnitudes and one too low
  // for some large ones.
  for (int binaryExponent = -16382; binaryExponent <= 16383; ++binaryExponent) {
    if (binaryExponent > -15 && binaryExponent < 60) continue;  // plain decimal form
    for (const Number significand : {1.0L, 2.0L - LDBL_EPSILON, 1.5L}) {
      const Number value = std::ldexp(significand, binaryExponent);
      const std::string text = NumberToText(value, 18, 0, '.');
      ASSERT_NE(text[0], '0') << text;
      const std::size_t e = text.find('E');
      ASSERT_NE(e, std::string::npos) << text;
      const Number back = TextToNumber(text, '.');
      ASSERT_LE(std::fabs(back - value) / value, 1e-17L) << text;
      // The decimal exponent is the true one.
      const int decimalExponent = std::stoi(text.substr(e + 1));
      ASSERT_GE(std::fabs(value), 0.99999L * std::pow(10.0L, decimalExponent)) << text;
      ASSERT_LT(std::fabs(value), 10.0L * std::pow(10.0L, decimalExponent)) << text;
    }
  }
}

}  // namespace
}  // namespace tav
