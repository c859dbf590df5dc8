// SPDX-License-Identifier: GPL-3.0-or-later
// Line lists and fields: splitting and joining keep every byte they should.
#include <algorithm>
#include <string>

#include "core/LineList.h"
#include "core/TextOperations.h"
#include "fuzz/FuzzSupport.h"
#include "fuzz/FuzzTargets.h"

namespace tav::fuzz {
namespace {

bool HasLineBreakOrNul(std::string_view line) {
  return line.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

// Lines end at CR LF, CR or LF; NUL ends the text; a break at the very end
// adds no empty line. Written independently of SplitLines to compare with it.
LineList ReferenceLines(std::string_view text) {
  LineList lines;
  std::string current;
  bool open = false;
  for (std::size_t i = 0; i < text.size() && text[i] != '\0'; ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      lines.push_back(current);
      current.clear();
      open = false;
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      current.push_back(text[i]);
      open = true;
    }
  }
  if (open) lines.push_back(current);
  return lines;
}

void CheckRoundTrip(const LineList& lines, std::string_view what) {
  const std::string joined = JoinLines(lines);
  std::size_t expectedSize = 0;
  for (const std::string& line : lines) expectedSize += line.size() + 2;
  Expect(joined.size() == expectedSize, std::string(what) + ": JoinLines has the wrong size");
  Expect(SplitLines(joined) == lines, std::string(what) + ": lines do not round-trip");
}

void CheckFields(std::string_view line) {
  const std::vector<std::string> fields = SplitFields(line, ',');
  const auto separators = static_cast<std::size_t>(std::count(line.begin(), line.end(), ','));
  Expect(fields.size() == separators + 1, "SplitFields gives the wrong number of fields");
  std::string rejoined;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) rejoined.push_back(',');
    rejoined += fields[i];
  }
  Expect(rejoined == line, "SplitFields loses or changes bytes");
}

void CheckQuoteRemoval(std::string_view text) {
  const std::string removed = ReplaceText(text, "\"", "", true, true);
  std::string expected(text);
  std::erase(expected, '"');
  Expect(removed == expected, "removing all double quotes changes other bytes");

  // The unit is removed once, in any letter case, and nowhere else.
  const std::string once = ReplaceText(text, "mm", "", false, true);
  std::size_t at = std::string_view::npos;
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if ((text[i] | 0x20) == 'm' && (text[i + 1] | 0x20) == 'm') {
      at = i;
      break;
    }
  }
  std::string expectedOnce(text);
  if (at != std::string_view::npos) expectedOnce.erase(at, 2);
  Expect(once == expectedOnce, "removing the first \"mm\" went wrong");
}

}  // namespace

void FuzzLines(std::string_view input) {
  const LineList lines = SplitLines(input);
  Expect(lines == ReferenceLines(input), "SplitLines differs from the line rules");
  for (const std::string& line : lines)
    Expect(!HasLineBreakOrNul(line), "SplitLines left a line break or NUL in a line");
  CheckRoundTrip(lines, "split input");

  // Any list of lines without CR, LF and NUL round-trips, empty lines included.
  LineList built;
  for (std::string_view piece : SplitAtNewline(input)) {
    std::string line(piece);
    std::erase_if(line, [](char c) { return c == '\r' || c == '\0'; });
    built.push_back(std::move(line));
  }
  CheckRoundTrip(built, "built list");

  for (const std::string& line : lines) CheckFields(line);
  CheckQuoteRemoval(input);
}

}  // namespace tav::fuzz
