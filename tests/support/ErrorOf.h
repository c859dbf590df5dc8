#pragma once

#include <string>

#include "core/Error.h"

namespace tav::test {

// Runs `action` and returns the message of the tav::Error it throws, or
// "<no error>" when it throws none.
template <typename Action>
std::string ErrorOf(Action&& action) {
  try {
    action();
  } catch (const Error& error) {
    return error.message();
  }
  return "<no error>";
}

}  // namespace tav::test
