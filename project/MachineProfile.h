// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "settings/MachineSettings.h"

namespace tav {

namespace msg {
// A machine file must hold at least one stored setting to be loaded.
inline constexpr const char* kNoMachineSettings =
    "Die Datei %s enth\xE4lt keine Maschineneinstellungen";
}  // namespace msg

// A machine file ("*.tavm") keeps the machine's settings apart from any board:
// every stored setting (StoredSettings(), whatever keys it holds) except the
// job's board placement, in the sections and under the keys of the project
// file ("Feeder", "Geschwindigkeiten", "G-Code", "Koordinaten", "Maschine"),
// INI text with CR LF lines.

// Writes every stored setting into the machine file at `path`. An existing
// file is updated key by key, so other sections and keys in it stay (a
// project file chosen by mistake keeps its components). The file is replaced
// as a whole or not at all; throws Error "In %s kann nicht geschrieben werden".
void SaveMachineProfile(const std::string& path, const MachineSettings& settings);

// Sets the stored settings that the machine file at `path` holds; settings it
// lacks keep their values, and nothing but the stored settings changes (so a
// project file serves as a machine file too). All or nothing: on an error
// `settings` is unchanged and Error is thrown: "Datei %s kann nicht geöffnet
// werden. %s" when the file cannot be read, msg::kNoMachineSettings when it
// holds none of the stored settings' keys.
void LoadMachineProfile(const std::string& path, MachineSettings& settings);

// The file the save dialog's choice names: ".tavm" is appended when the file
// name part of `chosen` has no extension.
std::string MachineProfileFileName(std::string_view chosen);

}  // namespace tav
