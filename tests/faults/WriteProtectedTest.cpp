// SPDX-License-Identifier: GPL-3.0-or-later
// A target the user may not write is refused with the user's message and
// stays as it was, in-process and through `tav`. The rename that replaces a
// file only needs a writable folder, so the protection must be checked on
// purpose. Root may write everything, so the saves run as "nobody" in a
// forked child when the test runs as root.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/Error.h"
#include "faults/FaultSupport.h"
#include "faults/Savers.h"

namespace tav::faults {
namespace {

// What is write-protected: the file itself or the folder holding it.
struct Protection {
  const char* name;
  mode_t fileMode;
  mode_t folderMode;
};

constexpr Protection kProtections[] = {
    {"ReadOnlyFile", 0444, 0755},
    {"ReadOnlyFileOfTheOwnerOnly", 0400, 0755},
    {"ReadOnlyFolder", 0644, 0555},
};

class WriteProtected : public SaverTest {
 protected:
  void SetUp() override {
    if (!CanBecomeUnprivileged())
      GTEST_SKIP() << "this test runs as root and cannot switch to the user nobody (65534), "
                      "so write protection would not apply";
    // "nobody" needs to reach the folder and create files in it.
    ::chmod(folder.path().c_str(), 0755);
    GiveToUnprivilegedUser(folder.path());
  }
  void TearDown() override { ::chmod(folder.path().c_str(), 0755); }
};

TEST_P(WriteProtected, SaveIsRefusedAndTheFileStays) {
  for (const Protection& protection : kProtections) {
    SCOPED_TRACE(protection.name);
    const ChildOutcome outcome = RunInChild([&](const auto& report) {
      if (!BecomeUnprivileged()) return 3;
      saver.save(path, 0);
      if (::chmod(path.c_str(), protection.fileMode) != 0) return 4;
      if (::chmod(folder.path().c_str(), protection.folderMode) != 0) return 4;
      return ReportError([&] { saver.save(path, 1); }, report);
    });
    ASSERT_EQ(outcome.exitCode, 0) << "the protected file was replaced";
    ExpectMessage(saver, path, outcome.message);
    if (!saver.exactMessage) {
      EXPECT_TRUE(outcome.message.ends_with(". Zugriff verweigert"));
    }
    EXPECT_TRUE(saver.holds(path, 0));
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{saver.fileName});
    ::chmod(folder.path().c_str(), 0755);
    std::filesystem::remove(path);
  }
}

INSTANTIATE_TEST_SUITE_P(Savers, WriteProtected,
                         ::testing::Values(ProjectSaver(), ProgramSaver(), FileSetSaver()),
                         SaverName);

// `tav` refuses alike: exit status 1, the message on standard error, the file unchanged.
TEST(WriteProtectedCli, TavRefusesToReplaceAProtectedFile) {
  if (!CanBecomeUnprivileged())
    GTEST_SKIP() << "this test runs as root and cannot switch to the user nobody (65534)";
  TempFolder folder;
  ::chmod(folder.path().c_str(), 0755);
  GiveToUnprivilegedUser(folder.path());
  // The build folder need not be open to "nobody"; then a copy in the test folder is run.
  const auto runsUnprivileged = [](const std::string& program) {
    return RunProgram(program, {"--help"}, [] { return BecomeUnprivileged(); }).exitCode == 0;
  };
  std::string tav = TAV_CLI_PATH;
  if (!runsUnprivileged(tav)) {
    tav = folder / "tav";
    std::filesystem::copy_file(TAV_CLI_PATH, tav);
    ::chmod(tav.c_str(), 0755);
    if (!runsUnprivileged(tav))
      GTEST_SKIP() << "the user nobody (65534) can run neither " << TAV_CLI_PATH << " nor " << tav;
  }
  const std::string board = folder / "board.csv";
  std::filesystem::copy_file(TAV_SOURCE_DIR "/examples/example-board.csv", board);
  ::chmod(board.c_str(), 0644);

  struct Row {
    const char* output;
    std::vector<std::string> args;
    std::string message;
  };
  const std::string program = folder / "out.nc";
  const std::string project = folder / "p.tav";
  const Row rows[] = {
      {"out.nc",
       {"gcode", "--pnp", board, "-o", program},
       "Datei \"" + program + "\" kann nicht erstellt werden. Zugriff verweigert.\n"},
      {"p.tav",
       {"import", board, "-o", project},
       "In " + project + " kann nicht geschrieben werden.\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.output);
    const std::string target = folder / row.output;
    WriteBytes(target, "schreibgesch\xC3\xBCtzt\r\n");
    GiveToUnprivilegedUser(target);
    ::chmod(target.c_str(), 0444);
    const ChildOutcome outcome = RunProgram(tav, row.args, [] { return BecomeUnprivileged(); });
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_EQ(outcome.message, row.message);
    EXPECT_EQ(ReadBytes(target), "schreibgesch\xC3\xBCtzt\r\n");
  }
  std::vector<std::string> entries = folder.Entries();
  std::erase(entries, "tav");
  EXPECT_EQ(entries, (std::vector<std::string>{"board.csv", "out.nc", "p.tav"}));
}

}  // namespace
}  // namespace tav::faults
