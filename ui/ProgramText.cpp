// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ProgramText.h"

#include <algorithm>
#include <cstring>

namespace tav::ui {
namespace {

// CR LF and a lone CR each become one "\n", in one pass that copies the
// runs between two CRs whole: a program has a million of them.
std::string WithLfBreaks(std::string_view text) {
  std::string result;
  result.reserve(text.size());
  std::size_t from = 0;
  while (from < text.size()) {
    const std::size_t cr = text.find('\r', from);
    if (cr == std::string_view::npos) {
      result.append(text.substr(from));
      break;
    }
    result.append(text.substr(from, cr - from));
    result.push_back('\n');
    from = cr + 1;
    if (from < text.size() && text[from] == '\n') ++from;
  }
  return result;
}

// Windows-1252 letters to lower case: ASCII, the accented capitals C0..DE
// (not the sign D7) and the four capitals among 80..9F.
struct CaseFold {
  unsigned char lower[256];
  CaseFold() : lower() {
    for (int c = 0; c < 256; ++c) lower[c] = static_cast<unsigned char>(c);
    for (int c = 'A'; c <= 'Z'; ++c) lower[c] = static_cast<unsigned char>(c + 32);
    for (int c = 0xC0; c <= 0xDE; ++c)
      if (c != 0xD7) lower[c] = static_cast<unsigned char>(c + 32);
    lower[0x8A] = 0x9A;
    lower[0x8C] = 0x9C;
    lower[0x8E] = 0x9E;
    lower[0x9F] = 0xFF;
  }
};

const CaseFold& Fold() {
  static const CaseFold fold;
  return fold;
}

}  // namespace

ProgramText::ProgramText() : starts_{0} {}

void ProgramText::SetText(std::string_view text) {
  buffer_ = WithLfBreaks(text);
  gapStart_ = gapEnd_ = buffer_.size();
  starts_.assign(1, 0);
  starts_.reserve(static_cast<std::size_t>(std::count(buffer_.begin(), buffer_.end(), '\n')) + 1);
  for (std::size_t i = buffer_.find('\n'); i != std::string::npos; i = buffer_.find('\n', i + 1))
    starts_.push_back(i + 1);
  pendingFrom_ = starts_.size();
  pendingDelta_ = 0;
}

std::size_t ProgramText::Insert(std::size_t position, std::string_view text) {
  position = std::min(position, Size());
  const std::string added = WithLfBreaks(text);
  if (added.empty()) return 0;
  const std::size_t line = LineOf(position);
  MoveGap(position);
  ReserveGap(added.size());
  std::memcpy(buffer_.data() + gapStart_, added.data(), added.size());
  gapStart_ += added.size();
  ShiftLines(line + 1, static_cast<std::ptrdiff_t>(added.size()));
  // The new lines lie before every line whose start is still pending, so
  // they are stored as they are.
  std::vector<std::size_t> newStarts;
  for (std::size_t i = 0; i < added.size(); ++i) {
    if (added[i] == '\n') newStarts.push_back(position + i + 1);
  }
  if (!newStarts.empty()) {
    starts_.insert(starts_.begin() + static_cast<std::ptrdiff_t>(line + 1), newStarts.begin(),
                   newStarts.end());
    pendingFrom_ += newStarts.size();
  }
  return added.size();
}

void ProgramText::Erase(std::size_t position, std::size_t count) {
  position = std::min(position, Size());
  count = std::min(count, Size() - position);
  if (count == 0) return;
  const std::size_t first = LineOf(position);
  const std::size_t last = LineOf(position + count);
  MoveGap(position);
  gapEnd_ += count;
  // The lines first + 1 .. last started inside the erased bytes.
  if (last > first) {
    const std::size_t removed = last - first;
    starts_.erase(starts_.begin() + static_cast<std::ptrdiff_t>(first + 1),
                  starts_.begin() + static_cast<std::ptrdiff_t>(last + 1));
    if (pendingFrom_ > last)
      pendingFrom_ -= removed;
    else if (pendingFrom_ > first)
      pendingFrom_ = first + 1;
  }
  ShiftLines(first + 1, -static_cast<std::ptrdiff_t>(count));
}

std::size_t ProgramText::LineStart(std::size_t line) const {
  const std::size_t stored = starts_[line];
  return line >= pendingFrom_ ? stored + static_cast<std::size_t>(pendingDelta_) : stored;
}

std::size_t ProgramText::LineEnd(std::size_t line) const {
  return line + 1 < starts_.size() ? LineStart(line + 1) - 1 : Size();
}

std::size_t ProgramText::LineOf(std::size_t position) const {
  // The last line starting at or before the position.
  std::size_t low = 0;
  std::size_t high = starts_.size();
  while (high - low > 1) {
    const std::size_t middle = low + (high - low) / 2;
    if (LineStart(middle) <= position)
      low = middle;
    else
      high = middle;
  }
  return low;
}

std::string ProgramText::Line(std::size_t line) const {
  const std::size_t start = LineStart(line);
  return Slice(start, LineEnd(line) - start);
}

std::size_t ProgramText::LongestLine() const {
  std::size_t longest = 0;
  std::size_t length = 0;
  for (std::size_t line = 0; line < starts_.size(); ++line) {
    const std::size_t here = LineEnd(line) - LineStart(line);
    if (here > length) {
      longest = line;
      length = here;
    }
  }
  return longest;
}

std::size_t ProgramText::Find(std::string_view needle, std::size_t from, bool forward,
                              bool matchCase) const {
  const std::size_t size = Size();
  if (needle.empty() || needle.size() > size) return std::string::npos;
  const unsigned char* lower = Fold().lower;
  const auto fold = [&](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return matchCase ? byte : lower[byte];
  };
  const std::size_t gap = GapSize();
  const auto at = [&](std::size_t i) { return buffer_[i < gapStart_ ? i : i + gap]; };
  const unsigned char first = fold(needle[0]);
  const auto matchesAt = [&](std::size_t start) {
    if (fold(at(start)) != first) return false;
    for (std::size_t k = 1; k < needle.size(); ++k)
      if (fold(at(start + k)) != fold(needle[k])) return false;
    return true;
  };
  const std::size_t last = size - needle.size();  // the last possible start
  from = std::min(from, size);
  if (forward) {
    for (std::size_t start = from; start <= last; ++start)
      if (matchesAt(start)) return start;
    for (std::size_t start = 0; start < from && start <= last; ++start)
      if (matchesAt(start)) return start;
  } else {
    for (std::size_t start = std::min(from, last + 1); start-- > 0;)
      if (matchesAt(start)) return start;
    for (std::size_t start = last + 1; start-- > from;)
      if (matchesAt(start)) return start;
  }
  return std::string::npos;
}

std::string ProgramText::Slice(std::size_t position, std::size_t count) const {
  position = std::min(position, Size());
  count = std::min(count, Size() - position);
  std::string result;
  result.reserve(count);
  const std::size_t end = position + count;
  if (position < gapStart_) result.append(buffer_, position, std::min(end, gapStart_) - position);
  if (end > gapStart_) {
    const std::size_t from = std::max(position, gapStart_);
    result.append(buffer_, from + GapSize(), end - from);
  }
  return result;
}

std::string ProgramText::CrLfText() const {
  std::string result;
  result.reserve(Size() + starts_.size());
  const auto append = [&result](const char* begin, const char* end) {
    for (const char* byte = begin; byte != end; ++byte) {
      if (*byte == '\n') result.push_back('\r');
      result.push_back(*byte);
    }
  };
  append(buffer_.data(), buffer_.data() + gapStart_);
  append(buffer_.data() + gapEnd_, buffer_.data() + buffer_.size());
  return result;
}

void ProgramText::MoveGap(std::size_t position) {
  char* const data = buffer_.data();
  if (GapSize() == 0) {
    gapStart_ = gapEnd_ = position;  // an empty gap fits anywhere
  } else if (position < gapStart_) {
    const std::size_t moved = gapStart_ - position;
    std::memmove(data + gapEnd_ - moved, data + position, moved);
    gapStart_ -= moved;
    gapEnd_ -= moved;
  } else if (position > gapStart_) {
    const std::size_t moved = position - gapStart_;
    std::memmove(data + gapStart_, data + gapEnd_, moved);
    gapStart_ += moved;
    gapEnd_ += moved;
  }
}

void ProgramText::ReserveGap(std::size_t count) {
  if (GapSize() >= count) return;
  // Room for this insertion and many more, so that growing stays rare.
  const std::size_t gap = count + std::max<std::size_t>(4096, Size() / 16);
  const std::size_t tail = buffer_.size() - gapEnd_;
  std::string grown(Size() + gap, '\0');
  std::memcpy(grown.data(), buffer_.data(), gapStart_);
  std::memcpy(grown.data() + gapStart_ + gap, buffer_.data() + gapEnd_, tail);
  buffer_ = std::move(grown);
  gapEnd_ = gapStart_ + gap;
}

void ProgramText::ShiftLines(std::size_t line, std::ptrdiff_t delta) {
  if (pendingDelta_ == 0) {
    pendingFrom_ = line;
    pendingDelta_ = delta;
  } else if (line >= pendingFrom_) {
    AddToStarts(pendingFrom_, line, pendingDelta_);
    pendingFrom_ = line;
    pendingDelta_ += delta;
  } else {
    AddToStarts(line, pendingFrom_, delta);
    pendingDelta_ += delta;
  }
}

void ProgramText::AddToStarts(std::size_t from, std::size_t to, std::ptrdiff_t delta) {
  to = std::min(to, starts_.size());
  for (std::size_t i = from; i < to; ++i) starts_[i] += static_cast<std::size_t>(delta);
}

}  // namespace tav::ui
