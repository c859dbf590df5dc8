// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/ComponentTree.h"
#include "support/TempFolder.h"

// Helpers for tests that make saving and loading fail on purpose.
namespace tav::faults {

// The tests' one temporary folder and whole-file helpers.
using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

// Appends `count` whole components named <prefix>1, <prefix>2, ...
void AddComponents(ComponentTree& tree, int count, std::string_view prefix);

// How a forked child ended: its exit code (or -1) and the signal that killed it (or 0),
// with what it wrote to its message pipe.
struct ChildOutcome {
  int exitCode = -1;
  int signal = 0;
  std::string message;
};

// How a forked child passes text to the test.
using Report = std::function<void(std::string_view)>;

// Runs `body` in a forked child. Whatever the child writes through `report`
// reaches ChildOutcome::message; the child exits with body's return value.
ChildOutcome RunInChild(const std::function<int(const Report& report)>& body);

// For a child's body: runs `action`, which must fail. Reports the message of
// the tav::Error it throws and gives 0; gives 1 when it throws none.
int ReportError(const std::function<void()>& action, const Report& report);

// Runs `program` with `args` in a forked child, after `prepare` ran there
// (the child gives up with exit code 126 when it returns false). The program's
// standard error reaches ChildOutcome::message.
ChildOutcome RunProgram(const std::string& program, const std::vector<std::string>& args,
                        const std::function<bool()>& prepare);

// The unprivileged user and group "nobody".
inline constexpr unsigned kNobody = 65534;

// For a forked child of a test that runs as root: switches to the user
// "nobody", so that file permissions apply to it as to an ordinary user. True
// when the process is unprivileged afterwards (at once when it was already).
bool BecomeUnprivileged();

// True when a forked child can become unprivileged; tests that need it skip otherwise.
bool CanBecomeUnprivileged();

// When the test runs as root: gives `path` to "nobody", so that an
// unprivileged child may create files there.
void GiveToUnprivilegedUser(const std::string& path);

// Starts `body` in a forked child and kills it with SIGKILL after `delayMicroseconds`.
// Gives true when the child was still running at that moment.
bool KillChildAfter(const std::function<void()>& body, long delayMicroseconds);

// True when this test program was built with AddressSanitizer.
constexpr bool kSanitized =
#if defined(__SANITIZE_ADDRESS__)
    true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    true;
#else
    false;
#endif
#else
    false;
#endif

}  // namespace tav::faults
