// SPDX-License-Identifier: GPL-3.0-or-later
#include "gcode/ProgramPosition.h"

#include "gcode/GCodeNumbers.h"

namespace tav {

PlacedComponent ProgramPosition(const BoardPlacement& placement, const ComponentBlock& component) {
  placement.CheckSide(component);
  PlacedComponent placed = placement.PlaceComponent(component);
  if (placement.Identity()) {
    ToGCodeNumberText(placed.x);
    ToGCodeNumberText(placed.y);
  }
  return placed;
}

}  // namespace tav
