// SPDX-License-Identifier: GPL-3.0-or-later
// A save killed at any moment, as by a power cut or the task manager, leaves
// either the old or a new file, complete; a temporary file it leaves behind is
// gone after the next successful save.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <random>
#include <string>
#include <vector>

#include "faults/FaultSupport.h"
#include "faults/Savers.h"
#include "gcode/GCodeGenerator.h"

namespace tav::faults {
namespace {

class KilledSave : public SaverTest {};

TEST_P(KilledSave, LeavesAWholeFileAndTheNextSaveCleansUp) {
  saver.save(path, 0);
  const auto start = std::chrono::steady_clock::now();
  saver.save(path, 1);
  const auto saveTime = std::chrono::duration_cast<std::chrono::microseconds>(
                            std::chrono::steady_clock::now() - start)
                            .count();
  saver.save(path, 0);

  std::mt19937 random(20240611);
  std::uniform_int_distribution<long> delay(0, 3 * saveTime + 1000);
  int killedMidSave = 0;
  int leftovers = 0;
  for (int round = 0; round < 20; ++round) {
    const bool killed = KillChildAfter(
        [&] {
          for (int version = 1;; version = 3 - version) saver.save(path, version);
        },
        delay(random));
    killedMidSave += killed ? 1 : 0;
    bool whole = false;
    for (int version = 0; version < kVersions && !whole; ++version)
      whole = saver.holds(path, version);
    ASSERT_TRUE(whole) << "round " << round << ": the file is neither the old nor a new version";
    if (folder.Entries().size() > 1) ++leftovers;

    saver.save(path, round % 2 + 1);
    ASSERT_EQ(folder.Entries(), std::vector<std::string>{saver.fileName})
        << "round " << round << ": a temporary file survived the next successful save";
  }
  EXPECT_GT(killedMidSave, 0);
  RecordProperty("kills_leaving_a_temporary_file", leftovers);
}

// Only names of the save's own pattern go: the dot, the file name, ".tmp-"
// and six letters or digits.
TEST(StaleTemporaries, OnlyTheSavedFilesOwnAreRemoved) {
  TempFolder folder;
  const std::vector<std::string> kept{".job.nc.tmp-ABC12", ".job.nc.tmp-ABC1234",
                                      ".job.nc.tmp-AB_123", ".other.nc.tmp-ABC123",
                                      "job.nc.tmp-ABC123"};
  for (const std::string& name : kept) WriteBytes(folder / name, "x");
  WriteBytes(folder / ".job.nc.tmp-Zz09aB", "stale");
  ExportGCode("%\r\n", folder / "job.nc");

  std::vector<std::string> expected = kept;
  expected.push_back("job.nc");
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(folder.Entries(), expected);
}

INSTANTIATE_TEST_SUITE_P(Savers, KilledSave, ::testing::Values(ProjectSaver(), ProgramSaver()),
                         SaverName);

}  // namespace
}  // namespace tav::faults
