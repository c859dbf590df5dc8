// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/FakeGrbl.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <stdexcept>

namespace tav::test {
namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr std::size_t kPlannerBlocks = 15;
constexpr auto kDeceleration = 20ms;
constexpr auto kHomingTime = 50ms;
const std::string kBanner = "Grbl 1.1h ['$' for help]";

std::string Number(double value) {
  char text[32];
  const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 3);
  return std::string(text, result.ptr);
}

struct Word {
  char letter;
  double value;
};

// "G1X10.5F300" -> G1, X10.5, F300; false when a letter has no number.
bool SplitWords(const std::string& line, std::vector<Word>& words) {
  std::size_t i = 0;
  while (i < line.size()) {
    const char letter = line[i++];
    std::size_t end = i;
    while (end < line.size() && (std::isdigit(static_cast<unsigned char>(line[end])) ||
                                 line[end] == '.' || line[end] == '-' || line[end] == '+'))
      ++end;
    std::string number = line.substr(i, end - i);
    if (!number.empty() && number[0] == '+') number.erase(0, 1);
    if (!std::isalpha(static_cast<unsigned char>(letter)) || number.empty()) return false;
    char* stop = nullptr;
    const double value = std::strtod(number.c_str(), &stop);
    if (*stop != '\0') return false;
    words.push_back({letter, value});
    i = end;
  }
  return true;
}

}  // namespace

FakeGrbl::FakeGrbl(Options options) : options_(options) {
  master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
  if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0)
    throw std::runtime_error("no pseudo-terminal");
  device_ = ::ptsname(master_);
  // The controller's side of the line: raw, so its bytes arrive unchanged.
  const int slave = ::open(device_.c_str(), O_RDWR | O_NOCTTY);
  termios tty{};
  ::tcgetattr(slave, &tty);
  ::cfmakeraw(&tty);
  ::tcsetattr(slave, TCSANOW, &tty);
  ::close(slave);
  ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
  thread_ = std::thread([this] { Run(); });
}

FakeGrbl::~FakeGrbl() {
  quit_ = true;
  if (thread_.joinable()) thread_.join();
  if (master_ >= 0) ::close(master_);
}

void FakeGrbl::Unplug() {
  quit_ = true;
  if (thread_.joinable()) thread_.join();
  std::lock_guard lock(mutex_);
  ::close(master_);
  master_ = -1;
}

void FakeGrbl::Run() {
  while (!quit_) {
    pollfd p{master_, POLLIN, 0};
    ::poll(&p, 1, 1);
    const auto now = Clock::now();
    std::lock_guard lock(mutex_);
    if (p.revents & POLLHUP) {
      // Nobody has the device open (any more); what was written before the
      // close still counts.
      if (connected_ && (p.revents & POLLIN)) ReadBytes(now);
      connected_ = false;
      std::this_thread::sleep_for(1ms);
      continue;
    }
    if (!connected_) {
      connected_ = true;
      Reset(options_.bannerOnOpen);
    }
    if (p.revents & POLLIN) ReadBytes(now);
    Step(now);
  }
}

void FakeGrbl::ReadBytes(Clock::time_point now) {
  char buffer[256];
  const ssize_t got = ::read(master_, buffer, sizeof buffer);
  for (ssize_t i = 0; i < got; ++i) {
    const auto byte = static_cast<unsigned char>(buffer[i]);
    if (byte == '?' || byte == '!' || byte == '~' || byte >= 0x80 || byte == 0x18) {
      OnRealTime(byte, now);
      continue;
    }
    if (received_.size() >= options_.bufferSize) {
      overflowed_ = true;  // GRBL would drop the byte
      continue;
    }
    received_ += static_cast<char>(byte);
    maxFill_ = std::max(maxFill_, received_.size());
  }
}

