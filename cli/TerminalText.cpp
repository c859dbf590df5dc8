// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/TerminalText.h"

#include "core/Utf8.h"
#include "core/Windows1252.h"

namespace tav::cli {

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
