// SPDX-License-Identifier: GPL-3.0-or-later
// A file-size limit (ulimit -f) with SIGXFSZ at its default: by itself the
// kernel would end the process with that signal in the middle of a save. The
// programs' start-up makes it an ordinary write error instead: the message,
// the old file unchanged, no temporary file left.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/Error.h"
#include "core/FileSizeLimit.h"
#include "faults/FaultSupport.h"
#include "faults/Savers.h"

namespace tav::faults {
namespace {

constexpr rlim_t kLimit = 1024;  // ulimit -f 1

bool LimitFileSizeWithTheSignalAtItsDefault() {
  ::signal(SIGXFSZ, SIG_DFL);
  const rlimit limit{kLimit, kLimit};
  return ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
}

class FileSizeLimit : public SaverTest {};

TEST_P(FileSizeLimit, IsAnOrdinaryWriteErrorAfterStartUp) {
  saver.save(path, 0);
  const std::string original = ReadBytes(path);

  for (const bool startUp : {true, false}) {
    SCOPED_TRACE(startUp ? "after the start-up" : "without the start-up");
    const ChildOutcome outcome = RunInChild([&](const auto& report) {
      if (!LimitFileSizeWithTheSignalAtItsDefault()) return 3;
      if (startUp) TreatFileSizeLimitAsWriteError();
      return ReportError([&] { saver.save(path, 1); }, report);
    });
    if (startUp) {
      ASSERT_EQ(outcome.signal, 0);
      ASSERT_EQ(outcome.exitCode, 0) << "the save did not fail as it should";
      ExpectMessage(saver, path, outcome.message);
      EXPECT_EQ(folder.Entries(), std::vector<std::string>{saver.fileName});
    } else {
      // Shows that the limit bites: the signal ends the save.
      EXPECT_EQ(outcome.signal, SIGXFSZ);
    }
    EXPECT_EQ(ReadBytes(path), original);
  }
}

INSTANTIATE_TEST_SUITE_P(Savers, FileSizeLimit, ::testing::Values(ProjectSaver(), ProgramSaver()),
                         SaverName);

// The same with the real `tav`, started with the signal at its default.
TEST(FileSizeLimitCli, TavReportsTheLimitAndKeepsTheOldFile) {
  TempFolder folder;
  const std::string board = TAV_SOURCE_DIR "/examples/example-board.csv";
  const std::string program = folder / "out.nc";
  const std::string project = folder / "p.tav";
  struct Row {
    std::string target;
    std::vector<std::string> args;
    std::string message;
  };
  const Row rows[] = {
      {program,
       {"gcode", "--pnp", board, "-o", program},
       "Datei \"" + program + "\" kann nicht erstellt werden. Die Datei ist zu gro\xC3\x9F.\n"},
      {project,
       {"import", board, "-o", project},
       "In " + project + " kann nicht geschrieben werden.\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.target);
    WriteBytes(row.target, "alt\r\n");
    const ChildOutcome outcome =
        RunProgram(TAV_CLI_PATH, row.args, LimitFileSizeWithTheSignalAtItsDefault);
    EXPECT_EQ(outcome.signal, 0);
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_EQ(outcome.message, row.message);
    EXPECT_EQ(ReadBytes(row.target), "alt\r\n");
  }
  EXPECT_EQ(folder.Entries(), (std::vector<std::string>{"out.nc", "p.tav"}));
}

}  // namespace
}  // namespace tav::faults
