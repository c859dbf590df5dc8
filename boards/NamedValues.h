// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string_view>

namespace tav {

// One enumerator and the name the program shows for it. The names of a small
// enum stand in a table of these beside each other instead of in a switch.
template <typename Enum>
struct NamedValue {
  Enum value;
  std::string_view name;
};

// The name of `value` in `table`; the first entry's name for a value the
// table lacks, so every enumerator not listed falls back to it.
template <typename Enum, std::size_t N>
constexpr std::string_view NameIn(const NamedValue<Enum> (&table)[N], Enum value) noexcept {
  for (const NamedValue<Enum>& entry : table) {
    if (entry.value == value) return entry.name;
  }
  return table[0].name;
}

}  // namespace tav
