// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/TextOperations.h"

namespace tav {
namespace {

using Fields = std::vector<std::string>;

struct SplitRow {
  std::string line;
  Fields fields;
};

class SplitFieldsTest : public ::testing::TestWithParam<SplitRow> {};

TEST_P(SplitFieldsTest, CutsAtEverySeparator) {
  const SplitRow& row = GetParam();
  EXPECT_EQ(SplitFields(row.line, ','), row.fields);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, SplitFieldsTest, ::testing::Values(
    SplitRow{"",                 {""}},
    SplitRow{"R1,0805,10.16mm",  {"R1", "0805", "10.16mm"}},
    SplitRow{"a,,b,",            {"a", "", "b", ""}},
    SplitRow{",",                {"", ""}},
    SplitRow{"x, y",             {"x", " y"}},
    SplitRow{" a ;b",            {" a ;b"}},
    SplitRow{"\"R1\",C",         {"\"R1\"", "C"}},
    SplitRow{",,,",              {"", "", "", ""}}));
// clang-format on

TEST(SplitFields, OtherSeparatorAndBytesAboveAscii) {
  EXPECT_EQ(SplitFields("a;b\xE4;", ';'), (Fields{"a", "b\xE4", ""}));
  EXPECT_EQ(SplitFields(std::string("a\0b,c", 5), ','), (Fields{std::string("a\0b", 3), "c"}));
}

TEST(SplitFields, MillionSeparators) {
  const std::string line(1'000'000, ',');
  const Fields fields = SplitFields(line, ',');
  ASSERT_EQ(fields.size(), 1'000'001u);
  for (const std::string& field : fields) ASSERT_TRUE(field.empty());
}

struct ReplaceRow {
  std::string text;
  std::string pattern;
  std::string replacement;
  bool all;
  bool ignoreCase;
  std::string result;
};

class ReplaceTextTest : public ::testing::TestWithParam<ReplaceRow> {};

TEST_P(ReplaceTextTest, Replaces) {
  const ReplaceRow& row = GetParam();
  EXPECT_EQ(ReplaceText(row.text, row.pattern, row.replacement, row.all, row.ignoreCase),
            row.result);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, ReplaceTextTest, ::testing::Values(
    // First occurrence only, ignore case, pattern "mm".
    ReplaceRow{"12.5mm",     "mm", "", false, true,  "12.5"},
    ReplaceRow{"1mm2mm",     "mm", "", false, true,  "12mm"},
    ReplaceRow{"10 MM",      "mm", "", false, true,  "10 "},
    ReplaceRow{"10mmmm",     "mm", "", false, true,  "10mm"},
    // All occurrences, ignore case.
    ReplaceRow{"1mm2MM",     "mm", "", true,  true,  "12"},
    ReplaceRow{"mmm",        "mm", "", true,  true,  "m"},
    ReplaceRow{"mmmm",       "mm", "", true,  true,  ""},
    ReplaceRow{"10mmmm",     "mm", "", true,  true,  "10"},
    ReplaceRow{"mM Mm",      "mm", "", true,  true,  " "},
    // Case counts without the flag.
    ReplaceRow{"1mm2MM",     "mm", "", true,  false, "12MM"},
    ReplaceRow{"1MM",        "mm", "", false, false, "1MM"},
    // Double quotes removed from a whole text.
    ReplaceRow{"\"R1\",\"C\"", "\"", "", true, true, "R1,C"},
    // Tree lines and project values.
    ReplaceRow{"\t\tR1",     "\t", "#", true, false, "##R1"},
    ReplaceRow{"##R1",       "#", "\t", true, false, "\t\tR1"},
    // Replaced text is never searched again.
    ReplaceRow{"aa",         "a", "aa", true, false, "aaaa"},
    ReplaceRow{"abab",       "ab", "b", true, false, "bb"},
    // Empty text, empty pattern, pattern longer than the text.
    ReplaceRow{"",           "mm", "x", true,  true,  ""},
    ReplaceRow{"abc",        "",   "x", true,  true,  "abc"},
    ReplaceRow{"m",          "mm", "x", true,  true,  "m"},
    // Only ASCII letters change case; other bytes keep their place.
    ReplaceRow{"\xE4mm\xC4MM", "MM", "_", true, true, "\xE4_\xC4_"},
    ReplaceRow{"\xE4",       "\xC4", "_", true, true, "\xE4"}));
// clang-format on

TEST(ReplaceText, LinearOnLongTexts) {
  std::string text;
  for (int i = 0; i < 500'000; ++i) text += "1mM";
  const std::string result = ReplaceText(text, "mm", "", true, true);
  EXPECT_EQ(result, std::string(500'000, '1'));
  const std::string first = ReplaceText(text, "mm", "", false, true);
  EXPECT_EQ(first.size(), text.size() - 2);
}

TEST(IndexOfExact, FindsTheFirstEqualEntry) {
  const std::string_view feeders[] = {"Feeder: 1", "Feeder: 2", "Feeder: 3", "Feeder: 4"};
  EXPECT_EQ(IndexOfExact("Feeder: 1", feeders), 0);
  EXPECT_EQ(IndexOfExact("Feeder: 4", feeders), 3);
  EXPECT_EQ(IndexOfExact("feeder: 4", feeders), -1);
  EXPECT_EQ(IndexOfExact("Feeder: 4 ", feeders), -1);
  EXPECT_EQ(IndexOfExact("Feeder:", feeders), -1);
  EXPECT_EQ(IndexOfExact("", feeders), -1);

  const std::string_view directions[] = {"Rechts", "Links", "Oben", "Unten", "Links"};
  EXPECT_EQ(IndexOfExact("Links", directions), 1);
  EXPECT_EQ(IndexOfExact("links", directions), -1);

  EXPECT_EQ(IndexOfExact("", std::span<const std::string_view>{}), -1);
  const std::string_view withEmpty[] = {"a", ""};
  EXPECT_EQ(IndexOfExact("", withEmpty), 1);
}

}  // namespace
}  // namespace tav
