// SPDX-License-Identifier: GPL-3.0-or-later
#include "boards/CharacterReplacements.h"

namespace tav {
namespace {

struct Replacement {
  char32_t codePoint;
  std::string_view text;  // Windows-1252 bytes
};

constexpr Replacement kReplacements[] = {
    {U'\u03A9', "Ohm"},   // Greek capital omega, as board tools write ohms
    {U'\u2126', "Ohm"},   // ohm sign
    {U'\u03BC', "\xB5"},  // Greek small mu: the micro sign
    {U'\u2212', "-"},     // minus sign
    {U'\u2010', "-"},     // hyphen
    {U'\u2011', "-"},     // non-breaking hyphen
    {U'\u2264', "<="},
    {U'\u2265', ">="},
    {U'\u2103',
     "\xB0"
     "C"},             // degree Celsius
    {U'\u2009', " "},  // thin space
    {U'\u202F', " "},  // narrow no-break space
};

}  // namespace

std::string_view ReplacementFor(char32_t codePoint) noexcept {
  for (const Replacement& replacement : kReplacements)
    if (replacement.codePoint == codePoint) return replacement.text;
  return {};
}

}  // namespace tav
