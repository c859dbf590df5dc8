// SPDX-License-Identifier: GPL-3.0-or-later
#include "gcode/GCodeNumbers.h"

namespace tav {

void ToGCodeNumberText(std::string& text) {
  const std::size_t at = text.find(',');
  if (at == std::string::npos || !TryTextToNumber(text, ',')) return;
  // A number holds at most one separator.
  text[at] = '.';
}

std::string GCodeNumberText(std::string_view text) {
  std::string out(text);
  ToGCodeNumberText(out);
  return out;
}

std::optional<Number> TryReadSettingNumber(std::string_view text) { return TryReadNumber(text); }

Number ReadSettingNumber(std::string_view text) { return ReadNumber(text); }

std::string GCodeNumber(Number value) { return NumberToText(value, 15, 0, '.'); }

}  // namespace tav
