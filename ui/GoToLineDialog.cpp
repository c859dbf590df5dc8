// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/GoToLineDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>
#include <climits>

namespace tav::ui {

GoToLineDialog::GoToLineDialog(std::size_t currentLine, std::size_t lineCount, QWidget* parent)
    : QDialog(parent), number_(new QSpinBox(this)) {
  setObjectName(QStringLiteral("GoToLineDialog"));
  setWindowTitle(QStringLiteral("Gehe zu Zeile"));
  const int last = static_cast<int>(std::min<std::size_t>(std::max<std::size_t>(lineCount, 1),
                                                          static_cast<std::size_t>(INT_MAX)));
  auto* label = new QLabel(QStringLiteral("Zeile (1 bis %1):").arg(last), this);
  label->setBuddy(number_);
  number_->setRange(1, last);
  number_->setValue(static_cast<int>(std::min<std::size_t>(currentLine, last)));
  number_->selectAll();
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* rows = new QVBoxLayout(this);
  rows->addWidget(label);
  rows->addWidget(number_);
  rows->addWidget(buttons);
}

std::optional<std::size_t> GoToLineDialog::Ask(std::size_t currentLine, std::size_t lineCount,
                                               QWidget* parent) {
  GoToLineDialog dialog(currentLine, lineCount, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return static_cast<std::size_t>(dialog.Number().value());
}

}  // namespace tav::ui
