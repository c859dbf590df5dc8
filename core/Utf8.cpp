// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Utf8.h"

#include "core/Windows1252.h"

namespace tav {

std::size_t Utf8SequenceAt(std::string_view text, std::size_t pos) noexcept {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(pos);
  std::size_t length = 0;
  // The second byte's range excludes overlong forms (E0, F0), surrogates (ED)
  // and code points above U+10FFFF (F4).
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (pos + length > text.size()) return 0;
  if (byte(pos + 1) < low || byte(pos + 1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if (byte(pos + i) < 0x80 || byte(pos + i) > 0xBF) return 0;
  }
  return length;
}

std::optional<std::string> Utf8ToCp1252(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    if (lead < 0x80) {
      out.push_back(text[pos++]);
      continue;
    }
    const std::size_t length = Utf8SequenceAt(text, pos);
    if (length == 0) return std::nullopt;
    // The lead byte keeps 7 - length value bits, every further byte 6.
    char32_t c = lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) c = (c << 6) | (text[pos + i] & 0x3F);
    const int byte = CodePointToCp1252(c);
    out.push_back(byte < 0 ? '?' : static_cast<char>(byte));
    pos += length;
  }
  return out;
}

}  // namespace tav
