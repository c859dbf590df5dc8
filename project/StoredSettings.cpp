// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/StoredSettings.h"

namespace tav {

namespace {

std::array<StoredSetting, kStoredSettingCount> MakeStoredSettings() {
  // A feeder's fields in key order; "W" holds the direction, not the angle.
  constexpr std::array<std::string FeederSettings::*, 5> kFeederFields{
      &FeederSettings::x, &FeederSettings::y, &FeederSettings::z, &FeederSettings::offset,
      &FeederSettings::direction};
  static constexpr std::array<std::array<const char*, 5>, 4> kFeederKeys{{
      {"F1X", "F1Y", "F1Z", "F1V", "F1W"},
      {"F2X", "F2Y", "F2Z", "F2V", "F2W"},
      {"F3X", "F3Y", "F3Z", "F3V", "F3W"},
      {"F4X", "F4Y", "F4Z", "F4V", "F4W"},
  }};
  std::array<StoredSetting, kStoredSettingCount> all{};
  std::size_t next = 0;
  for (int feeder = 0; feeder < 4; ++feeder) {
    for (std::size_t f = 0; f < kFeederFields.size(); ++f) {
      all[next++] = {"Feeder", kFeederKeys[feeder][f], nullptr, feeder, kFeederFields[f]};
    }
    static constexpr std::array<const char*, 4> kAngleKeys{"F1A", "F2A", "F3A", "F4A"};
    all[next++] = {"Feeder", kAngleKeys[feeder], nullptr, -1, nullptr, true, false, feeder};
  }
  all[next++] = {"Geschwindigkeiten", "SpeedHeben", &MachineSettings::liftFeed};
  all[next++] = {"Geschwindigkeiten", "SpeedSetzen", &MachineSettings::placeFeed};
  all[next++] = {"Geschwindigkeiten", "SpeedFahren", &MachineSettings::travelFeed};
  all[next++] = {"G-Code", "Ventil_On", &MachineSettings::valveOnCode};
  all[next++] = {"G-Code", "Delay", &MachineSettings::valveDelay};
  // Appended after the original keys, so an older program reading the file
  // finds its own keys where it expects them and ignores these.
  const auto later = [](std::string_view key, std::string MachineSettings::*field) {
    return StoredSetting{"G-Code", key, field, -1, nullptr, /*defaultWhenMissing=*/true};
  };
  all[next++] = later("Ventil_Off", &MachineSettings::valveOffCode);
  all[next++] = later("Ventil_Schalten", &MachineSettings::switchValve);
  all[next++] = later("Steuerung", &MachineSettings::controller);
  all[next++] = later("Kommentare", &MachineSettings::comments);
  all[next++] = later("Trockenlauf", &MachineSettings::dryRun);
  all[next++] = {"Koordinaten", "BauteilMaxZ", &MachineSettings::maxPartHeight};
  const auto machine = [](std::string_view key, std::string MachineSettings::*field) {
    return StoredSetting{"Maschine", key, field, -1, nullptr, /*defaultWhenMissing=*/true};
  };
  all[next++] = machine("X_Min", &MachineSettings::workXMin);
  all[next++] = machine("X_Max", &MachineSettings::workXMax);
  all[next++] = machine("Y_Min", &MachineSettings::workYMin);
  all[next++] = machine("Y_Max", &MachineSettings::workYMax);
  all[next++] = machine("Z_Min", &MachineSettings::workZMin);
  all[next++] = machine("Drehachse", &MachineSettings::rotationAxis);
  const auto board = [](std::string_view key, std::string MachineSettings::*field) {
    return StoredSetting{"Platine", key, field, -1, nullptr, true, /*projectOnly=*/true};
  };
  all[next++] = board("Nullpunkt_X", &MachineSettings::originX);
  all[next++] = board("Nullpunkt_Y", &MachineSettings::originY);
  all[next++] = board("Drehung", &MachineSettings::boardRotation);
  all[next++] = board("Seite", &MachineSettings::boardSide);
  return all;
}

}  // namespace

const std::array<StoredSetting, kStoredSettingCount>& StoredSettings() {
  static const std::array<StoredSetting, kStoredSettingCount> all = MakeStoredSettings();
  return all;
}

}  // namespace tav
