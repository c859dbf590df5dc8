// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <map>
#include <memory>

#include "core/ComponentTree.h"

// A board of `components` components made by `Build`, built once per size and
// kept for the whole run, so a benchmark's repetitions do not rebuild it.
template <void (*Build)(tav::ComponentTree& tree, int components)>
tav::ComponentTree& BuiltOnce(int components) {
  static std::map<int, std::unique_ptr<tav::ComponentTree>> boards;
  auto& board = boards[components];
  if (!board) {
    board = std::make_unique<tav::ComponentTree>();
    Build(*board, components);
  }
  return *board;
}
