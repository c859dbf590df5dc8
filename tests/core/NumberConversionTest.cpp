// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <string>

#include "core/DecimalSeparator.h"
#include "core/Error.h"
#include "core/NumberConversion.h"
#include "support/ErrorOf.h"

namespace tav {
namespace {

// Sets the process-wide decimal separator for one test and restores it after.
class SeparatorScope {
 public:
  explicit SeparatorScope(char separator) : saved_(DecimalSeparator()) {
    SetDecimalSeparator(separator);
  }
  SeparatorScope(const SeparatorScope&) = delete;
  SeparatorScope& operator=(const SeparatorScope&) = delete;
  ~SeparatorScope() { SetDecimalSeparator(saved_); }

 private:
  char saved_;
};

using test::ErrorOf;

// ---------------------------------------------------------------- TextToNumber

struct NumberRow {
  bool valid;
  char separator;
  std::string input;
  Number value;
};

class TextToNumberTest : public ::testing::TestWithParam<NumberRow> {};

TEST_P(TextToNumberTest, Reads) {
  const NumberRow& row = GetParam();
  SeparatorScope scope(row.separator);
  if (row.valid) {
    Number value = 0;
    ASSERT_NO_THROW(value = TextToNumber(row.input)) << "«" << row.input << "»";
    EXPECT_EQ(value, row.value) << "«" << row.input << "»";
    EXPECT_EQ(std::signbit(value), std::signbit(row.value)) << "«" << row.input << "»";
  } else {
    EXPECT_EQ(ErrorOf([&] { TextToNumber(row.input); }),
              "'" + row.input + "' ist kein g\xFCltiger Gleitkommawert");
  }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, TextToNumberTest, ::testing::Values(
    NumberRow{true,  '.', "12.5",        12.5L},
    NumberRow{true,  '.', "  -3.25  ",   -3.25L},
    NumberRow{true,  '.', "+7",          7.0L},
    NumberRow{true,  '.', "1E3",         1000.0L},
    NumberRow{true,  '.', "1e+3",        1000.0L},
    NumberRow{true,  '.', "1.5e-5",      0.000015L},
    NumberRow{true,  '.', ".5",          0.5L},
    NumberRow{true,  '.', "5.",          5.0L},
    NumberRow{true,  '.', ".",           0.0L},
    NumberRow{true,  '.', "1E",          1.0L},
    NumberRow{true,  '.', "1E+",         1.0L},
    NumberRow{true,  '.', "1e-",         1.0L},
    NumberRow{true,  '.', "007",         7.0L},
    NumberRow{true,  '.', "-0",          -0.0L},
    NumberRow{true,  '.', "-.",          -0.0L},
    NumberRow{true,  '.', "0.1",         0.1L},
    NumberRow{true,  '.', "123.456e2",   12345.6L},
    NumberRow{true,  '.', "1E0000000003", 1000.0L},
    NumberRow{true,  '.', "1E27",        1e27L},
    NumberRow{true,  '.', "1234567890123456789E-27", 1234567890123456789e-27L},
    NumberRow{true,  '.', "1E-4999",     0.0L},
    NumberRow{true,  '.', "-1E-4999",    -0.0L},
    NumberRow{false, '.', "",            0},
    NumberRow{false, '.', " ",           0},
    NumberRow{false, '.', "-",           0},
    NumberRow{false, '.', "- 5",         0},
    NumberRow{false, '.', "E5",          0},
    NumberRow{false, '.', "--7",         0},
    NumberRow{false, '.', "1 000",       0},
    NumberRow{false, '.', "12.5mm",      0},
    NumberRow{false, '.', "1,5",         0},
    NumberRow{false, '.', "0x10",        0},
    NumberRow{false, '.', "1E5000",      0},
    NumberRow{false, '.', "1E4933",      0},
    NumberRow{false, '.', "\t1",         0},
    NumberRow{false, '.', "1\t",         0},
    NumberRow{false, '.', "1..2",        0},
    NumberRow{false, '.', "1E5.",        0},
    NumberRow{false, '.', "1E+-5",       0},
    NumberRow{false, '.', "+-1",         0},
    NumberRow{false, '.', "inf",         0},
    NumberRow{false, '.', "nan",         0},
    NumberRow{false, '.', std::string("1\0", 2), 0},
    NumberRow{false, '.', "  1 2  ",     0},
    NumberRow{true,  ',', "12,5",        12.5L},
    NumberRow{true,  ',', " -0,25e1 ",   -2.5L},
    NumberRow{false, ',', "12.5",        0},
    NumberRow{false, ',', "0.00",        0},
    NumberRow{false, ',', "1,000,0",     0}));
// clang-format on

TEST(TextToNumber, ExplicitSeparatorIgnoresTheGlobalOne) {
  SeparatorScope scope('.');
  EXPECT_EQ(TextToNumber("12,5", ','), 12.5L);
  EXPECT_THROW(TextToNumber("12.5", ','), Error);
  EXPECT_EQ(TextToNumber("12.5", '.'), 12.5L);
}

TEST(TextToNumber, ChangedSeparatorAppliesToTheNextConversion) {
  SeparatorScope scope('.');
  EXPECT_EQ(TextToNumber("0.5"), 0.5L);
  SetDecimalSeparator(',');
  EXPECT_EQ(TextToNumber("0,5"), 0.5L);
  EXPECT_THROW(TextToNumber("0.5"), Error);
}

TEST(TextToNumber, ExtremesOfTheRange) {
  const Number largest = TextToNumber("1.18973149535723E4932", '.');
  EXPECT_EQ(NumberToText(largest, 15, 0, '.'), "1.18973149535723E4932");
  EXPECT_THROW(TextToNumber("1.2E4932", '.'), Error);
  EXPECT_EQ(NumberToText(TextToNumber("1E4932", '.'), 15, 0, '.'), "1E4932");
  EXPECT_EQ(NumberToText(TextToNumber("3.3621031431121E-4932", '.'), 15, 0, '.'),
            "3.3621031431121E-4932");
  // The smallest normal value is written rounded down, which reads back as a
  // subnormal value, written "0".
  EXPECT_EQ(NumberToText(LDBL_MIN, 15, 0, '.'), "3.36210314311209E-4932");
  EXPECT_EQ(NumberToText(TextToNumber("3.36210314311209E-4932", '.'), 15, 0, '.'), "0");
  // Below the normal range: subnormal values, then zero, without error.
  const Number subnormal = TextToNumber("1E-4940", '.');
  EXPECT_GT(subnormal, 0.0L);
  EXPECT_LT(subnormal, LDBL_MIN);
  EXPECT_EQ(TextToNumber("1E-4960", '.'), 0.0L);
}

TEST(TextToNumber, ManyDigits) {
  // The whole number overflows long before the scale brings it back.
  const std::string many = "1" + std::string(5000, '0');
  EXPECT_THROW(TextToNumber(many, '.'), Error);
  EXPECT_THROW(TextToNumber("0." + many, '.'), Error);
  // Leading zeros in the fraction only shrink the value.
  EXPECT_EQ(TextToNumber("0." + std::string(30, '0') + "1E31", '.'), 1.0L);
  // A scale of -5120 or less gives zero even for a huge whole number.
  EXPECT_EQ(TextToNumber("0." + std::string(6000, '9'), '.'), 0.0L);
  // A million fraction digits are read quickly.
  EXPECT_EQ(TextToNumber("0." + std::string(1'000'000, '0'), '.'), 0.0L);
}

TEST(TextToNumber, ExponentDigitsStopAtFiveHundred) {
  // Leading zeros keep the value below 500; 499 still takes a fourth digit.
  EXPECT_EQ(TextToNumber("1E-0499", '.'), TextToNumber("1E-499", '.'));
  EXPECT_EQ(TextToNumber("1E-4999", '.'), 0.0L);
  EXPECT_EQ(NumberToText(TextToNumber("1E0000000000000000000003", '.'), 15, 0, '.'), "1000");
  // 500 is reached after three digits: the fourth is left and rejected.
  EXPECT_THROW(TextToNumber("1E-5000", '.'), Error);
  EXPECT_THROW(TextToNumber("1E5009", '.'), Error);
}

TEST(TextToNumber, SumsInExtendedPrecision) {
  EXPECT_EQ(NumberToText(TextToNumber("0.1", '.') + TextToNumber("0.2", '.'), 15, 0, '.'), "0.3");
  EXPECT_EQ(NumberToText(TextToNumber("0.00", '.') + TextToNumber("0.00", '.'), 15, 0, '.'), "0");
  EXPECT_EQ(NumberToText(TextToNumber("1.5", '.') + TextToNumber("2.25", '.'), 15, 0, '.'), "3.75");
  EXPECT_EQ(NumberToText(TextToNumber("10", '.') + TextToNumber("-12.5", '.'), 15, 0, '.'), "-2.5");
}

// ---------------------------------------------------------------- NumberToText

struct TextRow {
  Number value;
  int precision;
  int exponentDigits;
  std::string text;
};

class NumberToTextTest : public ::testing::TestWithParam<TextRow> {};

TEST_P(NumberToTextTest, Writes) {
  const TextRow& row = GetParam();
  SeparatorScope scope('.');
  EXPECT_EQ(NumberToText(row.value, row.precision, row.exponentDigits), row.text);
}

constexpr Number kInf = std::numeric_limits<Number>::infinity();

// clang-format off
INSTANTIATE_TEST_SUITE_P(GeneralFifteen, NumberToTextTest, ::testing::Values(
    TextRow{0.0L,                      15, 0, "0"},
    TextRow{-0.0L,                     15, 0, "0"},
    TextRow{12.5L,                     15, 0, "12.5"},
    TextRow{-2.5L,                     15, 0, "-2.5"},
    TextRow{100.0L,                    15, 0, "100"},
    TextRow{1234567.891L,              15, 0, "1234567.891"},
    TextRow{1.0L / 3.0L,               15, 0, "0.333333333333333"},
    TextRow{2.0L / 3.0L,               15, 0, "0.666666666666667"},
    TextRow{0.0001L,                   15, 0, "0.0001"},
    TextRow{0.00001L,                  15, 0, "1E-5"},
    TextRow{0.000015L,                 15, 0, "1.5E-5"},
    TextRow{999999999999999.0L,        15, 0, "999999999999999"},
    TextRow{1e15L,                     15, 0, "1E15"},
    TextRow{123456789012345678.0L,     15, 0, "1.23456789012346E17"},
    TextRow{1e100L,                    15, 0, "1E100"},
    TextRow{9999999999999999.0L,       15, 0, "1E16"},
    TextRow{999999999999999.5L,        15, 0, "1E15"},
    TextRow{99999999999999.5L,         15, 0, "99999999999999.5"},
    TextRow{0.00099999999999999995L,   15, 0, "0.001"},
    TextRow{1e-100L,                   15, 0, "1E-100"},
    TextRow{-1.5e300L,                 15, 0, "-1.5E300"},
    TextRow{LDBL_MAX,                  15, 0, "1.18973149535723E4932"},
    TextRow{LDBL_MIN,                  15, 0, "3.36210314311209E-4932"},
    TextRow{LDBL_MIN / 2,              15, 0, "0"},
    TextRow{-LDBL_TRUE_MIN,            15, 0, "0"},
    TextRow{kInf,                      15, 0, "INF"},
    TextRow{-kInf,                     15, 0, "-INF"},
    TextRow{std::numeric_limits<Number>::quiet_NaN(), 15, 0, "NAN"}));

INSTANTIATE_TEST_SUITE_P(ScaleLabels, NumberToTextTest, ::testing::Values(
    TextRow{438.0L / 100.0L,           3, 1, "4.38"},
    TextRow{400.0L / 120.0L,           3, 1, "3.33"},
    TextRow{640.0L / 20.0L,            3, 1, "32"},
    TextRow{0.125L,                    3, 1, "0.125"},
    TextRow{12.25L,                    3, 1, "12.3"},
    TextRow{1234.0L,                   3, 1, "1.23E3"},
    TextRow{999.5L,                    3, 1, "1E3"},
    TextRow{0.000123L,                 3, 1, "0.000123"},
    TextRow{0.0000123L,                3, 1, "1.23E-5"}));

INSTANTIATE_TEST_SUITE_P(PrecisionAndExponentDigits, NumberToTextTest, ::testing::Values(
    TextRow{1.0L / 3.0L,               1,  0, "0.33"},
    TextRow{1.0L / 3.0L,               -5, 0, "0.33"},
    TextRow{1.0L / 3.0L,               18, 0, "0.333333333333333333"},
    TextRow{1.0L / 3.0L,               40, 0, "0.333333333333333333"},
    TextRow{123456789012345678.0L,     18, 0, "123456789012345678"},
    TextRow{1234.0L,                   2,  0, "1.2E3"},
    TextRow{1234.0L,                   2,  4, "1.2E0003"},
    TextRow{1234.0L,                   2,  5, "1.2E3"},
    TextRow{0.0000123L,                3,  2, "1.23E-05"},
    TextRow{1e100L,                    15, 2, "1E100"},
    TextRow{1e100L,                    15, 4, "1E0100"},
    TextRow{1e15L,                     16, 0, "1000000000000000"},
    TextRow{0.95L,                     2,  0, "0.95"},
    TextRow{0.995L,                    2,  0, "1"},
    TextRow{95.0L,                     2,  0, "95"},
    TextRow{99.5L,                     2,  0, "1E2"},
    TextRow{0.00015L,                  2,  0, "0.00015"},
    TextRow{0.000095L,                 2,  0, "9.5E-5"},
    TextRow{0.0000995L,                2,  0, "0.0001"}));
// clang-format on

TEST(NumberToText, UsesTheSeparatorOfTheMoment) {
  SeparatorScope scope(',');
  EXPECT_EQ(NumberToText(12.5L), "12,5");
  EXPECT_EQ(NumberToText(TextToNumber("12,5")), "12,5");
  EXPECT_EQ(NumberToText(0.000015L), "1,5E-5");
  EXPECT_EQ(NumberToText(12.5L, 15, 0, '.'), "12.5");
  SetDecimalSeparator('.');
  EXPECT_EQ(NumberToText(12.5L), "12.5");
}

TEST(NumberToText, EveryPowerOfTen) {
  for (int k = -4930; k <= 4932; ++k) {
    const std::string text = "1E" + std::to_string(k);
    const Number value = TextToNumber(text, '.');
    std::string expected;
    if (k >= 0 && k < 15) {
      expected = "1" + std::string(static_cast<std::size_t>(k), '0');
    } else if (k < 0 && k >= -4) {
      expected = "0." + std::string(static_cast<std::size_t>(-k - 1), '0') + "1";
    } else {
      expected = text;
    }
    ASSERT_EQ(NumberToText(value, 15, 0, '.'), expected);
  }
}

// ---------------------------------------------------------------- integers

struct IntegerRow {
  bool valid;
  std::string input;
  std::int32_t value;
};

class TextToIntegerTest : public ::testing::TestWithParam<IntegerRow> {};

TEST_P(TextToIntegerTest, Reads) {
  const IntegerRow& row = GetParam();
  if (row.valid) {
    EXPECT_EQ(TextToInteger(row.input), row.value) << "«" << row.input << "»";
  } else {
    EXPECT_EQ(ErrorOf([&] { TextToInteger(row.input); }),
              "'" + row.input + "' ist kein g\xFCltiger Integerwert");
  }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, TextToIntegerTest, ::testing::Values(
    IntegerRow{true,  "007",          7},
    IntegerRow{true,  "0",            0},
    IntegerRow{true,  "42",           42},
    IntegerRow{true,  "  42",         42},
    IntegerRow{true,  "-0",           0},
    IntegerRow{true,  "-2147483648",  -2147483647 - 1},
    IntegerRow{true,  "2147483647",   2147483647},
    IntegerRow{true,  "+2147483647",  2147483647},
    IntegerRow{true,  "00000000000000000000012", 12},
    IntegerRow{true,  "+$A",          10},
    IntegerRow{true,  "-0x10",        -16},
    IntegerRow{true,  "$FFFFFFFF",    -1},
    IntegerRow{true,  "$ffffffff",    -1},
    IntegerRow{true,  "0X7fffffff",   2147483647},
    IntegerRow{true,  "$80000000",    -2147483647 - 1},
    IntegerRow{true,  "-$80000000",   -2147483647 - 1},
    IntegerRow{true,  "-$FFFFFFFF",   1},
    IntegerRow{true,  "x1F",          31},
    IntegerRow{true,  "X1f",          31},
    IntegerRow{true,  "$000000000000001", 1},
    IntegerRow{false, "",             0},
    IntegerRow{false, " ",            0},
    IntegerRow{false, "-",            0},
    IntegerRow{false, "+",            0},
    IntegerRow{false, "$",            0},
    IntegerRow{false, "0x",           0},
    IntegerRow{false, "-0x",          0},
    IntegerRow{false, "12 ",          0},
    IntegerRow{false, "1 2",          0},
    IntegerRow{false, "1.0",          0},
    IntegerRow{false, "1e3",          0},
    IntegerRow{false, "2147483648",   0},
    IntegerRow{false, "-2147483649",  0},
    IntegerRow{false, "99999999999999999999", 0},
    IntegerRow{false, "$100000000",   0},
    IntegerRow{false, "$G",           0},
    IntegerRow{false, "$ 1",          0},
    IntegerRow{false, "0x-1",         0},
    IntegerRow{false, "--1",          0},
    IntegerRow{false, "\t1",          0},
    IntegerRow{false, "1\t",          0},
    IntegerRow{false, "0b1",          0}));
// clang-format on

TEST(IntegerToText, DecimalWithoutLeadingZeros) {
  EXPECT_EQ(IntegerToText(0), "0");
  EXPECT_EQ(IntegerToText(42), "42");
  EXPECT_EQ(IntegerToText(-7), "-7");
  EXPECT_EQ(IntegerToText(-2147483647 - 1), "-2147483648");
  EXPECT_EQ(IntegerToText(2147483647), "2147483647");
  EXPECT_EQ(IntegerToText(10'000'000'000LL), "10000000000");
}

TEST(IntegerToText, RoundTripsThroughTextToInteger) {
  for (std::int64_t value = -2147483648LL; value <= 2147483647LL; value += 65'537) {
    ASSERT_EQ(TextToInteger(IntegerToText(value)), value);
  }
}

// Texts typed or stored under any regional setting read the same under every
// separator: "." and "," are both decimal separators, nothing else is.
TEST(ReadNumber, TakesPointOrCommaUnderEverySeparator) {
  for (const char separator : {'.', ','}) {
    SetDecimalSeparator(separator);
    EXPECT_EQ(ReadNumber("10,5"), 10.5L);
    EXPECT_EQ(ReadNumber(" -2.25 "), -2.25L);
    EXPECT_EQ(ReadNumber("1,5e3"), 1500.0L);
    for (const char* none : {"1.000,5", "1,5,0", "1;5", "", "12.5mm"})
      EXPECT_FALSE(TryReadNumber(none)) << none;
    EXPECT_EQ(ErrorOf([] { ReadNumber("1.000,5"); }),
              "'1.000,5' ist kein g\xFCltiger Gleitkommawert");
  }
  SetDecimalSeparator('.');
}

}  // namespace
}  // namespace tav
