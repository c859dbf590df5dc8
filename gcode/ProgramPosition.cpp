// SPDX-License-Identifier: GPL-3.0-or-later
#include "gcode/ProgramPosition.h"

#include "gcode/GCodeNumbers.h"

namespace tav {

PlacedComponent ProgramPosition(const BoardPlacement& placement, const ComponentBlock& component,
                                bool withTurn) {
  placement.CheckSide(component);
  PlacedComponent placed = placement.PlaceComponent(component, withTurn);
  if (placement.Identity()) {
    ToGCodeNumberText(placed.x);
    ToGCodeNumberText(placed.y);
  }
  return placed;
}

}  // namespace tav
