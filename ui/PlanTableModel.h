// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <QStringList>

#include <vector>

#include "plan/PassPlan.h"

namespace tav::ui {

// The rows of a pass plan for a table view, one per part kind in plan order:
// pass, feeder, value, footprint, count and designators. It reads the plan it
// is given, which must outlive it or be replaced by SetPlan first.
class PlanTableModel final : public QAbstractTableModel {
  Q_OBJECT

 public:
  enum Column { kPass, kFeeder, kValue, kFootprint, kCount, kDesignators, kColumnCount };

  explicit PlanTableModel(QObject* parent = nullptr);

  // Shows `plan`; nullptr shows no rows.
  void SetPlan(const tav::PassPlan* plan);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

 private:
  const tav::PassPlan* plan_ = nullptr;
  std::vector<QString> designators_;  // joined once per kind, so painting stays cheap
};

}  // namespace tav::ui
