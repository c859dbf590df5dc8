// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/OutputSpool.h"

#include "core/Error.h"
#include "core/Messages.h"

namespace tav::cli {
namespace {

constexpr const char* kSpoolFile = "eine tempor\xE4re Datei";

[[noreturn]] void CannotWrite(const char* where) {
  throw Error(FormatMessage(msg::kCannotWrite, {where}));
}

void Write(std::FILE* stream, std::string_view bytes, const char* where) {
  if (std::fwrite(bytes.data(), 1, bytes.size(), stream) != bytes.size()) CannotWrite(where);
}

}  // namespace

OutputSpool::~OutputSpool() {
  if (file_ != nullptr) std::fclose(file_);
}

void OutputSpool::Append(std::string_view bytes) {
  if (file_ == nullptr && memory_.size() + bytes.size() <= kMemoryBytes) {
    memory_.append(bytes);
    return;
  }
  if (file_ == nullptr) {
    // Removed by the system when closed, also when the process is killed.
    file_ = std::tmpfile();
    if (file_ == nullptr) CannotWrite(kSpoolFile);
    Write(file_, memory_, kSpoolFile);
    std::string().swap(memory_);
  }
  Write(file_, bytes, kSpoolFile);
}

void OutputSpool::CopyTo(std::FILE* stream) {
  if (file_ != nullptr) {
    if (std::fflush(file_) != 0 || std::fseek(file_, 0, SEEK_SET) != 0) CannotWrite(kSpoolFile);
    std::string piece(std::size_t{1} << 16, '\0');
    while (const std::size_t count = std::fread(piece.data(), 1, piece.size(), file_))
      Write(stream, std::string_view(piece).substr(0, count), msg::kStandardOutput);
    if (std::ferror(file_)) CannotWrite(kSpoolFile);
  }
  Write(stream, memory_, msg::kStandardOutput);
  if (std::fflush(stream) != 0) CannotWrite(msg::kStandardOutput);
}

}  // namespace tav::cli
