// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace tav {

// The Unicode code point of a Windows-1252 byte. The five bytes without a
// character (81, 8D, 8F, 90, 9D) map to the control code points of the same
// value, so every byte 0..255 round-trips.
char32_t Cp1252ToCodePoint(unsigned char byte) noexcept;

// The Windows-1252 byte of a code point, or -1 when it has none.
int CodePointToCp1252(char32_t codePoint) noexcept;

// Windows-1252 text to UTF-8, for printing messages on a terminal.
std::string Cp1252ToUtf8(std::string_view text);

}  // namespace tav
