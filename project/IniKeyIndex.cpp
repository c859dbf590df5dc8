// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/IniKeyIndex.h"

namespace tav {

namespace {

bool IsBlank(char c) noexcept { return c == ' ' || c == '\t'; }

unsigned char AsciiLower(char c) noexcept {
  const auto byte = static_cast<unsigned char>(c);
  return (byte >= 'A' && byte <= 'Z') ? static_cast<unsigned char>(byte + ('a' - 'A')) : byte;
}

}  // namespace

std::string_view TrimIniBlanks(std::string_view text) noexcept {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

std::uint64_t IniNameHash(std::string_view name) noexcept {
  // FNV-1a over the lower-cased, trimmed name.
  std::uint64_t hash = 14695981039346656037ull;
  for (char c : TrimIniBlanks(name)) {
    hash ^= AsciiLower(c);
    hash *= 1099511628211ull;
  }
  return hash;
}

bool IniNameEqual(std::string_view a, std::string_view b) noexcept {
  a = TrimIniBlanks(a);
  b = TrimIniBlanks(b);
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

}  // namespace tav
