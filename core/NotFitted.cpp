// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/NotFitted.h"

#include <array>

namespace tav {
namespace {

// Lower case of ASCII letters and of the Windows-1252 capital umlauts.
char Lower(char c) noexcept {
  const auto u = static_cast<unsigned char>(c);
  if ((u >= 'A' && u <= 'Z') || (u >= 0xC0 && u <= 0xDE && u != 0xD7))
    return static_cast<char>(u + 32);
  return c;
}

}  // namespace

bool IsNotFitted(std::string_view value) noexcept {
  static constexpr std::array<std::string_view, 9> kWords{"nc",
                                                          "dnp",
                                                          "dnf",
                                                          "nf",
                                                          "np",
                                                          "n.b.",
                                                          "nicht best\xFC"
                                                          "ckt",
                                                          "do not place",
                                                          "no fit"};
  const std::size_t first = value.find_first_not_of(" \t");
  if (first == std::string_view::npos) return false;
  value = value.substr(first, value.find_last_not_of(" \t") - first + 1);
  for (const std::string_view word : kWords) {
    if (word.size() != value.size()) continue;
    bool same = true;
    for (std::size_t i = 0; same && i < word.size(); ++i) same = Lower(value[i]) == word[i];
    if (same) return true;
  }
  return false;
}

}  // namespace tav
