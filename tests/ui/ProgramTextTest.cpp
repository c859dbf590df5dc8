// SPDX-License-Identifier: GPL-3.0-or-later
// The editor's text buffer and its line index: every edit must leave the
// index of line starts exactly as a fresh scan of the text would build it.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "ui/ProgramText.h"

namespace tav::ui {
namespace {

std::vector<std::size_t> ScannedStarts(const std::string& text) {
  std::vector<std::size_t> starts{0};
  for (std::size_t i = 0; i < text.size(); ++i)
    if (text[i] == '\n') starts.push_back(i + 1);
  return starts;
}

std::vector<std::size_t> IndexedStarts(const ProgramText& text) {
  std::vector<std::size_t> starts;
  for (std::size_t line = 0; line < text.LineCount(); ++line)
    starts.push_back(text.LineStart(line));
  return starts;
}

struct Edit {
  const char* name;
  std::string initial;
  enum { kInsert, kErase } kind;
  std::size_t position;
  std::string inserted;  // for kInsert
  std::size_t count;     // for kErase
  std::string expected;
};

TEST(ProgramTextTest, EditsKeepTextAndLineIndexTogether) {
  const std::vector<Edit> edits{
      {"into a line", "G00\nG01\n", Edit::kInsert, 5, "X", 0, "G00\nGX01\n"},
      {"a line break", "G00 X1", Edit::kInsert, 3, "\n", 0, "G00\n X1"},
      {"lines with CR LF", "ab", Edit::kInsert, 1, "1\r\n2\r3", 0, "a1\n2\n3b"},
      {"at the very end", "a\n", Edit::kInsert, 2, "b", 0, "a\nb"},
      {"at the start", "a\nb", Edit::kInsert, 0, "\n", 0, "\na\nb"},
      {"into nothing", "", Edit::kInsert, 0, "x\ny", 0, "x\ny"},
      {"past the end goes to the end", "a", Edit::kInsert, 99, "b", 0, "ab"},
      {"nothing", "a\nb", Edit::kInsert, 1, "", 0, "a\nb"},
      {"within a line", "G00 X1\nG01", Edit::kErase, 3, "", 3, "G00\nG01"},
      {"a line break joins lines", "a\nb\nc", Edit::kErase, 1, "", 1, "ab\nc"},
      {"across several lines", "ab\ncd\nef\ngh", Edit::kErase, 1, "", 8, "agh"},
      {"the last break", "a\n", Edit::kErase, 1, "", 1, "a"},
      {"everything", "a\nb\n", Edit::kErase, 0, "", 4, ""},
      {"more than there is", "abc\nd", Edit::kErase, 2, "", 99, "ab"},
      {"at the end", "abc", Edit::kErase, 3, "", 1, "abc"},
  };
  for (const Edit& edit : edits) {
    ProgramText text;
    text.SetText(edit.initial);
    if (edit.kind == Edit::kInsert)
      text.Insert(edit.position, edit.inserted);
    else
      text.Erase(edit.position, edit.count);
    EXPECT_EQ(text.Text(), edit.expected) << edit.name;
    EXPECT_EQ(text.Size(), edit.expected.size()) << edit.name;
    EXPECT_EQ(IndexedStarts(text), ScannedStarts(edit.expected)) << edit.name;
  }
}

TEST(ProgramTextTest, LineBreaksLinesAndCrLfOutput) {
  struct Case {
    std::string in;
    std::string text;
    std::vector<std::string> lines;
    std::string crlf;
  };
  const std::vector<Case> cases{
      {"", "", {""}, ""},
      {"G21\r\nG90\r\n", "G21\nG90\n", {"G21", "G90", ""}, "G21\r\nG90\r\n"},
      {"no break at the end",
       "no break at the end",
       {"no break at the end"},
       "no break at the end"},
      {"a\rb\nc", "a\nb\nc", {"a", "b", "c"}, "a\r\nb\r\nc"},
      {"\r\n\r\n", "\n\n", {"", "", ""}, "\r\n\r\n"},
      {"\xB5m\xA0\x80", "\xB5m\xA0\x80", {"\xB5m\xA0\x80"}, "\xB5m\xA0\x80"},
  };
  for (const Case& c : cases) {
    ProgramText text;
    text.SetText(c.in);
    EXPECT_EQ(text.Text(), c.text) << c.in;
    EXPECT_EQ(text.CrLfText(), c.crlf) << c.in;
    ASSERT_EQ(text.LineCount(), c.lines.size()) << c.in;
    for (std::size_t line = 0; line < c.lines.size(); ++line)
      EXPECT_EQ(text.Line(line), c.lines[line]) << c.in << " line " << line;
  }
}

TEST(ProgramTextTest, PositionsBelongToTheirLines) {
  ProgramText text;
  text.SetText("ab\n\ncd");
  // A line's break belongs to it; the byte after the break starts the next line.
  const std::vector<std::size_t> lineOf{0, 0, 0, 1, 2, 2, 2};
  for (std::size_t position = 0; position < lineOf.size(); ++position)
    EXPECT_EQ(text.LineOf(position), lineOf[position]) << position;
  EXPECT_EQ(text.LineEnd(0), 2u);
  EXPECT_EQ(text.LineEnd(1), 3u);
  EXPECT_EQ(text.LineEnd(2), 6u);
  EXPECT_EQ(text.LongestLine(), 0u);
  EXPECT_EQ(text.Slice(1, 4), "b\n\nc");
}

// Edits scattered over the text, compared after each one with the same edits
// on a plain string: the gap and the lazily shifted line starts move between
// places edited in turn, which is where an index goes wrong.
TEST(ProgramTextTest, ScatteredEditsMatchAPlainString) {
  std::mt19937 random(7);
  std::string model;
  for (int line = 0; line < 40; ++line) model += "G00 X" + std::to_string(line) + "\n";
  ProgramText text;
  text.SetText(model);
  const std::vector<std::string> pieces{
      "a", "\n", "X1\nY2", "\n\n", "long piece of text", "G01 Z0\nG00 X1\nG01 Z2\n"};
  std::size_t position = 0;
  for (int step = 0; step < 3000; ++step) {
    // Mostly near the last edit, as a user edits, sometimes anywhere.
    if (random() % 3 == 0)
      position = random() % (model.size() + 1);
    else
      position =
          std::min(model.size(), position + random() % 33 - std::min<std::size_t>(position, 16));
    if (random() % 5 < 3) {
      const std::string& piece = pieces[random() % pieces.size()];
      text.Insert(position, piece);
      model.insert(position, piece);
    } else {
      const std::size_t count = random() % 4 == 0 ? random() % 60 : random() % 8;
      text.Erase(position, count);
      model.erase(position, count);
    }
    ASSERT_EQ(text.Text(), model) << "step " << step;
    ASSERT_EQ(IndexedStarts(text), ScannedStarts(model)) << "step " << step;
    ASSERT_EQ(text.Slice(position / 2, 9), model.substr(position / 2, 9)) << "step " << step;
  }
}

}  // namespace
}  // namespace tav::ui
