// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

#include "core/ComponentTree.h"
#include "project/IniStore.h"

namespace tav {

// Erases `section` and writes one key "Node<i>" per node in absolute order,
// its line of the tab-indented form with every TAB written as "#". The icons
// and include states are kept apart (IncludeStates.h).
void SaveTreeToIni(const ComponentTree& tree, IniStore& store, std::string_view section);

// Replaces the tree by the lines of `section`, taken in file order whatever
// their keys are called, with every "#" read as TAB. All or nothing: on the
// level error the tree is unchanged.
void LoadTreeFromIni(ComponentTree& tree, IniStore& store, std::string_view section);

}  // namespace tav
