// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>

namespace tav::ui {

// ImageList1: the eight 16 x 16 icons of the tree and the popup menu, indexed
// by a node's ImageIndex (0 included, 1 excluded, 2 X, 3 Y, 4 Z, 5 attribute,
// 6 position group, 7 size group).
class ImageList final {
 public:
  static constexpr int kCount = 8;

  // The icon for `index`; an empty icon for an index outside 0..7, which a
  // project file may hold.
  static QIcon Icon(int index);
};

}  // namespace tav::ui
