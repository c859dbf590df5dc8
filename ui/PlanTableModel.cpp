// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PlanTableModel.h"

#include "ui/TextCodec.h"

namespace tav::ui {

PlanTableModel::PlanTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void PlanTableModel::SetPlan(const tav::PassPlan* plan) {
  beginResetModel();
  plan_ = plan;
  designators_.clear();
  if (plan_ != nullptr) {
    designators_.reserve(plan_->Kinds().size());
    for (const tav::PartKind& kind : plan_->Kinds()) {
      std::string joined;
      for (const std::string& designator : kind.designators) {
        if (!joined.empty()) joined += ", ";
        joined += designator;
      }
      designators_.push_back(ToQString(joined));
    }
  }
  endResetModel();
}

int PlanTableModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid() || plan_ == nullptr) return 0;
  return plan_->KindCount();
}

int PlanTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumnCount;
}

QVariant PlanTableModel::data(const QModelIndex& index, int role) const {
  if (plan_ == nullptr || !index.isValid() || index.row() >= plan_->KindCount()) return {};
  const int row = index.row();
  const tav::PartKind& kind = plan_->Kinds()[static_cast<std::size_t>(row)];
  if (role == Qt::TextAlignmentRole && index.column() != kValue && index.column() != kFootprint &&
      index.column() != kDesignators)
    return static_cast<int>(Qt::AlignCenter);
  if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return {};
  switch (index.column()) {
    case kPass:
      return tav::PassPlan::PassOfKind(row);
    case kFeeder:
      return tav::PassPlan::FeederOfKind(row);
    case kValue:
      return ToQString(kind.value);
    case kFootprint:
      return ToQString(kind.footprint);
    case kCount:
      return kind.Count();
    case kDesignators:
      return designators_[static_cast<std::size_t>(row)];
    default:
      return {};
  }
}

QVariant PlanTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  static const char* const kHeaders[kColumnCount] = {"Durchgang", "Feeder", "Wert",
                                                     "Footprint", "Anzahl", "Bauteile"};
  if (section < 0 || section >= kColumnCount) return {};
  return QString::fromLatin1(kHeaders[section]);
}

}  // namespace tav::ui
