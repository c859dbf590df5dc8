// SPDX-License-Identifier: GPL-3.0-or-later
#include "gcode/BedScene.h"

#include <algorithm>

#include "core/ComponentBlock.h"
#include "core/Error.h"
#include "gcode/ProgramCheck.h"

namespace tav {
namespace {

struct Box {
  double minX = 0, minY = 0, maxX = 0, maxY = 0;
  bool empty = true;

  void Add(Point2 p) {
    if (empty) {
      minX = maxX = p.x;
      minY = maxY = p.y;
      empty = false;
      return;
    }
    minX = std::min(minX, p.x);
    maxX = std::max(maxX, p.x);
    minY = std::min(minY, p.y);
    maxY = std::max(maxY, p.y);
  }
};

}  // namespace

BedScene MakeBedScene(const ComponentTree& tree, const MachineSettings& settings) {
  const BoardPlacement placement(settings);
  BedScene scene;
  Box design;
  Box all;
  scene.parts.reserve(static_cast<std::size_t>(tree.TopLevelCount()));
  for (int row = 0; row < tree.TopLevelCount(); ++row) {
    const TreeNode* top = tree.TopLevel(row);
    ComponentBlock component;
    try {
      component = ReadComponentBlock(tree, tree.IndexOf(top));
    } catch (const Error&) {
      continue;  // not shaped like a component: nothing to draw
    }
    const std::optional<double> x = ReadPlacementNumber(WithoutAnyUnit(component.x));
    const std::optional<double> y = ReadPlacementNumber(WithoutAnyUnit(component.y));
    if (!x || !y) continue;
    design.Add(placement.Mirrored({*x, *y}));
    const Point2 at = placement.Place({*x, *y});
    all.Add(at);
    scene.parts.push_back({at, component.feeder, component.included, top});
  }
  if (!design.empty) {
    // Placing the mirrored box corners again would mirror twice: turn and
    // shift them through a placement without a side.
    MachineSettings unmirrored = settings;
    unmirrored.boardSide = "";
    const BoardPlacement turn(unmirrored);
    scene.board = std::array<Point2, 4>{
        turn.Place({design.minX, design.minY}), turn.Place({design.maxX, design.minY}),
        turn.Place({design.maxX, design.maxY}), turn.Place({design.minX, design.maxY})};
    for (const Point2& corner : *scene.board) all.Add(corner);
  }
  for (int i = 0; i < 4; ++i) {
    const FeederSettings& feeder = settings.feeders[static_cast<std::size_t>(i)];
    const std::optional<double> x = ReadPlacementNumber(feeder.x);
    const std::optional<double> y = ReadPlacementNumber(feeder.y);
    if (!x || !y) continue;
    BedScene::Feeder shown{{*x, *y}, {0, 0}};
    if (const std::optional<FeederDirection> d = LookupDirection(feeder.direction)) {
      const double sign = d->sign == '-' ? -1 : 1;
      shown.direction = d->axis == 'X' ? Point2{sign, 0} : Point2{0, sign};
    }
    scene.feeders[static_cast<std::size_t>(i)] = shown;
    all.Add(shown.at);
  }
  const WorkArea travel = ReadWorkArea(settings);
  if (travel.xMin && travel.xMax && travel.yMin && travel.yMax) {
    const Point2 low{static_cast<double>(*travel.xMin), static_cast<double>(*travel.yMin)};
    const Point2 high{static_cast<double>(*travel.xMax), static_cast<double>(*travel.yMax)};
    scene.workArea = std::array<Point2, 2>{{low, high}};
    all.Add(low);
    all.Add(high);
  }
  if (!all.empty)
    scene.bounds = std::array<Point2, 2>{{{all.minX, all.minY}, {all.maxX, all.maxY}}};
  return scene;
}

}  // namespace tav
