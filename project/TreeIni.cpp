// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/TreeIni.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <stdexcept>
#include <string>

#include "project/PieceWriter.h"
#include "project/TreeText.h"

namespace tav {

namespace {

constexpr std::string_view kNodeKey = "Node";

// Adds the node a value of the section stands for: its leading "#", TABs and
// blanks give the level, and every "#" in the rest is a TAB.
void AddNodeOfValue(TreeTextReader& reader, std::string_view value, std::string& copy) {
  std::size_t level = 0;
  while (level < value.size() &&
         (value[level] == '#' || value[level] == '\t' || value[level] == ' '))
    ++level;
  const std::string_view text = value.substr(level);
  if (text.find('#') == std::string_view::npos) {
    reader.AddNode(level, text);
    return;
  }
  copy.assign(text);
  std::replace(copy.begin(), copy.end(), '#', '\t');
  reader.AddNode(level, copy);
}

}  // namespace

void SaveTreeToIni(const ComponentTree& tree, IniStore& store, std::string_view section) {
  store.EraseSection(section);
  if (tree.Count() == 0) return;  // an empty tree leaves no section behind
  // The lines go from the tree straight into the file's pieces while the
  // file is written: the section is never held as one text.
  store.AppendGenerated(section, [&tree](const std::function<void(std::string_view)>& write) {
    PieceWriter out(write);
    const int count = tree.Count();
    for (int i = 0; i < count; ++i) {
      const TreeNode* node = tree.NodeAt(i);
      const auto level = static_cast<std::size_t>(node->Level());
      const std::string_view text = node->Text();
      constexpr std::size_t kNumberRoom = 11;
      char* at = out.Reserve(kNodeKey.size() + kNumberRoom + 1 + level + text.size() + 2);
      at = std::copy(kNodeKey.begin(), kNodeKey.end(), at);
      at = std::to_chars(at, at + kNumberRoom, i).ptr;
      *at++ = '=';
      at = std::fill_n(at, level, '#');
      bool lineBreak = false;
      for (char c : text) {
        lineBreak |= c == '\r' || c == '\n';
        *at++ = c == '\t' ? '#' : c;
      }
      if (lineBreak) throw std::invalid_argument("a node text cannot stand in an INI line");
      *at++ = '\r';
      *at++ = '\n';
      out.Commit(at);
    }
    out.Flush();
  });
}

void LoadTreeFromIni(ComponentTree& tree, IniStore& store, std::string_view section) {
  std::string copy;
  {
    // The usual file, keyed "Node0", "Node1", ..., is read straight from its text.
    ComponentTree scratch;
    TreeTextReader reader(scratch);
    if (store.VisitNumberedValues(section, kNodeKey, [&reader, &copy](std::string_view value) {
          AddNodeOfValue(reader, value, copy);
        })) {
      tree.Swap(scratch);
      return;
    }
  }
  ComponentTree scratch;
  TreeTextReader reader(scratch);
  for (std::string_view value : store.ReadSectionValues(section))
    AddNodeOfValue(reader, value, copy);
  tree.Swap(scratch);
}

}  // namespace tav
