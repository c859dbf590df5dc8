// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace tav {

// The text of a tree node: a view of the bytes the tree keeps in its text
// arena, valid until the tree is cleared, swapped away or destroyed. It reads
// like a std::string_view and converts to a std::string where a copy is wanted,
// so `const std::string& t = node->Text();` keeps working.
class NodeText final : public std::string_view {
 public:
  constexpr NodeText() noexcept = default;
  constexpr explicit NodeText(std::string_view text) noexcept : std::string_view(text) {}

  operator std::string() const { return std::string(data(), size()); }
};

// Concatenation as with std::string, which string_view lacks before C++26.
inline std::string operator+(const std::string& a, NodeText b) { return a + std::string(b); }
inline std::string operator+(NodeText a, const std::string& b) { return std::string(a) + b; }
inline std::string operator+(const char* a, NodeText b) { return a + std::string(b); }
inline std::string operator+(NodeText a, const char* b) { return std::string(a) + b; }
inline std::string operator+(NodeText a, NodeText b) { return std::string(a) + std::string(b); }
inline std::string operator+(char a, NodeText b) { return a + std::string(b); }
inline std::string operator+(NodeText a, char b) { return std::string(a) + b; }

}  // namespace tav
