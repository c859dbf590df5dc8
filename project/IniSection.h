// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "project/IniKeyIndex.h"

namespace tav {

// One line of an INI file as IniDocument keeps it: where its bytes are and,
// for an entry, where its "=" stands. Sixteen bytes, since a project file has
// millions of lines.
class IniLine final {
 public:
  static constexpr std::size_t kNoEntry = std::string_view::npos;

  IniLine() = default;
  // Throws std::length_error for a line of 4 GiB or more.
  explicit IniLine(std::string_view text, std::size_t equals = kNoEntry)
      : data_(text.data()),
        size_(Size32(text.size())),
        equals_(equals == kNoEntry ? kNotEntry : static_cast<std::uint32_t>(equals)) {}

  std::string_view Text() const noexcept { return {data_, size_}; }
  bool IsEntry() const noexcept { return equals_ < kRemoved; }
  bool Removed() const noexcept { return equals_ == kRemoved; }
  std::size_t Equals() const noexcept { return IsEntry() ? equals_ : kNoEntry; }
  std::string_view Key() const noexcept { return Text().substr(0, Equals()); }
  std::string_view Value() const noexcept {
    return IsEntry() ? Text().substr(std::size_t{equals_} + 1) : Text();
  }

  // Erased: no longer an entry and no longer written.
  void Remove() noexcept { equals_ = kRemoved; }

 private:
  static constexpr std::uint32_t kNotEntry = UINT32_MAX;
  static constexpr std::uint32_t kRemoved = UINT32_MAX - 1;
  static std::uint32_t Size32(std::size_t size) {
    if (size >= kRemoved) throw std::length_error("INI line too long");
    return static_cast<std::uint32_t>(size);
  }

  const char* data_ = nullptr;
  std::uint32_t size_ = 0;
  std::uint32_t equals_ = kNotEntry;
};

// The lines of one section and the lookup of its keys. Lines are numbered
// ("entries") first through `lines`, then through `added`. For every key the
// first entry counts.
//
// The key index is built on first use. A section whose keys run "<prefix>0",
// "<prefix>1", ... (as the project file's "Node<i>" and "Icons" keys do) is
// indexed by arithmetic on the key; any other gets a hash index. Lookups in
// file order are answered from the line after the last one found. So the
// usual project file needs no hashing at all, and any file stays linear.
class IniSection final {
 public:
  std::string_view header;  // the raw section line; empty for the lines before the first section
  std::string_view name;
  // The section's lines as the file has them, until the section is first
  // looked at and they are split into `lines`: most of a large project file
  // is read straight from this text or never read at all.
  std::optional<std::string_view> unsplit;
  std::vector<IniLine> lines;  // as parsed; never grows
  std::size_t entryEnd = 0;    // one past the last parsed entry; new entries go there
  std::vector<IniLine> added;  // entries written since parsing, in order
  bool live = true;            // false once erased

  std::size_t EntryCount() const noexcept { return lines.size() + added.size(); }
  IniLine& At(std::size_t entry) noexcept {
    return entry < lines.size() ? lines[entry] : added[entry - lines.size()];
  }
  const IniLine& At(std::size_t entry) const noexcept {
    return entry < lines.size() ? lines[entry] : added[entry - lines.size()];
  }

  // The entry that counts for `key`, if any.
  std::optional<std::size_t> Lookup(std::string_view key);
  // Whether `entry` is the entry that counts for its key.
  bool CountsForItsKey(std::size_t entry);
  bool HasDuplicateKeys();

  void Append(IniLine line);
  // Entry lines written in one piece ("key=value" CR LF each, checked), not
  // yet split into `added`; they follow `added` in the file.
  std::string_view pending;
  // Turns `pending` into entries at the end of `added`.
  void SplitPendingLines();
  // Entry lines produced only when the file is written (see
  // IniDocument::AppendGenerated); they stand where `pending` would.
  std::function<void(const std::function<void(std::string_view)>&)> generated;
  // Marks every entry of `key` removed; returns whether there was one.
  bool EraseKey(std::string_view key);

 private:
  struct Sequence {
    bool started = false;  // false while the section has no entry yet
    std::string_view prefix;
    std::size_t first = 0;  // number of entry 0
  };

  void Index();
  bool IndexAsSequence();
  bool Continues(const Sequence& sequence, std::size_t entry) const;
  void IndexByHash();
  std::optional<std::size_t> SequenceEntry(std::string_view key) const;
  void RememberDuplicate(std::size_t entry);

  bool indexed_ = false;
  std::optional<Sequence> sequence_;  // set while the keys form a numbered run
  IniKeyIndex keys_;                  // key -> first entry, when not a sequence
  // Later entries of keys that occur more than once; rare, found while indexing.
  IniKeyIndex duplicateKeys_;
  std::vector<std::vector<std::size_t>> duplicateEntries_;
  std::size_t hint_ = 0;  // where the next lookup looks first
};

}  // namespace tav
