// SPDX-License-Identifier: GPL-3.0-or-later
// The fuzz targets' own line splitters, which their properties are checked
// against: LF only, or CR LF, CR and LF as the tree text form reads lines.
#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "fuzz/FuzzSupport.h"

namespace tav::fuzz {
namespace {

using Pieces = std::vector<std::string_view>;

struct SplitCase {
  std::string_view text;
  Pieces atNewline;
  Pieces atLineBreaks;
};

// clang-format off
const SplitCase kCases[] = {
    {"",             {},                  {}},
    {"a",            {"a"},               {"a"}},
    {"a\n",          {"a"},               {"a"}},
    {"a\n\nb",       {"a", "", "b"},      {"a", "", "b"}},
    {"a\r\nb\r\n",   {"a\r", "b\r"},      {"a", "b"}},
    {"a\rb\r",       {"a\rb\r"},          {"a", "b"}},
    {"a\r\rb",       {"a\r\rb"},          {"a", "", "b"}},
    {"\n\r\n",       {"", "\r"},          {"", ""}},
    {"a\n\r",        {"a", "\r"},         {"a", ""}},
};
// clang-format on

TEST(FuzzLineSplitting, SplitsAtItsOwnBreaksOnly) {
  for (const SplitCase& c : kCases) {
    SCOPED_TRACE(::testing::PrintToString(std::string(c.text)));
    EXPECT_EQ(SplitAtNewline(c.text), c.atNewline);
    EXPECT_EQ(SplitAtLineBreaks(c.text), c.atLineBreaks);
  }
}

}  // namespace
}  // namespace tav::fuzz
