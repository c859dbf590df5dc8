// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

#include "core/ComponentTree.h"

namespace tav {

// Reads the attribute texts of one component. This is the one place where the
// planning and the bulk commands reach into a component's nodes.
//
// `component` is a top-level node of the 13-node block; `offset` is one of
// block::kComment, kFootprint, kLayer, kRotation or kFeeder. The result is the
// attribute node's text after its label ("Comment: ", "Footprint: ", ...); a
// node whose label was edited away gives its whole text. The view is valid
// until the node's text changes. Throws Error "Listenindex überschreitet das
// Maximum (%d)" when the component has no such node.
std::string_view ComponentAttribute(const TreeNode& component, int offset);

}  // namespace tav
