// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <vector>

#include "core/ComponentTree.h"
#include "settings/BoardPlacement.h"
#include "settings/MachineSettings.h"

namespace tav {

// What the bed preview draws, in machine coordinates (mm): each component at
// the position the program uses, the feeders, the board's outline and the
// machine's travel.
struct BedScene {
  struct Part {
    Point2 at;
    int feeder = 0;  // 1 to 4, 0 for an unknown feeder node
    bool included = false;
    const TreeNode* top = nullptr;
  };
  struct Feeder {
    Point2 at;
    // The direction of its sideways move as a unit vector; (0, 0) when unknown.
    Point2 direction;
  };
  // Components with a numeric position, in tree order.
  std::vector<Part> parts;
  // Feeders 1 to 4; nothing where the position is no number.
  std::array<std::optional<Feeder>, 4> feeders;
  // The turned box around the design positions of all parts, corner by corner.
  std::optional<std::array<Point2, 4>> board;
  // The machine's travel (low and high corner), where all four X and Y limits
  // are set.
  std::optional<std::array<Point2, 2>> workArea;
  // The box around everything above; nothing for an empty scene.
  std::optional<std::array<Point2, 2>> bounds;
};

// Builds the scene in time linear in the tree's size. Parts of either side
// are shown (the program refuses the wrong side, the preview shows it); a
// part whose position is no number is left out. Throws Error when the
// placement settings are unusable (BoardPlacement).
BedScene MakeBedScene(const ComponentTree& tree, const MachineSettings& settings);

}  // namespace tav