void FakeGrbl::OnRealTime(unsigned char byte, Clock::time_point now) {
  if (byte != '?') realTime_ += static_cast<char>(byte);
  if (byte == '?') {
    Send(StatusText());
  } else if (byte == '!') {
    if (state_ == "Run") {
      state_ = "Hold";
      hold_ = 1;
      phaseEnd_ = now + kDeceleration;
    } else if (state_ == "Jog") {
      planner_.clear();
      state_ = "Idle";
    }
  } else if (byte == '~') {
    if (state_ == "Hold" && hold_ == 0) {
      hold_ = -1;
      state_ = planner_.empty() ? "Idle" : "Run";
      blockStart_ = now;
    }
  } else if (byte == 0x18) {
    ++resets_;
    Reset(true);
  } else if (byte == 0x85) {
    if (state_ == "Jog") {
      planner_.clear();
      state_ = "Idle";
    }
  }
}

// Power-up or soft reset: buffers cleared; a reset during motion loses the
// position (ALARM:3), and an alarm outlives the reset.
void FakeGrbl::Reset(bool banner) {
  const bool moving = state_ == "Run" || state_ == "Jog" || state_ == "Home" || hold_ == 1;
  if (moving) Send("ALARM:3");
  const bool alarm = moving || state_ == "Alarm";
  received_.clear();
  planner_.clear();
  hold_ = -1;
  syncPending_ = false;
  homing_ = false;
  criticalAlarm_ = false;
  absolute_ = true;
  state_ = alarm ? "Alarm" : "Idle";
  if (!banner) return;
  Send("");
  Send(kBanner);
  if (alarm) Send("[MSG:'$H'|'$X' to unlock]");
}

void FakeGrbl::Step(Clock::time_point now) {
  if (hold_ == 1 && now >= phaseEnd_) hold_ = 0;
  if (homing_ && now >= phaseEnd_) {
    homing_ = false;
    x_ = y_ = z_ = 0;
    state_ = "Idle";
    Send("ok");
  }
  // Lines are read before motion starts: like GRBL, a planned block starts the
  // cycle at once, so a feed hold right after the "ok" finds it running.
  while (!criticalAlarm_ && !syncPending_ && !homing_ && planner_.size() < kPlannerBlocks) {
    const std::size_t end = received_.find_first_of("\r\n");
    if (end == std::string::npos) break;
    const std::string line = received_.substr(0, end);
    received_.erase(0, end + 1);
    linesRead_.push_back(line);
    ExecuteLine(line, now);
  }
  if (hold_ < 0 && !planner_.empty() && !criticalAlarm_) {
    if (state_ != "Run" && state_ != "Jog") {
      state_ = planner_.front().jog ? "Jog" : "Run";
      blockStart_ = now;
    }
    const Block& block = planner_.front();
    if (now - blockStart_ >= (block.jog ? options_.jogTime : options_.blockTime)) {
      x_ = block.x;
      y_ = block.y;
      z_ = block.z;
      planner_.erase(planner_.begin());
      blockStart_ = now;
    }
  }
  if (planner_.empty() && (state_ == "Run" || state_ == "Jog")) state_ = "Idle";
  if (syncPending_ && planner_.empty() && state_ == "Idle") {
    syncPending_ = false;
    Send("ok");
  }
}

void FakeGrbl::ExecuteLine(const std::string& raw, Clock::time_point now) {
  std::string line;
  for (const char c : raw)
    if (c != ' ' && c != '\t')
      line += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (line.empty()) return Send("ok");
  if (line == "$X") {
    if (state_ == "Alarm") {
      state_ = "Idle";
      Send("[MSG:Caution: Unlocked]");
    }
    return Send("ok");
  }
  if (line == "$H") {
    homing_ = true;
    state_ = "Home";
    phaseEnd_ = now + kHomingTime;
    return;
  }
  if (line.starts_with("$J=")) {
    if (state_ != "Idle" && state_ != "Jog") return Send("error:8");
    std::vector<Word> words;
    if (!SplitWords(line.substr(3), words)) return Send("error:16");
    bool relative = false;
    Block target{x_, y_, z_, true};
    if (!planner_.empty()) target = planner_.back(), target.jog = true;
    for (const Word& w : words) {
      if (w.letter == 'G' && w.value == 91) relative = true;
      if (w.letter == 'X') target.x = relative ? target.x + w.value : w.value;
      if (w.letter == 'Y') target.y = relative ? target.y + w.value : w.value;
      if (w.letter == 'Z') target.z = relative ? target.z + w.value : w.value;
    }
    if (std::abs(target.x) > options_.travel || std::abs(target.y) > options_.travel ||
        std::abs(target.z) > options_.travel)
      return Send("error:15");
    planner_.push_back(target);
    return Send("ok");
  }
  if (line[0] == '$') return Send("ok");
  if (state_ == "Alarm") return Send("error:9");
  ExecuteGCode(line);
}

