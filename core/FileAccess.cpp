// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/FileAccess.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <random>

#include "core/Messages.h"
#include "core/SystemErrorText.h"

namespace tav {
namespace {

namespace fs = std::filesystem;

std::int64_t gFailAfterBytes = -1;
int gFailErrorCode = 0;

[[noreturn]] void Fail(int errorCode) { throw FileAccessError(SystemErrorText(errorCode)); }

// Closes a descriptor once, at the latest when the owner goes out of scope.
class Descriptor final {
 public:
  explicit Descriptor(int fd) noexcept : fd_(fd) {}
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const noexcept { return fd_; }
  // Gives up ownership without closing.
  void release() noexcept { fd_ = -1; }
  // Closes now and reports the error code of close(), 0 on success.
  int close() noexcept {
    const int fd = fd_;
    fd_ = -1;
    // On Linux the descriptor is released even when close() reports EINTR.
    if (::close(fd) != 0 && errno != EINTR) return errno;
    return 0;
  }

 private:
  int fd_;
};

// Writes all of `bytes`, resuming after short writes and interruptions;
// `before` bytes of the file were written by earlier calls. Gives 0 or the
// error code.
int WriteAll(int fd, std::string_view bytes, bool withTestFailure, std::size_t before = 0) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    std::size_t chunk = std::min<std::size_t>(bytes.size() - done, std::size_t{1} << 30);
    if (withTestFailure && gFailAfterBytes >= 0) {
      const auto allowed = static_cast<std::size_t>(gFailAfterBytes);
      if (before + done >= allowed) return gFailErrorCode;
      chunk = std::min(chunk, allowed - before - done);
    }
    const ssize_t written = ::write(fd, bytes.data() + done, chunk);
    if (written < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (written == 0) return EIO;
    done += static_cast<std::size_t>(written);
  }
  if (withTestFailure && gFailAfterBytes >= 0 &&
      before + bytes.size() >= static_cast<std::size_t>(gFailAfterBytes)) {
    return gFailErrorCode;
  }
  return 0;
}

// Asks the system to start writing the bytes from `from` to `to` to disk now,
// without waiting: a large file then goes to disk while the rest is still
// being produced, and the final fsync finds little left to do. Only a hint;
// failures are left to that fsync.
void StartWriteback(int fd, std::size_t from, std::size_t to) noexcept {
#ifdef SYNC_FILE_RANGE_WRITE
  ::sync_file_range(fd, static_cast<off_t>(from), static_cast<off_t>(to - from),
                    SYNC_FILE_RANGE_WRITE);
#else
  (void)fd;
  (void)from;
  (void)to;
#endif
}

int SyncFile(int fd) {
  while (::fsync(fd) != 0) {
    if (errno == EINTR) continue;
    // File systems that cannot sync (some special ones) report EINVAL.
    if (errno == EINVAL) return 0;
    return errno;
  }
  return 0;
}

// Follows symbolic links (a chain of them) to the path that is to be replaced.
// `status` receives that path's lstat(), `exists` whether it exists.
fs::path ResolveTarget(const fs::path& path, struct stat& status, bool& exists) {
  fs::path current = path;
  for (int hops = 0;; ++hops) {
    if (::lstat(current.c_str(), &status) != 0) {
      if (errno == ENOENT) {
        exists = false;
        return current;
      }
      Fail(errno);
    }
    if (!S_ISLNK(status.st_mode)) {
      exists = true;
      return current;
    }
    if (hops >= 40) Fail(ELOOP);
    std::string target(std::max<std::size_t>(static_cast<std::size_t>(status.st_size), 64) + 1,
                       '\0');
    for (;;) {
      const ssize_t length = ::readlink(current.c_str(), target.data(), target.size());
      if (length < 0) Fail(errno);
      if (static_cast<std::size_t>(length) < target.size()) {
        target.resize(static_cast<std::size_t>(length));
        break;
      }
      target.resize(target.size() * 2);
    }
    // A relative link target is relative to the folder holding the link.
    const fs::path next(target);
    current = next.is_absolute() ? next : current.parent_path() / next;
  }
}

constexpr std::size_t kRandomPartLength = 6;
constexpr char kRandomPartChars[] =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

// Temporary files of `fileName` are named "." + the name (shortened to stay
// within the file system's limit) + ".tmp-" + a random part.
std::string TemporaryPrefix(const std::string& fileName) {
  return "." + fileName.substr(0, 64) + ".tmp-";
}

std::string TemporaryName(const std::string& fileName) {
  static std::mt19937_64 generator{std::random_device{}()};
  std::string name = TemporaryPrefix(fileName);
  std::uniform_int_distribution<std::size_t> pick(0, sizeof kRandomPartChars - 2);
  for (std::size_t i = 0; i < kRandomPartLength; ++i)
    name.push_back(kRandomPartChars[pick(generator)]);
  return name;
}

// Without file locks (some network file systems) a temporary counts as
// abandoned only when no save can plausibly still be writing it.
constexpr std::time_t kAbandonedAfterSeconds = 3600;

// Removes the temporary file at `temporary` unless a live save owns it. Every
// save holds an exclusive lock on its temporary from creation to rename, and
// the kernel drops the lock when that process ends, however it ends; so a
// temporary that can be locked here was left behind by a killed save.
void RemoveIfAbandoned(const fs::path& temporary) {
  constexpr int kFlags = O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY;
  int fd = ::open(temporary.c_str(), O_RDONLY | kFlags);
  // A temporary has the permission bits of its target, which may deny reading.
  if (fd < 0 && errno == EACCES) fd = ::open(temporary.c_str(), O_WRONLY | kFlags);
  if (fd < 0) return;
  Descriptor file(fd);
  struct stat opened {};
  if (::fstat(file.get(), &opened) != 0 || !S_ISREG(opened.st_mode)) return;
  if (::flock(file.get(), LOCK_EX | LOCK_NB) != 0) {
    if (errno == EWOULDBLOCK || errno == EINTR) return;
    if (std::time(nullptr) - opened.st_mtime < kAbandonedAfterSeconds) return;
  }
  // Remove the name only while it still names the file that was checked.
  struct stat named {};
  if (::lstat(temporary.c_str(), &named) != 0 || named.st_dev != opened.st_dev ||
      named.st_ino != opened.st_ino)
    return;
  ::unlink(temporary.c_str());
}

// A save killed between writing its temporary file and renaming it leaves
// that file behind; the next successful save of the same file removes it.
// Best effort: the save has already succeeded and does not fail over this.
void RemoveStaleTemporaries(const fs::path& folder, const std::string& fileName) {
  const std::string prefix = TemporaryPrefix(fileName);
  std::error_code error;
  for (fs::directory_iterator entry(folder, error), end; !error && entry != end;
       entry.increment(error)) {
    const std::string name = entry->path().filename().string();
    if (name.size() != prefix.size() + kRandomPartLength || !name.starts_with(prefix)) continue;
    const std::string_view randomPart = std::string_view(name).substr(prefix.size());
    if (randomPart.find_first_not_of(kRandomPartChars) != std::string_view::npos) continue;
    RemoveIfAbandoned(entry->path());
  }
}

// Creates a new temporary file next to the target and locks it (see
// RemoveIfAbandoned). Gives the open descriptor; `temporary` receives its path.
int CreateLockedTemporary(const fs::path& folder, const std::string& fileName,
                          fs::path& temporary) {
  for (int attempt = 0;; ++attempt) {
    temporary = folder / TemporaryName(fileName);
    // Permissions 0666 less the umask, as for any new file; an existing
    // target's bits are copied later.
    const int fd =
        ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
    if (fd < 0) {
      if (errno == EEXIST && attempt < 100) continue;
      if (errno == ENOENT) throw FileAccessError(msg::kPathNotFound);
      Fail(errno);
    }
    Descriptor file(fd);
    int error = 0;
    while (::flock(file.get(), LOCK_EX) != 0) {
      if (errno == EINTR) continue;
      // A file system without locks: the clean-up goes by age there.
      if (errno != ENOLCK && errno != EOPNOTSUPP && errno != EINVAL) error = errno;
      break;
    }
    if (error != 0) {
      ::unlink(temporary.c_str());
      Fail(error);
    }
    // The clean-up of another save may have removed the name between open and
    // lock; then the file is unreachable and another name is tried.
    struct stat status {};
    if (::fstat(file.get(), &status) != 0) {
      error = errno;
      ::unlink(temporary.c_str());
      Fail(error);
    }
    if (status.st_nlink == 0 && attempt < 100) continue;
    const int owned = file.get();
    file.release();
    return owned;
  }
}

// Asks for huge pages for the whole 2 MB pages inside a large buffer, where the
// system grants them on request: reading a large file then costs a few page
// faults instead of one per 4 KB.
void AdviseHugePages(char* buffer, std::size_t size) noexcept {
  constexpr std::uintptr_t kHugePage = std::uintptr_t{1} << 21;
  const auto start = (reinterpret_cast<std::uintptr_t>(buffer) + kHugePage - 1) & ~(kHugePage - 1);
  const auto end = (reinterpret_cast<std::uintptr_t>(buffer) + size) & ~(kHugePage - 1);
  if (end > start) ::madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
}

void WriteInPlace(const fs::path& target, std::string_view bytes) {
  Descriptor file(::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY));
  if (file.get() < 0) Fail(errno);
  if (const int error = WriteAll(file.get(), bytes, false)) Fail(error);
  if (const int error = file.close()) Fail(error);
}

}  // namespace

