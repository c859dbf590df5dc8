// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace tav {

// The lines of a board file one after another, cut as LineViews cuts them.
class LineSource {
 public:
  // The next line, valid until the next call; false after the last line.
  virtual bool Next(std::string_view& line) = 0;

 protected:
  ~LineSource() = default;
};

// The lines of a text already cut into lines.
class LineListSource final : public LineSource {
 public:
  explicit LineListSource(const std::vector<std::string_view>& lines) noexcept : lines_(lines) {}
  bool Next(std::string_view& line) override {
    if (next_ == lines_.size()) return false;
    line = lines_[next_++];
    return true;
  }

 private:
  const std::vector<std::string_view>& lines_;
  std::size_t next_ = 0;
};

// Whether a line holds nothing but blanks and tabs.
bool IsBlankLine(std::string_view line) noexcept;

// The line without leading and trailing blanks and tabs.
std::string_view TrimBlanks(std::string_view text) noexcept;

}  // namespace tav
