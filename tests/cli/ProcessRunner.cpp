// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProcessRunner.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <stdexcept>

namespace tav::test {
namespace {

std::vector<char*> Pointers(std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  for (std::string& text : texts) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers;
}

}  // namespace

ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& args,
                         const std::vector<std::string>& environment) {
  std::vector<std::string> argv{program};
  argv.insert(argv.end(), args.begin(), args.end());
  // The child sees only what the test chooses, so the user's locale never leaks in.
  std::vector<std::string> envp{"LC_ALL=C", "PATH=/usr/bin:/bin"};
  for (const std::string& entry : environment) {
    if (entry.starts_with("LC_ALL=")) envp.erase(envp.begin());
    envp.push_back(entry);
  }
  std::vector<char*> argvPointers = Pointers(argv);
  std::vector<char*> envPointers = Pointers(envp);

  int outPipe[2];
  int errPipe[2];
  if (pipe2(outPipe, O_CLOEXEC) != 0 || pipe2(errPipe, O_CLOEXEC) != 0)
    throw std::runtime_error("pipe failed");
  const pid_t pid = fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) {
    dup2(outPipe[1], STDOUT_FILENO);
    dup2(errPipe[1], STDERR_FILENO);
    const int devNull = open("/dev/null", O_RDONLY);
    if (devNull >= 0) dup2(devNull, STDIN_FILENO);
    execve(program.c_str(), argvPointers.data(), envPointers.data());
    _exit(127);
  }
  close(outPipe[1]);
  close(errPipe[1]);

  ProcessResult result;
  std::array<pollfd, 2> fds{pollfd{outPipe[0], POLLIN, 0}, pollfd{errPipe[0], POLLIN, 0}};
  std::array<std::string*, 2> sinks{&result.out, &result.err};
  int openPipes = 2;
  char buffer[65536];
  while (openPipes > 0) {
    if (poll(fds.data(), fds.size(), -1) < 0) {
      if (errno == EINTR) continue;
      break;
    }
    for (std::size_t i = 0; i < fds.size(); ++i) {
      if (fds[i].fd < 0 || fds[i].revents == 0) continue;
      const ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
      if (n > 0) {
        sinks[i]->append(buffer, static_cast<std::size_t>(n));
      } else if (n == 0 || errno != EINTR) {
        close(fds[i].fd);
        fds[i].fd = -1;
        --openPipes;
      }
    }
  }
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  if (WIFEXITED(status)) result.exitCode = WEXITSTATUS(status);
  return result;
}

void ExpectUsageError(const std::vector<std::string>& args, const std::vector<std::string>& hints) {
  std::string shown;
  for (const std::string& arg : args) shown += "[" + arg + "] ";
  const ProcessResult r = RunProcess(TAV_CLI_PATH, args);
  EXPECT_EQ(r.exitCode, 2) << shown;
  EXPECT_EQ(r.out, "") << shown;
  for (const std::string& hint : hints)
    EXPECT_NE(r.err.find(hint), std::string::npos) << shown << r.err;
}

}  // namespace tav::test
