#pragma once

#include <array>
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

  std::string& Of(MachineSettings& settings) const {
    return feeder < 0 ? settings.*field : settings.Feeders[feeder].*feederField;
  }
  const std::string& Of(const MachineSettings& settings) const {
    return feeder < 0 ? settings.*field : settings.Feeders[feeder].*feederField;
  }
};

// The 26 stored settings in the order they are written and read: feeders 1 to
// 4 (X, Y, Z, Versatz, Richtung), the three speeds, the valve output and delay,
// and the largest component height. Angles and alignment pockets are not stored.
const std::array<StoredSetting, 26>& StoredSettings();

}  // namespace tav
