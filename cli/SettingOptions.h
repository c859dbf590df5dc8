// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdio>
#include <string>

#include "cli/Arguments.h"
#include "core/ComponentTree.h"
#include "project/StoredSettings.h"
#include "settings/MachineSettings.h"

namespace tav::cli {

// Where each stored setting's value came from: the project file, the machine
// file, "--set", or nowhere (the default).
class SettingOrigins final {
 public:
  void SetAll(const std::string& origin);
  void Set(const StoredSetting& setting, const std::string& origin);

  // " (F1Z aus werkstatt.tavm)", " (F1Z aus --set)", " (F1Z)" for a default;
  // empty for a field that is no stored setting of `settings`.
  std::string Note(const MachineSettings& settings, const std::string& field) const;

 private:
  std::array<std::string, kStoredSettingCount> origins_;
};

// Applies the settings options to settings already loaded from the project:
// first the machine file (--machine), then each --set in command-line order,
// so the last word is the command line's. Throws Error when the machine file
// cannot be loaded; `settings` is then unchanged. Records in `origins` (when
// given) the settings each step set.
void ApplySettingOptions(const Arguments& args, MachineSettings& settings,
                         SettingOrigins* origins = nullptr);

// With two --align points: finds the board's origin and turn from the parts'
// measured positions (after the settings options, so their "Seite" counts),
// sets them and prints the result and the distance difference to
// `standardError`. Throws Error (unknown part, distances too far apart).
void ApplyAlignmentOptions(const Arguments& args, const ComponentTree& tree,
                           MachineSettings& settings, std::FILE* standardError);

// Loads the project (--project), imports the board (--pnp), applies the
// settings options and the alignment (--align) and checks the result as the
// generator will, so a refusal names the project key and where its value came
// from. Throws Error.
void LoadCheckedJob(const Arguments& args, ComponentTree& tree, MachineSettings& settings,
                    std::FILE* standardError);

}  // namespace tav::cli
