// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "core/ComponentTree.h"
#include "settings/MachineSettings.h"

namespace tav {

namespace msg {
inline constexpr const char* kProjectNotFound = "Datei \"%s\" nicht gefunden";
inline constexpr const char* kNotAProject = "Datei \"%s\" ist keine Projektdatei";
// Any other load error, after the file it arose in.
inline constexpr const char* kInProject = "Datei \"%s\": %s";
}  // namespace msg

// Writes the tree and the stored settings into the project file at `path`,
// updating an existing file in place key by key. All or nothing: on failure
// the file is unchanged and Error "In %s kann nicht geschrieben werden" is thrown.
void SaveProject(const std::string& path, const ComponentTree& tree,
                 const MachineSettings& settings);

// Replaces the tree and the stored settings with the file's contents; settings
// the file lacks keep their values. All or nothing: on any error tree and
// settings are unchanged and the Error is thrown: msg::kProjectNotFound for a
// file that does not exist, msg::kNotAProject for one that holds none of the
// sections a project has (an empty file, a picture, a board file), "Datei %s
// kann nicht geöffnet werden. %s" for a file that cannot be read; any other
// error (the level error of a tree line, "Ungültiger Index" when "Elemente"
// passes the tree, the integer error for "Elemente" or an icon) after the
// file's name (msg::kInProject).
void LoadProject(const std::string& path, ComponentTree& tree, MachineSettings& settings);

// The file the project dialogs' choice names: ".tav" is appended when the file
// name part of `chosen` has no extension ("job" -> "job.tav").
std::string ProjectFileName(std::string_view chosen);

}  // namespace tav
