// SPDX-License-Identifier: GPL-3.0-or-later
#include "gcode/TapeAdvance.h"

#include "gcode/GCodeNumbers.h"

namespace tav {

TapeAdvance MakeTapeAdvance(FeederDirection direction, std::string_view x, std::string_view y,
                            std::string_view offset) {
  TapeAdvance advance;
  const std::optional<Number> from = TryTextToNumber(direction.axis == 'X' ? x : y, '.');
  const std::optional<Number> by = TryTextToNumber(offset, '.');
  if (from && by && *from != 0) {
    const Number target = direction.sign == '+' ? *from + *by : *from - *by;
    advance.text = std::string(1, direction.axis) + GCodeNumber(target);
    advance.target = target;
    return advance;
  }
  advance.text = {direction.axis, direction.sign};
  advance.text.append(offset);
  advance.target = TryTextToNumber(advance.text.substr(1), '.');
  return advance;
}

}  // namespace tav
