// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tav {

// The one UTF-8 decoder of the system. It is strict: no overlong forms, no
// surrogates, nothing above U+10FFFF, no truncated sequences, so a malformed
// name can never decode to a NUL or to a character it does not spell.

// Length of the well-formed UTF-8 sequence of two to four bytes starting at
// `pos`, or 0 when none starts there (an ASCII byte included).
std::size_t Utf8SequenceAt(std::string_view text, std::size_t pos) noexcept;

// Well-formed UTF-8 converted to Windows-1252, "?" for characters that code
// page lacks; nullopt when `text` is not well-formed UTF-8 as a whole.
std::optional<std::string> Utf8ToCp1252(std::string_view text);

}  // namespace tav
