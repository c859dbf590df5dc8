// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "project/IniKeyIndex.h"
#include "project/IniSection.h"

namespace tav {

// An INI file held in memory, for reading it and for updating it in place.
//
// Parsing accepts CR LF, LF and CR line ends. A line whose first non-blank
// character is "[" and that holds a "]" opens a section; a line with "=" whose
// first non-blank character is not ";" is an entry (key before the first "=",
// value the rest of the line, byte for byte). Every other line (comments, text
// before the first section, lines without "=") is kept as it stands. Section
// and key names match in any ASCII letter case, blanks around them ignored; of
// two sections or keys with the same name the first counts.
//
// Parsing only finds the section lines; a section's own lines are split when
// it is first used, so reading a few settings from a large file, or a large
// section through VisitNumberedValues, costs no record per line.
//
// Updates touch only what they change: a new key goes after the last entry of
// its section, a new section at the end of the file. Serialize writes every
// line followed by CR LF. There is no limit on the number or length of keys
// and values; every operation costs time linear in the text it touches.
class IniDocument final {
 public:
  IniDocument();
  explicit IniDocument(std::string bytes);
  ~IniDocument();
  IniDocument(IniDocument&&) noexcept;
  IniDocument& operator=(IniDocument&&) noexcept;
  IniDocument(const IniDocument&) = delete;
  IniDocument& operator=(const IniDocument&) = delete;

  bool HasSection(std::string_view section) const;

  // The value of the first entry named `key` in the first section named
  // `section`; nullopt when there is none. The view stays valid until the
  // document is destroyed.
  std::optional<std::string_view> Find(std::string_view section, std::string_view key) const;

  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view defaultValue) const;

  // The key names of the first section named `section`, in file order, each
  // name once (at its first entry); empty when the section is missing.
  std::vector<std::string> ReadSection(std::string_view section) const;

  // The values of ReadSection's keys, in the same order, as views valid until
  // the document is destroyed.
  std::vector<std::string_view> ReadSectionValues(std::string_view section) const;

  // Replaces the value of an existing key in place, or adds the key after the
  // last entry of its section, creating the section at the end when missing.
  // Throws std::invalid_argument for names or values that cannot stand in an
  // INI line (line breaks anywhere; "]" in a section name; "=" in a key; an
  // empty name; a key starting with "[" or ";"), leaving the document unchanged.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);

  // Adds the key after the last entry of its section without looking for it
  // first: for filling a section known not to hold the key, such as one just
  // erased. Should the key be there after all, the earlier entry counts.
  // Throws as WriteString.
  void AppendEntry(std::string_view section, std::string_view key, std::string_view value);

  // Adds all entries of `lines` after the last entry of `section`, creating
  // the section at the end when missing, like AppendEntry for each line but in
  // one pass: for writing a whole section at once. `lines` holds "key=value"
  // lines, each ended by CR LF. Throws std::invalid_argument, leaving the
  // document unchanged, when a line is not such an entry or holds another
  // line break.
  void AppendLines(std::string_view section, std::string lines);

  // The lines `produce` hands to its argument, added like AppendLines adds
  // them, but produced only when the document is serialized and handed
  // straight on: a large generated section is never held as one text.
  // `produce` must write "key=value" lines each ended by CR LF, in pieces of
  // any size, and may throw std::invalid_argument for a line that cannot
  // stand in the file; everything it reads must live until the document is
  // serialized. Looking the section up runs `produce` then and checks its
  // lines as AppendLines does. The section is created even when `produce`
  // writes nothing.
  using LineProducer = std::function<void(const std::function<void(std::string_view)>&)>;
  void AppendGenerated(std::string_view section, LineProducer produce);

  // Hands the values of the first section named `section` to `visit` in file
  // order, without a line record per entry, as long as its entries are keyed
  // "<prefix>0", "<prefix>1", ... (names matched as everywhere; numbers
  // without leading zeros). Returns true when all of them are, and then
  // `visit` has seen exactly what ReadSectionValues gives (nothing for a
  // missing section). Returns false at the first entry that breaks the run,
  // or at once for a section changed or looked up since parsing; `visit` has
  // then seen the leading part of ReadSectionValues, and the caller reads the
  // section the general way.
  bool VisitNumberedValues(std::string_view section, std::string_view prefix,
                           const std::function<void(std::string_view)>& visit) const;

  // Writes all of a numbered section anew without a lookup per key: when the
  // first section named `section` is unchanged since parsing and every line
  // of it is exactly "<prefix>0=...", "<prefix>1=...", ... (prefix as given,
  // each line ended by CR LF but the file's last), its lines become those
  // `produce` writes (as AppendGenerated) followed by its old lines numbered
  // `keep` and up. With `produce` writing "<prefix>0" to "<prefix><keep-1>"
  // in order, the text is what WriteString of each of them would make.
  // Returns false, changing nothing, for any other section.
  bool ReplaceNumberedLines(std::string_view section, std::string_view prefix, std::size_t keep,
                            LineProducer produce);

  // Removes every section named `section` with all its lines. Returns whether
  // anything was removed.
  bool EraseSection(std::string_view section);

  // Removes every entry named `key` from the first section named `section`.
  // Returns whether anything was removed.
  bool EraseKey(std::string_view section, std::string_view key);

  // The whole text, every line followed by CR LF.
  std::string Serialize() const;

  // The same text handed to `write` in pieces, so a large file need not be
  // held twice.
  void SerializeTo(const std::function<void(std::string_view)>& write) const;

 private:
  class Arena;

  void Parse(std::string bytes);
  IniSection* FindSection(std::string_view name) const;
  template <typename Item, typename Take>
  std::vector<Item> CollectEntries(std::string_view section, Take take) const;
  void MakeLines(IniSection& section) const;
  IniSection& SectionForWriting(std::string_view section, std::string_view key,
                                std::string_view value);
  IniSection& SectionForWriting(std::string_view section);

  std::unique_ptr<Arena> arena_;
  // [0] holds the lines before the first section.
  std::vector<std::unique_ptr<IniSection>> sections_;
  IniKeyIndex sectionIndex_;  // name -> first live section
  // The section found last: callers work through one section at a time.
  mutable IniSection* lastSection_ = nullptr;
};

}  // namespace tav
