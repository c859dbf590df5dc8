// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace tav {

enum class TextEncoding { kWindows1252, kUtf8, kUtf8WithMark, kUtf16Le, kUtf16Be };

// A board file's text in the program's Windows-1252 code page.
struct DecodedText {
  std::string text;
  TextEncoding encoding = TextEncoding::kWindows1252;
};

// Decodes the bytes of a board file: a byte-order mark FF FE or FE FF means
// UTF-16 LE or BE, EF BB BF means UTF-8; without a mark, text that is valid
// UTF-8 and holds at least one multi-byte sequence is UTF-8. Anything else is
// Windows-1252 and keeps every byte. The mark itself is dropped; characters
// without a Windows-1252 form take their usual stand-in (ReplacementFor, so
// 10kΩ reads 10kOhm) or else, like malformed sequences and unpaired
// surrogates, become "?". Never throws anything but std::bad_alloc.
DecodedText DecodeBoardText(std::string bytes);

// German name of the encoding, for the import's summary.
std::string_view EncodingName(TextEncoding encoding) noexcept;

}  // namespace tav
