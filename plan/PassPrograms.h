// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "core/ComponentTree.h"
#include "plan/PassPlan.h"
#include "settings/MachineSettings.h"

namespace tav {

// File names of the programs and the setup sheet that `tav plan` writes and the
// desktop offers: "durchgang-1.nc", "durchgang-2.nc", ... and "einrichtung.txt".
std::string PassProgramFileName(int pass);
inline constexpr const char* kSetupSheetFileName = "einrichtung.txt";

// The G-code program of pass `pass`: applies the pass to `tree` (see
// PassPlan::ApplyPass) and returns exactly what the generator makes of it.
// `tree` keeps that pass applied. Throws what ApplyPass and the generator throw.
std::string GeneratePassProgram(ComponentTree& tree, const MachineSettings& settings,
                                const PassPlan& plan, int pass);

// The programs of all passes, in pass order; `tree` keeps the last pass
// applied. Costs one generator run over the whole tree per pass.
std::vector<std::string> GeneratePassPrograms(ComponentTree& tree, const MachineSettings& settings,
                                              const PassPlan& plan);

}  // namespace tav
