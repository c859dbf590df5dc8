// SPDX-License-Identifier: GPL-3.0-or-later
#include "gcode/GCodeNumbers.h"

#include "core/DecimalSeparator.h"

namespace tav {

void ToGCodeNumberText(std::string& text) {
  const char separator = DecimalSeparator();
  if (separator == '.' || !TryTextToNumber(text, separator)) return;
  // A number holds at most one separator.
  const std::size_t at = text.find(separator);
  if (at != std::string::npos) text[at] = '.';
}

std::string GCodeNumberText(std::string_view text) {
  std::string out(text);
  ToGCodeNumberText(out);
  return out;
}

std::optional<Number> TryReadSettingNumber(std::string_view text) {
  const char separator = DecimalSeparator();
  std::optional<Number> value = TryTextToNumber(text, separator);
  if (!value && separator != '.') value = TryTextToNumber(text, '.');
  return value;
}

Number ReadSettingNumber(std::string_view text) {
  if (const std::optional<Number> value = TryReadSettingNumber(text)) return *value;
  return TextToNumber(text);  // throws the error that names the text
}

std::string GCodeNumber(Number value) { return NumberToText(value, 15, 0, '.'); }

}  // namespace tav
