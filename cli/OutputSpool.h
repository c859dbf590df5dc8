// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace tav::cli {

// Holds what is meant for standard output until it is complete, so a failure
// half way leaves nothing on it: in memory up to kMemoryBytes, beyond that in
// an anonymous temporary file, so a large program does not grow the process.
class OutputSpool final {
 public:
  static constexpr std::size_t kMemoryBytes = std::size_t{4} << 20;

  OutputSpool() = default;
  OutputSpool(const OutputSpool&) = delete;
  OutputSpool& operator=(const OutputSpool&) = delete;
  ~OutputSpool();

  // Throws Error when the temporary file cannot be written.
  void Append(std::string_view bytes);
  // Writes everything held to `stream` and flushes it; throws Error
  // "In die Standardausgabe kann nicht geschrieben werden" on failure.
  void CopyTo(std::FILE* stream);

 private:
  std::string memory_;
  std::FILE* file_ = nullptr;
};

}  // namespace tav::cli
