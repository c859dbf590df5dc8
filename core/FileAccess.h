#pragma once

#include <string>
#include <string_view>

namespace tav {

// Failure of a low-level file operation; callers turn it into the message the
// user sees. `reason()` is the system's description of the cause.
class FileAccessError {
 public:
  explicit FileAccessError(std::string reason) : reason_(std::move(reason)) {}
  const std::string& reason() const noexcept { return reason_; }

 private:
  std::string reason_;
};

// Reads all bytes of a file. Throws FileAccessError.
std::string ReadFileBytes(const std::string& path);

// Replaces the file at `path` with `bytes` as a whole: writes a temporary file
// in the same folder, flushes it to disk and renames it over the target. An
// existing target keeps its permission bits; a symbolic link is followed and
// the file it points to is replaced. On failure the target is unchanged and no
// temporary file is left. Throws FileAccessError.
void WriteFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace tav
