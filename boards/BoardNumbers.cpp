// SPDX-License-Identifier: GPL-3.0-or-later
#include "boards/BoardNumbers.h"

#include "core/DecimalSeparator.h"

namespace tav {

Number BoardNumber(std::string_view text) {
  const char user = DecimalSeparator();
  if (user != '.' && user != ',' && text.find(user) != std::string_view::npos)
    return TextToNumber(text, user);
  return ReadNumber(text);
}

std::string MillimetreText(Number millimetres) {
  return NumberToText(millimetres, 15, 0, '.') + "mm";
}

}  // namespace tav