std::string ReadFileBytes(const std::string& path) {
  Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY));
  if (file.get() < 0) Fail(errno);
  struct stat status {};
  if (::fstat(file.get(), &status) != 0) Fail(errno);
  if (S_ISDIR(status.st_mode)) Fail(EISDIR);

  std::string bytes;
  if (S_ISREG(status.st_mode) && status.st_size > 0) {
    bytes.reserve(static_cast<std::size_t>(status.st_size));
    AdviseHugePages(bytes.data(), bytes.capacity());
  }
  char buffer[65536];
  for (;;) {
    const ssize_t count = ::read(file.get(), buffer, sizeof buffer);
    if (count < 0) {
      if (errno == EINTR) continue;
      Fail(errno);
    }
    if (count == 0) break;
    bytes.append(buffer, static_cast<std::size_t>(count));
  }
  return bytes;
}

FileReader::FileReader(const std::string& path) {
  Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY));
  if (file.get() < 0) Fail(errno);
  struct stat status {};
  if (::fstat(file.get(), &status) != 0) Fail(errno);
  if (S_ISDIR(status.st_mode)) Fail(EISDIR);
  seekable_ = S_ISREG(status.st_mode);
  fd_ = file.get();
  file.release();
}

FileReader::~FileReader() { ::close(fd_); }

