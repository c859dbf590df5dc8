// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cstddef>
#include <functional>
#include <string_view>
#include <vector>

namespace tav {

// Gathers generated lines in one reused buffer and hands it on in pieces of
// about 256 KB: a large section goes to the file without ever being one text
// and without an allocation per line.
class PieceWriter final {
 public:
  explicit PieceWriter(const std::function<void(std::string_view)>& write)
      : write_(write), buffer_(kPieceBytes) {}
  PieceWriter(const PieceWriter&) = delete;
  PieceWriter& operator=(const PieceWriter&) = delete;

  // Room for `size` more bytes; write them there, then call Commit with the
  // end of what was written. A line larger than a piece gets a larger buffer.
  char* Reserve(std::size_t size) {
    if (used_ + size > buffer_.size()) {
      Flush();
      if (size > buffer_.size()) buffer_.resize(size);
    }
    return buffer_.data() + used_;
  }
  void Commit(const char* end) noexcept { used_ = static_cast<std::size_t>(end - buffer_.data()); }

  // Appends `text` and CR LF.
  void AppendLine(std::string_view text) {
    char* at = Reserve(text.size() + 2);
    at = std::copy(text.begin(), text.end(), at);
    *at++ = '\r';
    *at++ = '\n';
    Commit(at);
  }

  void Flush() {
    if (used_ != 0) write_(std::string_view(buffer_.data(), used_));
    used_ = 0;
  }

 private:
  static constexpr std::size_t kPieceBytes = std::size_t{1} << 18;
  const std::function<void(std::string_view)>& write_;
  std::vector<char> buffer_;
  std::size_t used_ = 0;
};

}  // namespace tav
