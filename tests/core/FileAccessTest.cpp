// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <string>

#include "core/FileAccess.h"
#include "core/MessagePath.h"
#include "core/SystemErrorText.h"
#include "support/ErrorOf.h"
#include "support/TempFolder.h"

namespace tav {
namespace {

namespace fs = std::filesystem;

std::string ReasonOf(auto&& call) {
  return test::CaughtOf<FileAccessError>(
      call, [](const FileAccessError& error) { return error.reason(); });
}

mode_t PermissionsOf(const std::string& path) {
  struct stat status {};
  EXPECT_EQ(::stat(path.c_str(), &status), 0);
  return status.st_mode & 07777;
}

// Switches the test hook off again whatever the test does.
class WriteFailureScope {
 public:
  WriteFailureScope(std::int64_t afterBytes, int errorCode) {
    SetWriteFailureForTesting(afterBytes, errorCode);
  }
  WriteFailureScope(const WriteFailureScope&) = delete;
  WriteFailureScope& operator=(const WriteFailureScope&) = delete;
  ~WriteFailureScope() { SetWriteFailureForTesting(-1, 0); }
};

// With the disk full after `after` bytes, `write` must fail with that reason
// and leave "old content" at `path`, with no temporary file in `folder`.
void ExpectDiskFullKeepsTheOldFile(const test::TempFolder& folder, const std::string& path,
                                   std::int64_t after, auto&& write) {
  WriteFailureScope failure(after, ENOSPC);
  EXPECT_EQ(ReasonOf(write), "Nicht gen\xFCgend Speicherplatz auf dem Datentr\xE4ger") << after;
  EXPECT_EQ(test::ReadBytes(path), "old content");
  EXPECT_EQ(folder.EntryCount(), 1) << "temporary file left after " << after << " bytes";
}

// Runs `body` with the current folder set to `folder`.
void InFolder(const fs::path& folder, auto&& body) {
  const fs::path saved = fs::current_path();
  fs::current_path(folder);
  try {
    body();
  } catch (...) {
    fs::current_path(saved);
    throw;
  }
  fs::current_path(saved);
}

TEST(ReadFileBytes, ReadsAllBytes) {
  test::TempFolder folder;
  const std::string bytes("a\0\r\n\xFF", 5);
  test::WriteBytes(folder / "f", bytes);
  EXPECT_EQ(ReadFileBytes(folder / "f"), bytes);
  test::WriteBytes(folder / "empty", "");
  EXPECT_EQ(ReadFileBytes(folder / "empty"), "");
  const std::string large(3'000'000, 'z');
  test::WriteBytes(folder / "large", large);
  EXPECT_EQ(ReadFileBytes(folder / "large"), large);
}

TEST(ReadFileBytes, Failures) {
  test::TempFolder folder;
  EXPECT_EQ(ReasonOf([&] { ReadFileBytes(folder / "missing"); }),
            "Das System kann die angegebene Datei nicht finden");
  EXPECT_EQ(ReasonOf([&] { ReadFileBytes(folder.path().string()); }),
            "Der Pfad ist ein Verzeichnis");
  test::WriteBytes(folder / "file", "x");
  EXPECT_EQ(ReasonOf([&] { ReadFileBytes(folder / "file/inside"); }),
            "Ein Teil des Pfades ist kein Verzeichnis");
  EXPECT_EQ(ReasonOf([&] { ReadFileBytes(""); }),
            "Das System kann die angegebene Datei nicht finden");
}

TEST(ReadFileBytes, UnreadableFile) {
  if (::geteuid() == 0) GTEST_SKIP() << "root may read every file";
  test::TempFolder folder;
  test::WriteBytes(folder / "secret", "x");
  fs::permissions(folder / "secret", fs::perms::none);
  EXPECT_EQ(ReasonOf([&] { ReadFileBytes(folder / "secret"); }), "Zugriff verweigert");
}

TEST(WriteFileAtomically, CreatesAndReplaces) {
  test::TempFolder folder;
  const std::string path = folder / "out.nc";
  WriteFileAtomically(path, "first\r\n");
  EXPECT_EQ(test::ReadBytes(path), "first\r\n");
  WriteFileAtomically(path, "2");
  EXPECT_EQ(test::ReadBytes(path), "2");
  WriteFileAtomically(path, "");
  EXPECT_EQ(test::ReadBytes(path), "");
  const std::string large(10'000'000, '\xA7');
  WriteFileAtomically(path, large);
  EXPECT_EQ(test::ReadBytes(path), large);
  EXPECT_EQ(folder.EntryCount(), 1);
}

TEST(WriteFileAtomically, NewFileFollowsTheUmask) {
  test::TempFolder folder;
  const mode_t mask = ::umask(022);
  WriteFileAtomically(folder / "new", "x");
  ::umask(027);
  WriteFileAtomically(folder / "new2", "x");
  ::umask(mask);
  EXPECT_EQ(PermissionsOf(folder / "new"), 0644u);
  EXPECT_EQ(PermissionsOf(folder / "new2"), 0640u);
}

TEST(WriteFileAtomically, KeepsThePermissionBitsOfTheTarget) {
  test::TempFolder folder;
  const std::string path = folder / "script";
  test::WriteBytes(path, "old");
  ASSERT_EQ(::chmod(path.c_str(), 0751), 0);
  WriteFileAtomically(path, "new");
  EXPECT_EQ(PermissionsOf(path), 0751u);
  EXPECT_EQ(test::ReadBytes(path), "new");
}

TEST(WriteFileAtomically, PathWithoutFolderMeansTheCurrentFolder) {
  test::TempFolder folder;
  InFolder(folder.path(), [] { WriteFileAtomically("plain.txt", "here"); });
  EXPECT_EQ(test::ReadBytes(folder / "plain.txt"), "here");
  EXPECT_EQ(folder.EntryCount(), 1);
}

TEST(WriteFileAtomically, ReplacesTheFileALinkPointsTo) {
  test::TempFolder folder;
  fs::create_directories(folder.path() / "real");
  fs::create_directories(folder.path() / "links");
  test::WriteBytes(folder / "real/target.tav", "old");
  // links/first -> second (relative, same folder) -> ../real/target.tav
  fs::create_symlink("../real/target.tav", folder.path() / "links/second");
  fs::create_symlink("second", folder.path() / "links/first");
  WriteFileAtomically(folder / "links/first", "new");
  EXPECT_TRUE(fs::is_symlink(folder.path() / "links/first"));
  EXPECT_TRUE(fs::is_symlink(folder.path() / "links/second"));
  EXPECT_EQ(test::ReadBytes(folder / "real/target.tav"), "new");
  EXPECT_EQ(fs::read_symlink(folder.path() / "links/first"), "second");
  // An absolute link target and a link whose target does not exist yet.
  fs::create_symlink(folder.path() / "real/created.tav", folder.path() / "dangling");
  WriteFileAtomically(folder / "dangling", "made");
  EXPECT_TRUE(fs::is_symlink(folder.path() / "dangling"));
  EXPECT_EQ(test::ReadBytes(folder / "real/created.tav"), "made");
  EXPECT_EQ(folder.EntryCount(), 3);
}

TEST(WriteFileAtomically, LinkLoopFails) {
  test::TempFolder folder;
  fs::create_symlink("b", folder.path() / "a");
  fs::create_symlink("a", folder.path() / "b");
  EXPECT_EQ(ReasonOf([&] { WriteFileAtomically(folder / "a", "x"); }),
            "Zu viele Ebenen symbolischer Verkn\xFCpfungen");
}

TEST(WriteFileAtomically, FolderTargetAndMissingFolderFail) {
  test::TempFolder folder;
  fs::create_directories(folder.path() / "sub");
  test::WriteBytes(folder / "sub/keep", "keep");
  EXPECT_EQ(ReasonOf([&] { WriteFileAtomically(folder / "sub", "x"); }),
            "Der Pfad ist ein Verzeichnis");
  EXPECT_EQ(ReasonOf([&] { WriteFileAtomically(folder / "new/", "x"); }),
            "Der Pfad ist ein Verzeichnis");
  EXPECT_EQ(ReasonOf([&] { WriteFileAtomically(folder / "missing/out.nc", "x"); }),
            "Das System kann den angegebenen Pfad nicht finden");
  EXPECT_EQ(ReasonOf([&] { WriteFileAtomically(folder / "sub/keep/out.nc", "x"); }),
            "Ein Teil des Pfades ist kein Verzeichnis");
  EXPECT_EQ(test::ReadBytes(folder / "sub/keep"), "keep");
  EXPECT_EQ(folder.EntryCount(), 1);
}

TEST(WriteFileAtomically, FailedWriteLeavesTheTargetUnchanged) {
  test::TempFolder folder;
  const std::string path = folder / "project.tav";
  test::WriteBytes(path, "old content");
  const std::string bytes(100'000, 'n');
  for (const std::int64_t after : {0, 1, 4096, 99'999, 100'000})
    ExpectDiskFullKeepsTheOldFile(folder, path, after, [&] { WriteFileAtomically(path, bytes); });
  {
    WriteFailureScope failure(5, EFBIG);
    EXPECT_EQ(ReasonOf([&] { WriteFileAtomically(folder / "new.tav", bytes); }),
              "Die Datei ist zu gro\xDF");
    EXPECT_FALSE(fs::exists(folder.path() / "new.tav"));
  }
  // Fewer bytes than the failure point are written normally.
  WriteFailureScope failure(100'001, ENOSPC);
  WriteFileAtomically(path, bytes);
  EXPECT_EQ(test::ReadBytes(path), bytes);
}

// Content handed over in pieces: written in order, and a failure in a later
// piece (disk full, or the producer itself) leaves the target as it was.
TEST(WriteFileAtomically, PiecesAreWrittenInOrderOrNotAtAll) {
  test::TempFolder folder;
  const std::string path = folder / "job.nc";
  test::WriteBytes(path, "old content");
  const auto threePieces = [](const ByteSink& write) {
    write(std::string(4000, 'a'));
    write("");
    write(std::string(4000, 'b'));
    write("end");
  };
  for (const std::int64_t after : {0, 3999, 4000, 7999, 8002}) {
    ExpectDiskFullKeepsTheOldFile(folder, path, after,
                                  [&] { WriteFileAtomically(path, threePieces); });
  }
  EXPECT_THROW(WriteFileAtomically(path,
                                   [](const ByteSink& write) {
                                     write("partial");
                                     throw Error("kaputt");
                                   }),
               Error);
  EXPECT_EQ(test::ReadBytes(path), "old content");
  EXPECT_EQ(folder.EntryCount(), 1);

  WriteFileAtomically(path, threePieces);
  EXPECT_EQ(test::ReadBytes(path), std::string(4000, 'a') + std::string(4000, 'b') + "end");
}

TEST(WriteFileAtomically, ReadOnlyFolder) {
  if (::geteuid() == 0) GTEST_SKIP() << "root may write everywhere";
  test::TempFolder folder;
  fs::create_directories(folder.path() / "locked");
  test::WriteBytes(folder / "locked/file", "old");
  fs::permissions(folder.path() / "locked", fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_EQ(ReasonOf([&] { WriteFileAtomically(folder / "locked/file", "new"); }),
            "Zugriff verweigert");
  fs::permissions(folder.path() / "locked", fs::perms::owner_all);
  EXPECT_EQ(test::ReadBytes(folder / "locked/file"), "old");
}

TEST(WriteFileAtomically, DeviceIsWrittenInPlace) {
  WriteFileAtomically("/dev/null", "discarded");
  EXPECT_TRUE(fs::is_character_file("/dev/null"));
}

TEST(SystemErrorText, GermanTextsForCommonCauses) {
  EXPECT_EQ(SystemErrorText(ENOENT), "Das System kann die angegebene Datei nicht finden");
  EXPECT_EQ(SystemErrorText(EACCES), "Zugriff verweigert");
  EXPECT_EQ(SystemErrorText(EPERM), "Zugriff verweigert");
  EXPECT_EQ(SystemErrorText(EISDIR), "Der Pfad ist ein Verzeichnis");
  EXPECT_EQ(SystemErrorText(ENOSPC), "Nicht gen\xFCgend Speicherplatz auf dem Datentr\xE4ger");
  EXPECT_EQ(SystemErrorText(EFBIG), "Die Datei ist zu gro\xDF");
  EXPECT_EQ(SystemErrorText(EROFS), "Der Datentr\xE4ger ist schreibgesch\xFCtzt");
  EXPECT_EQ(SystemErrorText(ENAMETOOLONG), "Der Dateiname ist zu lang");
  // Anything else: the C library's text, never empty.
  EXPECT_FALSE(SystemErrorText(ECONNRESET).empty());
  EXPECT_FALSE(SystemErrorText(123456).empty());
}

TEST(FullPathForMessage, AbsoluteAndNormalisedWithoutResolvingLinks) {
  test::TempFolder folder;
  fs::create_symlink("/usr", folder.path() / "link");
  InFolder(folder.path(), [&] {
    EXPECT_EQ(FullPathForMessage("a.csv"), folder / "a.csv");
    EXPECT_EQ(FullPathForMessage("./x/../a.csv"), folder / "a.csv");
    EXPECT_EQ(FullPathForMessage("link/a.csv"), folder / "link/a.csv");
  });
  EXPECT_EQ(FullPathForMessage("/tmp//x/./y.nc"), "/tmp/x/y.nc");
  EXPECT_EQ(FullPathForMessage(""), "");
}

// File system paths are UTF-8; messages are Windows-1252.
TEST(PathForMessage, Utf8PathsAreShownInTheMessageCodePage) {
  EXPECT_EQ(PathForMessage("/tmp/Pl\xC3\xA4tze/M\xC3\xBCller.tav"), "/tmp/Pl\xE4tze/M\xFCller.tav");
  EXPECT_EQ(PathForMessage("/tmp/\xE2\x82\xAC \xE4\xB8\xAD.csv"), "/tmp/\x80 ?.csv");
  // Not UTF-8: the bytes are kept as they are.
  EXPECT_EQ(PathForMessage("/tmp/Pl\xE4tze"), "/tmp/Pl\xE4tze");
  EXPECT_EQ(FullPathForMessage("/tmp/M\xC3\xBCller.csv"), "/tmp/M\xFCller.csv");
}

}  // namespace
}  // namespace tav
