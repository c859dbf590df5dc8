// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace tav::test {

// A small GRBL 1.1 stand-in on a pseudo-terminal, for tests of the machine
// link. It behaves as GRBL's documentation describes: a receive buffer of
// `bufferSize` bytes (overfilling it fails the test), a planner of 15 blocks
// (lines are read from the buffer and answered "ok" as soon as there is room;
// M2 only once all motion is done), real-time "?", "!", "~", Ctrl-X and jog
// cancel, "$J=", "$X", "$H", "error:20" for unsupported G- and M-codes,
// "error:9" while in alarm, and "ALARM:2" for a target beyond the soft limits
// (then it reads nothing until reset). The start-up line comes each time the
// device is opened, like a board that resets when its port opens.
class FakeGrbl {
 public:
  struct Options {
    std::size_t bufferSize = 128;
    std::chrono::microseconds blockTime{2000};  // one motion line
    std::chrono::microseconds jogTime{50000};   // one jog
    double travel = 1000;                       // soft limits: |coordinate| <= travel
    bool bannerOnOpen = true;                   // false: silent until Ctrl-X
  };

  explicit FakeGrbl(Options options);
  FakeGrbl() : FakeGrbl(Options{}) {}
  ~FakeGrbl();
  FakeGrbl(const FakeGrbl&) = delete;
  FakeGrbl& operator=(const FakeGrbl&) = delete;

  // The device to open, e.g. "/dev/pts/7".
  const std::string& device() const { return device_; }

  // What happened so far (thread-safe snapshots).
  std::vector<std::string> linesRead() const;  // every line taken from the buffer
  std::size_t maxBufferFill() const;
  bool overflowed() const;
  int resets() const;                 // soft resets received
  std::string realTimeBytes() const;  // "!", "~", "\x18", "\x85" in order ("?" left out)
  double x() const;
  double y() const;
  double z() const;

  // Pulls the plug: the device goes away.
  void Unplug();

 private:
  struct Block {
    double x, y, z;
    bool jog;
  };
  void Run();
  void Step(std::chrono::steady_clock::time_point now);
  void ReadBytes(std::chrono::steady_clock::time_point now);
  void OnRealTime(unsigned char byte, std::chrono::steady_clock::time_point now);
  void ExecuteLine(const std::string& line, std::chrono::steady_clock::time_point now);
  void ExecuteGCode(const std::string& line);
  void Reset(bool banner);
  void Send(const std::string& text);
  std::string StatusText() const;

  Options options_;
  std::string device_;
  int master_ = -1;
  std::thread thread_;
  std::atomic<bool> quit_{false};
  mutable std::mutex mutex_;

  // Guarded by mutex_.
  std::string received_;  // the receive buffer
  std::vector<std::string> linesRead_;
  std::size_t maxFill_ = 0;
  bool overflowed_ = false;
  int resets_ = 0;
  std::string realTime_;
  std::vector<Block> planner_;
  double x_ = 0, y_ = 0, z_ = 0;
  std::string state_ = "Idle";
  int hold_ = -1;  // 1 while decelerating, 0 when held, -1 without hold
  bool criticalAlarm_ = false;
  bool absolute_ = true;
  bool syncPending_ = false;  // M2 waits for the planner to empty
  bool homing_ = false;
  std::chrono::steady_clock::time_point blockStart_{};
  std::chrono::steady_clock::time_point phaseEnd_{};
  bool connected_ = false;
};

}  // namespace tav::test
