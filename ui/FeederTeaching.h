// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <array>

#include "ui/MachinePositionSource.h"

class QAbstractButton;
class QLineEdit;

namespace tav::ui {

// "Position übernehmen" beside each feeder box: fills the feeder's X and Y,
// and its Z when "Z mit übernehmen" is ticked, from the connected machine's
// position (two decimals, the user's separator). The buttons are enabled only
// while the source has a position to give.
class FeederTeaching final : public QObject {
  Q_OBJECT

 public:
  struct Feeder {
    QAbstractButton* button;
    QLineEdit* x;
    QLineEdit* y;
    QLineEdit* z;
  };

  FeederTeaching(std::array<Feeder, 4> feeders, QAbstractButton* withZ,
                 MachinePositionSource source, QObject* parent = nullptr);

  // Enables or disables the buttons (call when the connection changes).
  void SetAvailable(bool available);
  // Fills feeder `index` (0..3); false when there is no position.
  bool Teach(int index);

 private:
  std::array<Feeder, 4> feeders_;
  QAbstractButton* withZ_;
  MachinePositionSource source_;
};

}  // namespace tav::ui
