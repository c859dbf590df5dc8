// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTreeView>

#include <vector>

#include "core/ComponentTree.h"

namespace tav::ui {

class ComponentTreeModel;

// TreeView1: a tree view whose right click opens the popup menu without
// selecting the item under the mouse, which hides its selection while it does
// not have the focus, and which shows the selected item's SelectedIndex icon.
// A plain click selects the clicked item alone, as in a file manager; a
// rename starts only on a second click of an item that already was the single
// selection, or with F2.
class ComponentTreeView final : public QTreeView {
  Q_OBJECT

 public:
  explicit ComponentTreeView(QWidget* parent = nullptr);

  void SetComponentModel(ComponentTreeModel* model);
  void SetBackground(const QColor& colour);

  // The node the editing commands act on; nullptr when nothing is selected.
  tav::TreeNode* SelectedNode() const;
  // Every selected node (several after Ctrl- or Shift-click), in selection order.
  std::vector<tav::TreeNode*> SelectedNodes() const;

  // Expanded, selected and current nodes, kept across a reordering of the tree
  // that leaves every node alive (sorting).
  struct State {
    std::vector<const tav::TreeNode*> expanded;
    std::vector<const tav::TreeNode*> selected;
    const tav::TreeNode* current = nullptr;
  };
  State SaveState() const;
  void RestoreState(const State& state);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) override;
  void dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                   const QList<int>& roles = QList<int>()) override;

 private:
  ComponentTreeModel* componentModel_ = nullptr;
};

}  // namespace tav::ui
