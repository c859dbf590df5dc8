// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace tav {

// The German description of a system error code (errno value), in the
// Windows-1252 code page, for the second placeholder of the file messages.
// Common causes have fixed texts; any other code falls back to the C library's
// text (converted from UTF-8 when the C library gives it so). Never throws
// anything but std::bad_alloc.
std::string SystemErrorText(int errorCode);

}  // namespace tav
