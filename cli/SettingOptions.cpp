// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/SettingOptions.h"

#include <filesystem>

#include "boards/PickPlaceImport.h"
#include "cli/TerminalText.h"
#include "core/Error.h"
#include "core/Messages.h"
#include "gcode/ProgramCheck.h"
#include "project/MachineProfile.h"
#include "project/ProjectFile.h"
#include "project/SettingKeys.h"
#include "settings/BoardAlignment.h"

namespace tav::cli {
namespace {

std::string FileNameOf(const std::string& path) {
  return std::filesystem::path(path).filename().string();
}

std::size_t PositionOf(const StoredSetting& setting) {
  return static_cast<std::size_t>(&setting - StoredSettings().data());
}

}  // namespace

void SettingOrigins::SetAll(const std::string& origin) { origins_.fill(origin); }

void SettingOrigins::Set(const StoredSetting& setting, const std::string& origin) {
  origins_[PositionOf(setting)] = origin;
}

std::string SettingOrigins::Note(const MachineSettings& settings, const std::string& field) const {
  for (const StoredSetting& setting : StoredSettings()) {
    if (&setting.Of(settings) != &field) continue;
    const std::string& origin = origins_[PositionOf(setting)];
    std::string note = " (" + std::string(setting.key);
    if (!origin.empty()) note += " aus " + origin;
    return note + ")";
  }
  return {};
}

void ApplySettingOptions(const Arguments& args, MachineSettings& settings,
                         SettingOrigins* origins) {
  MachineSettings changed = settings;
  if (args.machine) {
    LoadMachineProfile(*args.machine, changed);
    if (origins != nullptr) {
      for (const StoredSetting& setting : StoredSettings())
        if (setting.Of(changed) != setting.Of(settings))
          origins->Set(setting, FileNameOf(*args.machine));
    }
  }
  // The parser has checked every key against the settings table.
  for (const auto& [key, value] : args.settings) {
    const StoredSetting* setting = FindStoredSetting(key);
    setting->Of(changed) = value;
    if (origins != nullptr) origins->Set(*setting, "--set");
  }
  settings = std::move(changed);
}

void LoadCheckedJob(const Arguments& args, ComponentTree& tree, MachineSettings& settings,
                    std::FILE* standardError) {
  SettingOrigins origins;
  if (args.project) {
    LoadProject(*args.project, tree, settings);
    origins.SetAll(FileNameOf(*args.project));
  }
  if (args.pnp) PickPlaceImport(*args.pnp, tree);
  ApplySettingOptions(args, settings, &origins);
  ApplyAlignmentOptions(args, tree, settings, standardError);
  CheckProgram(tree, settings,
               [&](const std::string& field) { return origins.Note(settings, field); });
}

void ApplyAlignmentOptions(const Arguments& args, const ComponentTree& tree,
                           MachineSettings& settings, std::FILE* standardError) {
  if (args.align.size() != 2) return;
  const Arguments::MeasuredPart& a = args.align[0];
  const Arguments::MeasuredPart& b = args.align[1];
  const BoardPlacement placement(settings);
  const BoardAlignment alignment =
      AlignBoard(DesignPositionOf(tree, a.designator), DesignPositionOf(tree, b.designator),
                 {a.x, a.y}, {b.x, b.y}, placement.Side());
  ApplyAlignment(alignment, settings);
  const std::string text = ToTerminal(AlignmentText(alignment) + "\n");
  if (std::fwrite(text.data(), 1, text.size(), standardError) != text.size())
    throw Error(FormatMessage(msg::kCannotWrite, {"die Standardfehlerausgabe"}));
}

}  // namespace tav::cli
