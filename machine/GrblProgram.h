// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tav::machine {

// One line as it goes to the controller: comments and surrounding blanks
// removed, without its line break; `fileLine` counts from 1 in the file.
struct ProgramLine {
  std::string command;
  std::size_t fileLine = 0;
};

// A G-code program made ready for streaming. Comments ("(...)" and from ";")
// are stripped and blank lines dropped: the controller answers every line it
// receives, but nothing is gained from sending these.
class GrblProgram {
 public:
  GrblProgram() = default;

  // Reads `text` (lines cut at CR LF, CR or LF). Throws Error naming the file
  // line before anything is sent when a line holds a byte the controller
  // acts on wherever it stands ("!", "~", "?", Ctrl-X, bytes from 0x80 up;
  // comments included), or when a line with its LF does not fit into the
  // controller's receive buffer of `bufferSize` bytes.
  static GrblProgram Prepare(std::string_view text, std::size_t bufferSize = 128);

  const std::vector<ProgramLine>& lines() const { return lines_; }
  // The bytes sent for the whole program, one LF per line included.
  std::size_t totalBytes() const { return totalBytes_; }

 private:
  std::vector<ProgramLine> lines_;
  std::size_t totalBytes_ = 0;
};

// The line without comments and without leading and trailing blanks.
std::string StripComments(std::string_view line);

// Whether GRBL acts on `byte` at once, wherever it stands in the input.
bool IsRealTimeByte(unsigned char byte);

}  // namespace tav::machine
