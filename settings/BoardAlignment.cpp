// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/BoardAlignment.h"

#include <cmath>
#include <cstdio>
#include <numbers>

#include "core/ComponentBlock.h"
#include "core/Error.h"

namespace tav {
namespace {

std::string Fixed(double value, int decimals) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
  return buffer;
}

}  // namespace

BoardAlignment AlignBoard(Point2 designA, Point2 designB, Point2 measuredA, Point2 measuredB,
                          BoardSide side) {
  if (side == BoardSide::kBottom) {
    designA.x = -designA.x;
    designB.x = -designB.x;
  }
  const double dx = designB.x - designA.x;
  const double dy = designB.y - designA.y;
  const double mx = measuredB.x - measuredA.x;
  const double my = measuredB.y - measuredA.y;
  BoardAlignment result;
  result.designDistance = std::hypot(dx, dy);
  result.measuredDistance = std::hypot(mx, my);
  if (!(result.designDistance > 0.001))
    throw Error("Die beiden Bauteile liegen an derselben Stelle; bitte zwei entfernte w\xE4hlen");
  result.differenceMm = result.measuredDistance - result.designDistance;
  result.differencePercent = 100 * result.differenceMm / result.designDistance;
  if (!(std::fabs(result.differencePercent) <= kAlignmentRefusePercent))
    throw Error("Der gemessene Abstand weicht um " + Fixed(result.differenceMm, 3) + " mm (" +
                Fixed(result.differencePercent, 2) +
                " %) vom Abstand in der Platine ab (falsches Bauteil oder Tippfehler)");
  result.doubtful = std::fabs(result.differenceMm) > kAlignmentWarnMm;

  const double radians = std::atan2(my, mx) - std::atan2(dy, dx);
  result.rotation = radians * 180 / std::numbers::pi;
  if (result.rotation <= -180) result.rotation += 360;
  if (result.rotation > 180) result.rotation -= 360;
  // The turn and shift that carry the midpoint of the design points onto the
  // midpoint of the measured ones share a length error evenly between both.
  const double c = std::cos(radians);
  const double s = std::sin(radians);
  const Point2 design{(designA.x + designB.x) / 2, (designA.y + designB.y) / 2};
  const Point2 measured{(measuredA.x + measuredB.x) / 2, (measuredA.y + measuredB.y) / 2};
  result.originX = measured.x - (c * design.x - s * design.y);
  result.originY = measured.y - (s * design.x + c * design.y);
  return result;
}

Point2 DesignPositionOf(const ComponentTree& tree, std::string_view designator) {
  for (int row = 0; row < tree.TopLevelCount(); ++row) {
    const TreeNode* top = tree.TopLevel(row);
    if (top->ImageIndex() != icon::kIncluded || top->Text() != designator) continue;
    const ComponentBlock component = ReadComponentBlock(tree, tree.IndexOf(top));
    const std::optional<double> x = ReadPlacementNumber(WithoutAnyUnit(component.x));
    const std::optional<double> y = ReadPlacementNumber(WithoutAnyUnit(component.y));
    if (!x || !y)
      throw Error(FormatMessage("Die Position von %s ist keine Zahl: %s / %s",
                                {designator, component.x, component.y}));
    return {*x, *y};
  }
  throw Error(FormatMessage("Es gibt kein ausgew\xE4hltes Bauteil %s", {designator}));
}

std::pair<std::size_t, std::size_t> FarApartPair(const std::vector<Point2>& points) {
  if (points.size() < 2) return {0, 0};
  // Indices of the smallest and largest x, y, x + y and x − y.
  std::size_t extreme[8] = {0, 0, 0, 0, 0, 0, 0, 0};
  const auto key = [&points](std::size_t i, int k) {
    const Point2& p = points[i];
    return k == 0 ? p.x : k == 1 ? p.y : k == 2 ? p.x + p.y : p.x - p.y;
  };
  for (std::size_t i = 1; i < points.size(); ++i) {
    for (int k = 0; k < 4; ++k) {
      if (key(i, k) < key(extreme[2 * k], k)) extreme[2 * k] = i;
      if (key(i, k) > key(extreme[2 * k + 1], k)) extreme[2 * k + 1] = i;
    }
  }
  std::pair<std::size_t, std::size_t> best{0, 1};
  double bestDistance = -1;
  for (const std::size_t a : extreme) {
    for (const std::size_t b : extreme) {
      const double d = std::hypot(points[a].x - points[b].x, points[a].y - points[b].y);
      if (a < b && d > bestDistance) {
        bestDistance = d;
        best = {a, b};
      }
    }
  }
  return best;
}

void ApplyAlignment(const BoardAlignment& alignment, MachineSettings& settings) {
  settings.originX = MillimetreText(alignment.originX);
  settings.originY = MillimetreText(alignment.originY);
  std::string rotation = Fixed(std::round(alignment.rotation * 1000) / 1000, 3);
  while (rotation.back() == '0') rotation.pop_back();
  if (rotation.back() == '.') rotation.pop_back();
  if (rotation == "-0") rotation = "0";
  settings.boardRotation = rotation;
}

std::string AlignmentText(const BoardAlignment& alignment) {
  MachineSettings shown;
  ApplyAlignment(alignment, shown);
  std::string text =
      "Nullpunkt X " + shown.originX + ", Y " + shown.originY + ", Drehung " + shown.boardRotation +
      "\xB0; Abstand gemessen " + Fixed(alignment.measuredDistance, 3) + " mm, in der Platine " +
      Fixed(alignment.designDistance, 3) + " mm, Abweichung " + Fixed(alignment.differenceMm, 3) +
      " mm (" + Fixed(alignment.differencePercent, 2) + " %)";
  if (alignment.doubtful) text += "; Warnung: mehr als 0.2 mm Abweichung, bitte nachmessen";
  return text;
}

}  // namespace tav
