// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/LineBreaks.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace tav {
namespace {

TEST(LineViews, CutAtEveryKindOfLineEnd) {
  using Lines = std::vector<std::string_view>;
  // clang-format off
  const struct { std::string text; Lines lines; } cases[] = {
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\rb\rc", {"a", "b", "c"}},            // CR only, last line without an end
      {"a\nb", {"a", "b"}},
      {"a\r\rb\n\nc\r\n\r\n", {"a", "", "b", "", "c", ""}},
      {"a\n\rb\r", {"a", "", "b"}},             // LF CR is two line ends
      {std::string("a\nb\0c\nd", 7), {"a", "b"}},  // a NUL ends the text
      {"\r\n", {""}},
      {"", {}},
  };
  // clang-format on
  for (const auto& c : cases) EXPECT_EQ(LineViews(c.text), c.lines) << c.text;
}

TEST(LineViews, CutALongCrOnlyTextIntoAllItsLines) {
  // Room is reserved by line feeds; a CR-only text must still give every line.
  std::string text;
  for (int i = 0; i < 20000; ++i) text += std::to_string(i) + "\r";
  const std::vector<std::string_view> lines = LineViews(text);
  ASSERT_EQ(lines.size(), 20000U);
  EXPECT_EQ(lines.front(), "0");
  EXPECT_EQ(lines.back(), "19999");
}

}  // namespace
}  // namespace tav
