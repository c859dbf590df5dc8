#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace tav {

// The five fields of one feeder, held as typed.
struct FeederSettings {
  std::string X = "0.00";
  std::string Y = "0.00";
  std::string Z = "0.00";
  std::string Versatz = "0.00";
  std::string Richtung = "Rechts";

  bool operator==(const FeederSettings&) const = default;
};

// Every settings field of the main window, as texts with their defaults. No
// field is validated on entry; the generator converts only the heights.
struct MachineSettings {
  std::string BauteilMaxHeight = "0.00";
  std::string SpeedFahren = "20";
  std::string SpeedHeben = "2";
  std::string SpeedSetzen = "2";
  std::array<FeederSettings, 4> Feeders{};
  // Shown only; neither stored nor used.
  std::array<std::string, 4> Winkel{"0", "0", "0", "0"};
  std::string GCode_Ventil = "M1";
  std::string GCode_Delay = "0.5";
  // Program options of the page "G-Code". The valve off code has no default:
  // the user names the real codes before switching the valve on.
  std::string GCode_VentilAus = "";
  std::string GCode_VentilSchalten = "0";  // "1": switch the valve at pick and place
  std::string GCode_Steuerung = "Standard";
  std::string GCode_Kommentare = "0";  // "1": a comment line naming each part
  // Alignment pockets Edit1..Edit10; shown only, neither stored nor used.
  std::array<std::string, 10> Koordinaten{"0.00", "0.00", "0.00", "0.00", "0.00",
                                          "0.00", "0.00", "0.00", "0.00", "0.00"};

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
