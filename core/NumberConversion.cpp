// SPDX-License-Identifier: GPL-3.0-or-later
// Integer conversions; TextToNumber.cpp and NumberToText.cpp hold the rest.
#include "core/NumberConversion.h"

#include <cstdint>

#include "core/Error.h"
#include "core/Messages.h"

namespace tav {
namespace {

[[noreturn]] void NotAnInteger(std::string_view text) {
  throw Error(FormatMessage(msg::kNotAnInteger, {text}));
}

int HexDigitValue(char c) noexcept {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::int32_t TextToInteger(std::string_view text) {
  std::size_t i = 0;
  const std::size_t size = text.size();
  while (i < size && text[i] == ' ') ++i;
  bool negative = false;
  if (i < size && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';

  bool hexadecimal = false;
  if (i < size && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
    hexadecimal = true;
    i += 1;
  } else if (i + 1 < size && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    hexadecimal = true;
    i += 2;
  }
  if (i == size) NotAnInteger(text);

  if (hexadecimal) {
    std::uint32_t value = 0;
    for (; i < size; ++i) {
      const int digit = HexDigitValue(text[i]);
      if (digit < 0 || value > 0x0FFFFFFFU) NotAnInteger(text);
      value = value * 16 + static_cast<std::uint32_t>(digit);
    }
    // Up to FFFFFFFF is accepted as 32-bit two's complement; "-" then negates.
    if (negative) value = 0U - value;
    return static_cast<std::int32_t>(value);
  }

  std::int64_t value = 0;
  const std::int64_t limit = negative ? 2147483648LL : 2147483647LL;
  for (; i < size; ++i) {
    if (text[i] < '0' || text[i] > '9') NotAnInteger(text);
    value = value * 10 + (text[i] - '0');
    if (value > limit) NotAnInteger(text);
  }
  return static_cast<std::int32_t>(negative ? -value : value);
}

std::string IntegerToText(std::int64_t value) { return std::to_string(value); }

}  // namespace tav
