// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/FeederTeaching.h"

#include <QAbstractButton>
#include <QLineEdit>

#include "core/DecimalSeparator.h"

namespace tav::ui {
namespace {

// Two decimals like the fields' defaults, with the user's separator.
void Fill(QLineEdit* field, double value) {
  QString text = QString::number(value, 'f', 2);
  text.replace(QLatin1Char('.'), QLatin1Char(tav::DecimalSeparator()));
  field->setText(text);
}

}  // namespace

FeederTeaching::FeederTeaching(std::array<Feeder, 4> feeders, QAbstractButton* withZ,
                               MachinePositionSource source, QObject* parent)
    : QObject(parent), feeders_(feeders), withZ_(withZ), source_(std::move(source)) {
  for (int i = 0; i < 4; ++i)
    connect(feeders_[i].button, &QAbstractButton::clicked, this, [this, i] { Teach(i); });
  SetAvailable(false);
}

void FeederTeaching::SetAvailable(bool available) {
  for (const Feeder& feeder : feeders_) feeder.button->setEnabled(available);
  withZ_->setEnabled(available);
}

bool FeederTeaching::Teach(int index) {
  const std::optional<MachinePoint> point = source_ ? source_() : std::nullopt;
  if (!point) return false;
  const Feeder& feeder = feeders_[index];
  Fill(feeder.x, point->x);
  Fill(feeder.y, point->y);
  if (withZ_->isChecked()) Fill(feeder.z, point->z);
  return true;
}

}  // namespace tav::ui
