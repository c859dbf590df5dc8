// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/MachineProfile.h"

#include "core/Error.h"
#include "core/FileAccess.h"
#include "core/MessagePath.h"
#include "core/Messages.h"
#include "core/PathRules.h"
#include "core/SystemErrorText.h"
#include "project/IniDocument.h"
#include "project/IniStore.h"
#include "project/StoredSettings.h"

namespace tav {

void SaveMachineProfile(const std::string& path, const MachineSettings& settings) {
  IniStore store(path);
  for (const StoredSetting& setting : StoredSettings())
    if (!setting.projectOnly) store.WriteString(setting.section, setting.key, setting.Of(settings));
  store.Close();
}

void LoadMachineProfile(const std::string& path, MachineSettings& settings) {
  std::string bytes;
  try {
    bytes = ReadFileBytes(path);
  } catch (const FileAccessError& error) {
    throw Error(FormatMessage(msg::kCannotOpen, {FullPathForMessage(path), error.reason()}));
  }
  const IniDocument file(std::move(bytes));
  MachineSettings loaded = settings;
  bool any = false;
  for (const StoredSetting& setting : StoredSettings()) {
    if (setting.projectOnly) continue;
    if (const auto value = file.Find(setting.section, setting.key)) {
      setting.Of(loaded) = std::string(*value);
      any = true;
    }
  }
  // Loading a file without a single setting would silently change nothing;
  // the user most likely chose the wrong file.
  if (!any) throw Error(FormatMessage(msg::kNoMachineSettings, {FullPathForMessage(path)}));
  settings = std::move(loaded);
}

std::string MachineProfileFileName(std::string_view chosen) {
  return WithDefaultExtension(chosen, ".tavm");
}

}  // namespace tav
