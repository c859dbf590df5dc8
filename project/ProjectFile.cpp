#include "project/ProjectFile.h"

#include "core/NumberConversion.h"
#include "project/IniStore.h"
#include "project/ProjectKeys.h"
#include "project/StoredSettings.h"
#include "project/TreeIni.h"

namespace tav {

void save_project(const std::string& path, const ComponentTree& tree,
                  const MachineSettings& settings) {
  // Every change stays in memory until Close(), which replaces the file as a
  // whole: a failure anywhere leaves the file as it was.
  IniStore store(path);
  save_tree_to_ini(tree, store, kComponentsSection);
  for (const StoredSetting& setting : StoredSettings())
    store.WriteString(setting.section, setting.key, setting.Of(settings));
  const int count = tree.Count();
  store.WriteString(kLibrarySection, kElementsKey, IntegerToText(count));
  for (int i = 0; i < count; ++i) {
    const TreeNode* node = tree.NodeAt(i);
    if (node->Level() != 0) continue;
    if (node->ImageIndex() == 0) store.WriteString(kLibrarySection, IntegerToText(i), "true");
    if (node->ImageIndex() == 1) store.WriteString(kLibrarySection, IntegerToText(i), "false");
  }
  store.Close();
}

void load_project(const std::string& path, ComponentTree& tree, MachineSettings& settings) {
  // Everything is read and checked into a scratch tree and a copy of the
  // settings; only a load that fully succeeds replaces the working state, so a
  // failed load never mixes one job's tree with another job's feeders.
  IniStore store(path);
  ComponentTree loaded;
  load_tree_from_ini(loaded, store, kComponentsSection);

  MachineSettings loadedSettings = settings;
  for (const StoredSetting& setting : StoredSettings()) {
    std::string& field = setting.Of(loadedSettings);
    field = store.ReadString(setting.section, setting.key, field);
  }

  const int elements = TextToInteger(store.ReadString(kLibrarySection, kElementsKey, "1"));
  for (int i = 0; i < elements; ++i) {
    const std::string state = store.ReadString(kLibrarySection, IntegerToText(i), "0");
    const int icon = state == "true" ? 0 : state == "false" ? 1 : -1;
    if (icon < 0) continue;  // "0" (no key) and any other value change nothing
    TreeNode* node = loaded.NodeAt(i);
    loaded.SetImageIndex(node, icon);
    loaded.SetSelectedIndex(node, icon);
  }

  tree.Swap(loaded);
  settings = std::move(loadedSettings);
}

}  // namespace tav
