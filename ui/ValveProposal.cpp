// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ValveProposal.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

#include "settings/ValveProposal.h"
#include "ui/TextCodec.h"
#include "ui_MainWindow.h"

namespace tav::ui {

ValveProposal::ValveProposal(Ui::TForm1& form, QObject* parent) : QObject(parent), form_(form) {
  connect(form_.GCode_VentilSchalten, &QCheckBox::toggled, this, &ValveProposal::Switched);
}

void ValveProposal::Switched(bool on) {
  if (!on) return;
  tav::MachineSettings settings;
  settings.valveOnCode = FromQString(form_.GCode_Ventil->text());
  settings.valveOffCode = FromQString(form_.GCode_VentilAus->text());
  if (!tav::ProposeValveCodes(settings)) return;
  form_.GCode_Ventil->setText(ToQString(settings.valveOnCode));
  form_.GCode_VentilAus->setText(ToQString(settings.valveOffCode));
  form_.GCode_Summary->setText(ToQString(tav::kValveCodesProposed));
}

}  // namespace tav::ui
