// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "core/Error.h"

namespace tav::test {

// Runs `action` and returns what `read` takes from the `Exception` it throws,
// or "<no error>" when it throws none. Other exceptions pass through.
template <typename Exception, typename Action, typename Read>
std::string CaughtOf(Action&& action, Read&& read) {
  try {
    action();
  } catch (const Exception& error) {
    return read(error);
  }
  return "<no error>";
}

// Runs `action` and returns the message of the tav::Error it throws, or
// "<no error>" when it throws none.
template <typename Action>
std::string ErrorOf(Action&& action) {
  return CaughtOf<Error>(action, [](const Error& error) { return error.message(); });
}

}  // namespace tav::test
