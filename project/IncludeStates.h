// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/ComponentTree.h"
#include "project/IniStore.h"

namespace tav {

// The project file keeps every node's icon in section "Icons" (key "<i>") and
// the include state of every component in section "Bibliothek" ("<i>" is
// "true" or "false", with "Elemente" the node count). The two are written at
// different points of a save, so that a new file's sections stand in the
// order the format has always had.

// Writes every node's ImageIndex as key "<i>" of section "Icons".
void SaveIcons(const ComponentTree& tree, IniStore& store);

// Sets both icons of the nodes below "Elemente" of "Bibliothek" (default 1)
// from "Icons" (default 0). Throws Error "Ungültiger Index" when "Elemente"
// passes the last node, and the integer conversion error for "Elemente" or an
// icon; the caller loads into a scratch tree, so a failure changes nothing.
void LoadIcons(ComponentTree& tree, IniStore& store);

// Writes "Elemente" and the include state of every top-level node that shows
// the included or excluded icon; removes states an earlier save left under an
// index that now holds no component.
void SaveIncludeStates(const ComponentTree& tree, IniStore& store);

// Applies the states "true" (included) and "false" (excluded) of the indices
// below "Elemente"; any other value changes nothing. Call after LoadIcons,
// which has made sure that "Elemente" does not pass the tree.
void LoadIncludeStates(ComponentTree& tree, IniStore& store);

}  // namespace tav
