// SPDX-License-Identifier: GPL-3.0-or-later
// INI documents: parsing, writing and parsing again keeps every section, key
// and value; updates read back as written and touch nothing else.
#include <algorithm>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "fuzz/FuzzSupport.h"
#include "fuzz/FuzzTargets.h"
#include "project/IniDocument.h"

namespace tav::fuzz {
namespace {

constexpr std::string_view kNewSection = "Fuzz Neu";

// Section names match in any ASCII letter case, blanks and TABs around them ignored.
std::string_view TrimBlanks(std::string_view name) {
  const std::size_t begin = name.find_first_not_of(" \t");
  if (begin == std::string_view::npos) return {};
  return name.substr(begin, name.find_last_not_of(" \t") - begin + 1);
}

bool SameName(std::string_view a, std::string_view b) {
  a = TrimBlanks(a);
  b = TrimBlanks(b);
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// Everything that looks like a section name in the input, plus the names a
// project file uses, so sections are compared whatever the parser made of them.
std::vector<std::string> CandidateSections(std::string_view input) {
  std::vector<std::string> names{"components", "Icons", "Bibliothek", "Feeder"};
  for (std::string_view line : SplitAtNewline(input)) {
    const std::size_t open = line.find('[');
    if (open == std::string_view::npos) continue;
    const std::size_t close = line.find(']', open);
    if (close == std::string_view::npos) continue;
    names.emplace_back(line.substr(open + 1, close - open - 1));
    if (names.size() > 64) break;
  }
  return names;
}

struct SectionState {
  std::vector<std::string> keys;
  std::vector<std::string> values;
  bool operator==(const SectionState&) const = default;
};

SectionState StateOf(const IniDocument& document, std::string_view section) {
  SectionState state{document.ReadSection(section), {}};
  for (std::string_view value : document.ReadSectionValues(section))
    state.values.emplace_back(value);
  return state;
}

std::vector<SectionState> StateOf(const IniDocument& document,
                                  const std::vector<std::string>& sections) {
  std::vector<SectionState> states;
  for (const std::string& section : sections) {
    SectionState state = StateOf(document, section);
    Expect(state.keys.size() == state.values.size(),
           "keys and values of a section differ in number");
    for (std::size_t i = 0; i < state.keys.size(); ++i) {
      Expect(document.ReadString(section, state.keys[i], "\x01") == state.values[i],
             "ReadString differs from the section's value list");
    }
    states.push_back(std::move(state));
  }
  return states;
}

bool CleanLineEnds(std::string_view input) {
  for (std::size_t i = 0; i < input.size(); ++i) {
    if (input[i] == '\n' && (i == 0 || input[i - 1] != '\r')) return false;
    if (input[i] == '\r' && (i + 1 == input.size() || input[i + 1] != '\n')) return false;
  }
  return input.empty() || input.ends_with("\r\n");
}

void CheckUpdates(const IniDocument& original, std::string_view text,
                  const std::vector<std::string>& sections) {
  IniDocument document{std::string(text)};
  // Rewrite every key of the first section that has any, erase another section,
  // and add a key in a new section.
  std::optional<std::string> written;
  std::vector<std::pair<std::string, std::string>> expected;
  for (const std::string& section : sections) {
    // A section without a name can be read but not written.
    if (written || TrimBlanks(section).empty() || SameName(section, kNewSection) ||
        original.ReadSection(section).empty())
      continue;
    written = section;
    for (const std::string& key : original.ReadSection(section)) {
      const std::string value = "neu=" + key + "#\t ";
      // Only a key the store cannot write back (one that starts with "[") is rejected.
      const std::string before = key.starts_with('[') ? document.Serialize() : std::string();
      try {
        document.WriteString(section, key, value);
        expected.emplace_back(key, value);
      } catch (const std::invalid_argument&) {
        Expect(key.starts_with('['), "a key read from the document cannot be written back");
        Expect(document.Serialize() == before, "a rejected write changed the document");
      }
    }
  }
  const auto isWritten = [&written](std::string_view section) {
    return written && SameName(section, *written);
  };
  std::optional<std::string> erased;  // the empty name is a name too
  for (const std::string& section : sections) {
    if (!isWritten(section) && !SameName(section, kNewSection) && document.EraseSection(section)) {
      erased = section;
      break;
    }
  }
  document.WriteString(kNewSection, "Schl\xFCssel", "Wert = 1");

  const IniDocument reread{document.Serialize()};
  for (const auto& [key, value] : expected) {
    Expect(reread.ReadString(*written, key, "\x01") == value, "a written value does not read back");
  }
  Expect(reread.ReadString("fuzz neu", "schl\xFCssel", "") == "Wert = 1",
         "a key in a new section does not read back");
  for (const std::string& section : sections) {
    if (erased && SameName(section, *erased)) {
      Expect(reread.ReadSection(section).empty(),
             "erased section \"" + Printable(section) + "\" is still there");
    } else if (!isWritten(section) && !SameName(section, kNewSection)) {
      Expect(StateOf(reread, section) == StateOf(original, section),
             "an update changed section \"" + Printable(section) + "\", which it did not touch");
    }
  }
}

// Reading a numbered section straight from the text gives what the line by
// line path gives: all of it when the keys form the run, its start otherwise.
void CheckNumberedReads(std::string_view input, const std::vector<std::string>& sections,
                        const std::vector<SectionState>& parsed) {
  for (std::size_t n = 0; n < sections.size(); ++n) {
    for (std::string_view prefix : {"Node", ""}) {
      const IniDocument fresh{std::string(input)};
      std::vector<std::string> visited;
      const bool whole = fresh.VisitNumberedValues(
          sections[n], prefix, [&visited](std::string_view value) { visited.emplace_back(value); });
      const std::vector<std::string>& values = parsed[n].values;
      Expect(whole ? visited == values
                   : visited.size() <= values.size() &&
                         std::equal(visited.begin(), visited.end(), values.begin()),
             "a numbered read differs from the section's value list");
    }
  }
}

}  // namespace

void FuzzIni(std::string_view input) {
  const std::vector<std::string> sections = CandidateSections(input);
  const IniDocument document{std::string(input)};
  const std::vector<SectionState> parsed = StateOf(document, sections);
  CheckNumberedReads(input, sections, parsed);

  const std::string text = document.Serialize();
  if (CleanLineEnds(input))
    Expect(text == input, "an unchanged document is not written back as read");
  const IniDocument again{text};
  Expect(StateOf(again, sections) == parsed,
         "sections, keys or values change when written and read");
  Expect(again.Serialize() == text, "writing is not stable after one round");

  CheckUpdates(document, text, sections);
}

}  // namespace tav::fuzz
