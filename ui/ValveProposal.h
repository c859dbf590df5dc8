// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

namespace Ui {
class TForm1;
}

namespace tav::ui {

// Ticking "Ventil schalten" while the valve codes still hold their defaults
// fills in codes the common controllers switch (tav::ProposeValveCodes) and
// says so beside the editor.
class ValveProposal final : public QObject {
  Q_OBJECT

 public:
  ValveProposal(Ui::TForm1& form, QObject* parent);

 private:
  void Switched(bool on);

  Ui::TForm1& form_;
};

}  // namespace tav::ui
