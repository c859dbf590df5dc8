#pragma once

#include <string_view>

#include "core/ComponentTree.h"
#include "project/IniStore.h"

namespace tav {

// Erases `section` and writes one key "Node<i>" per node in absolute order,
// its line of the tab-indented form with every TAB written as "#"; then writes
// every node's ImageIndex as key "<i>" of section "Icons".
void save_tree_to_ini(const ComponentTree& tree, IniStore& store, std::string_view section);

// Replaces the tree by the lines of `section`, taken in file order whatever
// their keys are called, with every "#" read as TAB; then sets ImageIndex and
// SelectedIndex of the nodes below "Elemente" of "Bibliothek" (default 1) from
// "Icons" (default 0). All or nothing: on any error the tree is unchanged.
// Throws the level error, Error "Ungültiger Index" when "Elemente" passes the
// last node, and the integer conversion error for "Elemente" or an icon.
void load_tree_from_ini(ComponentTree& tree, IniStore& store, std::string_view section);

}  // namespace tav
