// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/SettingOptions.h"

#include "project/MachineProfile.h"
#include "project/SettingKeys.h"

namespace tav::cli {

void ApplySettingOptions(const Arguments& args, MachineSettings& settings) {
  MachineSettings changed = settings;
  if (args.machine) LoadMachineProfile(*args.machine, changed);
  // The parser has checked every key against the settings table.
  for (const auto& [key, value] : args.settings) FindStoredSetting(key)->Of(changed) = value;
  settings = std::move(changed);
}

}  // namespace tav::cli
