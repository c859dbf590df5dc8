// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tav::ui {

// The editor's text: Windows-1252 bytes with "\n" between lines, in one gap
// buffer, plus the offset at which every line starts. A program runs to a
// million lines, so typing must not copy the text or renumber every line:
// the gap sits where the user types, and the line starts after an edit take
// their shift lazily, settled only between two places edited in turn.
// Positions are byte offsets into the text, 0 .. Size().
class ProgramText {
 public:
  ProgramText();

  // Replaces the text. CR LF and a lone CR each become one "\n".
  void SetText(std::string_view text);
  // Line breaks in `text` are read as in SetText; returns the number of
  // bytes inserted.
  std::size_t Insert(std::size_t position, std::string_view text);
  void Erase(std::size_t position, std::size_t count);

  std::size_t Size() const { return buffer_.size() - GapSize(); }
  // Never 0: an empty text is one empty line, and a text ending in "\n" has
  // an empty last line.
  std::size_t LineCount() const { return starts_.size(); }
  std::size_t LineStart(std::size_t line) const;
  std::size_t LineEnd(std::size_t line) const;  // before the line's "\n"
  std::size_t LineOf(std::size_t position) const;
  std::string Line(std::size_t line) const;
  // The line with the most characters; its first one when several tie.
  std::size_t LongestLine() const;

  // Where `needle` next occurs: forward, the first match starting at or
  // after `from`; backward, the last one starting before `from`; either way
  // wrapping around the end of the text. Without `matchCase` letters match in
  // either case (Windows-1252 letters, so "ä" finds "Ä"). npos for none.
  std::size_t Find(std::string_view needle, std::size_t from, bool forward, bool matchCase) const;

  std::string Slice(std::size_t position, std::size_t count) const;
  std::string Text() const { return Slice(0, Size()); }
  // The text with every line break as CR LF, as the core writes files.
  std::string CrLfText() const;

 private:
  std::size_t GapSize() const { return gapEnd_ - gapStart_; }
  void MoveGap(std::size_t position);
  void ReserveGap(std::size_t count);
  // Lines from `line` on start `delta` bytes later (earlier for a negative one).
  void ShiftLines(std::size_t line, std::ptrdiff_t delta);
  void AddToStarts(std::size_t from, std::size_t to, std::ptrdiff_t delta);

  std::string buffer_;
  std::size_t gapStart_ = 0;
  std::size_t gapEnd_ = 0;
  // starts_[i] is line i's start, less pendingDelta_ for i >= pendingFrom_.
  std::vector<std::size_t> starts_;
  std::size_t pendingFrom_ = 1;
  std::ptrdiff_t pendingDelta_ = 0;
};

}  // namespace tav::ui
