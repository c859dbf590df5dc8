// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Utf8.h"

#include <gtest/gtest.h>

#include <string>

#include "core/MessagePath.h"

namespace tav {
namespace {

struct Sequence {
  const char* name;
  std::string bytes;
  std::size_t length;  // of the well-formed sequence at the start, 0 for none
};

// clang-format off
const Sequence kSequences[] = {
    {"Ascii", "a", 0},
    {"TwoBytes", "\xC3\xA4", 2},
    {"ThreeBytes", "\xE2\x82\xAC", 3},
    {"FourBytes", "\xF0\x9F\x98\x80", 4},
    {"HighestCodePoint", "\xF4\x8F\xBF\xBF", 4},
    {"OverlongTwoByteNul", std::string("\xC0\x80", 2), 0},
    {"OverlongTwoByte", "\xC1\xBF", 0},
    {"OverlongThreeByteNul", "\xE0\x80\x80", 0},
    {"OverlongFourByte", "\xF0\x8F\xBF\xBF", 0},
    {"Surrogate", "\xED\xA0\x80", 0},
    {"AboveUnicode", "\xF4\x90\x80\x80", 0},
    {"LeadF5", "\xF5\x80\x80\x80", 0},
    {"LoneContinuation", "\x80", 0},
    {"Truncated", "\xE2\x82", 0},
    {"ContinuationMissing", "\xC3" "a", 0},
    {"Windows1252Umlaut", "\xE4" "t", 0},
};
// clang-format on

TEST(Utf8, OnlyWellFormedSequencesAreAccepted) {
  for (const Sequence& row : kSequences) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(Utf8SequenceAt(row.bytes, 0), row.length);
    EXPECT_EQ(Utf8ToCp1252(row.bytes).has_value(),
              row.length == row.bytes.size() || row.bytes == "a");
  }
}

TEST(Utf8, ConvertsToWindows1252) {
  EXPECT_EQ(Utf8ToCp1252("Pl\xC3\xA4tze \xE2\x82\xAC \xC5\xA0"), "Pl\xE4tze \x80 \x8A");
  EXPECT_EQ(Utf8ToCp1252("\xE4\xB8\xAD\xF0\x9F\x98\x80"), "??");
  EXPECT_EQ(Utf8ToCp1252(""), "");
}

// A malformed name is never decoded in part: no NUL, no mix of converted and raw bytes.
TEST(Utf8, MalformedPathsKeepTheirBytesInMessages) {
  for (const Sequence& row : kSequences) {
    if (row.length != 0 || row.bytes == "a") continue;
    SCOPED_TRACE(row.name);
    const std::string path = "/tmp/Pl\xC3\xA4tze-" + row.bytes + ".tav";
    EXPECT_EQ(PathForMessage(path), path);
  }
  EXPECT_EQ(PathForMessage("/tmp/\xE0\x80\x80.tav").find('\0'), std::string::npos);
}

}  // namespace
}  // namespace tav
