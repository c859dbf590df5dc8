// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/Arguments.h"
#include "settings/MachineSettings.h"

namespace tav::cli {

// Applies the settings options to settings already loaded from the project:
// first the machine file (--machine), then each --set in command-line order,
// so the last word is the command line's. Throws Error when the machine file
// cannot be loaded; `settings` is then unchanged.
void ApplySettingOptions(const Arguments& args, MachineSettings& settings);

}  // namespace tav::cli
