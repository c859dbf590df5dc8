// SPDX-License-Identifier: GPL-3.0-or-later
#include "plan/PassPrograms.h"

#include "gcode/GCodeGenerator.h"

namespace tav {

std::string PassProgramFileName(int pass) { return "durchgang-" + std::to_string(pass) + ".nc"; }

std::string GeneratePassProgram(ComponentTree& tree, const MachineSettings& settings,
                                const PassPlan& plan, int pass) {
  plan.ApplyPass(tree, pass);
  MachineSettings withAngles = settings;
  plan.ApplyPassAngles(withAngles, pass);
  return GCodeGenerator::Generate(tree, withAngles);
}

std::vector<std::string> GeneratePassPrograms(ComponentTree& tree, const MachineSettings& settings,
                                              const PassPlan& plan) {
  std::vector<std::string> programs;
  programs.reserve(static_cast<std::size_t>(plan.PassCount()));
  for (int pass = 1; pass <= plan.PassCount(); ++pass)
    programs.push_back(GeneratePassProgram(tree, settings, plan, pass));
  return programs;
}

}  // namespace tav
