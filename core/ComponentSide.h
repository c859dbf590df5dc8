// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

#include "core/ComponentTree.h"

namespace tav {

// The board side a component is placed on, as its "Layer: " node names it.
enum class ComponentSide { kUnknown, kTop, kBottom };

// The side a layer text names, in any letter case and without regard to blanks
// around it: "T", "Top", "TopLayer", "F.Cu" and "Front" are the top side; "B",
// "Bottom", "BottomLayer", "B.Cu" and "Back" the bottom side; anything else,
// the empty text included, is unknown. Board design tools name the sides in
// these ways.
ComponentSide SideOfLayer(std::string_view layer) noexcept;

// The side of a component (top-level node) from the text of its "Layer: "
// node. Throws Error "Listenindex überschreitet das Maximum (%d)" when the
// component has no such node.
ComponentSide SideOfComponent(const TreeNode& component);

// Whether two components are the same part kind: same value (the text after
// "Comment: ") and same footprint, byte for byte. Throws as ComponentAttribute.
bool SamePartKind(const TreeNode& a, const TreeNode& b);

}  // namespace tav
