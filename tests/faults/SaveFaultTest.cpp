// SPDX-License-Identifier: GPL-3.0-or-later
// Saving a project or a G-code program when the file system fails part-way,
// the folder is missing or the target is a folder: the old file stays byte
// for byte, the message is the user's, and no temporary file is left.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <string>

#include "core/Error.h"
#include "core/FileAccess.h"
#include "faults/FaultSupport.h"
#include "faults/Savers.h"

namespace tav::faults {
namespace {

class SaveFault : public SaverTest {};

TEST_P(SaveFault, FileSizeLimitStopsTheWritePartWayAndKeepsTheOldFile) {
  saver.save(path, 0);
  const std::string original = ReadBytes(path);

  const ChildOutcome outcome = RunInChild([&](const auto& report) {
    // Without this the kernel would end the child with SIGXFSZ instead of
    // letting the write fail with EFBIG.
    ::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{256 * 1024, 256 * 1024};
    if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return 3;
    return ReportError([&] { saver.save(path, 1); }, report);
  });
  ASSERT_EQ(outcome.exitCode, 0) << "the save did not fail as it should";
  ExpectMessage(saver, path, outcome.message);
  EXPECT_EQ(ReadBytes(path), original);
  EXPECT_EQ(folder.Entries(), std::vector<std::string>{saver.fileName});

  saver.save(path, 1);
  EXPECT_TRUE(saver.holds(path, 1));
  EXPECT_EQ(folder.Entries(), std::vector<std::string>{saver.fileName});
}

TEST_P(SaveFault, DiskErrorAfterSomeBytesKeepsTheOldFile) {
  saver.save(path, 0);
  const std::string original = ReadBytes(path);
  for (const auto& [afterBytes, error] : {std::pair{0, ENOSPC}, {100000, EIO}, {1, EDQUOT}}) {
    SetWriteFailureForTesting(afterBytes, error);
    try {
      saver.save(path, 2);
      ADD_FAILURE() << "saved despite a failing disk after " << afterBytes << " bytes";
    } catch (const Error& failure) {
      ExpectMessage(saver, path, failure.message());
    }
    SetWriteFailureForTesting(-1, 0);
    EXPECT_EQ(ReadBytes(path), original);
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{saver.fileName});
  }
}

TEST_P(SaveFault, MissingFolderIsReportedAndNothingIsCreated) {
  const std::string missing = folder / "fehlt/" + saver.fileName;
  try {
    saver.save(missing, 1);
    FAIL() << "saved into a missing folder";
  } catch (const Error& error) {
    ExpectMessage(saver, missing, error.message());
  }
  EXPECT_TRUE(folder.Entries().empty());
}

TEST_P(SaveFault, FolderAsTargetIsReportedAndLeftAlone) {
  std::filesystem::create_directory(path);
  WriteBytes(path + "/inhalt.txt", "bleibt");
  try {
    saver.save(path, 1);
    FAIL() << "saved over a folder";
  } catch (const Error& error) {
    ExpectMessage(saver, path, error.message());
  }
  EXPECT_TRUE(std::filesystem::is_directory(path));
  EXPECT_EQ(ReadBytes(path + "/inhalt.txt"), "bleibt");
  EXPECT_EQ(folder.Entries(), std::vector<std::string>{saver.fileName});
}

TEST_P(SaveFault, ReplacingKeepsPermissionBits) {
  saver.save(path, 0);
  for (const mode_t mode : {0640, 0604, 0600, 0755}) {
    ASSERT_EQ(::chmod(path.c_str(), mode), 0);
    saver.save(path, 1);
    struct stat status {};
    ASSERT_EQ(::stat(path.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, mode);
    EXPECT_TRUE(saver.holds(path, 1));
  }
}

TEST_P(SaveFault, SymbolicLinkUpdatesTheFileItPointsTo) {
  std::filesystem::create_directory(folder / "echt");
  const std::string real = folder / "echt/" + saver.fileName;
  saver.save(real, 0);
  const std::string link = folder / "verweis";
  std::filesystem::create_symlink(std::string("echt/") + saver.fileName, link);

  saver.save(link, 1);
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_TRUE(saver.holds(real, 1));
  EXPECT_EQ(folder.Entries(), (std::vector<std::string>{"echt", "verweis"}));
  EXPECT_EQ(TempFolder::EntriesOf(folder / "echt"), std::vector<std::string>{saver.fileName});
}

INSTANTIATE_TEST_SUITE_P(Savers, SaveFault, ::testing::Values(ProjectSaver(), ProgramSaver()),
                         SaverName);

}  // namespace
}  // namespace tav::faults
