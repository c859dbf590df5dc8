// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/UserMessage.h"

#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <stdexcept>
#include <string>

#include "core/Error.h"
#include "core/FileAccess.h"

namespace tav {
namespace {

struct Thrown {
  const char* name;
  std::function<void()> raise;
  std::string message;
};

std::exception_ptr Catch(const std::function<void()>& raise) {
  try {
    raise();
  } catch (...) {
    return std::current_exception();
  }
  return nullptr;
}

// Whatever ends a command reaches the user as a German text, never as nothing.
TEST(UserMessageOf, EveryKindOfFailureGivesATextToShow) {
  const Thrown rows[] = {
      {"Error", [] { throw Error("Ung\xFCltiger Index"); }, "Ung\xFCltiger Index"},
      {"FileAccessError", [] { throw FileAccessError("Zugriff verweigert"); },
       "Zugriff verweigert"},
      {"OutOfMemory", [] { throw std::bad_alloc(); }, "Zu wenig Arbeitsspeicher"},
      {"StandardException", [] { throw std::runtime_error("kaputt"); }, "kaputt"},
      {"SomethingElse", [] { throw 42; }, "Unbekannter Fehler"},
  };
  for (const Thrown& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(UserMessageOf(Catch(row.raise)), row.message);
  }
  EXPECT_EQ(UserMessageOf(nullptr), "Unbekannter Fehler");
}

// One error model: a failure of any of the system's kinds is caught as Error.
TEST(UserMessageOf, FileAccessErrorIsAnError) { EXPECT_THROW(throw FileAccessError("x"), Error); }

}  // namespace
}  // namespace tav
