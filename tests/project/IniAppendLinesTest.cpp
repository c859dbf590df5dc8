// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "project/IniDocument.h"

namespace tav {
namespace {

TEST(IniDocument, AppendLinesWritesWhatAppendEntryWrites) {
  const std::string file = "[Other]\r\nx=1\r\n[S]\r\nold=0\r\n;note\r\n";
  IniDocument bulk(file);
  IniDocument single(file);
  bulk.AppendLines("S", "a=1\r\nb= 2 \r\nc=x=y#\r\n");
  bulk.AppendLines("New", "Node0=#t\r\nNode1=\r\n");
  for (const auto& [key, value] : {std::pair{"a", "1"}, {"b", " 2 "}, {"c", "x=y#"}})
    single.AppendEntry("S", key, value);
  single.AppendEntry("New", "Node0", "#t");
  single.AppendEntry("New", "Node1", "");
  EXPECT_EQ(bulk.Serialize(), single.Serialize());
  EXPECT_EQ(bulk.ReadString("s", "B", "-"), " 2 ");
  EXPECT_EQ(bulk.ReadString("New", "Node1", "-"), "");
  // Lookups after the bulk lines still find and update them.
  bulk.WriteString("S", "a", "9");
  bulk.AppendLines("S", "d=4\r\n");
  EXPECT_EQ(bulk.ReadString("S", "a", "-"), "9");
  EXPECT_EQ(bulk.ReadString("S", "d", "-"), "4");
  EXPECT_EQ(bulk.ReadSection("S"), (std::vector<std::string>{"old", "a", "b", "c", "d"}));
}

// Pieces handed out one after the other make the same text as Serialize, with
// a section written in one piece (pending), a comment after the entries and a
// section much larger than one piece.
TEST(IniDocument, SerializeToHandsOutTheWholeTextInPieces) {
  IniDocument doc("; head\r\n[S]\r\nold=0\r\n;note\r\n[T]\r\nx=1\r\n");
  std::string big;
  for (int i = 0; i < 40000; ++i) big += "Node" + std::to_string(i) + "=#text\r\n";
  doc.AppendLines("New", big);
  doc.AppendLines("S", "a=1\r\n");
  for (int i = 0; i < 30000; ++i) doc.AppendEntry("T", "k" + std::to_string(i), "value");
  std::string pieces;
  int count = 0;
  doc.SerializeTo([&](std::string_view piece) {
    EXPECT_FALSE(piece.empty());
    pieces.append(piece);
    ++count;
  });
  EXPECT_EQ(pieces, doc.Serialize());
  EXPECT_GT(count, 2);
}

class BadLines : public testing::TestWithParam<std::string> {};

TEST_P(BadLines, AreRefusedAndChangeNothing) {
  IniDocument doc("[S]\r\na=1\r\n");
  const std::string before = doc.Serialize();
  EXPECT_THROW(doc.AppendLines("S", "ok=1\r\n" + GetParam()), std::invalid_argument);
  EXPECT_THROW(doc.AppendLines("T", GetParam()), std::invalid_argument);
  EXPECT_EQ(doc.Serialize(), before);
  EXPECT_FALSE(doc.HasSection("T"));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(IniDocument, BadLines, testing::Values(
    "k=v",             // no line end
    "k=v\n",           // LF alone
    "k=a\rb\r\n",      // CR inside the value
    "\r\n",            // empty line
    "novalue\r\n",     // no "="
    " =v\r\n",         // empty key
    "[k=v\r\n",        // would read as a section
    ";k=v\r\n"));      // would read as a comment
// clang-format on

}  // namespace
}  // namespace tav
