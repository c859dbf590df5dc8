// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/ComponentBlock.h"
#include "settings/BoardPlacement.h"

namespace tav {

// A component's machine position and turn exactly as the program uses them:
// refuses a part of the other side (BoardPlacement::CheckSide), places it, and
// writes copied position texts with "." (GCodeNumberText). Throws Error.
PlacedComponent ProgramPosition(const BoardPlacement& placement, const ComponentBlock& component,
                                bool withTurn = true);

}  // namespace tav
