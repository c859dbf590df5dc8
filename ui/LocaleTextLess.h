// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/ComponentTree.h"

namespace tav::ui {

// The comparison that "Sortieren" uses: the user's locale collation,
// case-sensitive, digits compared as characters (so "R10" sorts before "R2").
tav::ComponentTree::TextLess LocaleTextLess();

}  // namespace tav::ui
