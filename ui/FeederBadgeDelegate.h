// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QIcon>
#include <QString>
#include <QStyledItemDelegate>

#include "core/ComponentTree.h"

namespace tav::ui {

class ComponentTreeModel;

// Draws TreeView1's items and, beside the icon of every component, a small
// badge with its feeder ("1" to "4"), so the feeders can be seen without
// expanding a component. A feeder text the generator would not recognise shows
// "?"; a component without a feeder node shows no badge. Node texts stay as
// they are: the badge is part of the item's picture, not of its text.
class FeederBadgeDelegate final : public QStyledItemDelegate {
  Q_OBJECT

 public:
  FeederBadgeDelegate(const ComponentTreeModel& model, QObject* parent = nullptr);

  // The badge of a component: "1" to "4", "?" or empty (none, and for every
  // node that is not a component).
  static QString BadgeOf(const tav::TreeNode* node);

 protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

 private:
  QIcon IconWithBadge(int iconIndex, const QString& badge) const;

  const ComponentTreeModel& model_;
  mutable QHash<QString, QIcon> icons_;  // by icon index and badge
};

}  // namespace tav::ui
