// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/ProjectFile.h"

#include <filesystem>
#include <string>
#include <string_view>

#include "core/Error.h"
#include "core/MessagePath.h"
#include "core/PathRules.h"
#include "project/IncludeStates.h"
#include "project/IniStore.h"
#include "project/ProjectKeys.h"
#include "project/StoredSettings.h"
#include "project/TreeIni.h"

namespace tav {

void SaveProject(const std::string& path, const ComponentTree& tree,
                 const MachineSettings& settings) {
  // Every change stays in memory until Close(), which replaces the file as a
  // whole: a failure anywhere leaves the file as it was.
  IniStore store(path);
  SaveTreeToIni(tree, store, kComponentsSection);
  SaveIcons(tree, store);
  for (const StoredSetting& setting : StoredSettings())
    store.WriteString(setting.section, setting.key, setting.Of(settings));
  SaveIncludeStates(tree, store);
  store.Close();
}

namespace {

// The sections a project file may hold; a file with none of them is no project.
constexpr std::string_view kProjectSections[] = {
    kComponentsSection, kIconsSection, "Feeder",  "Geschwindigkeiten", "G-Code",
    "Koordinaten",      "Maschine",    "Platine", kLibrarySection};

void LoadCheckedProject(const std::string& path, ComponentTree& tree, MachineSettings& settings) {
  // Everything is read and checked into a scratch tree and a copy of the
  // settings; only a load that fully succeeds replaces the working state, so a
  // failed load never mixes one job's tree with another job's feeders.
  IniStore store(path);
  bool project = false;
  for (const std::string_view section : kProjectSections)
    project = project || store.HasSection(section);
  if (!project) throw Error(FormatMessage(msg::kNotAProject, {PathForMessage(path)}));
  ComponentTree loaded;
  LoadTreeFromIni(loaded, store, kComponentsSection);
  LoadIcons(loaded, store);

  MachineSettings loadedSettings = settings;
  const MachineSettings defaults;
  for (const StoredSetting& setting : StoredSettings()) {
    std::string& field = setting.Of(loadedSettings);
    const std::string& missing = setting.defaultWhenMissing ? setting.Of(defaults) : field;
    field = store.ReadString(setting.section, setting.key, missing);
  }

  LoadIncludeStates(loaded, store);

  tree.Swap(loaded);
  settings = std::move(loadedSettings);
}

}  // namespace

void LoadProject(const std::string& path, ComponentTree& tree, MachineSettings& settings) {
  std::error_code error;
  if (!std::filesystem::exists(path, error) && !error)
    throw Error(FormatMessage(msg::kProjectNotFound, {PathForMessage(path)}));
  try {
    LoadCheckedProject(path, tree, settings);
  } catch (const Error& failure) {
    // A message that names the file already stays as it is; any other gets
    // the project's name in front.
    const std::string& message = failure.message();
    if (message.find(PathForMessage(path)) != std::string::npos ||
        message.find(FullPathForMessage(path)) != std::string::npos)
      throw;
    throw Error(FormatMessage(msg::kInProject, {PathForMessage(path), message}));
  }
}

std::string ProjectFileName(std::string_view chosen) {
  return WithDefaultExtension(chosen, ".tav");
}

}  // namespace tav
