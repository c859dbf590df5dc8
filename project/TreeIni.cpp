#include "project/TreeIni.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <string>

#include "project/AppendNumber.h"
#include "project/TreeText.h"

namespace tav {

void SaveTreeToIni(const ComponentTree& tree, IniStore& store, std::string_view section) {
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
}

void LoadTreeFromIni(ComponentTree& tree, IniStore& store, std::string_view section) {
  ComponentTree scratch;
  TreeTextReader reader(scratch);
  std::string line;
  for (std::string_view value : store.ReadSectionValues(section)) {
    line.assign(value);
    std::replace(line.begin(), line.end(), '#', '\t');
    reader.AddLine(line);
  }
  tree.Swap(scratch);
}

}  // namespace tav
