// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/MachineSettings.h"

namespace tav {

// Message shown when ProposeValveCodes filled in the codes.
inline constexpr const char* kValveCodesProposed =
    "Ventil-Befehle vorgeschlagen: M8 (ein) und M9 (aus), die K\xFChlmittel-Ausg\xE4nge, die "
    "GRBL und LinuxCNC schalten. Bitte an die Maschine anpassen.";

// When valve switching is turned on while "Ventil Ausgang" holds the default
// "M1" (which would stop the program) and "Ventil aus" is empty, fills in "M8"
// and "M9". Returns whether it changed anything.
bool ProposeValveCodes(MachineSettings& settings);

}  // namespace tav
