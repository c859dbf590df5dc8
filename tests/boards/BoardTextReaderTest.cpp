// SPDX-License-Identifier: GPL-3.0-or-later
// Read piece by piece, a board file gives the lines and the encoding it gives
// read whole, also where a character or a line break straddles two pieces.
#include "boards/BoardTextReader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/LineBreaks.h"

namespace tav {
namespace {

constexpr std::size_t kPiece = std::size_t{1} << 16;

struct StraddleCase {
  const char* name;
  std::string mark;  // byte-order mark
  std::string tail;  // bytes placed across the first piece boundary
  bool utf16 = false;
  bool bigEndian = false;
};

std::vector<std::string> LinesRead(BoardTextReader& reader) {
  std::vector<std::string> lines;
  std::string_view line;
  while (reader.Next(line)) lines.emplace_back(line);
  return lines;
}

class PieceBoundary : public ::testing::TestWithParam<StraddleCase> {};

TEST_P(PieceBoundary, GivesTheLinesOfTheWholeText) {
  const StraddleCase& c = GetParam();
  // The tail starts from a few bytes before to a few bytes after the end of
  // the first piece.
  for (std::size_t shift = 0; shift < 8; ++shift) {
    std::string bytes = c.mark;
    const std::size_t bytesBefore = kPiece - 4 - c.mark.size() + shift;
    const std::size_t filler = c.utf16 ? bytesBefore / 2 : bytesBefore;
    for (std::size_t i = 0; i < filler; ++i) {
      const char ascii = i % 50 == 49 ? '\n' : static_cast<char>('a' + i % 26);
      if (c.bigEndian) bytes.push_back('\0');
      bytes.push_back(ascii);
      if (c.utf16 && !c.bigEndian) bytes.push_back('\0');
    }
    bytes += c.tail;
    const DecodedText whole = DecodeBoardText(bytes);
    std::vector<std::string> expected;
    for (const std::string_view line : LineViews(whole.text)) expected.emplace_back(line);

    BoardTextReader reader(BoardBytesOf(bytes));
    EXPECT_EQ(LinesRead(reader), expected) << c.name << ", shift " << shift;
    EXPECT_EQ(reader.Encoding(), whole.encoding) << c.name << ", shift " << shift;
    reader.Rewind();
    EXPECT_EQ(LinesRead(reader), expected) << c.name << " read again, shift " << shift;
  }
}

using S = std::string;

// clang-format off
INSTANTIATE_TEST_SUITE_P(Straddles, PieceBoundary, ::testing::Values(
    StraddleCase{"CR LF", "", "ab\r\n\r\ncd\r\r\n"},
    StraddleCase{"UTF-8 found late", "", "x\xC3\xBC\xE2\x82\xAC\xF0\x9F\x98\x80y\r\n"},
    StraddleCase{"UTF-8 broken late", "", "x\xC3\xBC\xE2\x82\xAC\xF0\x9F\x98y\r\n\xFF"},
    StraddleCase{"UTF-8 cut off at the end", "", "\xC3\xBCx\xE2\x82"},
    StraddleCase{"marked UTF-8", "\xEF\xBB\xBF", "x\xE2\x82\xAC\xF0\x9F\x98\x80\xC3"},
    StraddleCase{"NUL ends the text", "", S("ab\r\nc\0d\r\ne\xC3\xBC", 13)},
    StraddleCase{"UTF-16 LE pair", "\xFF\xFE", S("a\0\x3D\xD8\x00\xDE\r\0\n\0\x00\xD8", 12), true},
    StraddleCase{"UTF-16 BE pair", "\xFE\xFF", S("\0a\xD8\x3D\xDE\x00\0\r\0\nx", 11), true, true}));
// clang-format on

}  // namespace
}  // namespace tav
