// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "core/NumberConversion.h"
#include "settings/MachineSettings.h"

namespace tav {

// How the program is opened and closed for a controller.
enum class Controller {
  kStandard,  // "%" before the first move and as the last line
  kLinuxCnc,  // no "%" lines, "M2" as the last line
  kGrbl,      // no "%" lines, "M2" as the last line
};

// The program options of the page "G-Code", read and checked once per run.
struct GCodeOptions {
  Controller controller = Controller::kStandard;
  bool comments = false;
  bool switchValve = false;  // false in a dry run, whatever the setting
  bool dryRun = false;
  std::string valveOn;   // code written after the pick move down
  std::string valveOff;  // code written after the place move down
  std::string dwell;     // "G04 P" and the delay in seconds, with "."
  Number dwellSeconds = 0;
};

// Reads the options from the settings. Throws Error with a German message for
// an unknown controller, a switch that is not "0" or "1", and, only while
// valve switching is on, an empty valve code, a valve code that stops the
// program (M0, M1, M2, M30, M60), under "GRBL" a valve code that GRBL 1.1 does
// not have (anything but M3, M4, M5, M7, M8, M9), or a delay that is not a
// number from 0 up. The codes are checked in a dry run too, which then writes
// none of them.
GCodeOptions ReadGCodeOptions(const MachineSettings& settings);

// Whether `code` is a valve code GRBL 1.1 carries out: one of M3, M4, M5, M7,
// M8, M9 (leading zeros, lower case and blanks around allowed), M3 and M4
// optionally with an S word for the output's level.
bool IsGrblValveCode(std::string_view code);

// The first M word in `code` that stops or ends the program ("M01", "m2",
// "M 30"), as written; empty when there is none. Comments in parentheses and
// after ";" and parameter names in "<>" are not read.
std::string ProgramStopIn(std::string_view code);

}  // namespace tav
