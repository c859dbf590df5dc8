// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ComponentTreeView.h"

#include <QMouseEvent>
#include <QPalette>
#include <QStyleFactory>

#include "ui/ComponentTreeModel.h"
#include "ui/FeederBadgeDelegate.h"

namespace tav::ui {

ComponentTreeView::ComponentTreeView(QWidget* parent) : QTreeView(parent) {
  setHeaderHidden(true);
  setUniformRowHeights(true);  // lets a tree of any size scroll without measuring rows
  setRootIsDecorated(true);
  setIndentation(19);
  // Ctrl- and Shift-click select several components for the popup commands.
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setEditTriggers(QAbstractItemView::EditKeyPressed);
  setContextMenuPolicy(Qt::CustomContextMenu);

  // The classic style draws the connecting lines and the +/- buttons.
  if (QStyle* lines = QStyleFactory::create(QStringLiteral("Windows"))) {
    lines->setParent(this);
    setStyle(lines);
  }

  SetBackground(palette().color(QPalette::Active, QPalette::Base));
}

void ComponentTreeView::SetBackground(const QColor& colour) {
  QPalette colours = palette();
  colours.setColor(QPalette::Base, colour);
  // Selection hidden while the tree does not have the focus.
  colours.setColor(QPalette::Inactive, QPalette::Highlight, colour);
  colours.setColor(QPalette::Inactive, QPalette::HighlightedText,
                   colours.color(QPalette::Inactive, QPalette::Text));
  setPalette(colours);
}

void ComponentTreeView::SetComponentModel(ComponentTreeModel* model) {
  componentModel_ = model;
  setModel(model);
  if (model != nullptr) setItemDelegate(new FeederBadgeDelegate(*model, this));
}

tav::TreeNode* ComponentTreeView::SelectedNode() const {
  if (componentModel_ == nullptr || selectionModel() == nullptr) return nullptr;
  const QModelIndexList selected = selectionModel()->selectedIndexes();
  return selected.isEmpty() ? nullptr : componentModel_->NodeOf(selected.first());
}

std::vector<tav::TreeNode*> ComponentTreeView::SelectedNodes() const {
  std::vector<tav::TreeNode*> nodes;
  if (componentModel_ == nullptr || selectionModel() == nullptr) return nodes;
  const QModelIndexList selected = selectionModel()->selectedIndexes();
  nodes.reserve(static_cast<std::size_t>(selected.size()));
  for (const QModelIndex& index : selected)
    if (tav::TreeNode* node = componentModel_->NodeOf(index)) nodes.push_back(node);
  return nodes;
}

ComponentTreeView::State ComponentTreeView::SaveState() const {
  State state;
  if (componentModel_ == nullptr) return state;
  state.current = SelectedNode();
  for (const tav::TreeNode* node : SelectedNodes()) state.selected.push_back(node);
  // Only expanded items are descended into, so this stays cheap for large trees.
  std::vector<QModelIndex> pending{QModelIndex()};
  while (!pending.empty()) {
    const QModelIndex parent = pending.back();
    pending.pop_back();
    const int rows = componentModel_->rowCount(parent);
    for (int row = 0; row < rows; ++row) {
      const QModelIndex child = componentModel_->index(row, 0, parent);
      if (!isExpanded(child)) continue;
      state.expanded.push_back(componentModel_->NodeOf(child));
      pending.push_back(child);
    }
  }
  return state;
}

void ComponentTreeView::RestoreState(const State& state) {
  if (componentModel_ == nullptr) return;
  for (const tav::TreeNode* node : state.expanded) expand(componentModel_->IndexOf(node));
  if (state.current != nullptr) {
    const QModelIndex current = componentModel_->IndexOf(state.current);
    selectionModel()->setCurrentIndex(current, QItemSelectionModel::ClearAndSelect);
    scrollTo(current);
  }
  if (state.selected.size() > 1) {
    QItemSelection selection;
    for (const tav::TreeNode* node : state.selected) {
      const QModelIndex index = componentModel_->IndexOf(node);
      selection.select(index, index);
    }
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
  }
}

void ComponentTreeView::mousePressEvent(QMouseEvent* event) {
  // The popup menu acts on the node selected before; a right click must not move it.
  if (event->button() == Qt::RightButton) {
    event->accept();
    return;
  }
  // A plain click on an item of a multi-selection selects that item alone
  // there and then, so that what looks selected is what the commands change.
  // Only a click on the one item selected already may start its rename.
  const QModelIndex index = indexAt(event->position().toPoint());
  const bool plain = event->button() == Qt::LeftButton &&
                     !(event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier));
  const QModelIndexList selected =
      selectionModel() != nullptr ? selectionModel()->selectedIndexes() : QModelIndexList();
  const bool renames = plain && index.isValid() && selected.size() == 1 && selected[0] == index;
  setEditTriggers(renames ? QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed
                          : QAbstractItemView::EditKeyPressed);
  if (plain && index.isValid() && selected.size() > 1)
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
  QTreeView::mousePressEvent(event);
}

void ComponentTreeView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) {
    event->accept();
    return;
  }
  QTreeView::mouseReleaseEvent(event);
}

void ComponentTreeView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) {
    event->accept();
    return;
  }
  QTreeView::mouseDoubleClickEvent(event);
}

void ComponentTreeView::dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                                    const QList<int>& roles) {
  // An item inside a collapsed node is not shown. Qt would look for it among
  // all shown rows to repaint it, which a bulk command changing thousands of
  // feeder nodes would pay once per node.
  if (topLeft == bottomRight) {
    for (QModelIndex parent = topLeft.parent(); parent.isValid(); parent = parent.parent())
      if (!isExpanded(parent)) return;
  }
  QTreeView::dataChanged(topLeft, bottomRight, roles);
}

void ComponentTreeView::selectionChanged(const QItemSelection& selected,
                                         const QItemSelection& deselected) {
  QTreeView::selectionChanged(selected, deselected);
  if (componentModel_ != nullptr) componentModel_->SetSelectedNode(SelectedNode());
}

}  // namespace tav::ui
