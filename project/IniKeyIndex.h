// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace tav {

// Hash and equality for section and key names: ASCII letters in any case are
// the same, and blanks (space, TAB) around the name do not count.
std::uint64_t IniNameHash(std::string_view name) noexcept;
std::string_view TrimIniBlanks(std::string_view name) noexcept;
bool IniNameEqual(std::string_view a, std::string_view b) noexcept;

// Maps names to entry numbers (0 to 2^32-2) with open addressing in one flat
// array: one memory access per lookup and no allocation per name, which keeps
// sections of millions of keys fast. The names themselves stay with the
// caller; every operation takes `nameOf(entry)` to read them.
class IniKeyIndex final {
 public:
  std::size_t Size() const noexcept { return size_; }

  void Reserve(std::size_t count) {
    if (count * 4 > slots_.size() * 3 || slots_.empty()) Rehash(count);
  }

  template <typename NameOf>
  std::optional<std::size_t> Find(std::string_view name, const NameOf& nameOf) const {
    if (size_ == 0) return std::nullopt;
    const std::uint64_t hash = IniNameHash(name);
    for (std::size_t slot = Home(hash);; slot = (slot + 1) & Mask()) {
      const Slot& s = slots_[slot];
      if (s.entry == 0) return std::nullopt;
      if (s.hash == static_cast<std::uint32_t>(hash) && IniNameEqual(nameOf(s.entry - 1), name))
        return s.entry - 1;
    }
  }

  // Adds `entry` under `name` unless the name is present; returns whether it was added.
  template <typename NameOf>
  bool Insert(std::string_view name, std::size_t entry, const NameOf& nameOf) {
    return Insert(name, IniNameHash(name), entry, nameOf);
  }

  // Insert with the name's hash already known; see Prefetch.
  template <typename NameOf>
  bool Insert(std::string_view name, std::uint64_t hash, std::size_t entry, const NameOf& nameOf) {
    if (entry >= kNoEntry - 1) throw std::length_error("too many INI entries");
    if ((size_ + 1) * 4 > slots_.size() * 3) Rehash(size_ + 1);
    std::size_t slot = Home(hash);
    for (;; slot = (slot + 1) & Mask()) {
      const Slot& s = slots_[slot];
      if (s.entry == 0) break;
      if (s.hash == static_cast<std::uint32_t>(hash) && IniNameEqual(nameOf(s.entry - 1), name))
        return false;
    }
    slots_[slot] = {static_cast<std::uint32_t>(hash), static_cast<std::uint32_t>(entry + 1)};
    ++size_;
    return true;
  }

  // Removes `name`; returns the entry it had.
  template <typename NameOf>
  std::optional<std::size_t> Erase(std::string_view name, const NameOf& nameOf) {
    if (size_ == 0) return std::nullopt;
    const std::uint64_t hash = IniNameHash(name);
    std::size_t slot = Home(hash);
    for (;; slot = (slot + 1) & Mask()) {
      const Slot& s = slots_[slot];
      if (s.entry == 0) return std::nullopt;
      if (s.hash == static_cast<std::uint32_t>(hash) && IniNameEqual(nameOf(s.entry - 1), name))
        break;
    }
    const std::size_t entry = slots_[slot].entry - 1;
    // Shift later members of the probe run back, so no lookup stops at the gap.
    std::size_t gap = slot;
    for (std::size_t next = (gap + 1) & Mask(); slots_[next].entry != 0;
         next = (next + 1) & Mask()) {
      const std::size_t home = HomeOfStored(slots_[next]);
      if (((next - home) & Mask()) >= ((next - gap) & Mask())) {
        slots_[gap] = slots_[next];
        gap = next;
      }
    }
    slots_[gap] = {};
    --size_;
    return entry;
  }

  // Asks the processor to fetch the slot a name with this hash starts at, so
  // a batch of inserts waits for memory once instead of once per name.
  void Prefetch(std::uint64_t hash) const noexcept {
#if defined(__GNUC__) || defined(__clang__)
    if (!slots_.empty()) __builtin_prefetch(&slots_[Home(hash)]);
#else
    (void)hash;
#endif
  }

  void Clear() noexcept {
    slots_ = {};
    size_ = 0;
  }

 private:
  static constexpr std::uint64_t kNoEntry = 0xFFFFFFFFull;
  struct Slot {
    std::uint32_t hash = 0;   // low half of the name's hash
    std::uint32_t entry = 0;  // entry + 1; 0 marks a free slot
  };

  std::size_t Mask() const noexcept { return slots_.size() - 1; }
  // The slot a hash starts probing at; the stored half of the hash is enough
  // to find it again when shifting or growing.
  std::size_t Home(std::uint64_t hash) const noexcept {
    return HomeOf(static_cast<std::uint32_t>(hash), slots_.size());
  }
  std::size_t HomeOfStored(const Slot& s) const noexcept { return HomeOf(s.hash, slots_.size()); }
  static std::size_t HomeOf(std::uint32_t hash, std::size_t capacity) noexcept {
    return static_cast<std::size_t>((hash * 0x9E3779B97F4A7C15ull) >> 32) & (capacity - 1);
  }

  void Rehash(std::size_t count) {
    std::size_t capacity = 16;
    while (capacity * 3 < count * 4 + 4) capacity *= 2;
    std::vector<Slot> old = std::move(slots_);
    slots_.assign(capacity, Slot{});
    for (const Slot& s : old) {
      if (s.entry == 0) continue;
      std::size_t slot = HomeOf(s.hash, capacity);
      while (slots_[slot].entry != 0) slot = (slot + 1) & (capacity - 1);
      slots_[slot] = s;
    }
  }

  std::vector<Slot> slots_;
  std::size_t size_ = 0;
};

}  // namespace tav
