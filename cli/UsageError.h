// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "core/Error.h"

namespace tav::cli {

// A command line that `tav` cannot run: unknown command or option, missing or
// surplus argument. The message is German, in Windows-1252, like every other.
// `command` names the command whose synopsis helps, or is empty.
class UsageError : public Error {
 public:
  UsageError(std::string message, std::string command)
      : Error(std::move(message)), command_(std::move(command)) {}
  const std::string& command() const noexcept { return command_; }

 private:
  std::string command_;
};

}  // namespace tav::cli
