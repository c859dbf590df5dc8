// SPDX-License-Identifier: GPL-3.0-or-later
#include "boards/TextDecoding.h"

#include <gtest/gtest.h>

#include <string>

namespace tav {
namespace {

struct DecodingCase {
  std::string bytes;
  std::string text;
  TextEncoding encoding;
};

class TextDecoding : public ::testing::TestWithParam<DecodingCase> {};

TEST_P(TextDecoding, GivesWindows1252Text) {
  const DecodedText decoded = DecodeBoardText(GetParam().bytes);
  EXPECT_EQ(decoded.text, GetParam().text);
  EXPECT_EQ(decoded.encoding, GetParam().encoding);
}

using E = TextEncoding;
using S = std::string;

// clang-format off
INSTANTIATE_TEST_SUITE_P(Marks, TextDecoding, ::testing::Values(
    // UTF-16 LE and BE with their marks; U+03A9 has no Windows-1252 form and
    // is written out, U+20AC has one.
    DecodingCase{S("\xFF\xFE" "R\0" "1\0" "\xA9\x03" "\xAC\x20" "\n\0", 12), "R1Ohm\x80\n", E::kUtf16Le},
    DecodingCase{S("\xFE\xFF" "\0R" "\0\xFC" "\xD8\x3D\xDE\x00", 10), "R\xFC?", E::kUtf16Be},
    // an unpaired surrogate and a lone last byte
    DecodingCase{S("\xFF\xFE" "\x00\xD8" "A\0" "B", 7), "?A", E::kUtf16Le},
    DecodingCase{S("\xFF\xFE", 2), "", E::kUtf16Le},
    DecodingCase{"\xEF\xBB\xBFM\xC3\xBCller \xCE\xA9", "M\xFCller Ohm", E::kUtf8WithMark},
    // a marked file with a malformed byte keeps the rest
    DecodingCase{"\xEF\xBB\xBF" "a\xFF" "b", "a?b", E::kUtf8WithMark}));

// Characters Windows-1252 lacks take their usual stand-in; others become "?".
INSTANTIATE_TEST_SUITE_P(Replacements, TextDecoding, ::testing::Values(
    DecodingCase{"10k\xCE\xA9,10k\xE2\x84\xA6", "10kOhm,10kOhm", E::kUtf8},
    DecodingCase{"4,7\xCE\xBC" "F,4,7\xC2\xB5" "F", "4,7\xB5" "F,4,7\xB5" "F", E::kUtf8},
    DecodingCase{"\xE2\x88\x92" "40..85\xE2\x84\x83 \xE2\x89\xA4" "5%",
                 "-40..85\xB0" "C <=5%", E::kUtf8},
    DecodingCase{"\xE2\x80\x93\xE2\x80\x94 \xE2\x98\x83", "\x96\x97 ?", E::kUtf8}));

INSTANTIATE_TEST_SUITE_P(WithoutMark, TextDecoding, ::testing::Values(
    DecodingCase{"R1,10k\r\n", "R1,10k\r\n", E::kWindows1252},
    DecodingCase{"M\xC3\xBCller \xE2\x82\xAC", "M\xFCller \x80", E::kUtf8},
    // one byte that is no UTF-8 makes the whole file 8-bit, every byte kept
    DecodingCase{"M\xC3\xBCller \xFC", "M\xC3\xBCller \xFC", E::kWindows1252},
    DecodingCase{"\xE4\xF6\xFC", "\xE4\xF6\xFC", E::kWindows1252},
    // overlong forms and surrogates are not UTF-8
    DecodingCase{"\xC0\xAF", "\xC0\xAF", E::kWindows1252},
    DecodingCase{"\xED\xA0\x80", "\xED\xA0\x80", E::kWindows1252},
    DecodingCase{"", "", E::kWindows1252},
    // ASCII is skipped eight bytes at a time: a sequence across such a step,
    // one in the bytes after the last full step, and a cut-off one at the end
    DecodingCase{"abcdefg\xC3\xA4xyz", "abcdefg\xE4xyz", E::kUtf8},
    DecodingCase{"abcdefgh12345\xC3\xA4", "abcdefgh12345\xE4", E::kUtf8},
    DecodingCase{"\xC3\xA4" "abcdefghijklmn\xC3", "\xC3\xA4" "abcdefghijklmn\xC3", E::kWindows1252}));
// clang-format on

}  // namespace
}  // namespace tav
