// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/ComponentTree.h"
#include "settings/BoardPlacement.h"
#include "settings/MachineSettings.h"

namespace tav {

// Where the board lies, found from two parts whose centres were measured on
// the machine: a rigid turn and shift of the design points (mirrored first on
// the bottom side) onto the measured points.
struct BoardAlignment {
  double originX = 0;
  double originY = 0;
  double rotation = 0;  // degrees counter-clockwise, in (−180, 180]
  double designDistance = 0;
  double measuredDistance = 0;
  double differenceMm = 0;       // measured minus design distance
  double differencePercent = 0;  // of the design distance
  // The distances differ by more than kAlignmentWarnMm: worth a second look.
  bool doubtful = false;
};

inline constexpr double kAlignmentWarnMm = 0.2;
inline constexpr double kAlignmentRefusePercent = 1.0;

// Throws Error when the two design points coincide, and when the distances
// differ by more than kAlignmentRefusePercent (a wrong part or a typo).
BoardAlignment AlignBoard(Point2 designA, Point2 designB, Point2 measuredA, Point2 measuredB,
                          BoardSide side);

// The design position of the included component `designator`. Throws Error
// naming it when there is no such included part or its position is no number.
Point2 DesignPositionOf(const ComponentTree& tree, std::string_view designator);

// Two points far apart, as the preset pair of an alignment: the farthest pair
// among the points extreme along X, Y and both diagonals (linear time). Their
// indices in `points`, the first smaller; {0, 0} for fewer than two points.
std::pair<std::size_t, std::size_t> FarApartPair(const std::vector<Point2>& points);

// Sets "Nullpunkt X/Y" (0.001 mm) and "Drehung" (0.001°) from the alignment.
void ApplyAlignment(const BoardAlignment& alignment, MachineSettings& settings);

// One line for the user: the result and how far the distances differ, with
// a warning when they differ by more than kAlignmentWarnMm.
std::string AlignmentText(const BoardAlignment& alignment);

}  // namespace tav
