// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <vector>

#include "core/ComponentTree.h"

class QMenu;

namespace tav::ui {

class ComponentTreeView;

// The popup menu's commands on the selection of TreeView1, which may hold
// several nodes, and its items for the whole board after the first eight:
// "Gleiche Bauteile" (a submenu "Feeder 1" to "Feeder 4"), "Alle
// einschliessen", "Alle ausschliessen", "Oberseite ausschliessen",
// "Unterseite ausschliessen" and "Nicht bestückte ausschliessen". The commands themselves are the
// core's; this class only collects the selection and passes it on. Errors of the added items go to
// the error display.
class TreePopupCommands final : public QObject {
  Q_OBJECT

 public:
  // Appends a separator and the added items to `menu`.
  TreePopupCommands(tav::ComponentTree& tree, const ComponentTreeView& view, QMenu& menu,
                    QObject* parent = nullptr);

  // The selected nodes as absolute indices.
  std::vector<int> SelectedIndices() const;

  // Act on the selection; they throw the core's errors.
  void Include();
  void Exclude();
  void AssignFeeder(int feeder);
  void AssignFeederToSameKind(int feeder);

 private:
  void AddItems(QMenu& menu);

  tav::ComponentTree& tree_;
  const ComponentTreeView& view_;
};

}  // namespace tav::ui
