// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/FileSet.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/Error.h"
#include "support/ErrorOf.h"
#include "support/TempFolder.h"

// Inside tav::test, so the shared test helpers need no qualification.
namespace tav::test {
namespace {

TEST(FileSet, WritesAndRemovesTogether) {
  TempFolder folder;
  WriteBytes(folder / "a.nc", "old a");
  ::chmod((folder / "a.nc").c_str(), 0640);
  WriteBytes(folder / "stale.nc", "stale");
  CommitFileSet({{folder / "a.nc", "new a"}, {folder / "b.nc", "new b"}},
                {folder / "stale.nc", folder / "never-there.nc"});
  EXPECT_EQ(ReadBytes(folder / "a.nc"), "new a");
  EXPECT_EQ(ReadBytes(folder / "b.nc"), "new b");
  EXPECT_FALSE(std::filesystem::exists(folder / "stale.nc"));
  EXPECT_EQ(folder.EntryCount(), 2) << "temporary or backup files left behind";
  struct stat status {};
  ASSERT_EQ(::stat((folder / "a.nc").c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 0777, 0640u);
}

TEST(FileSet, AFailedReplacementPutsEverythingBack) {
  // The third target is a folder: the first two have been replaced by then.
  TempFolder folder;
  WriteBytes(folder / "1.nc", "old 1");
  WriteBytes(folder / "stale.nc", "stale");
  std::filesystem::create_directory(folder / "3.nc");
  const std::string message = ErrorOf([&] {
    CommitFileSet({{folder / "1.nc", "new 1"}, {folder / "2.nc", "new 2"}, {folder / "3.nc", "3"}},
                  {folder / "stale.nc"});
  });
  EXPECT_TRUE(message.starts_with("Datei \"" + (folder / "3.nc") + "\" kann nicht erstellt"))
      << message;
  EXPECT_EQ(ReadBytes(folder / "1.nc"), "old 1");
  EXPECT_FALSE(std::filesystem::exists(folder / "2.nc"));
  EXPECT_EQ(ReadBytes(folder / "stale.nc"), "stale");
  EXPECT_TRUE(std::filesystem::is_directory(folder / "3.nc"));
  EXPECT_EQ(folder.EntryCount(), 3) << "temporary or backup files left behind";
}

TEST(FileSet, AFailedRemovalPutsEverythingBack) {
  TempFolder folder;
  WriteBytes(folder / "1.nc", "old 1");
  std::filesystem::create_directory(folder / "in-the-way.nc");
  EXPECT_NE(ErrorOf([&] {
              CommitFileSet({{folder / "1.nc", "new 1"}}, {folder / "in-the-way.nc"});
            }),
            "<no error>");
  EXPECT_EQ(ReadBytes(folder / "1.nc"), "old 1");
  EXPECT_EQ(folder.EntryCount(), 2);
}

TEST(FileSet, AMissingFolderFailsBeforeAnythingChanges) {
  TempFolder folder;
  WriteBytes(folder / "1.nc", "old 1");
  const std::string message = ErrorOf([&] {
    CommitFileSet({{folder / "1.nc", "new 1"}, {folder / "missing/2.nc", "new 2"}}, {});
  });
  EXPECT_TRUE(message.starts_with("Datei \"" + (folder / "missing/2.nc") + "\"")) << message;
  EXPECT_EQ(ReadBytes(folder / "1.nc"), "old 1");
  EXPECT_EQ(folder.EntryCount(), 1);
}

}  // namespace
}  // namespace tav::test
