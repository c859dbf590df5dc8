// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QString>

#include <memory>

namespace Ui {
class ConnectDialog;
}

namespace tav::ui {

// "Verbinden…": the serial port (the system's ports in an editable list, so
// any device path can be typed) and the baud rate, 115 200 unless chosen
// otherwise. The last choice is remembered (QSettings, group "Maschine").
class ConnectDialog final : public QDialog {
  Q_OBJECT

 public:
  explicit ConnectDialog(QWidget* parent = nullptr);
  ~ConnectDialog() override;

  QString Port() const;
  // 0 when the field holds no positive whole number.
  int Baud() const;
  void SetPort(const QString& port);

  // Stores the choice for next time (done on OK).
  void Remember() const;

 private:
  std::unique_ptr<Ui::ConnectDialog> ui_;
};

}  // namespace tav::ui
