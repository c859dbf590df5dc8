// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

#include "core/ComponentBlock.h"
#include "core/ComponentTree.h"

namespace tav {

// Where the generator's components come from: a source calls the visitor once
// per component to place, in program order. The record and its texts need
// only live for the call, so a source may read them from a file row by row
// instead of holding a tree.
using ComponentVisitor = std::function<void(const ComponentBlock& component)>;
using ComponentSource = std::function<void(const ComponentVisitor& visit)>;

// The included components of `tree` in tree order (ReadComponentBlock, whose
// errors it throws); excluded ones are passed over unread.
ComponentSource TreeComponents(const ComponentTree& tree);

}  // namespace tav
