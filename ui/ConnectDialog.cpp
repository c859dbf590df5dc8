// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ConnectDialog.h"

#include <QPushButton>
#include <QSerialPortInfo>
#include <QSettings>

#include "ui_ConnectDialog.h"

namespace tav::ui {
namespace {

const QString kPortKey = QStringLiteral("Maschine/Anschluss");
const QString kBaudKey = QStringLiteral("Maschine/Baudrate");

}  // namespace

ConnectDialog::ConnectDialog(QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::ConnectDialog>()) {
  ui_->setupUi(this);
  ui_->Buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Verbinden"));
  ui_->Buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
    ui_->Anschluss->addItem(info.systemLocation());
  const QSettings settings(QStringLiteral("Tavoline"), QStringLiteral("Tavoline"));
  const QString port = settings.value(kPortKey).toString();
  if (!port.isEmpty()) SetPort(port);
  ui_->Baudrate->setCurrentText(settings.value(kBaudKey, QStringLiteral("115200")).toString());
  connect(ui_->Buttons, &QDialogButtonBox::accepted, this, [this] {
    Remember();
    accept();
  });
  connect(ui_->Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

ConnectDialog::~ConnectDialog() = default;

QString ConnectDialog::Port() const { return ui_->Anschluss->currentText().trimmed(); }

int ConnectDialog::Baud() const {
  bool ok = false;
  const int baud = ui_->Baudrate->currentText().trimmed().toInt(&ok);
  return ok && baud > 0 ? baud : 0;
}

void ConnectDialog::SetPort(const QString& port) { ui_->Anschluss->setCurrentText(port); }

void ConnectDialog::Remember() const {
  QSettings settings(QStringLiteral("Tavoline"), QStringLiteral("Tavoline"));
  settings.setValue(kPortKey, Port());
  settings.setValue(kBaudKey, ui_->Baudrate->currentText().trimmed());
}

}  // namespace tav::ui
