// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractItemModel>

#include "core/ComponentTree.h"

namespace tav::ui {

// Adapts the ComponentTree to TreeView1 without copying it: every index points
// at its TreeNode, and every answer is read from the tree when asked, so a
// reset costs nothing however large the tree is. The model follows the tree's
// changes through TreeObserver.
class ComponentTreeModel final : public QAbstractItemModel, private tav::TreeObserver {
  Q_OBJECT

 public:
  // The icon index shown for an item (an int), for tests and tools.
  static constexpr int ShownIconIndexRole = Qt::UserRole + 1;

  explicit ComponentTreeModel(tav::ComponentTree& tree, QObject* parent = nullptr);
  ~ComponentTreeModel() override;

  tav::TreeNode* NodeOf(const QModelIndex& index) const;
  QModelIndex IndexOf(const tav::TreeNode* node) const;

  // The node shown with its SelectedIndex icon; nullptr for none.
  void SetSelectedNode(const tav::TreeNode* node);
  const tav::TreeNode* SelectedNode() const noexcept { return selected_; }

  QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
  QModelIndex parent(const QModelIndex& child) const override;
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  bool hasChildren(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

 private:
  void TreeAboutToReset() override;
  void TreeReset() override;
  void NodeAboutToBeAdded(const tav::TreeNode* parent, int row) override;
  void NodeAdded(const tav::TreeNode* node) override;
  void NodeChanged(const tav::TreeNode* node) override;

  tav::ComponentTree& tree_;
  const tav::TreeNode* selected_ = nullptr;
};

}  // namespace tav::ui
