// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tav::machine {

// A position in mm, machine or work coordinates.
struct Position {
  double x = 0;
  double y = 0;
  double z = 0;
};

// One status report "<State|MPos:...|...>". GRBL sends either MPos or WPos;
// WCO (work coordinate offset) comes every few reports. Unknown fields are
// ignored.
struct StatusReport {
  std::string state;  // "Idle", "Run", "Hold", "Jog", "Alarm", "Door", "Check", "Home", "Sleep"
  int subState = -1;  // "Hold:0" -> 0; -1 when none
  std::optional<Position> machine;       // MPos
  std::optional<Position> work;          // WPos
  std::optional<Position> offset;        // WCO
  std::optional<int> plannerBlocksFree;  // Bf, first value
  std::optional<int> receiveBytesFree;   // Bf, second value
};

// One line the controller sent, without its line break.
struct GrblResponse {
  enum class Kind {
    kOk,        // "ok"
    kError,     // "error:N"
    kAlarm,     // "ALARM:N"
    kStatus,    // "<...>"
    kMessage,   // "[MSG:text]"
    kFeedback,  // any other "[...]"
    kBanner,    // "Grbl 1.1h ['$' for help]": the controller has just (re)started
    kOther,     // settings lines ("$0=10"), echoes, anything else
  };
  Kind kind = Kind::kOther;
  int code = 0;         // for kError, kAlarm
  std::string text;     // for kMessage: the message; kFeedback, kBanner, kOther: the line
  StatusReport status;  // for kStatus
};

// Reads one response line. Never throws: what it does not know is kOther.
GrblResponse ParseGrblResponse(std::string_view line);

}  // namespace tav::machine
