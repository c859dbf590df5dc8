// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "core/Error.h"

namespace tav {

// Failure of a low-level file operation; callers turn it into the message the
// user sees, naming the file. `reason()`, also the message, is the system's
// description of the cause (German, Windows-1252, see SystemErrorText).
class FileAccessError : public Error {
 public:
  explicit FileAccessError(std::string reason) : Error(std::move(reason)) {}
  const std::string& reason() const noexcept { return message(); }
};

// Reads all bytes of a file, in binary. A folder cannot be read. Throws
// FileAccessError.
std::string ReadFileBytes(const std::string& path);

// Reads a file piece by piece, in binary, so a large file is never held as a
// whole. A folder cannot be read. Throws FileAccessError.
class FileReader final {
 public:
  explicit FileReader(const std::string& path);
  FileReader(const FileReader&) = delete;
  FileReader& operator=(const FileReader&) = delete;
  ~FileReader();

  // Whether the file is a regular file, which alone can be read again from
  // any offset (a pipe or a terminal cannot).
  bool CanSeek() const noexcept { return seekable_; }
  // Fills up to `size` bytes of `buffer`; 0 at the end of the file.
  std::size_t Read(char* buffer, std::size_t size);
  // Goes on reading at byte `offset` from the start; only where CanSeek().
  void Seek(std::uint64_t offset);

 private:
  int fd_ = -1;
  bool seekable_ = false;
};

// Replaces the file at `path` with `bytes` as a whole: writes a temporary file
// in the same folder, flushes it to disk and renames it over the target. An
// existing target keeps its permission bits; a symbolic link is followed (also
// a chain of them) and the file it points to is replaced. An existing target
// the process may not write (write-protected, read-only file system) is a
// failure (EACCES, EPERM, EROFS) and stays as it is. A path without a folder
// part names a file in the current folder. On failure the target is unchanged
// and no temporary file is left; a successful save also removes the temporary
// files an interrupted earlier save of the same file left behind, but never
// one that a save still running in another process is writing (each save
// locks its temporary until the rename). A target that is a folder, or a
// missing folder, is a failure. A target that exists but is neither a regular
// file nor a folder (a terminal, a pipe, /dev/null) cannot be replaced and is
// written directly. Throws FileAccessError.
void WriteFileAtomically(const std::string& path, std::string_view bytes);

// The same with the content handed over piece by piece: `produce` calls its
// argument once per piece, so a large file need not be held in memory. An
// exception from `produce` (or from writing a piece) leaves the target
// unchanged and removes the temporary file. A target that is not a regular
// file gets the content only once it is complete.
using ByteSink = std::function<void(std::string_view)>;
using ByteProducer = std::function<void(const ByteSink&)>;
void WriteFileAtomically(const std::string& path, const ByteProducer& produce);

// Test hook: lets every later WriteFileAtomically fail with `errorCode` once
// `afterBytes` bytes of the temporary file are written, as a full disk would.
// A negative `afterBytes` switches the failure off.
void SetWriteFailureForTesting(std::int64_t afterBytes, int errorCode);

}  // namespace tav
