// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/QtSerialTransport.h"

#include "core/Error.h"
#include "machine/GrblCodes.h"
#include "machine/MachineMessages.h"
#include "ui/TextCodec.h"

namespace tav::ui {

QtSerialTransport::QtSerialTransport(QObject* parent) : QObject(parent) {
  timer_.setInterval(20);
  connect(&timer_, &QTimer::timeout, this, &QtSerialTransport::Tick);
  connect(&port_, &QSerialPort::readyRead, this, &QtSerialTransport::ReadBytes);
  connect(&port_, &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError error) {
    // Unplugging shows up as a resource error; read and write errors follow it.
    if (port_.isOpen() && (error == QSerialPort::ResourceError || error == QSerialPort::ReadError ||
                           error == QSerialPort::WriteError))
      Lose(ToQString(machine::msg::kPortLost));
  });
}

QtSerialTransport::~QtSerialTransport() {
  timer_.stop();
  if (!port_.isOpen()) return;
  // The window closes during a program: the controller would go on with the
  // lines in its buffer, so stop it at once (feed hold, then soft reset).
  const auto state = link_.state();
  if (state == machine::GrblLink::State::kStreaming ||
      state == machine::GrblLink::State::kStopping) {
    port_.write("!\x18", 2);
    port_.waitForBytesWritten(200);
  }
  port_.close();
}

bool QtSerialTransport::Open(const QString& port, int baud) {
  if (port_.isOpen()) Close();
  port_.setPortName(port);
  if (!port_.open(QIODevice::ReadWrite)) {
    emit disconnected(ToQString(FormatMessage(
        machine::msg::kCannotOpenPort, {FromQString(port), FromQString(port_.errorString())})));
    return false;
  }
  // Raw 8N1 without flow control; QSerialPort adds no CR/LF translation or echo.
  port_.setBaudRate(baud);
  port_.setDataBits(QSerialPort::Data8);
  port_.setParity(QSerialPort::NoParity);
  port_.setStopBits(QSerialPort::OneStop);
  port_.setFlowControl(QSerialPort::NoFlowControl);
  link_.Open(machine::Clock::now());
  timer_.start();
  return true;
}

void QtSerialTransport::Close() {
  timer_.stop();
  link_.Close();
  if (port_.isOpen()) port_.close();
  emit disconnected(QString());
}

void QtSerialTransport::Lose(const QString& reason) {
  timer_.stop();
  link_.Close();
  if (port_.isOpen()) port_.close();
  emit disconnected(reason);
}

void QtSerialTransport::Flush() {
  if (!port_.isOpen()) return;
  const std::string bytes = link_.TakeOutput();
  if (!bytes.empty()) port_.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

void QtSerialTransport::ReadBytes() {
  const QByteArray bytes = port_.readAll();
  link_.Receive(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                machine::Clock::now());
  Flush();
}

void QtSerialTransport::Tick() {
  link_.Tick(machine::Clock::now());
  Flush();
}

void QtSerialTransport::OnConnected(const std::string& banner) {
  emit connected(ToQString(banner));
}

void QtSerialTransport::OnConnectFailed(const std::string& message) {
  // Closing here would destroy the port inside its own signal; do it after.
  const QString reason = ToQString(message);
  QTimer::singleShot(0, this, [this, reason] { Lose(reason); });
}

void QtSerialTransport::OnStatus(const machine::StatusReport& report) { emit status(report); }

void QtSerialTransport::OnMessage(const std::string& text) { emit message(ToQString(text)); }

void QtSerialTransport::OnAlarm(int code) { emit alarm(code); }

void QtSerialTransport::OnCommandError(const std::string& command, int code) {
  emit commandFailed(
      ToQString(command + ": " +
                FormatMessage(machine::msg::kErrorResponse,
                              {std::to_string(code), machine::GrblErrorText(code)})));
}

void QtSerialTransport::OnProgress(std::size_t acknowledged, std::size_t total) {
  emit progress(acknowledged, total);
}

void QtSerialTransport::OnStreamFinished() { emit streamFinished(); }

void QtSerialTransport::OnStreamFailed(const std::string& message) {
  emit streamFailed(ToQString(message));
}

void QtSerialTransport::OnStopped() { emit stopped(); }

}  // namespace tav::ui
