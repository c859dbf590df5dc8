// SPDX-License-Identifier: GPL-3.0-or-later
// Two processes saving the same file at once: every save succeeds, the file
// holds one whole version, and no temporary file is left. A save's clean-up
// of stale temporaries must not take the temporary another save is writing.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/Error.h"
#include "faults/FaultSupport.h"
#include "faults/Savers.h"
#include "gcode/GCodeGenerator.h"

namespace tav::faults {
namespace {

constexpr int kSavesPerProcess = 25;

// Starts a child that waits until the write end of the pipe `start` is closed,
// then saves kSavesPerProcess times; its exit code is the number of failed saves.
pid_t StartSaving(const Saver& saver, const std::string& path, const int (&start)[2],
                  int firstVersion) {
  const pid_t child = ::fork();
  if (child < 0) throw std::runtime_error("fork failed");
  if (child != 0) return child;
  ::close(start[1]);
  char go = 0;
  [[maybe_unused]] const ssize_t ignored = ::read(start[0], &go, 1);
  int failures = 0;
  for (int i = 0; i < kSavesPerProcess; ++i) {
    try {
      saver.save(path, (firstVersion + i) % 2 + 1);
    } catch (...) {
      ++failures;
    }
  }
  ::_exit(failures);
}

class ConcurrentSave : public SaverTest {};

TEST_P(ConcurrentSave, EverySaveSucceedsAndNoTemporaryIsLeft) {
  saver.save(path, 0);
  int start[2];
  ASSERT_EQ(::pipe(start), 0);
  const pid_t first = StartSaving(saver, path, start, 0);
  const pid_t second = StartSaving(saver, path, start, 1);
  ::close(start[0]);
  ::close(start[1]);  // both children start at once
  for (const pid_t child : {first, second}) {
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "failed saves of one process";
  }
  EXPECT_TRUE(saver.holds(path, 1) || saver.holds(path, 2));
  EXPECT_EQ(folder.Entries(), std::vector<std::string>{saver.fileName});
}

INSTANTIATE_TEST_SUITE_P(Savers, ConcurrentSave, ::testing::Values(ProjectSaver(), ProgramSaver()),
                         SaverName);

// A temporary whose writer still lives (it holds the lock) survives another
// save's clean-up; once the writer is gone, the next save removes it.
TEST(StaleTemporaries, ALockedTemporaryBelongsToALiveSave) {
  TempFolder folder;
  const std::string temporary = folder / ".job.nc.tmp-Live01";
  WriteBytes(temporary, "in Arbeit");
  const int fd = ::open(temporary.c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::flock(fd, LOCK_EX), 0);

  ExportGCode("%\r\n", folder / "job.nc");
  EXPECT_EQ(folder.Entries(), (std::vector<std::string>{".job.nc.tmp-Live01", "job.nc"}));
  EXPECT_EQ(ReadBytes(temporary), "in Arbeit");

  ::close(fd);
  ExportGCode("%\r\n", folder / "job.nc");
  EXPECT_EQ(folder.Entries(), std::vector<std::string>{"job.nc"});
}

}  // namespace
}  // namespace tav::faults
