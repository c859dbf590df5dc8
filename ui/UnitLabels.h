// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace tav::ui {

// Small grey unit labels ("mm", "mm/min", "s", "°") just right of the
// settings fields, outside the fields themselves. Fields that do not exist
// are left out, so the list may name fields of any page.
class UnitLabels final {
 public:
  static void AddTo(QWidget& window);
};

}  // namespace tav::ui
