#include "project/TreeIni.h"

#include <algorithm>
#include <string>

#include "core/NumberConversion.h"
#include "project/ProjectKeys.h"
#include "project/TreeText.h"

namespace tav {

void save_tree_to_ini(const ComponentTree& tree, IniStore& store, std::string_view section) {
  store.EraseSection(section);
  const int count = tree.Count();
  std::string line;
  for (int i = 0; i < count; ++i) {
    const TreeNode* node = tree.NodeAt(i);
    line.assign(static_cast<std::size_t>(node->Level()), '#');
    line.append(node->Text());
    std::replace(line.begin(), line.end(), '\t', '#');
    store.WriteString(section, "Node" + IntegerToText(i), line);
  }
  for (int i = 0; i < count; ++i) {
    store.WriteString(kIconsSection, IntegerToText(i), IntegerToText(tree.NodeAt(i)->ImageIndex()));
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
