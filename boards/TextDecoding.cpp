// SPDX-License-Identifier: GPL-3.0-or-later
#include "boards/TextDecoding.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>

#include "boards/CharacterReplacements.h"
#include "boards/NamedValues.h"
#include "core/Windows1252.h"

namespace tav {
namespace {

unsigned char Byte(std::string_view text, std::size_t i) noexcept {
  return static_cast<unsigned char>(text[i]);
}

// Length of the well-formed UTF-8 sequence of two to four bytes at `pos`, or 0
// (no overlong forms, no surrogates, nothing above U+10FFFF).
std::size_t Utf8SequenceAt(std::string_view text, std::size_t pos, char32_t& codePoint) noexcept {
  const unsigned char lead = Byte(text, pos);
  std::size_t length = 0;
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    codePoint = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    codePoint = lead & 0x0F;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    codePoint = lead & 0x07;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (pos + length > text.size()) return 0;
  if (Byte(text, pos + 1) < low || Byte(text, pos + 1) > high) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if (i > 1 && (Byte(text, pos + i) < 0x80 || Byte(text, pos + i) > 0xBF)) return 0;
    codePoint = (codePoint << 6) | (Byte(text, pos + i) & 0x3F);
  }
  return length;
}

// Whether a byte at `pos` can be judged without the bytes of a later piece:
// a character is at most four bytes long.
bool Complete(std::string_view text, std::size_t pos, bool last) noexcept {
  return last || Byte(text, pos) < 0x80 || pos + 4 <= text.size();
}

void AppendCp1252(std::string& out, char32_t codePoint) {
  const int byte = CodePointToCp1252(codePoint);
  if (byte >= 0) {
    out.push_back(static_cast<char>(byte));
    return;
  }
  const std::string_view replacement = ReplacementFor(codePoint);
  if (replacement.empty())
    out.push_back('?');
  else
    out.append(replacement);
}

std::size_t FromUtf8(std::string_view text, bool last, std::string& out) {
  out.reserve(out.size() + text.size());
  std::size_t pos = 0;
  while (pos < text.size() && Complete(text, pos, last)) {
    if (Byte(text, pos) < 0x80) {
      out.push_back(text[pos++]);
      continue;
    }
    char32_t codePoint = 0;
    const std::size_t length = Utf8SequenceAt(text, pos, codePoint);
    if (length == 0) {
      out.push_back('?');
      ++pos;
    } else {
      AppendCp1252(out, codePoint);
      pos += length;
    }
  }
  return pos;
}

std::size_t FromUtf16(std::string_view text, bool bigEndian, bool last, std::string& out) {
  out.reserve(out.size() + text.size() / 2);
  const auto unitAt = [&](std::size_t i) -> char32_t {
    const unsigned first = Byte(text, i);
    const unsigned second = Byte(text, i + 1);
    return bigEndian ? (first << 8) | second : (second << 8) | first;
  };
  const std::size_t end = text.size() - text.size() % 2;  // a lone last byte is dropped
  std::size_t i = 0;
  // Short of the end of the file, a unit is read only with the next one
  // present, which may complete a surrogate pair.
  for (; i < end && (last || i + 4 <= end); i += 2) {
    const char32_t unit = unitAt(i);
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 2 < end) {
      const char32_t next = unitAt(i + 2);
      if (next >= 0xDC00 && next <= 0xDFFF) {
        AppendCp1252(out, 0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00));
        i += 2;
        continue;
      }
    }
    if (unit >= 0xD800 && unit <= 0xDFFF) {
      out.push_back('?');
    } else {
      AppendCp1252(out, unit);
    }
  }
  return last ? text.size() : i;
}

bool StartsWith(std::string_view text, std::string_view mark) noexcept {
  return text.substr(0, mark.size()) == mark;
}

}  // namespace

Utf8Check Utf8Check::Add(std::string_view text, bool last) noexcept {
  Utf8Check result{valid, multiByte, 0};
  std::size_t pos = 0;
  while (result.valid && pos < text.size()) {
    // Plain ASCII, the bulk of a board file, is skipped eight bytes at a time.
    std::uint64_t eight = 0;
    if (pos + sizeof eight <= text.size()) {
      std::memcpy(&eight, text.data() + pos, sizeof eight);
      if ((eight & 0x8080808080808080U) == 0) {
        pos += sizeof eight;
        continue;
      }
    }
    if (!Complete(text, pos, last)) break;
    if (Byte(text, pos) < 0x80) {
      ++pos;
      continue;
    }
    char32_t ignored = 0;
    const std::size_t length = Utf8SequenceAt(text, pos, ignored);
    if (length == 0) {
      result.valid = false;
    } else {
      result.multiByte = true;
      pos += length;
    }
  }
  result.taken = result.valid ? pos : text.size();
  return result;
}

std::size_t MarkLength(TextEncoding encoding) noexcept {
  switch (encoding) {
    case TextEncoding::kUtf16Le:
    case TextEncoding::kUtf16Be:
      return 2;
    case TextEncoding::kUtf8WithMark:
      return 3;
    case TextEncoding::kWindows1252:
    case TextEncoding::kUtf8:
      break;
  }
  return 0;
}

std::optional<TextEncoding> EncodingOfMark(std::string_view start) noexcept {
  if (StartsWith(start, "\xFF\xFE")) return TextEncoding::kUtf16Le;
  if (StartsWith(start, "\xFE\xFF")) return TextEncoding::kUtf16Be;
  if (StartsWith(start, "\xEF\xBB\xBF")) return TextEncoding::kUtf8WithMark;
  return std::nullopt;
}

std::size_t DecodeBoardPiece(std::string_view bytes, TextEncoding encoding, bool last,
                             std::string& out) {
  switch (encoding) {
    case TextEncoding::kUtf16Le:
      return FromUtf16(bytes, false, last, out);
    case TextEncoding::kUtf16Be:
      return FromUtf16(bytes, true, last, out);
    case TextEncoding::kUtf8:
    case TextEncoding::kUtf8WithMark:
      return FromUtf8(bytes, last, out);
    case TextEncoding::kWindows1252:
      break;
  }
  out.append(bytes);
  return bytes.size();
}

DecodedText DecodeBoardText(std::string bytes) {
  const std::string_view text(bytes);
  std::optional<TextEncoding> encoding = EncodingOfMark(text);
  if (!encoding) {
    const Utf8Check check = Utf8Check{}.Add(text, true);
    if (!check.valid || !check.multiByte) return {std::move(bytes), TextEncoding::kWindows1252};
    encoding = TextEncoding::kUtf8;
  }
  DecodedText decoded{{}, *encoding};
  DecodeBoardPiece(text.substr(MarkLength(*encoding)), *encoding, true, decoded.text);
  return decoded;
}

std::string_view EncodingName(TextEncoding encoding) noexcept {
  static constexpr NamedValue<TextEncoding> kNames[] = {
      {TextEncoding::kWindows1252, "Windows-1252"},
      {TextEncoding::kUtf8, "UTF-8"},
      {TextEncoding::kUtf8WithMark, "UTF-8 mit BOM"},
      {TextEncoding::kUtf16Le, "UTF-16 LE"},
      {TextEncoding::kUtf16Be, "UTF-16 BE"}};
  return NameIn(kNames, encoding);
}

}  // namespace tav
