// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/MachinePanel.h"

#include <QKeyEvent>

#include "core/Error.h"
#include "machine/GrblCodes.h"
#include "machine/GrblProgram.h"
#include "ui/ErrorDisplay.h"
#include "ui/QtSerialTransport.h"
#include "ui/QuestionBox.h"
#include "ui/TextCodec.h"
#include "ui_MachinePanel.h"

namespace tav::ui {
namespace {

QString Coordinates(const std::optional<machine::Position>& p) {
  if (!p) return QStringLiteral("\u2013");
  return QStringLiteral("X %1  Y %2  Z %3")
      .arg(p->x, 0, 'f', 3)
      .arg(p->y, 0, 'f', 3)
      .arg(p->z, 0, 'f', 3);
}

// "4:05" or, from an hour up, "1:04:05".
QString MinutesAndSeconds(double seconds) {
  const int whole = static_cast<int>(seconds + 0.5);
  const QString mmss = QStringLiteral("%1:%2")
                           .arg(whole / 60 % 60, whole >= 3600 ? 2 : 1, 10, QLatin1Char('0'))
                           .arg(whole % 60, 2, 10, QLatin1Char('0'));
  return whole >= 3600 ? QStringLiteral("%1:%2").arg(whole / 3600).arg(mmss) : mmss;
}

}  // namespace

MachinePanel::MachinePanel(QWidget* parent)
    : QWidget(parent),
      ui_(std::make_unique<Ui::MachinePanel>()),
      transport_(new QtSerialTransport(this)) {
  ui_->setupUi(this);
  WireButtons();
  WireTransport();
  UpdateButtons();
}

MachinePanel::~MachinePanel() {
  // The transport stops a running machine as it goes, which still handles the
  // controller's replies: they must not reach a panel being torn down.
  transport_->disconnect(this);
  delete transport_;
}

void MachinePanel::WireButtons() {
  connect(ui_->Entsperren, &QPushButton::clicked, this, &MachinePanel::Unlock);
  connect(ui_->Referenzfahrt, &QPushButton::clicked, this, &MachinePanel::Home);
  connect(ui_->Start, &QPushButton::clicked, this, &MachinePanel::StartProgram);
  connect(ui_->Pause, &QPushButton::clicked, this, &MachinePanel::PauseProgram);
  connect(ui_->Fortsetzen, &QPushButton::clicked, this, &MachinePanel::ResumeProgram);
  connect(ui_->Stopp, &QPushButton::clicked, this, &MachinePanel::StopMachine);
  const struct {
    QPushButton* button;
    char axis;
    int sign;
  } jogs[] = {{ui_->JogXPlus, 'X', 1},   {ui_->JogXMinus, 'X', -1}, {ui_->JogYPlus, 'Y', 1},
              {ui_->JogYMinus, 'Y', -1}, {ui_->JogZPlus, 'Z', 1},   {ui_->JogZMinus, 'Z', -1}};
  for (const auto& jog : jogs) {
    connect(jog.button, &QPushButton::pressed, this,
            [this, axis = jog.axis, sign = jog.sign] { JogStep(axis, sign); });
    connect(jog.button, &QPushButton::released, this, &MachinePanel::CancelJog);
  }
}

void MachinePanel::WireTransport() {
  connect(transport_, &QtSerialTransport::connected, this, [this](const QString& banner) {
    connected_ = true;
    ShowMessage(banner, false);
    UpdateButtons();
    emit connectionChanged(true);
  });
  connect(transport_, &QtSerialTransport::disconnected, this, [this](const QString& reason) {
    const bool was = connected_;
    connected_ = false;
    status_.reset();
    SetState(QStringLiteral("Getrennt"));
    ui_->MaschinenPosition->setText(Coordinates(std::nullopt));
    ui_->WerkstueckPosition->setText(Coordinates(std::nullopt));
    if (!reason.isEmpty()) ShowMessage(reason, true);
    UpdateButtons();
    if (was) emit connectionChanged(false);
  });
  connect(transport_, &QtSerialTransport::status, this, &MachinePanel::ShowStatus);
  connect(transport_, &QtSerialTransport::message, this,
          [this](const QString& text) { ShowMessage(text, false); });
  connect(transport_, &QtSerialTransport::commandFailed, this,
          [this](const QString& text) { ShowMessage(text, true); });
  connect(transport_, &QtSerialTransport::alarm, this, [this](int code) {
    if (!Streaming())
      ShowMessage(ToQString(FormatMessage("Alarm %s: %s",
                                          {std::to_string(code), machine::GrblAlarmText(code)})),
                  true);
  });
  connect(transport_, &QtSerialTransport::progress, this, &MachinePanel::ShowProgress);
  connect(transport_, &QtSerialTransport::streamFinished, this, [this] {
    ShowMessage(QStringLiteral("Programm fertig."), false);
    UpdateButtons();
  });
  connect(transport_, &QtSerialTransport::streamFailed, this,
          [this](const QString& text) { ShowMessage(text, true); });
  connect(transport_, &QtSerialTransport::stopped, this, [this] {
    if (ui_->Meldung->property("problem").toBool())
      ui_->Meldung->setText(ui_->Meldung->text() +
                            QStringLiteral("\nDie Maschine wurde angehalten."));
    else
      ShowMessage(QStringLiteral("Die Maschine wurde angehalten."), false);
    UpdateButtons();
  });
}

void MachinePanel::Connect(const QString& port, int baud) {
  SetState(QStringLiteral("Verbinde\u2026"));
  ShowMessage(QString(), false);
  if (!transport_->Open(port, baud)) throw Error(FromQString(ui_->Meldung->text()));
  UpdateButtons();
}

void MachinePanel::Disconnect() {
  if (transport_->IsOpen()) transport_->Close();
}

std::optional<MachinePoint> MachinePanel::Position() const {
  if (!connected_ || !status_) return std::nullopt;
  const std::optional<machine::Position>& p = status_->work ? status_->work : status_->machine;
  if (!p) return std::nullopt;
  return MachinePoint{p->x, p->y, p->z};
}

QString MachinePanel::StateText() const { return ui_->Zustand->text(); }

QString MachinePanel::MessageText() const { return ui_->Meldung->text(); }

bool MachinePanel::Streaming() const {
  return transport_->Link().state() == machine::GrblLink::State::kStreaming;
}

void MachinePanel::ShowStatus(const machine::StatusReport& report) {
  status_ = report;
  QString state = QString::fromStdString(report.state);
  if (report.subState >= 0) state += QStringLiteral(":%1").arg(report.subState);
  SetState(state);
  ui_->MaschinenPosition->setText(Coordinates(report.machine));
  ui_->WerkstueckPosition->setText(Coordinates(report.work));
  if (Streaming() && elapsed_.isValid()) {
    QString time = QStringLiteral("Zeit %1").arg(MinutesAndSeconds(elapsed_.elapsed() / 1000.0));
    const auto& link = transport_->Link();
    const double total = static_cast<double>(ui_->Fortschritt->maximum());
    if (estimatedSeconds_ && total > 0)
      time += QStringLiteral(", Rest ca. %1")
                  .arg(MinutesAndSeconds(
                      *estimatedSeconds_ *
                      (1.0 - static_cast<double>(link.linesAcknowledged()) / total)));
    ui_->ZeitText->setText(time);
  }
  UpdateButtons();
}

void MachinePanel::ShowProgress(qulonglong acknowledged, qulonglong total) {
  ui_->Fortschritt->setMaximum(static_cast<int>(total));
  ui_->Fortschritt->setValue(static_cast<int>(acknowledged));
  ui_->FortschrittText->setText(QStringLiteral("Zeile %1 von %2").arg(acknowledged).arg(total));
}

void MachinePanel::ShowMessage(const QString& text, bool problem) {
  ui_->Meldung->setText(text);
  ui_->Meldung->setProperty("problem", problem);
  ui_->Meldung->setStyleSheet(problem ? QStringLiteral("color: #b00000;") : QString());
}

void MachinePanel::SetState(const QString& state) { ui_->Zustand->setText(state); }

void MachinePanel::UpdateButtons() {
  const auto state = transport_->Link().state();
  const bool ready = connected_ && state == machine::GrblLink::State::kReady;
  const bool streaming = connected_ && state == machine::GrblLink::State::kStreaming;
  for (QPushButton* button :
       {ui_->Entsperren, ui_->Referenzfahrt, ui_->JogXPlus, ui_->JogXMinus, ui_->JogYPlus,
        ui_->JogYMinus, ui_->JogZPlus, ui_->JogZMinus, ui_->Start})
    button->setEnabled(ready);
  const bool held = status_ && status_->state == "Hold";
  ui_->Pause->setEnabled(streaming && !held);
  ui_->Fortsetzen->setEnabled(connected_ && held);
  ui_->Stopp->setEnabled(connected_ && state != machine::GrblLink::State::kStopping);
}

void MachinePanel::StartProgram() {
  ErrorDisplay::Run([this] {
    if (!connected_ || !programSource_) return;
    const Program program = programSource_();
    if (program.stale && QuestionBox::AskToStreamStaleProgram(this) != QuestionBox::Answer::Ja)
      return;
    machine::GrblProgram prepared =
        machine::GrblProgram::Prepare(program.text, transport_->Link().bufferSize());
    const std::size_t total = prepared.lines().size();
    transport_->Link().Start(std::move(prepared), machine::Clock::now());
    estimatedSeconds_ = program.estimatedSeconds;
    elapsed_.start();
    ShowProgress(0, total);
    ui_->ZeitText->clear();
    ShowMessage(QString(), false);
    transport_->Flush();
    UpdateButtons();
  });
}

void MachinePanel::PauseProgram() {
  transport_->Link().FeedHold();
  transport_->Flush();
}

void MachinePanel::ResumeProgram() {
  transport_->Link().Resume();
  transport_->Flush();
}

void MachinePanel::StopMachine() {
  transport_->Link().Stop(machine::Clock::now());
  transport_->Flush();
  UpdateButtons();
}

void MachinePanel::Unlock() {
  transport_->Link().Unlock();
  transport_->Flush();
}

void MachinePanel::Home() {
  transport_->Link().Home();
  transport_->Flush();
}

void MachinePanel::JogStep(char axis, int sign) {
  bool ok = false;
  const double step = ui_->Schrittweite->currentText().toDouble(&ok) * sign;
  double feed = ui_->TippVorschub->text().replace(QLatin1Char(','), QLatin1Char('.')).toDouble();
  if (!ok || feed <= 0) feed = 500;
  transport_->Link().Jog(axis == 'X' ? step : 0, axis == 'Y' ? step : 0, axis == 'Z' ? step : 0,
                         feed);
  transport_->Flush();
}

void MachinePanel::CancelJog() {
  transport_->Link().CancelJog();
  transport_->Flush();
}

void MachinePanel::keyPressEvent(QKeyEvent* event) {
  if (event->isAutoRepeat() && event->key() != Qt::Key_Escape) return;
  switch (event->key()) {
    case Qt::Key_Right:
      return JogStep('X', 1);
    case Qt::Key_Left:
      return JogStep('X', -1);
    case Qt::Key_Up:
      return JogStep('Y', 1);
    case Qt::Key_Down:
      return JogStep('Y', -1);
    case Qt::Key_PageUp:
      return JogStep('Z', 1);
    case Qt::Key_PageDown:
      return JogStep('Z', -1);
    case Qt::Key_Escape:
      return CancelJog();
    default:
      QWidget::keyPressEvent(event);
  }
}

void MachinePanel::keyReleaseEvent(QKeyEvent* event) {
  if (event->isAutoRepeat()) return;
  switch (event->key()) {
    case Qt::Key_Right:
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
      return CancelJog();
    default:
      QWidget::keyReleaseEvent(event);
  }
}

}  // namespace tav::ui
