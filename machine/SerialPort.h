// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <string>
#include <string_view>

namespace tav::machine {

// A serial device (or pseudo-terminal) opened raw: 8N1, no echo, no CR/LF
// translation, no flow control, non-blocking. Throws Error on failure.
class SerialPort {
 public:
  SerialPort(const std::string& path, int baud);
  ~SerialPort();
  SerialPort(const SerialPort&) = delete;
  SerialPort& operator=(const SerialPort&) = delete;

  // Waits at most `timeout` for bytes and returns what arrived (maybe none).
  // Throws Error when the device is gone.
  std::string Read(std::chrono::milliseconds timeout);
  // Writes all of `bytes`, waiting while the device is busy.
  void Write(std::string_view bytes);

 private:
  std::string path_;
  int fd_ = -1;
};

}  // namespace tav::machine
