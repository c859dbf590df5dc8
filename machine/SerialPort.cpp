// SPDX-License-Identifier: GPL-3.0-or-later
#include "machine/SerialPort.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>

#include "core/Error.h"
#include "core/SystemErrorText.h"
#include "machine/MachineMessages.h"

namespace tav::machine {
namespace {

speed_t SpeedOf(int baud) {
  switch (baud) {
    case 9600:
      return B9600;
    case 19200:
      return B19200;
    case 38400:
      return B38400;
    case 57600:
      return B57600;
    case 115200:
      return B115200;
    case 230400:
      return B230400;
#ifdef B460800
    case 460800:
      return B460800;
#endif
#ifdef B921600
    case 921600:
      return B921600;
#endif
#ifdef B1000000
    case 1000000:
      return B1000000;
#endif
#ifdef B2000000
    case 2000000:
      return B2000000;
#endif
    default:
      throw Error(FormatMessage(msg::kUnsupportedBaud, {std::to_string(baud)}));
  }
}

}  // namespace

SerialPort::SerialPort(const std::string& path, int baud) : path_(path) {
  const speed_t speed = SpeedOf(baud);
  fd_ = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd_ < 0) throw Error(FormatMessage(msg::kCannotOpenPort, {path, SystemErrorText(errno)}));
  termios tty{};
  if (::tcgetattr(fd_, &tty) != 0) {
    const int error = errno;
    ::close(fd_);
    throw Error(FormatMessage(msg::kCannotConfigurePort, {path, SystemErrorText(error)}));
  }
  ::cfmakeraw(&tty);  // no echo, no CR/LF translation, 8 data bits
  tty.c_cflag |= CLOCAL | CREAD;
  tty.c_cflag &= ~(CSTOPB | PARENB | CRTSCTS);
  tty.c_iflag &= ~(IXON | IXOFF | IXANY);
  tty.c_cc[VMIN] = 0;
  tty.c_cc[VTIME] = 0;
  ::cfsetispeed(&tty, speed);
  ::cfsetospeed(&tty, speed);
  if (::tcsetattr(fd_, TCSANOW, &tty) != 0) {
    const int error = errno;
    ::close(fd_);
    throw Error(FormatMessage(msg::kCannotConfigurePort, {path, SystemErrorText(error)}));
  }
}

SerialPort::~SerialPort() {
  if (fd_ >= 0) ::close(fd_);
}

std::string SerialPort::Read(std::chrono::milliseconds timeout) {
  pollfd p{fd_, POLLIN, 0};
  const int ready = ::poll(&p, 1, static_cast<int>(timeout.count()));
  if (ready < 0) {
    if (errno == EINTR) return {};
    throw Error(msg::kPortLost);
  }
  if (ready == 0) return {};
  if (p.revents & (POLLERR | POLLNVAL)) throw Error(msg::kPortLost);
  char buffer[512];
  const ssize_t got = ::read(fd_, buffer, sizeof buffer);
  if (got > 0) return std::string(buffer, static_cast<std::size_t>(got));
  if (got < 0 && (errno == EAGAIN || errno == EINTR)) return {};
  // End of file or EIO: the device went away (a pseudo-terminal's other side closed).
  throw Error(msg::kPortLost);
}

void SerialPort::Write(std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd_, bytes.data(), bytes.size());
    if (written > 0) {
      bytes.remove_prefix(static_cast<std::size_t>(written));
      continue;
    }
    if (written < 0 && errno == EINTR) continue;
    if (written < 0 && errno == EAGAIN) {
      pollfd p{fd_, POLLOUT, 0};
      ::poll(&p, 1, 100);
      continue;
    }
    throw Error(msg::kPortLost);
  }
}

}  // namespace tav::machine
