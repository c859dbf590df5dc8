// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <exception>
#include <initializer_list>
#include <string>
#include <string_view>

namespace tav {

// The base of every failure the system raises. Its message is the text the
// user sees, in German and in the Windows-1252 code page, ready for a message
// box or stderr. Derived types add what their catchers need (FileAccessError:
// the cause for the caller's file message; cli::UsageError: the command whose
// synopsis helps); UserMessageOf turns any exception into such a text.
class Error : public std::exception {
 public:
  explicit Error(std::string message) : message_(std::move(message)) {}
  const std::string& message() const noexcept { return message_; }
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::string message_;
};

// Replaces each "%s" and "%d" in `pattern`, left to right, by the next argument.
std::string FormatMessage(std::string_view pattern, std::initializer_list<std::string_view> args);

// What the error display shows: a full stop is appended when the text is not
// empty and its last byte has a higher code than ".".
std::string WithFinalFullStop(std::string message);

}  // namespace tav
