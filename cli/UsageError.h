#pragma once

#include <string>

namespace tav::cli {

// A command line that `tav` cannot run: unknown command or option, missing or
// surplus argument. The message is German, in Windows-1252, like every other.
// `command` names the command whose synopsis helps, or is empty.
class UsageError {
 public:
  UsageError(std::string message, std::string command)
      : message_(std::move(message)), command_(std::move(command)) {}
  const std::string& message() const noexcept { return message_; }
  const std::string& command() const noexcept { return command_; }

 private:
  std::string message_;
  std::string command_;
};

}  // namespace tav::cli
