// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <string_view>

#include "machine/GrblProgram.h"
#include "machine/GrblResponse.h"

namespace tav::machine {

using Clock = std::chrono::steady_clock;

// What the link tells its owner. Every call comes from within Receive, Tick
// or a command of GrblLink.
class GrblLinkListener {
 public:
  virtual ~GrblLinkListener() = default;
  // The controller's start-up line arrived: the link is ready for commands.
  virtual void OnConnected(const std::string& /*banner*/) {}
  // No start-up line, not even after a soft reset. The link is closed.
  virtual void OnConnectFailed(const std::string& /*message*/) {}
  // A status report; `machine` and `work` are both filled once an offset is known.
  virtual void OnStatus(const StatusReport& /*report*/) {}
  // A "[MSG:...]" line, e.g. "Reset to continue".
  virtual void OnMessage(const std::string& /*text*/) {}
  // An "ALARM:N", whenever it comes.
  virtual void OnAlarm(int /*code*/) {}
  // A jog, unlock or homing command answered "error:N".
  virtual void OnCommandError(const std::string& /*command*/, int /*code*/) {}
  // `acknowledged` of `total` program lines were answered "ok".
  virtual void OnProgress(std::size_t /*acknowledged*/, std::size_t /*total*/) {}
  // Every program line was answered "ok".
  virtual void OnStreamFinished() {}
  // The program failed; `message` names the file line, its text and the
  // meaning of the error or alarm. The machine is being stopped; OnStopped follows.
  virtual void OnStreamFailed(const std::string& /*message*/) {}
  // The stop sequence is over: the controller was reset and is ready again.
  virtual void OnStopped() {}
};

// How full the controller's receive buffer was kept while streaming: sampled
// each time a program line is answered (before it leaves the count).
struct StreamStats {
  std::size_t linesSent = 0;
  std::size_t bytesSent = 0;
  std::size_t maxBytesInFlight = 0;
  std::size_t maxLinesInFlight = 0;
  std::size_t samples = 0;
  std::size_t sumLinesInFlight = 0;
  std::size_t sumBytesInFlight = 0;
  double averageLines() const { return samples ? double(sumLinesInFlight) / samples : 0; }
  double averageBytes() const { return samples ? double(sumBytesInFlight) / samples : 0; }
};

// GRBL 1.1 over any byte transport. It does no I/O: the transport hands it
// what arrived (Receive), calls Tick regularly (every 10 to 50 ms) and writes
// what TakeOutput returns. Lines go out with LF alone, counted against the
// controller's receive buffer so that it never overflows and is never idle
// while lines wait. An error or alarm while streaming, and Stop, stop the
// machine itself, not only the stream: feed hold, wait until the hold is
// complete (at most 2 s), soft reset, wait for the start-up line.
class GrblLink {
 public:
  enum class State {
    kConnecting,  // waiting for the start-up line
    kReady,       // commands and programs accepted
    kStreaming,   // a program is being sent
    kStopping,    // the stop sequence runs
    kClosed,      // no controller (never found, or the port closed)
  };

  explicit GrblLink(GrblLinkListener& listener, std::size_t bufferSize = 128);

  // Begins waiting for the start-up line: boards reset when their port opens.
  // Without one for 2.5 s a soft reset is sent; 2.5 s later the link gives up.
  void Open(Clock::time_point now);
  // The port is gone: nothing more is sent or expected.
  void Close();

  void Receive(std::string_view bytes, Clock::time_point now);
  void Tick(Clock::time_point now);
  // The bytes to write now, in order; empties the output.
  std::string TakeOutput();

  // Commands, each accepted only while ready (false otherwise).
  // A relative jog in mm at `feed` mm/min; zero axes are left out.
  bool Jog(double dx, double dy, double dz, double feed);
  bool Unlock();  // $X
  bool Home();    // $H
  // Streams `program` (kReady only). Throws Error when it is empty or the link is busy.
  void Start(GrblProgram program, Clock::time_point now);

  // Real-time commands, sent at once in any state but kClosed.
  void CancelJog();
  void FeedHold();
  void Resume();
  void RequestStatus();
  // The stop sequence (feed hold, wait for the hold, soft reset).
  void Stop(Clock::time_point now);

  State state() const { return state_; }
  const StatusReport& lastStatus() const { return status_; }
  std::size_t linesAcknowledged() const { return acknowledged_; }
  std::size_t bytesInFlight() const { return bytesInFlight_; }
  const StreamStats& stats() const { return stats_; }
  std::size_t bufferSize() const { return bufferSize_; }
  // How often "?" is sent; 200 ms unless set.
  void SetPollInterval(Clock::duration interval) { pollInterval_ = interval; }

 private:
  struct Sent {
    std::string command;     // without LF
    int programLine = -1;    // index into the program, or -1 for a command
    bool cancelled = false;  // a jog cancelled before the controller took it
  };

  void HandleLine(std::string_view line, Clock::time_point now);
  void HandleStatus(StatusReport report, Clock::time_point now);
  void HandleReply(bool ok, int code, Clock::time_point now);
  void HandleAlarm(int code, Clock::time_point now);
  void HandleBanner(const std::string& banner);
  void Fill();
  bool Queue(std::string command);
  void Fail(const std::string& cause, Clock::time_point now);
  void BeginStop(Clock::time_point now);
  void SendReset(Clock::time_point now);
  void ForgetInFlight();

  GrblLinkListener& listener_;
  std::size_t bufferSize_;
  State state_ = State::kClosed;
  std::string output_;
  std::string partialLine_;

  std::deque<Sent> pending_;   // commands waiting for room in the buffer
  std::deque<Sent> inFlight_;  // sent, not yet answered
  std::size_t bytesInFlight_ = 0;

  GrblProgram program_;
  std::size_t nextLine_ = 0;
  std::size_t acknowledged_ = 0;
  StreamStats stats_;

  StatusReport status_;
  std::optional<Position> offset_;

  bool resetSent_ = false;  // while connecting or stopping
  bool holding_ = false;    // stopping: waiting for the hold to complete
  Clock::time_point deadline_{};
  Clock::time_point nextPoll_{};
  Clock::duration pollInterval_ = std::chrono::milliseconds(200);
};

}  // namespace tav::machine
