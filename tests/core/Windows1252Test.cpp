// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>

#include "core/Windows1252.h"

namespace tav {
namespace {

TEST(Windows1252, EveryByteRoundTrips) {
  for (int byte = 0; byte < 256; ++byte) {
    const char32_t codePoint = Cp1252ToCodePoint(static_cast<unsigned char>(byte));
    EXPECT_EQ(CodePointToCp1252(codePoint), byte) << byte;
  }
}

TEST(Windows1252, SpecialCharacters) {
  // clang-format off
  const struct { unsigned char byte; char32_t codePoint; } table[] = {
      {0x80, U'€'}, {0x82, U'‚'}, {0x83, U'ƒ'}, {0x84, U'„'}, {0x85, U'…'}, {0x86, U'†'},
      {0x87, U'‡'}, {0x88, U'ˆ'}, {0x89, U'‰'}, {0x8A, U'Š'}, {0x8B, U'‹'}, {0x8C, U'Œ'},
      {0x8E, U'Ž'}, {0x91, U'‘'}, {0x92, U'’'}, {0x93, U'“'}, {0x94, U'”'}, {0x95, U'•'},
      {0x96, U'–'}, {0x97, U'—'}, {0x98, U'˜'}, {0x99, U'™'}, {0x9A, U'š'}, {0x9B, U'›'},
      {0x9C, U'œ'}, {0x9E, U'ž'}, {0x9F, U'Ÿ'},
      // The five bytes without a character keep their control code points.
      {0x81, 0x81}, {0x8D, 0x8D}, {0x8F, 0x8F}, {0x90, 0x90}, {0x9D, 0x9D},
      {0x41, U'A'}, {0xA0, 0xA0}, {0xE4, U'ä'}, {0xDF, U'ß'}, {0xFF, U'ÿ'}, {0x00, 0x00},
  };
  // clang-format on
  for (const auto& row : table) {
    EXPECT_EQ(Cp1252ToCodePoint(row.byte), row.codePoint) << int{row.byte};
  }
}

TEST(Windows1252, CodePointsWithoutAByte) {
  for (const char32_t codePoint : {0x80u, 0x82u, 0x9Fu, 0x100u, 0x20ACu + 1, 0x2603u, 0x1F600u}) {
    EXPECT_EQ(CodePointToCp1252(codePoint), -1) << static_cast<unsigned>(codePoint);
  }
  EXPECT_EQ(CodePointToCp1252(U'€'), 0x80);
  EXPECT_EQ(CodePointToCp1252(U'Ÿ'), 0x9F);
}

TEST(Windows1252, ToUtf8) {
  EXPECT_EQ(Cp1252ToUtf8(""), "");
  EXPECT_EQ(Cp1252ToUtf8("G1 X10"), "G1 X10");
  EXPECT_EQ(Cp1252ToUtf8("'1,5' ist kein g\xFCltiger Gleitkommawert"),
            "'1,5' ist kein gültiger Gleitkommawert");
  EXPECT_EQ(Cp1252ToUtf8("\x80\x99\x81\xA0\xFF"), "€™\xC2\x81\xC2\xA0ÿ");
  EXPECT_EQ(Cp1252ToUtf8(std::string("\0a", 2)), std::string("\0a", 2));
}

}  // namespace
}  // namespace tav
