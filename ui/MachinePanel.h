// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QString>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "machine/GrblResponse.h"
#include "ui/MachinePositionSource.h"

class QPushButton;

namespace Ui {
class MachinePanel;
}

namespace tav::ui {

class QtSerialTransport;

// The panel "Maschinensteuerung": the controller's state and positions,
// unlock and homing, jogging with buttons and keys (arrows for X and Y, Page
// Up/Down for Z; each press moves one step, releasing or Escape stops at
// once), and running the editor's program with progress, pause, resume and
// stop. Errors and alarms stop the machine; the panel shows what happened.
class MachinePanel final : public QWidget {
  Q_OBJECT

 public:
  // What Start sends: the editor's text, whether it still fits the job, and
  // the job estimate's duration when there is one.
  struct Program {
    std::string text;
    bool stale = false;
    std::optional<double> estimatedSeconds;
  };

  explicit MachinePanel(QWidget* parent = nullptr);
  ~MachinePanel() override;

  void SetProgramSource(std::function<Program()> source) { programSource_ = std::move(source); }

  // Opens the port and waits for the controller (the window goes on). Throws
  // Error when the port cannot be opened.
  void Connect(const QString& port, int baud);
  void Disconnect();
  // The controller answered and the port is open.
  bool IsConnected() const { return connected_; }

  // The work position of the last status report (what the program's
  // coordinates refer to); empty while not connected.
  std::optional<MachinePoint> Position() const;
  MachinePositionSource PositionSource() const {
    return [this] { return Position(); };
  }

  QtSerialTransport& Transport() { return *transport_; }
  QString StateText() const;
  QString MessageText() const;

 signals:
  // Connected to a controller, or not any more.
  void connectionChanged(bool connected);

 public slots:
  void StartProgram();
  void PauseProgram();
  void ResumeProgram();
  void StopMachine();
  void Unlock();
  void Home();
  // One step along `axis` ('X', 'Y', 'Z') in direction `sign` (+1, -1).
  void JogStep(char axis, int sign);
  void CancelJog();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;

 private:
  void WireButtons();
  void WireTransport();
  void ShowStatus(const machine::StatusReport& report);
  void ShowProgress(qulonglong acknowledged, qulonglong total);
  void ShowMessage(const QString& text, bool problem);
  void SetState(const QString& state);
  void UpdateButtons();
  bool Streaming() const;

  std::unique_ptr<Ui::MachinePanel> ui_;
  QtSerialTransport* transport_;
  std::function<Program()> programSource_;
  bool connected_ = false;
  std::optional<machine::StatusReport> status_;
  QElapsedTimer elapsed_;
  std::optional<double> estimatedSeconds_;
};

}  // namespace tav::ui
