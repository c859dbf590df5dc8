// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "core/ComponentTree.h"
#include "settings/MachineSettings.h"

namespace tav {

// Writes the tree and the stored settings into the project file at `path`,
// updating an existing file in place key by key. All or nothing: on failure
// the file is unchanged and Error "In %s kann nicht geschrieben werden" is thrown.
void SaveProject(const std::string& path, const ComponentTree& tree,
                 const MachineSettings& settings);

// Replaces the tree and the stored settings with the file's contents; settings
// the file lacks keep their values. All or nothing: on any error tree and
// settings are unchanged and the Error is thrown: the level error of a tree
// line, "Ungültiger Index" when "Elemente" passes the tree (so also for a file
// that does not exist), the integer error for "Elemente" or an icon, and
// "Datei %s kann nicht geöffnet werden. %s" for a file that cannot be read.
void LoadProject(const std::string& path, ComponentTree& tree, MachineSettings& settings);

// The file the project dialogs' choice names: ".tav" is appended when the file
// name part of `chosen` has no extension ("job" -> "job.tav").
std::string ProjectFileName(std::string_view chosen);

}  // namespace tav