std::size_t FileReader::Read(char* buffer, std::size_t size) {
  for (;;) {
    const ssize_t count = ::read(fd_, buffer, size);
    if (count >= 0) return static_cast<std::size_t>(count);
    if (errno != EINTR) Fail(errno);
  }
}

void FileReader::Seek(std::uint64_t offset) {
  if (::lseek(fd_, static_cast<off_t>(offset), SEEK_SET) < 0) Fail(errno);
}

void WriteFileAtomically(const std::string& path, std::string_view bytes) {
  WriteFileAtomically(path, [bytes](const ByteSink& write) { write(bytes); });
}

void WriteFileAtomically(const std::string& path, const ByteProducer& produce) {
  if (path.empty()) Fail(ENOENT);
  struct stat status {};
  bool exists = false;
  const fs::path target = ResolveTarget(fs::path(path), status, exists);
  if (exists && S_ISDIR(status.st_mode)) Fail(EISDIR);
  if (exists && !S_ISREG(status.st_mode)) {
    // Written only once complete: a failure while producing leaves nothing
    // half-written in a pipe or on a terminal.
    std::string bytes;
    produce([&bytes](std::string_view piece) { bytes.append(piece); });
    WriteInPlace(target, bytes);
    return;
  }
  const std::string fileName = target.filename().string();
  if (fileName.empty()) Fail(EISDIR);  // "folder/" names a folder, never a file
  const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();

  // The rename would replace a write-protected file, since only the folder's
  // permissions count for it; a user protects a file so that nothing overwrites it.
  if (exists && ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) Fail(errno);

  fs::path temporary;
  Descriptor file(CreateLockedTemporary(folder, fileName, temporary));
  // A second descriptor of the same open file keeps the lock until the rename
  // is done, while the first is closed to learn of deferred write errors.
  Descriptor lock(::dup(file.get()));

  int error = lock.get() < 0 ? errno : 0;
  if (error == 0 && exists) {
    // Best effort: only a privileged process may give the file to its old owner.
    if (status.st_uid != ::geteuid() || status.st_gid != ::getegid()) {
      [[maybe_unused]] const int ignored = ::fchown(file.get(), status.st_uid, status.st_gid);
    }
    if (::fchmod(file.get(), status.st_mode & 07777) != 0) error = errno;
  }
  if (error == 0) {
    try {
      std::size_t written = 0;
      std::size_t handedToDisk = 0;
      constexpr std::size_t kWritebackBytes = std::size_t{8} << 20;
      produce([&file, &written, &handedToDisk](std::string_view piece) {
        if (const int failed = WriteAll(file.get(), piece, true, written)) Fail(failed);
        written += piece.size();
        if (written - handedToDisk >= kWritebackBytes) {
          StartWriteback(file.get(), handedToDisk, written);
          handedToDisk = written;
        }
      });
    } catch (...) {
      ::unlink(temporary.c_str());
      throw;
    }
  }
  if (error == 0) error = SyncFile(file.get());
  if (error == 0) error = file.close();
  if (error == 0 && ::rename(temporary.c_str(), target.c_str()) != 0) error = errno;
  if (error != 0) {
    ::unlink(temporary.c_str());
    Fail(error);
  }
  lock.close();

  RemoveStaleTemporaries(folder, fileName);

  // Make the rename itself durable; the new content is already in place.
  Descriptor directory(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (directory.get() >= 0) SyncFile(directory.get());
}

void SetWriteFailureForTesting(std::int64_t afterBytes, int errorCode) {
  gFailAfterBytes = afterBytes;
  gFailErrorCode = errorCode;
}

}  // namespace tav
