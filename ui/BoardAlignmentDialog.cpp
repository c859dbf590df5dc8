// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/BoardAlignmentDialog.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/ComponentBlock.h"
#include "core/Error.h"
#include "ui/TextCodec.h"
#include "ui_BoardAlignmentDialog.h"

namespace tav::ui {

BoardAlignmentDialog::BoardAlignmentDialog(QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::BoardAlignmentForm>()) {
  ui_->setupUi(this);
  for (QLineEdit* field : {ui_->Punkt1_X, ui_->Punkt1_Y, ui_->Punkt2_X, ui_->Punkt2_Y})
    connect(field, &QLineEdit::textChanged, this, &BoardAlignmentDialog::Recompute);
  for (QComboBox* list : {ui_->Punkt1_Bauteil, ui_->Punkt2_Bauteil})
    connect(list, &QComboBox::currentIndexChanged, this, &BoardAlignmentDialog::Recompute);
  connect(ui_->Punkt1_Uebernehmen, &QPushButton::clicked, this, [this] { TakePosition(1); });
  connect(ui_->Punkt2_Uebernehmen, &QPushButton::clicked, this, [this] { TakePosition(2); });
  connect(ui_->Uebernehmen, &QPushButton::clicked, this, &QDialog::accept);
  connect(ui_->Abbrechen, &QPushButton::clicked, this, &QDialog::reject);
  SetPositionSource({});
}

BoardAlignmentDialog::~BoardAlignmentDialog() = default;

void BoardAlignmentDialog::SetPositionSource(MachinePositionSource source) {
  source_ = std::move(source);
  ui_->Punkt1_Uebernehmen->setVisible(static_cast<bool>(source_));
  ui_->Punkt2_Uebernehmen->setVisible(static_cast<bool>(source_));
}

void BoardAlignmentDialog::Prepare(const tav::ComponentTree& tree,
                                   const tav::MachineSettings& settings) {
  side_ = tav::BoardPlacement(settings).Side();
  design_.clear();
  QStringList names;
  for (int row = 0; row < tree.TopLevelCount(); ++row) {
    const tav::TreeNode* top = tree.TopLevel(row);
    if (top->ImageIndex() != tav::icon::kIncluded) continue;
    const tav::ComponentBlock part = tav::ReadComponentBlock(tree, tree.IndexOf(top));
    const auto x = tav::ReadPlacementNumber(tav::WithoutAnyUnit(part.x));
    const auto y = tav::ReadPlacementNumber(tav::WithoutAnyUnit(part.y));
    if (!x || !y) continue;  // a part without a position cannot be measured
    design_.push_back({*x, *y});
    names.push_back(ToQString(part.designator));
  }
  if (design_.size() < 2)
    throw tav::Error("Zum Ausrichten werden zwei eingeschlossene Bauteile mit Position gebraucht");
  const auto [a, b] = tav::FarApartPair(design_);
  for (QComboBox* list : {ui_->Punkt1_Bauteil, ui_->Punkt2_Bauteil}) {
    list->blockSignals(true);
    list->clear();
    list->addItems(names);
    list->blockSignals(false);
  }
  ui_->Punkt1_Bauteil->setCurrentIndex(static_cast<int>(a));
  ui_->Punkt2_Bauteil->setCurrentIndex(static_cast<int>(b));
  Recompute();
}

bool BoardAlignmentDialog::Run(const tav::ComponentTree& tree, tav::MachineSettings& settings) {
  Prepare(tree, settings);
  if (exec() != QDialog::Accepted || !result_) return false;
  tav::ApplyAlignment(*result_, settings);
  return true;
}

void BoardAlignmentDialog::Recompute() {
  result_.reset();
  ui_->Uebernehmen->setEnabled(false);
  const auto number = [](const QLineEdit* field) {
    return tav::ReadPlacementNumber(FromQString(field->text()));
  };
  const auto x1 = number(ui_->Punkt1_X), y1 = number(ui_->Punkt1_Y);
  const auto x2 = number(ui_->Punkt2_X), y2 = number(ui_->Punkt2_Y);
  const int a = ui_->Punkt1_Bauteil->currentIndex();
  const int b = ui_->Punkt2_Bauteil->currentIndex();
  if (!x1 || !y1 || !x2 || !y2 || a < 0 || b < 0) {
    ui_->Ergebnis->setText(QStringLiteral("Maschinenposition beider Bauteile eingeben."));
    return;
  }
  try {
    result_ = tav::AlignBoard(design_[static_cast<std::size_t>(a)],
                              design_[static_cast<std::size_t>(b)], {*x1, *y1}, {*x2, *y2}, side_);
    ui_->Ergebnis->setText(ToQString(tav::AlignmentText(*result_)));
    ui_->Uebernehmen->setEnabled(true);
  } catch (const tav::Error& error) {
    ui_->Ergebnis->setText(ToQString(error.message()));
  }
}

void BoardAlignmentDialog::TakePosition(int point) {
  if (!source_) return;
  const std::optional<MachinePoint> position = source_();
  if (!position) {
    ui_->Ergebnis->setText(QStringLiteral("Keine Maschine verbunden."));
    return;
  }
  QLineEdit* x = point == 1 ? ui_->Punkt1_X : ui_->Punkt2_X;
  QLineEdit* y = point == 1 ? ui_->Punkt1_Y : ui_->Punkt2_Y;
  x->setText(QString::number(position->x, 'f', 3));
  y->setText(QString::number(position->y, 'f', 3));
}

}  // namespace tav::ui
