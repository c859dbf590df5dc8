// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>

#include "cli/Arguments.h"

namespace tav::cli {

// `tav send`: streams the program to a GRBL controller on the serial device
// --port at --baud, progress and the buffer figures on `standardError` in the
// terminal's encoding. A program the controller could misread is refused
// before the port is opened (Error). Returns the exit status: 0 when every
// line was answered "ok"; 1 after an error or alarm, once the machine is
// stopped (the message names the program file's line); 130 when interrupted
// (Ctrl-C), once the machine is stopped. Other failures (port, no
// controller) throw Error.
int RunSend(const Arguments& args, std::FILE* standardError);

}  // namespace tav::cli
