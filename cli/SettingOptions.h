#pragma once

#include <cstdio>

#include "cli/Arguments.h"
#include "core/ComponentTree.h"
#include "settings/MachineSettings.h"

namespace tav::cli {

// Applies the settings options to settings already loaded from the project:
// first the machine file (--machine), then each --set in command-line order,
// so the last word is the command line's. Throws Error when the machine file
// cannot be loaded; `settings` is then unchanged.
void ApplySettingOptions(const Arguments& args, MachineSettings& settings);

// With two --align points: finds the board's origin and turn from the parts'
// measured positions (after the settings options, so their "Seite" counts),
// sets them and prints the result and the distance difference to
// `standardError`. Throws Error (unknown part, distances too far apart).
void ApplyAlignmentOptions(const Arguments& args, const ComponentTree& tree,
                           MachineSettings& settings, std::FILE* standardError);

}  // namespace tav::cli
