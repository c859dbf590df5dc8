// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>

#include "boards/BoardComponent.h"
#include "core/ComponentBlock.h"
#include "gcode/ComponentSource.h"

namespace tav {

// The record of a component as the import's block would give it: included,
// with its texts viewed in `component`, on feeder `feeder` (1 to 4; the
// import puts every component on feeder 1).
ComponentBlock BlockOfBoardComponent(const BoardComponent& component, int feeder = 1);

// The feeder of a component read from a board file: 1 to 4, or 0 to leave it out.
using FeederChoice = std::function<int(const BoardComponent& component)>;

// A board file read row by row as the generator's source of components, so a
// program is made from it without building the component tree: memory does
// not grow with the board.
class StreamedBoard final {
 public:
  explicit StreamedBoard(std::string path) : path_(std::move(path)) {}

  // The components of the file, read anew at each run of the source, each as
  // the import would place it (BlockOfBoardComponent), on the feeder `choose`
  // gives (feeder 1 when `choose` is empty). The file's errors come first, as
  // when the whole file is imported before the program is made: once the
  // visitor fails, the rest of the file is still read (handing nothing on),
  // a fault in it is thrown, and only a sound file lets the visitor's error
  // through.
  ComponentSource Components(FeederChoice choose = {});

  // Whether a source of Components() has read the file (to its end or to its
  // error).
  bool WasRead() const noexcept { return read_; }

  // Reads the whole file for its errors only.
  void Check() const;

 private:
  std::string path_;
  bool read_ = false;
};

}  // namespace tav
