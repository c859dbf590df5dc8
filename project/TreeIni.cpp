#include "project/TreeIni.h"

#include <algorithm>
#include <string>

#include "core/NumberConversion.h"
#include "project/ProjectKeys.h"
#include "project/TreeText.h"

namespace tav {

void save_tree_to_ini(const ComponentTree& tree, IniStore& store, std::string_view section) {
  // Keys written into a section that was just erased, or did not exist, are
  // new by construction: appending them skips a lookup per node.
  store.EraseSection(section);
  const int count = tree.Count();
  std::string key;
  std::string line;
  for (int i = 0; i < count; ++i) {
    const TreeNode* node = tree.NodeAt(i);
    line.assign(static_cast<std::size_t>(node->Level()), '#');
    line.append(node->Text());
    std::replace(line.begin(), line.end(), '\t', '#');
    key.assign("Node");
    key.append(IntegerToText(i));
    store.AppendEntry(section, key, line);
  }
  const bool newIcons = !store.HasSection(kIconsSection);
  for (int i = 0; i < count; ++i) {
    const std::string index = IntegerToText(i);
    const std::string icon = IntegerToText(tree.NodeAt(i)->ImageIndex());
    if (newIcons)
      store.AppendEntry(kIconsSection, index, icon);
    else
      store.WriteString(kIconsSection, index, icon);
  }
}

void load_tree_from_ini(ComponentTree& tree, IniStore& store, std::string_view section) {
  ComponentTree scratch;
  TreeTextReader reader(scratch);
  std::string line;
  for (std::string_view value : store.ReadSectionValues(section)) {
    line.assign(value);
    std::replace(line.begin(), line.end(), '#', '\t');
    reader.AddLine(line);
  }
  // Bounded by the tree: NodeAt throws at the first index past the last node,
  // so a huge "Elemente" fails after at most Count() steps.
  const int elements = TextToInteger(store.ReadString(kLibrarySection, kElementsKey, "1"));
  for (int i = 0; i < elements; ++i) {
    const int icon = TextToInteger(store.ReadString(kIconsSection, IntegerToText(i), "0"));
    TreeNode* node = scratch.NodeAt(i);
    scratch.SetImageIndex(node, icon);
    scratch.SetSelectedIndex(node, icon);
  }
  tree.Swap(scratch);
}

}  // namespace tav
