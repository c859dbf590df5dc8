// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace tav::machine {

// The German meaning of GRBL's "error:N" (for 20: an unsupported G-code
// command); unknown numbers get a text naming the number.
std::string GrblErrorText(int code);

// The German meaning of GRBL's "ALARM:N".
std::string GrblAlarmText(int code);

}  // namespace tav::machine
