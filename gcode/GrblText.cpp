// SPDX-License-Identifier: GPL-3.0-or-later
#include "gcode/GrblText.h"

namespace tav {

bool IsGrblRealtimeByte(unsigned char byte) noexcept {
  return byte == '!' || byte == '~' || byte == '?' || byte < 0x20 || byte >= 0x7F;
}

namespace {

std::string_view Replacement(unsigned char byte) {
  switch (byte) {
    case '!':
      return ".";
    case '~':
      return "-";
    case '?':
      return "_";
    case 0x96:
    case 0x97:
      return "-";
    case 0xA0:
      return " ";
    case 0xE4:
      return "ae";
    case 0xF6:
      return "oe";
    case 0xFC:
      return "ue";
    case 0xC4:
      return "Ae";
    case 0xD6:
      return "Oe";
    case 0xDC:
      return "Ue";
    case 0xDF:
      return "ss";
    case 0xB5:
      return "u";
    case 0xB0:
      return "Grad";
    case 0xB1:
      return "+-";
    default:
      return byte < 0x20 || byte == 0x7F ? " " : "_";
  }
}

}  // namespace

void AppendGrblSafeText(std::string& out, std::string_view text) {
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (IsGrblRealtimeByte(byte))
      out.append(Replacement(byte));
    else
      out.push_back(c);
  }
}

}  // namespace tav
