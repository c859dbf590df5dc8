// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
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

// The same decoding piece by piece, for files too large to hold. The byte-order
// mark of a file, if any, and how long it is:
std::optional<TextEncoding> EncodingOfMark(std::string_view start) noexcept;
std::size_t MarkLength(TextEncoding encoding) noexcept;

// Appends to `out` the text of `bytes` (after any mark) read in `encoding`,
// and gives how many bytes it took. Unless `last` (the end of the file), the
// bytes of a character the next piece may complete stay untaken (at most
// three); fed the rest followed by the next piece, the decoding goes on as if
// the file were read whole. Windows-1252 takes every byte.
std::size_t DecodeBoardPiece(std::string_view bytes, TextEncoding encoding, bool last,
                             std::string& out);

// Whether a file without a mark is UTF-8, judged piece by piece: the file is
// UTF-8 when every piece is valid and one holds a multi-byte sequence.
struct Utf8Check {
  bool valid = true;
  bool multiByte = false;
  std::size_t taken = 0;  // bytes of the piece judged; the rest goes with the next

  // The judgement after `text` too. Unless `last`, a sequence the next piece
  // may complete is left untaken.
  Utf8Check Add(std::string_view text, bool last) noexcept;
};

// German name of the encoding, for the import's summary.
std::string_view EncodingName(TextEncoding encoding) noexcept;

}  // namespace tav
