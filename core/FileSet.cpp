// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/FileSet.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <random>

#include "core/Error.h"
#include "core/FileAccess.h"
#include "core/MessagePath.h"
#include "core/Messages.h"
#include "core/SystemErrorText.h"

namespace tav {
namespace {

namespace fs = std::filesystem;

// A file of the set on its way: where it goes, where its new bytes wait
// (empty for a removal) and where its old file is kept meanwhile.
struct Step {
  std::string target;
  std::string staged;
  std::string backup;  // empty while the target had no file to keep
  bool write = true;   // false for a removal
  bool done = false;   // the target has changed
};

[[noreturn]] void Fail(const std::string& path, int errorCode) {
  throw Error(
      FormatMessage(msg::kCannotCreate, {FullPathForMessage(path), SystemErrorText(errorCode)}));
}

// A fresh name beside `target` ("." + name + "." + purpose + random part),
// created empty so no other writer can take it. Gives errno on failure.
int ReserveName(const std::string& target, const char* purpose, std::string& name) {
  static std::mt19937_64 generator{std::random_device{}()};
  const fs::path path(target);
  const std::string base = "." + path.filename().string().substr(0, 64) + "." + purpose + "-";
  for (int attempt = 0;; ++attempt) {
    name = (path.parent_path() / (base + std::to_string(generator() % 1000000000))).string();
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
      ::close(fd);
      return 0;
    }
    if (errno != EEXIST || attempt >= 100) {
      name.clear();
      return errno;
    }
  }
}

// Keeps the file at `target` under a backup name; a missing target needs none.
int KeepOld(Step& step) {
  struct stat status {};
  if (::lstat(step.target.c_str(), &status) != 0) return errno == ENOENT ? 0 : errno;
  if (S_ISDIR(status.st_mode)) return EISDIR;
  std::string backup;
  if (const int error = ReserveName(step.target, "old", backup)) return error;
  // A hard link keeps the old file in place until the new one replaces it;
  // where the file system has none, the old file moves aside instead.
  ::unlink(backup.c_str());
  if (::link(step.target.c_str(), backup.c_str()) != 0 &&
      ::rename(step.target.c_str(), backup.c_str()) != 0)
    return errno;
  step.backup = backup;
  return 0;
}

void RollBack(std::vector<Step>& steps) {
  for (auto step = steps.rbegin(); step != steps.rend(); ++step) {
    if (step->done) {
      if (!step->backup.empty()) {
        ::rename(step->backup.c_str(), step->target.c_str());
        step->backup.clear();
      } else if (step->write) {
        ::unlink(step->target.c_str());
      }
    }
    if (!step->staged.empty()) ::unlink(step->staged.c_str());
    if (!step->backup.empty()) {
      // Not replaced yet: a hard link is only a second name; a moved file goes back.
      if (::access(step->target.c_str(), F_OK) != 0)
        ::rename(step->backup.c_str(), step->target.c_str());
      else
        ::unlink(step->backup.c_str());
    }
  }
}

}  // namespace

void CommitFileSet(const std::vector<FileContent>& files,
                   const std::vector<std::string>& removals) {
  std::vector<Step> steps;
  steps.reserve(files.size() + removals.size());
  try {
    // A write-protected file stays as it is: the rename alone would replace it.
    auto refuseProtected = [](const std::string& path) {
      struct stat status {};
      if (::lstat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
          ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0)
        Fail(path, errno);
    };
    for (const FileContent& file : files) refuseProtected(file.path);
    for (const std::string& path : removals) refuseProtected(path);

    // Every new content completely on disk before any target changes.
    for (const FileContent& file : files) {
      steps.push_back(Step{file.path, {}, {}, true, false});
      if (const int error = ReserveName(file.path, "new", steps.back().staged))
        Fail(file.path, error);
      try {
        if (file.produce) {
          WriteFileAtomically(steps.back().staged, file.produce);
        } else {
          WriteFileAtomically(steps.back().staged, file.bytes);
        }
      } catch (const FileAccessError& error) {
        throw Error(
            FormatMessage(msg::kCannotCreate, {FullPathForMessage(file.path), error.reason()}));
      }
      // A replaced file keeps its permission bits.
      struct stat old {};
      if (::stat(file.path.c_str(), &old) == 0 && S_ISREG(old.st_mode))
        ::chmod(steps.back().staged.c_str(), old.st_mode & 07777);
    }
    for (const std::string& path : removals) steps.push_back(Step{path, {}, {}, false, false});

    for (Step& step : steps) {
      if (const int error = KeepOld(step)) Fail(step.target, error);
      if (step.write) {
        if (::rename(step.staged.c_str(), step.target.c_str()) != 0) Fail(step.target, errno);
        step.staged.clear();
        step.done = true;
      } else if (!step.backup.empty()) {
        if (::unlink(step.target.c_str()) != 0 && errno != ENOENT) Fail(step.target, errno);
        step.done = true;
      }
    }
  } catch (...) {
    RollBack(steps);
    throw;
  }
  for (const Step& step : steps)
    if (!step.backup.empty()) ::unlink(step.backup.c_str());
  // Make the renames durable; best effort, the files are already in place.
  std::vector<std::string> folders;
  for (const Step& step : steps) {
    std::string folder = fs::path(step.target).parent_path().string();
    if (folder.empty()) folder = ".";
    if (std::find(folders.begin(), folders.end(), folder) != folders.end()) continue;
    folders.push_back(folder);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) continue;
    ::fsync(fd);
    ::close(fd);
  }
}

}  // namespace tav
