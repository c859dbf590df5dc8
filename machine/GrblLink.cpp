// SPDX-License-Identifier: GPL-3.0-or-later
#include "machine/GrblLink.h"

#include <charconv>
#include <utility>

#include "core/Error.h"
#include "machine/GrblCodes.h"
#include "machine/MachineMessages.h"

namespace tav::machine {
namespace {

using namespace std::chrono_literals;

constexpr auto kBannerWait = 2500ms;
constexpr auto kHoldWait = 2000ms;
constexpr auto kStopPoll = 50ms;

constexpr char kStatusQuery = '?';
constexpr char kFeedHold = '!';
constexpr char kCycleStart = '~';
constexpr char kSoftReset = 0x18;
constexpr char kJogCancel = static_cast<char>(0x85);

// "12.345" whatever the process locale says.
std::string Millimetres(double value) {
  char text[32];
  const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 3);
  return std::string(text, result.ptr);
}

Position Minus(const Position& a, const Position& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Position Plus(const Position& a, const Position& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }

}  // namespace

GrblLink::GrblLink(GrblLinkListener& listener, std::size_t bufferSize)
    : listener_(listener), bufferSize_(bufferSize) {}

void GrblLink::Open(Clock::time_point now) {
  state_ = State::kConnecting;
  resetSent_ = false;
  deadline_ = now + kBannerWait;
  partialLine_.clear();
  ForgetInFlight();
}

void GrblLink::Close() {
  state_ = State::kClosed;
  output_.clear();
  ForgetInFlight();
}

std::string GrblLink::TakeOutput() { return std::exchange(output_, std::string()); }

void GrblLink::Receive(std::string_view bytes, Clock::time_point now) {
  for (const char c : bytes) {
    if (c != '\r' && c != '\n') {
      partialLine_ += c;
      continue;
    }
    if (partialLine_.empty()) continue;
    const std::string line = std::exchange(partialLine_, std::string());
    HandleLine(line, now);
  }
  Fill();
}

void GrblLink::HandleLine(std::string_view line, Clock::time_point now) {
  if (state_ == State::kClosed) return;
  GrblResponse response = ParseGrblResponse(line);
  switch (response.kind) {
    case GrblResponse::Kind::kBanner:
      HandleBanner(response.text);
      break;
    case GrblResponse::Kind::kOk:
      HandleReply(true, 0, now);
      break;
    case GrblResponse::Kind::kError:
      HandleReply(false, response.code, now);
      break;
    case GrblResponse::Kind::kAlarm:
      HandleAlarm(response.code, now);
      break;
    case GrblResponse::Kind::kStatus:
      HandleStatus(std::move(response.status), now);
      break;
    case GrblResponse::Kind::kMessage:
      listener_.OnMessage(response.text);
      break;
    case GrblResponse::Kind::kFeedback:
    case GrblResponse::Kind::kOther:
      break;
  }
}

// The controller (re)started: whatever was in flight is gone.
void GrblLink::HandleBanner(const std::string& banner) {
  const State before = state_;
  ForgetInFlight();
  state_ = State::kReady;
  if (before == State::kConnecting) {
    listener_.OnConnected(banner);
  } else if (before == State::kStopping) {
    listener_.OnStopped();
  } else if (before == State::kStreaming) {
    listener_.OnStreamFailed(msg::kControllerRestarted);
    listener_.OnStopped();
  }
  RequestStatus();
}

void GrblLink::HandleReply(bool ok, int code, Clock::time_point now) {
  if (inFlight_.empty()) return;
  const Sent sent = inFlight_.front();
  if (sent.programLine >= 0) {
    ++stats_.samples;
    stats_.sumLinesInFlight += inFlight_.size();
    stats_.sumBytesInFlight += bytesInFlight_;
  }
  inFlight_.pop_front();
  bytesInFlight_ -= sent.command.size() + 1;
  if (state_ == State::kStopping) return;
  if (sent.programLine < 0) {
    // The controller ignores a jog cancel for a jog still in its receive
    // buffer; now that the jog has been taken, cancel it again.
    if (ok && sent.cancelled) output_ += kJogCancel;
    if (!ok) listener_.OnCommandError(sent.command, code);
    return;
  }
  if (!ok) {
    Fail(FormatMessage(
             msg::kLineFailed,
             {std::to_string(program_.lines()[sent.programLine].fileLine), sent.command,
              FormatMessage(msg::kErrorResponse, {std::to_string(code), GrblErrorText(code)})}),
         now);
    return;
  }
  ++acknowledged_;
  listener_.OnProgress(acknowledged_, program_.lines().size());
  if (state_ == State::kStreaming && acknowledged_ == program_.lines().size()) {
    state_ = State::kReady;
    listener_.OnStreamFinished();
  }
}

void GrblLink::HandleAlarm(int code, Clock::time_point now) {
  listener_.OnAlarm(code);
  if (state_ != State::kStreaming) return;
  const std::string meaning =
      FormatMessage(msg::kAlarmResponse, {std::to_string(code), GrblAlarmText(code)});
  // The line the controller was reading when it raised the alarm is the
  // oldest unanswered one.
  for (const Sent& sent : inFlight_) {
    if (sent.programLine < 0) continue;
    Fail(FormatMessage(
             msg::kLineFailed,
             {std::to_string(program_.lines()[sent.programLine].fileLine), sent.command, meaning}),
         now);
    return;
  }
  Fail(meaning, now);
}

void GrblLink::HandleStatus(StatusReport report, Clock::time_point now) {
  if (report.offset) offset_ = report.offset;
  if (offset_) {
    if (report.machine && !report.work) report.work = Minus(*report.machine, *offset_);
    if (report.work && !report.machine) report.machine = Plus(*report.work, *offset_);
  }
  status_ = report;
  listener_.OnStatus(status_);
  if (state_ == State::kStopping && holding_) {
    // The hold is complete (Hold:0), or there was nothing to hold.
    const bool moving = report.state == "Run" || report.state == "Jog" || report.state == "Home" ||
                        (report.state == "Hold" && report.subState != 0);
    if (!moving) SendReset(now);
  }
}

void GrblLink::Tick(Clock::time_point now) {
  switch (state_) {
    case State::kClosed:
      return;
    case State::kConnecting:
      if (now < deadline_) return;
      if (!resetSent_) {
        output_ += kSoftReset;
        resetSent_ = true;
        deadline_ = now + kBannerWait;
      } else {
        state_ = State::kClosed;
        listener_.OnConnectFailed(msg::kNoController);
      }
      return;
    case State::kStopping:
      if (now >= deadline_) {
        if (holding_) {
          SendReset(now);
        } else {
          // No start-up line after the reset: assume it happened anyway.
          ForgetInFlight();
          state_ = State::kReady;
          listener_.OnStopped();
        }
      }
      break;
    case State::kReady:
    case State::kStreaming:
      break;
  }
  if (now >= nextPoll_) {
    RequestStatus();
    nextPoll_ = now + (state_ == State::kStopping ? Clock::duration(kStopPoll) : pollInterval_);
  }
  Fill();
}

void GrblLink::Fill() {
  if (state_ != State::kReady && state_ != State::kStreaming) return;
  while (!pending_.empty() && bytesInFlight_ + pending_.front().command.size() + 1 <= bufferSize_) {
    Sent sent = std::move(pending_.front());
    pending_.pop_front();
    output_ += sent.command + '\n';
    bytesInFlight_ += sent.command.size() + 1;
    inFlight_.push_back(std::move(sent));
  }
  if (state_ != State::kStreaming || !pending_.empty()) return;
  const auto& lines = program_.lines();
  while (nextLine_ < lines.size() &&
         bytesInFlight_ + lines[nextLine_].command.size() + 1 <= bufferSize_) {
    const std::string& command = lines[nextLine_].command;
    output_ += command + '\n';
    bytesInFlight_ += command.size() + 1;
    inFlight_.push_back({command, static_cast<int>(nextLine_)});
    ++nextLine_;
    ++stats_.linesSent;
    stats_.bytesSent += command.size() + 1;
    if (bytesInFlight_ > stats_.maxBytesInFlight) stats_.maxBytesInFlight = bytesInFlight_;
    if (inFlight_.size() > stats_.maxLinesInFlight) stats_.maxLinesInFlight = inFlight_.size();
  }
}

bool GrblLink::Queue(std::string command) {
  if (state_ != State::kReady || command.size() + 1 > bufferSize_) return false;
  pending_.push_back({std::move(command), -1});
  Fill();
  return true;
}

bool GrblLink::Jog(double dx, double dy, double dz, double feed) {
  std::string command = "$J=G91 G21";
  if (dx != 0) command += " X" + Millimetres(dx);
  if (dy != 0) command += " Y" + Millimetres(dy);
  if (dz != 0) command += " Z" + Millimetres(dz);
  command += " F" + Millimetres(feed);
  return Queue(std::move(command));
}

bool GrblLink::Unlock() { return Queue("$X"); }

bool GrblLink::Home() { return Queue("$H"); }

void GrblLink::Start(GrblProgram program, Clock::time_point /*now*/) {
  if (program.lines().empty()) throw Error(msg::kEmptyProgram);
  if (state_ != State::kReady) throw Error(msg::kBusy);
  program_ = std::move(program);
  nextLine_ = 0;
  acknowledged_ = 0;
  stats_ = StreamStats();
  state_ = State::kStreaming;
  Fill();
}

void GrblLink::CancelJog() {
  if (state_ == State::kClosed) return;
  // Jogs still waiting for room would start the motion again.
  std::erase_if(pending_, [](const Sent& sent) { return sent.command.starts_with("$J="); });
  for (Sent& sent : inFlight_)
    if (sent.command.starts_with("$J=")) sent.cancelled = true;
  output_ += kJogCancel;
}

void GrblLink::FeedHold() {
  if (state_ != State::kClosed) output_ += kFeedHold;
}

void GrblLink::Resume() {
  if (state_ != State::kClosed) output_ += kCycleStart;
}

void GrblLink::RequestStatus() {
  if (state_ != State::kClosed) output_ += kStatusQuery;
}

void GrblLink::Stop(Clock::time_point now) {
  if (state_ == State::kReady || state_ == State::kStreaming) BeginStop(now);
}

void GrblLink::Fail(const std::string& cause, Clock::time_point now) {
  BeginStop(now);
  listener_.OnStreamFailed(cause);
}

void GrblLink::BeginStop(Clock::time_point now) {
  if (state_ == State::kStopping) return;
  state_ = State::kStopping;
  pending_.clear();
  holding_ = true;
  deadline_ = now + kHoldWait;
  output_ += kFeedHold;
  output_ += kStatusQuery;
  nextPoll_ = now + kStopPoll;
}

void GrblLink::SendReset(Clock::time_point now) {
  holding_ = false;
  output_ += kSoftReset;
  deadline_ = now + kBannerWait;
  ForgetInFlight();
}

void GrblLink::ForgetInFlight() {
  pending_.clear();
  inFlight_.clear();
  bytesInFlight_ = 0;
}

}  // namespace tav::machine
