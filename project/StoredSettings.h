// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "settings/MachineSettings.h"

namespace tav {

// One settings field as the project file stores it: either a field of
// MachineSettings itself or a field of one of its feeders.
struct StoredSetting {
  std::string_view section;
  std::string_view key;
  std::string MachineSettings::*field = nullptr;
  int feeder = -1;  // 0..3 when the field belongs to a feeder
  std::string FeederSettings::*feederField = nullptr;
  // Keys added after the first file version: a project without the key gets
  // the field's default rather than the value of the project open before.
  bool defaultWhenMissing = false;
  // Belongs to the job, not the machine: machine files neither write nor read it.
  bool projectOnly = false;
  // Set for the feeder angles: the index into MachineSettings::angles.
  int angle = -1;

  std::string& Of(MachineSettings& settings) const {
    if (angle >= 0) return settings.angles[static_cast<std::size_t>(angle)];
    return feeder < 0 ? settings.*field : settings.feeders[feeder].*feederField;
  }
  const std::string& Of(const MachineSettings& settings) const {
    if (angle >= 0) return settings.angles[static_cast<std::size_t>(angle)];
    return feeder < 0 ? settings.*field : settings.feeders[feeder].*feederField;
  }
};

// 6 keys for each of the 4 feeders, 3 feeds, 7 in "G-Code", 1 in "Koordinaten",
// 6 in "Maschine", 4 in "Platine".
inline constexpr std::size_t kStoredSettingCount = 45;

// The stored settings in the order they are written and read: feeders 1 to 4
// (X, Y, Z, Versatz, Richtung, then the later Winkel "F<N>A"), the three
// speeds, the G-code options (valve on and delay, then the later valve off,
// valve switching, controller, comments and dry run), the largest component
// height, the section "Maschine" (the machine's travel, then the rotation
// axis) and the job's section "Platine" (origin, turn and side of the board).
// Alignment pockets are not stored.
const std::array<StoredSetting, kStoredSettingCount>& StoredSettings();

}  // namespace tav
