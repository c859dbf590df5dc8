#include "cli/TerminalText.h"

#include "core/Windows1252.h"

namespace tav::cli {
namespace {

// Length of the well-formed UTF-8 sequence of two to four bytes starting at
// `pos`, or 0 (no overlong forms, no surrogates, nothing above U+10FFFF).
std::size_t Utf8SequenceAt(std::string_view text, std::size_t pos) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(pos);
  std::size_t length = 0;
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

}  // namespace

std::string ToTerminal(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 4);
  for (std::size_t pos = 0; pos < text.size();) {
    if (static_cast<unsigned char>(text[pos]) < 0x80) {
      out.push_back(text[pos++]);
    } else if (const std::size_t length = Utf8SequenceAt(text, pos); length > 0) {
      out.append(text.substr(pos, length));
      pos += length;
    } else {
      out.append(Cp1252ToUtf8(text.substr(pos, 1)));
      ++pos;
    }
  }
  return out;
}

}  // namespace tav::cli
