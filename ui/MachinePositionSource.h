// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <optional>

namespace tav::ui {

// The machine position a connected controller reports, in mm.
struct MachinePoint {
  double x = 0;
  double y = 0;
  double z = 0;
};

// Asks the machine link for its current machine position; empty while no
// machine is connected. Dialogs that take measured points offer
// "Position übernehmen" only while a source is set.
using MachinePositionSource = std::function<std::optional<MachinePoint>()>;

}  // namespace tav::ui
