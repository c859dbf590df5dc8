// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds the committed pick-and-place and project inputs to the built `tav`:
// every one ends with exit status 0 and a program, or 1, a message and no
// output file; never a crash.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>

#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

#include "fuzz_replay/ReplayInputs.h"
#include "support/TempFolder.h"

namespace tav::fuzz {
namespace {

namespace fs = std::filesystem;

struct Outcome {
  int exitCode = -1;  // -1 when ended by a signal
  int signal = 0;
};

// Runs tav with `args`, its standard error going to `errorFile`.
Outcome RunTav(const std::vector<std::string>& args, const std::string& errorFile) {
  std::vector<char*> argv{const_cast<char*>(TAV_CLI_PATH)};
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, errorFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0644);
  pid_t child = 0;
  const int started = posix_spawn(&child, TAV_CLI_PATH, &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  Outcome outcome;
  if (started != 0) return outcome;
  int status = 0;
  waitpid(child, &status, 0);
  if (WIFEXITED(status)) outcome.exitCode = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) outcome.signal = WTERMSIG(status);
  return outcome;
}

class CliReplay : public ::testing::TestWithParam<const char*> {
 protected:
  test::TempFolder folder_;
};

TEST_P(CliReplay, EndsInAProgramOrAMessage) {
  const std::string target = GetParam();
  const std::string option = target == "import" ? "--pnp" : "--project";
  const std::string output = folder_ / "out.nc";
  const std::string errors = folder_ / "stderr.txt";
  for (const fs::path& input : InputsOf(target)) {
    fs::remove(output);
    const Outcome outcome = RunTav({"gcode", option, input.string(), "-o", output}, errors);
    ASSERT_EQ(outcome.signal, 0) << input << " killed tav";
    EXPECT_TRUE(outcome.exitCode == 0 || outcome.exitCode == 1) << input;
    EXPECT_EQ(fs::exists(output), outcome.exitCode == 0) << input;
    if (outcome.exitCode == 1) {
      EXPECT_GT(fs::file_size(errors), 0u) << input << ": no message";
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Inputs, CliReplay, ::testing::Values("import", "project"),
                         [](const auto& row) { return std::string(row.param); });

}  // namespace
}  // namespace tav::fuzz
