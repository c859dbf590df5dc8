// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/IniSection.h"

#include <algorithm>
#include <charconv>
#include <cstdint>

namespace tav {

namespace {

unsigned char AsciiLower(char c) noexcept {
  const auto byte = static_cast<unsigned char>(c);
  return (byte >= 'A' && byte <= 'Z') ? static_cast<unsigned char>(byte + ('a' - 'A')) : byte;
}

bool SameIgnoringCase(std::string_view a, std::string_view b) noexcept {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

// The value of a run of decimal digits as written without leading zeros.
std::optional<std::size_t> CanonicalNumber(std::string_view digits) noexcept {
  if (digits.empty() || digits.size() > 18 || (digits.size() > 1 && digits.front() == '0'))
    return std::nullopt;
  std::size_t value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<std::size_t>(c - '0');
  }
  return value;
}

}  // namespace

std::optional<std::size_t> IniSection::Lookup(std::string_view key) {
  Index();
  if (sequence_) return SequenceEntry(key);
  std::optional<std::size_t> entry;
  if (duplicateKeys_.Size() == 0 && hint_ < EntryCount() && At(hint_).IsEntry() &&
      IniNameEqual(At(hint_).Key(), key)) {
    entry = hint_;  // without duplicates any entry of the key is its first
  } else {
    entry = keys_.Find(key, [this](std::size_t n) { return At(n).Key(); });
  }
  if (entry) hint_ = *entry + 1;
  return entry;
}

bool IniSection::CountsForItsKey(std::size_t entry) {
  if (!At(entry).IsEntry()) return false;
  if (!HasDuplicateKeys()) return true;
  return keys_.Find(At(entry).Key(), [this](std::size_t n) { return At(n).Key(); }) == entry;
}

bool IniSection::HasDuplicateKeys() {
  Index();
  return duplicateKeys_.Size() != 0;
}

void IniSection::Append(IniLine line) {
  const std::size_t entry = EntryCount();
  added.push_back(line);
  if (!indexed_) return;
  if (sequence_) {
    if (!sequence_->started) {
      // The first key of an empty section decides whether it starts a run.
      const std::string_view key = TrimIniBlanks(line.Key());
      std::size_t digitsAt = key.size();
      while (digitsAt > 0 && key[digitsAt - 1] >= '0' && key[digitsAt - 1] <= '9') --digitsAt;
      if (const auto first = CanonicalNumber(key.substr(digitsAt))) {
        sequence_ = Sequence{true, key.substr(0, digitsAt), *first};
        return;
      }
    } else if (Continues(*sequence_, entry)) {
      return;
    }
    IndexByHash();
    return;
  }
  if (!keys_.Insert(line.Key(), entry, [this](std::size_t n) { return At(n).Key(); }))
    RememberDuplicate(entry);
}

void IniSection::SplitPendingLines() {
  if (pending.empty()) return;
  const std::string_view text = pending;
  pending = {};
  added.reserve(added.size() +
                static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')));
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t end = text.find('\n', pos);  // checked: every line ends with CR LF
    const std::string_view line = text.substr(pos, end - 1 - pos);
    Append(IniLine(line, line.find('=')));
    pos = end + 1;
  }
}

bool IniSection::EraseKey(std::string_view key) {
  Index();
  if (sequence_) IndexByHash();  // the run has a gap from now on
  const auto keyOf = [this](std::size_t n) { return At(n).Key(); };
  const auto entry = keys_.Erase(key, keyOf);
  if (!entry) return false;
  std::vector<std::size_t> entries{*entry};
  const auto firstOf = [this](std::size_t n) { return At(duplicateEntries_[n].front()).Key(); };
  if (const auto more = duplicateKeys_.Erase(key, firstOf)) {
    entries.insert(entries.end(), duplicateEntries_[*more].begin(), duplicateEntries_[*more].end());
    duplicateEntries_[*more].clear();
  }
  for (std::size_t n : entries) {
    At(n).Remove();
  }
  return true;
}

void IniSection::Index() {
  if (indexed_) return;
  if (!IndexAsSequence()) IndexByHash();
  indexed_ = true;
}

bool IniSection::IndexAsSequence() {
  if (EntryCount() == 0) {
    sequence_ = Sequence{};
    return true;
  }
  if (!At(0).IsEntry()) return false;
  const std::string_view firstKey = TrimIniBlanks(At(0).Key());
  std::size_t digitsAt = firstKey.size();
  while (digitsAt > 0 && firstKey[digitsAt - 1] >= '0' && firstKey[digitsAt - 1] <= '9') --digitsAt;
  const auto first = CanonicalNumber(firstKey.substr(digitsAt));
  if (!first) return false;
  const Sequence sequence{true, firstKey.substr(0, digitsAt), *first};
  for (std::size_t i = 1; i < EntryCount(); ++i) {
    if (!Continues(sequence, i)) return false;
  }
  sequence_ = sequence;
  return true;
}

// Whether entry `entry` is an entry keyed exactly "<prefix><first + entry>".
bool IniSection::Continues(const Sequence& sequence, std::size_t entry) const {
  const IniLine& line = At(entry);
  if (!line.IsEntry()) return false;
  const std::string_view key = TrimIniBlanks(line.Key());
  char digits[24];
  const auto end = std::to_chars(digits, digits + sizeof digits, sequence.first + entry).ptr;
  const std::string_view expected(digits, static_cast<std::size_t>(end - digits));
  return key.size() == sequence.prefix.size() + expected.size() &&
         key.starts_with(sequence.prefix) && key.ends_with(expected);
}

void IniSection::IndexByHash() {
  sequence_.reset();
  keys_.Clear();
  duplicateKeys_.Clear();
  duplicateEntries_.clear();
  keys_.Reserve(EntryCount());
  const auto keyOf = [this](std::size_t n) { return At(n).Key(); };
  // Hash a batch and prefetch its slots before inserting: the inserts land at
  // random places in a large table, and waiting for each in turn is slow.
  constexpr std::size_t kBatch = 16;
  std::uint64_t hashes[kBatch];
  for (std::size_t begin = 0; begin < EntryCount(); begin += kBatch) {
    const std::size_t end = std::min(begin + kBatch, EntryCount());
    for (std::size_t i = begin; i < end; ++i) {
      if (!At(i).IsEntry()) continue;
      hashes[i - begin] = IniNameHash(At(i).Key());
      keys_.Prefetch(hashes[i - begin]);
    }
    for (std::size_t i = begin; i < end; ++i) {
      if (At(i).IsEntry() && !keys_.Insert(At(i).Key(), hashes[i - begin], i, keyOf))
        RememberDuplicate(i);
    }
  }
}

std::optional<std::size_t> IniSection::SequenceEntry(std::string_view key) const {
  if (!sequence_->started) return std::nullopt;
  key = TrimIniBlanks(key);
  const std::string_view prefix = sequence_->prefix;
  if (key.size() <= prefix.size() || !SameIgnoringCase(key.substr(0, prefix.size()), prefix))
    return std::nullopt;
  const auto number = CanonicalNumber(key.substr(prefix.size()));
  if (!number || *number < sequence_->first || *number - sequence_->first >= EntryCount())
    return std::nullopt;
  return *number - sequence_->first;
}

void IniSection::RememberDuplicate(std::size_t entry) {
  const std::string_view key = At(entry).Key();
  const auto firstOf = [this](std::size_t n) { return At(duplicateEntries_[n].front()).Key(); };
  if (const auto known = duplicateKeys_.Find(key, firstOf)) {
    duplicateEntries_[*known].push_back(entry);
    return;
  }
  duplicateKeys_.Insert(key, duplicateEntries_.size(), firstOf);
  duplicateEntries_.push_back({entry});
}

}  // namespace tav
