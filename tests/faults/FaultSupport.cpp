// SPDX-License-Identifier: GPL-3.0-or-later
#include "faults/FaultSupport.h"

#include <fcntl.h>
#include <grp.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>

#include "core/Error.h"
#include "support/ComponentBlocks.h"

namespace tav::faults {

void AddComponents(ComponentTree& tree, int count, std::string_view prefix) {
  for (int i = 1; i <= count; ++i) {
    const std::string number = std::to_string(i);
    test::BlockTexts texts;
    texts.rotation = "Rotation: 90";
    texts.feeder = "Feeder: " + std::to_string(1 + i % 4);
    texts.x = number + ".25mm";
    texts.y = number + ".5mm";
    texts.included = i % 3 != 0;
    test::AddBlock(tree, std::string(prefix) + number, texts);
  }
}

// Reads what the child wrote into the pipe `readEnd` until it closes, then
// waits for the child and records how it ended.
static ChildOutcome CollectChild(pid_t child, int readEnd) {
  ChildOutcome outcome;
  char buffer[4096];
  for (;;) {
    const ssize_t count = ::read(readEnd, buffer, sizeof buffer);
    if (count <= 0) break;
    outcome.message.append(buffer, static_cast<std::size_t>(count));
  }
  ::close(readEnd);
  int status = 0;
  ::waitpid(child, &status, 0);
  if (WIFEXITED(status)) outcome.exitCode = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) outcome.signal = WTERMSIG(status);
  return outcome;
}

// Runs `child` in a forked child, handing it the write end of a pipe to the
// test; the child exits with what it returns. Collects the child as above.
static ChildOutcome ForkWithPipe(const std::function<int(int writeEnd)>& child) {
  int fds[2];
  if (::pipe(fds) != 0) throw std::runtime_error("pipe failed");
  const pid_t pid = ::fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) {
    ::close(fds[0]);
    ::_exit(child(fds[1]));  // no atexit handlers or test-framework teardown in the child
  }
  ::close(fds[1]);
  return CollectChild(pid, fds[0]);
}

ChildOutcome RunInChild(const std::function<int(const Report& report)>& body) {
  return ForkWithPipe([&body](int fd) {
    const auto report = [fd](std::string_view text) {
      while (!text.empty()) {
        const ssize_t written = ::write(fd, text.data(), text.size());
        if (written <= 0) break;
        text.remove_prefix(static_cast<std::size_t>(written));
      }
    };
    try {
      return body(report);
    } catch (...) {
      return 98;
    }
  });
}

int ReportError(const std::function<void()>& action, const Report& report) {
  try {
    action();
  } catch (const Error& error) {
    report(error.message());
    return 0;
  }
  return 1;
}

ChildOutcome RunProgram(const std::string& program, const std::vector<std::string>& args,
                        const std::function<bool()>& prepare) {
  std::vector<std::string> texts{program};
  texts.insert(texts.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& text : texts) argv.push_back(text.data());
  argv.push_back(nullptr);
  char* const environment[] = {const_cast<char*>("LC_ALL=C"), nullptr};

  return ForkWithPipe([&](int fd) {
    ::dup2(fd, STDERR_FILENO);
    ::close(fd);
    const int devNull = ::open("/dev/null", O_RDWR);
    ::dup2(devNull, STDIN_FILENO);
    ::dup2(devNull, STDOUT_FILENO);
    if (!prepare()) return 126;
    ::execve(argv[0], argv.data(), environment);
    return 127;
  });
}

bool BecomeUnprivileged() {
  if (::geteuid() != 0) return true;
  if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)
    return false;
  // Root must be gone for good: getting it back has to fail.
  return ::geteuid() == kNobody && ::setuid(0) != 0;
}

bool CanBecomeUnprivileged() {
  return RunInChild([](const auto&) { return BecomeUnprivileged() ? 0 : 1; }).exitCode == 0;
}

void GiveToUnprivilegedUser(const std::string& path) {
  if (::geteuid() == 0 && ::chown(path.c_str(), kNobody, kNobody) != 0)
    throw std::runtime_error("chown failed for " + path);
}

bool KillChildAfter(const std::function<void()>& body, long delayMicroseconds) {
  const pid_t child = ::fork();
  if (child < 0) throw std::runtime_error("fork failed");
  if (child == 0) {
    try {
      body();
    } catch (...) {
      ::_exit(98);
    }
    ::_exit(0);
  }
  ::usleep(static_cast<useconds_t>(delayMicroseconds));
  ::kill(child, SIGKILL);
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

}  // namespace tav::faults
