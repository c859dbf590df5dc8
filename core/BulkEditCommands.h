// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <vector>

#include "core/ComponentSide.h"
#include "core/ComponentTree.h"

namespace tav {

// The popup commands for a selection of several nodes and for the whole
// board. A selection is given as absolute node indices, in any order and with
// repeats allowed; an index outside the tree throws Error "Ungültiger Index"
// before anything changes. Every command is all or nothing: what it would
// change is collected first, so an error leaves the tree as it was.

// The components a selection stands for, each once, in tree order: a
// top-level node stands for itself, a node at level 1 (an attribute or a
// group) for its component, and a value at level 2 for nothing.
std::vector<TreeNode*> SelectedComponents(const ComponentTree& tree, std::span<const int> nodes);

// "Einschliessen" and "Ausschliessen". One selected node acts exactly as the
// single-node commands do (only a top-level node changes); several selected
// nodes act on every component SelectedComponents() names.
void IncludeComponents(ComponentTree& tree, std::span<const int> nodes);
void ExcludeComponents(ComponentTree& tree, std::span<const int> nodes);

// "Feeder 1" to "Feeder 4" for every component SelectedComponents() names
// (for one selected node this is the single-node command). `feeder` is 1 to 4.
// Throws Error "Listenindex überschreitet das Maximum (%d)" for a component
// without a feeder node, before anything changes.
void AssignFeederToComponents(ComponentTree& tree, std::span<const int> nodes, int feeder);

// "Gleiche Bauteile": every component of the same part kind (value and
// footprint) as a selected component gets `feeder`, excluded ones too.
// Throws as ComponentAttribute for a component without its attribute nodes.
void AssignFeederToSameKind(ComponentTree& tree, std::span<const int> nodes, int feeder);

// "Alle einschliessen" and "Alle ausschliessen".
void IncludeAllComponents(ComponentTree& tree);
void ExcludeAllComponents(ComponentTree& tree);

// "Oberseite ausschliessen" and "Unterseite ausschliessen": excludes every
// component whose "Layer: " node names `side`; components of an unknown side
// stay as they are. Throws as SideOfComponent, before anything changes.
void ExcludeSide(ComponentTree& tree, ComponentSide side);

// "Nicht bestückte ausschliessen": excludes every component whose value marks
// it as not to be fitted (IsNotFitted). Throws as ComponentAttribute, before
// anything changes.
void ExcludeNotFitted(ComponentTree& tree);

}  // namespace tav
