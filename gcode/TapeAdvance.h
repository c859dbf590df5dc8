// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/NumberConversion.h"
#include "settings/MachineSettings.h"

namespace tav {

// The move that advances the tape while the needle is down in it (line 3 of a
// component block): beside the feeder by its offset, along its direction.
struct TapeAdvance {
  std::string text;              // axis letter and target, e.g. "X146"
  std::optional<Number> target;  // the target as a number, for the estimate
};

// The tape advance of a feeder at `x`, `y` (program texts, with ".") with
// `offset`: "Rechts" X = x - offset, "Links" X = x + offset, "Oben"
// Y = y + offset, "Unten" Y = y - offset, the sum written in the general
// format with ".". A feeder at 0 on that axis gets the axis letter, the sign
// and the offset as typed ("X-4.0"), which is the same place. Texts that are
// no numbers give that form too, with no target.
TapeAdvance MakeTapeAdvance(FeederDirection direction, std::string_view x, std::string_view y,
                            std::string_view offset);

}  // namespace tav