void FakeGrbl::ExecuteGCode(const std::string& line) {
  std::vector<Word> words;
  if (!SplitWords(line, words)) return Send("error:2");
  static const std::vector<double> kG{0, 1, 4, 17, 20, 21, 40, 49, 54, 90, 91, 94};
  static const std::vector<double> kM{0, 2, 3, 4, 5, 7, 8, 9, 30};
  static const std::string kLetters = "XYZFPSNT";
  Block target{x_, y_, z_, false};
  if (!planner_.empty()) target = planner_.back(), target.jog = false;
  bool motion = false;
  bool programEnd = false;
  for (const Word& w : words) {
    if (w.letter == 'G') {
      if (std::find(kG.begin(), kG.end(), w.value) == kG.end()) return Send("error:20");
      if (w.value == 90) absolute_ = true;
      if (w.value == 91) absolute_ = false;
    } else if (w.letter == 'M') {
      if (std::find(kM.begin(), kM.end(), w.value) == kM.end()) return Send("error:20");
      programEnd = programEnd || w.value == 2 || w.value == 30;
    } else if (kLetters.find(w.letter) == std::string::npos) {
      return Send("error:20");
    }
  }
  for (const Word& w : words) {
    double* axis = w.letter == 'X'   ? &target.x
                   : w.letter == 'Y' ? &target.y
                   : w.letter == 'Z' ? &target.z
                                     : nullptr;
    if (!axis) continue;
    *axis = absolute_ ? w.value : *axis + w.value;
    motion = true;
  }
  if (std::abs(target.x) > options_.travel || std::abs(target.y) > options_.travel ||
      std::abs(target.z) > options_.travel) {
    // Soft limit: everything stops and waits for a reset.
    Send("ALARM:2");
    Send("[MSG:Reset to continue]");
    planner_.clear();
    state_ = "Alarm";
    hold_ = -1;
    criticalAlarm_ = true;
    return;
  }
  if (motion) planner_.push_back(target);
  if (programEnd) {
    syncPending_ = true;
    return;
  }
  Send("ok");
}

void FakeGrbl::Send(const std::string& text) {
  const std::string line = text + "\r\n";
  std::size_t done = 0;
  while (master_ >= 0 && done < line.size()) {
    const ssize_t n = ::write(master_, line.data() + done, line.size() - done);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
    } else {
      if (n < 0 && errno != EAGAIN && errno != EINTR) return;
      std::this_thread::sleep_for(100us);
    }
  }
}

std::string FakeGrbl::StatusText() const {
  std::string text = "<" + state_;
  if (state_ == "Hold") text += ":" + std::to_string(hold_ < 0 ? 0 : hold_);
  text += "|MPos:" + Number(x_) + "," + Number(y_) + "," + Number(z_);
  text += "|Bf:" + std::to_string(kPlannerBlocks - std::min(planner_.size(), kPlannerBlocks)) +
          "," + std::to_string(options_.bufferSize - received_.size());
  text += "|FS:0,0|WCO:0.000,0.000,0.000>";
  return text;
}

std::vector<std::string> FakeGrbl::linesRead() const {
  std::lock_guard lock(mutex_);
  return linesRead_;
}
std::size_t FakeGrbl::maxBufferFill() const {
  std::lock_guard lock(mutex_);
  return maxFill_;
}
bool FakeGrbl::overflowed() const {
  std::lock_guard lock(mutex_);
  return overflowed_;
}
int FakeGrbl::resets() const {
  std::lock_guard lock(mutex_);
  return resets_;
}
std::string FakeGrbl::realTimeBytes() const {
  std::lock_guard lock(mutex_);
  return realTime_;
}
double FakeGrbl::x() const {
  std::lock_guard lock(mutex_);
  return x_;
}
double FakeGrbl::y() const {
  std::lock_guard lock(mutex_);
  return y_;
}
double FakeGrbl::z() const {
  std::lock_guard lock(mutex_);
  return z_;
}

}  // namespace tav::test
