#include "project/TreeIni.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <string>

#include "core/NumberConversion.h"
#include "project/ProjectKeys.h"
#include "project/TreeText.h"

namespace tav {

namespace {

void AppendNumber(std::string& out, std::int64_t value) {
  char digits[24];
  const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  out.append(digits, end);
}

}  // namespace

void save_tree_to_ini(const ComponentTree& tree, IniStore& store, std::string_view section) {
  // The section is erased first, so its lines are new by construction: they
  // are written as one text in one pass, without a lookup or copy per node.
  store.EraseSection(section);
  const int count = tree.Count();
  std::size_t size = 0;
  for (int i = 0; i < count; ++i) {
    const TreeNode* node = tree.NodeAt(i);
    size += 16 + static_cast<std::size_t>(node->Level()) + node->Text().size();
  }
  std::string lines;
  lines.reserve(size);
  for (int i = 0; i < count; ++i) {
    const TreeNode* node = tree.NodeAt(i);
    lines.append("Node");
    AppendNumber(lines, i);
    lines.push_back('=');
    lines.append(static_cast<std::size_t>(node->Level()), '#');
    const std::size_t textAt = lines.size();
    lines.append(node->Text());
    std::replace(lines.begin() + static_cast<std::ptrdiff_t>(textAt), lines.end(), '\t', '#');
    lines.append("\r\n");
  }
  store.AppendLines(section, std::move(lines));

  if (!store.HasSection(kIconsSection)) {
    std::string icons;
    icons.reserve(static_cast<std::size_t>(count) * 12);
    for (int i = 0; i < count; ++i) {
      AppendNumber(icons, i);
      icons.push_back('=');
      AppendNumber(icons, tree.NodeAt(i)->ImageIndex());
      icons.append("\r\n");
    }
    store.AppendLines(kIconsSection, std::move(icons));
    return;
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
    char key[16];
    const auto keyEnd = std::to_chars(key, key + sizeof key, i).ptr;
    const int icon = TextToInteger(
        store.Find(kIconsSection, std::string_view(key, static_cast<std::size_t>(keyEnd - key)))
            .value_or("0"));
    TreeNode* node = scratch.NodeAt(i);
    scratch.SetImageIndex(node, icon);
    scratch.SetSelectedIndex(node, icon);
  }
  tree.Swap(scratch);
}

}  // namespace tav
