// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/IncludeStates.h"

#include <charconv>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/ComponentBlock.h"
#include "core/NumberConversion.h"
#include "project/AppendNumber.h"
#include "project/PieceWriter.h"
#include "project/ProjectKeys.h"

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
  return node->Level() == 0 &&
         (node->ImageIndex() == icon::kIncluded || node->ImageIndex() == icon::kExcluded);
}

}  // namespace

void SaveIcons(const ComponentTree& tree, IniStore& store) {
  const int count = tree.Count();
  // Produced straight into the file's pieces while it is written.
  const auto writeIcons = [&tree, count](const std::function<void(std::string_view)>& write) {
    PieceWriter out(write);
    for (int i = 0; i < count; ++i) {
      constexpr std::size_t kNumberRoom = 11;
      char* at = out.Reserve(2 * kNumberRoom + 3);
      at = std::to_chars(at, at + kNumberRoom, i).ptr;
      *at++ = '=';
      at = std::to_chars(at, at + kNumberRoom, tree.NodeAt(i)->ImageIndex()).ptr;
      *at++ = '\r';
      *at++ = '\n';
      out.Commit(at);
    }
    out.Flush();
  };
  // The section an earlier save wrote is replaced as a whole, keeping the
  // icons of indices past the tree as key by key updates would.
  if (store.ReplaceNumberedLines(kIconsSection, "", static_cast<std::size_t>(count), writeIcons))
    return;
  if (!store.HasSection(kIconsSection)) {
    if (count != 0) store.AppendGenerated(kIconsSection, writeIcons);
    return;
  }
  for (int i = 0; i < count; ++i) {
    store.WriteString(kIconsSection, IntegerToText(i), IntegerToText(tree.NodeAt(i)->ImageIndex()));
  }
}

void LoadIcons(ComponentTree& tree, IniStore& store) {
  // Bounded by the tree: NodeAt throws at the first index past the last node,
  // so a huge "Elemente" fails after at most Count() steps.
  const int elements = TextToInteger(store.ReadString(kLibrarySection, kElementsKey, "1"));
  // The usual section, keyed "0", "1", ... in order, is read straight from
  // its text: its n-th value is the icon of node n.
  int read = 0;
  const bool numbered = store.VisitNumberedValues(
      kIconsSection, "", [&tree, &read, elements](std::string_view value) {
        if (read >= elements) return;
        // Nearly every icon is one digit; anything else takes the full conversion.
        const int icon = value.size() == 1 && value[0] >= '0' && value[0] <= '9'
                             ? value[0] - '0'
                             : TextToInteger(value);
        tree.SetIcons(tree.NodeAt(read), icon);
        ++read;
      });
  for (int i = numbered ? read : 0; i < elements; ++i) {
    if (numbered) {
      tree.SetIcons(tree.NodeAt(i), 0);  // no key for this node
      continue;
    }
    char key[16];
    const auto keyEnd = std::to_chars(key, key + sizeof key, i).ptr;
    const int icon = TextToInteger(
        store.Find(kIconsSection, std::string_view(key, static_cast<std::size_t>(keyEnd - key)))
            .value_or("0"));
    tree.SetIcons(tree.NodeAt(i), icon);
  }
}

void SaveIncludeStates(const ComponentTree& tree, IniStore& store) {
  const int count = tree.Count();
  // Only top-level nodes have a state, and they stand in index order.
  const auto forEachState = [&tree](const auto& take) {
    for (int row = 0; row < tree.TopLevelCount(); ++row) {
      const TreeNode* node = tree.TopLevel(row);
      if (HasIncludeState(node))
        take(tree.IndexOf(node), node->ImageIndex() == icon::kIncluded ? "true" : "false");
    }
  };

  if (!store.HasSection(kLibrarySection)) {
    // A new section is written as one text, just as key by key.
    std::string lines(kElementsKey);
    lines.push_back('=');
    AppendNumber(lines, count);
    lines.append("\r\n");
    forEachState([&lines](int index, std::string_view state) {
      AppendNumber(lines, index);
      lines.push_back('=');
      lines.append(state);
      lines.append("\r\n");
    });
    store.AppendLines(kLibrarySection, std::move(lines));
    return;
  }

  // A state an earlier save left under an index that now holds no component
  // would be applied to whatever node stands there now; keys from the count
  // upward are never read and stay.
  for (const std::string& key : store.ReadSection(kLibrarySection)) {
    const auto index = LibraryIndex(key, count);
    if (index && !HasIncludeState(tree.NodeAt(*index))) store.EraseKey(kLibrarySection, key);
  }
  store.WriteString(kLibrarySection, kElementsKey, IntegerToText(count));
  forEachState([&store](int index, std::string_view state) {
    store.WriteString(kLibrarySection, IntegerToText(index), state);
  });
}

void LoadIncludeStates(ComponentTree& tree, IniStore& store) {
  // The include states of the indices below "Elemente". Walking the section
  // once finds the same keys as looking up every index, without a lookup per
  // node. LoadIcons has made sure that "Elemente" does not pass the tree.
  const int elements = TextToInteger(store.ReadString(kLibrarySection, kElementsKey, "1"));
  const std::vector<std::string> keys = store.ReadSection(kLibrarySection);
  const std::vector<std::string_view> states = store.ReadSectionValues(kLibrarySection);
  for (std::size_t k = 0; k < keys.size(); ++k) {
    const auto index = LibraryIndex(keys[k], elements);
    const int state = states[k] == "true"    ? icon::kIncluded
                      : states[k] == "false" ? icon::kExcluded
                                             : -1;
    if (!index || state < 0) continue;  // any other value changes nothing
    tree.SetIcons(tree.NodeAt(*index), state);
  }
}

}  // namespace tav
