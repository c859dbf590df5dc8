// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QSerialPort>
#include <QString>
#include <QTimer>

#include <memory>

#include "machine/GrblLink.h"

namespace tav::ui {

// Carries the GRBL link over a QSerialPort without ever blocking the window:
// bytes are handed over as they arrive, a timer ticks the link every 20 ms,
// and what the link reports comes out as signals (texts in Unicode).
class QtSerialTransport final : public QObject, private machine::GrblLinkListener {
  Q_OBJECT

 public:
  explicit QtSerialTransport(QObject* parent = nullptr);
  ~QtSerialTransport() override;

  // Opens `port` (a name from the system's list or any device path) raw at
  // `baud` and waits for the controller's start-up line. Returns false and
  // emits disconnected() with the reason when the port cannot be opened.
  bool Open(const QString& port, int baud);
  // Closes the port; emits disconnected() with an empty reason.
  void Close();
  bool IsOpen() const { return port_.isOpen(); }

  // The link for commands; call Flush() after each.
  machine::GrblLink& Link() { return link_; }
  // Writes what the link has to send.
  void Flush();

 signals:
  void connected(const QString& banner);
  // The port is closed: `reason` says why (empty when closed on purpose).
  void disconnected(const QString& reason);
  void status(const tav::machine::StatusReport& report);
  void message(const QString& text);
  void alarm(int code);
  void commandFailed(const QString& text);
  void progress(qulonglong acknowledged, qulonglong total);
  void streamFinished();
  void streamFailed(const QString& text);
  void stopped();

 private:
  void OnConnected(const std::string& banner) override;
  void OnConnectFailed(const std::string& message) override;
  void OnStatus(const machine::StatusReport& report) override;
  void OnMessage(const std::string& text) override;
  void OnAlarm(int code) override;
  void OnCommandError(const std::string& command, int code) override;
  void OnProgress(std::size_t acknowledged, std::size_t total) override;
  void OnStreamFinished() override;
  void OnStreamFailed(const std::string& message) override;
  void OnStopped() override;

  void ReadBytes();
  void Tick();
  void Lose(const QString& reason);

  QSerialPort port_;
  QTimer timer_;
  machine::GrblLink link_{*this};
};

}  // namespace tav::ui
