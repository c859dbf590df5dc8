// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace tav::cli {

// The help text of `tav --help` (empty `command`) or `tav COMMAND --help`.
std::string HelpText(std::string_view command);

// The short hint printed after a usage error: the synopsis of `command` (all
// synopses when it is empty or unknown) and where to find more.
std::string UsageHint(std::string_view command);

}  // namespace tav::cli
