// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace tav {

// The five fields of one feeder, held as typed.
struct FeederSettings {
  std::string x = "0.00";
  std::string y = "0.00";
  std::string z = "0.00";
  std::string offset = "0.00";
  std::string direction = "Rechts";

  bool operator==(const FeederSettings&) const = default;
};

// Every settings field of the main window, as texts with their defaults. No
// field is validated on entry; the generator converts only the heights. The
// members say in English what they hold; the project keys and the window's
// field names stay as they are (project/StoredSettings.cpp pairs them).
struct MachineSettings {
  std::string maxPartHeight = "0.00";
  std::string travelFeed = "20";
  std::string liftFeed = "2";
  std::string placeFeed = "2";
  std::array<FeederSettings, 4> feeders{};
  // The feeders' "Winkel": the turn, in degrees, of the parts in each tape.
  std::array<std::string, 4> angles{"0", "0", "0", "0"};
  std::string valveOnCode = "M1";
  std::string valveDelay = "0.5";
  // Program options of the page "G-Code". The valve off code has no default:
  // the user names the real codes before switching the valve on.
  std::string valveOffCode = "";
  std::string switchValve = "0";  // "1": switch the valve at pick and place
  std::string controller = "Standard";
  std::string comments = "0";  // "1": a comment line naming each part
  // Alignment pockets Edit1..Edit10; shown only, neither stored nor used.
  std::array<std::string, 10> alignmentPockets{"0.00", "0.00", "0.00", "0.00", "0.00",
                                               "0.00", "0.00", "0.00", "0.00", "0.00"};
  // Dry run ("1"): the same path with Z kept at the travel height, valve off.
  std::string dryRun = "0";
  // The machine's travel in machine coordinates; empty: no limit.
  std::string workXMin, workXMax, workYMin, workYMax, workZMin;
  // Rotation axis of the head: "keine", "A", "B" or "C".
  std::string rotationAxis = "keine";
  // Where the board lies: the machine position of the design's origin, its turn
  // in degrees counter-clockwise and the side placed ("", "Oberseite", "Unterseite").
  std::string originX = "0.00";
  std::string originY = "0.00";
  std::string boardRotation = "0";
  std::string boardSide = "";

  // Feeder `number` (1 to 4); nullptr for any other number.
  FeederSettings* Feeder(int number) noexcept;
  const FeederSettings* Feeder(int number) const noexcept;

  bool operator==(const MachineSettings&) const = default;
};

// Axis letter and sign of a feeder direction.
struct FeederDirection {
  char axis;
  char sign;
};

// "Rechts" X-, "Links" X+, "Oben" Y+, "Unten" Y-; matched exactly and
// case-sensitively. Any other text has no direction.
std::optional<FeederDirection> LookupDirection(std::string_view text);

// Controllers the program can be framed for (first: the default).
inline constexpr std::array<std::string_view, 3> kControllerItems{"Standard", "LinuxCNC", "GRBL"};

}  // namespace tav
