#include "project/ProjectFile.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/NumberConversion.h"
#include "core/PathRules.h"
#include "project/IniStore.h"
#include "project/ProjectKeys.h"
#include "project/StoredSettings.h"
#include "project/TreeIni.h"

namespace tav {

namespace {

// The index a "Bibliothek" key stands for: the reader looks up index i by its
// decimal text, so only digits without a leading zero, below `count`, count.
std::optional<int> LibraryIndex(std::string_view key, int count) {
  if (key.empty() || key.size() > 10 || (key.size() > 1 && key.front() == '0')) return std::nullopt;
  long long index = 0;
  for (char c : key) {
    if (c < '0' || c > '9') return std::nullopt;
    index = index * 10 + (c - '0');
  }
  if (index >= count) return std::nullopt;
  return static_cast<int>(index);
}

bool HasIncludeState(const TreeNode* node) {
  return node->Level() == 0 && (node->ImageIndex() == 0 || node->ImageIndex() == 1);
}

}  // namespace

void SaveProject(const std::string& path, const ComponentTree& tree,
                 const MachineSettings& settings) {
  // Every change stays in memory until Close(), which replaces the file as a
  // whole: a failure anywhere leaves the file as it was.
  IniStore store(path);
  save_tree_to_ini(tree, store, kComponentsSection);
  for (const StoredSetting& setting : StoredSettings())
    store.WriteString(setting.section, setting.key, setting.Of(settings));
  const int count = tree.Count();

  // A state an earlier save left under an index that now holds no component
  // would be applied to whatever node stands there now; keys from the count
  // upward are never read and stay.
  for (const std::string& key : store.ReadSection(kLibrarySection)) {
    const auto index = LibraryIndex(key, count);
    if (index && !HasIncludeState(tree.NodeAt(*index))) store.EraseKey(kLibrarySection, key);
  }
  store.WriteString(kLibrarySection, kElementsKey, IntegerToText(count));
  for (int i = 0; i < count; ++i) {
    const TreeNode* node = tree.NodeAt(i);
    if (HasIncludeState(node))
      store.WriteString(kLibrarySection, IntegerToText(i),
                        node->ImageIndex() == 0 ? "true" : "false");
  }
  store.Close();
}

void LoadProject(const std::string& path, ComponentTree& tree, MachineSettings& settings) {
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

  // The include states of the indices below "Elemente". Walking the section
  // once finds the same keys as looking up every index, without a lookup per
  // node. The icon step has made sure that "Elemente" does not pass the tree.
  const int elements = TextToInteger(store.ReadString(kLibrarySection, kElementsKey, "1"));
  const std::vector<std::string> keys = store.ReadSection(kLibrarySection);
  const std::vector<std::string_view> states = store.ReadSectionValues(kLibrarySection);
  for (std::size_t k = 0; k < keys.size(); ++k) {
    const auto index = LibraryIndex(keys[k], elements);
    const int icon = states[k] == "true" ? 0 : states[k] == "false" ? 1 : -1;
    if (!index || icon < 0) continue;  // any other value changes nothing
    TreeNode* node = loaded.NodeAt(*index);
    loaded.SetImageIndex(node, icon);
    loaded.SetSelectedIndex(node, icon);
  }

  tree.Swap(loaded);
  settings = std::move(loadedSettings);
}

std::string ProjectFileName(std::string_view chosen) {
  return WithDefaultExtension(chosen, ".tav");
}

}  // namespace tav
