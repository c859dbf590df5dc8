// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/NumberConversion.h"

namespace tav {

// What a generated program does, as far as its own text tells: the parts it
// places, the length of its moves and their time at the feeds written on the
// lines (mm/min, as "G21" says). An estimate only: the controller's
// acceleration is ignored, and rapid moves ("G00") are counted at the travel
// feed, as a controller moves them at its own rate whatever their F word.
// The machine is taken to start at X0 Y0 Z0.
struct JobSummary {
  int parts = 0;
  // Nothing when a coordinate or feed of the program is not a plain number
  // (a parameter or an expression) or a feed is not above 0.
  std::optional<Number> travelMm;
  std::optional<Number> minutes;
  // Without a rotation axis, once part turns matter: the parts that lie turned
  // against their feeder's angle (designators in program order).
  std::vector<std::string> turnedParts;
};

// The summary in German, one item a line, numbers with the user's separator:
// "Bauteile platziert: 3", "Verfahrweg: 123,5 mm", "Geschätzte Dauer: 2 min 05 s",
// then, where there are any, "anders gedreht als sein Feeder: R1, R2" (the
// first 20 named, then how many more).
std::string JobSummaryText(const JobSummary& summary);

// The machine's travel: the targets a program may move to. No limit where a
// value is missing; a target on a limit is inside.
struct WorkArea {
  std::optional<Number> xMin, xMax, yMin, yMax, zMin;

  bool Limited() const { return xMin || xMax || yMin || yMax || zMin; }
};

// Follows the moves of a program while it is generated. It sees every move's
// target as a number, so it also keeps the program inside the machine's
// travel: a target outside the work area throws Error naming the place the
// moves visit (Visit) and the coordinate.
class JobEstimate final {
 public:
  using Value = std::optional<Number>;  // nothing: not a plain number

  static constexpr int kX = 0;
  static constexpr int kY = 1;
  static constexpr int kZ = 2;

  void SetWorkArea(const WorkArea& area) {
    area_ = area;
    limited_ = area.Limited();
  }
  bool Limited() const { return limited_; }
  // What the next moves visit, for a refusal ("Feeder 1 (R1)", "R1").
  void Visit(std::string place) { place_ = std::move(place); }

  // A move of one axis, or of X and Y together, at `feed` mm/min.
  void Move(int axis, const Value& target, const Value& feed) {
    if (limited_ && target) CheckTarget(axis, *target);
    if (!known_) return;
    if (!target) return Unknown();
    double& from = position_[static_cast<std::size_t>(axis)];
    const double to = static_cast<double>(*target);
    const double distance = to > from ? to - from : from - to;
    from = to;
    Travel(distance, feed);
  }
  void MoveXY(const Value& x, const Value& y, const Value& feed);
  void Dwell(Number seconds);
  void CountPart() { ++parts_; }

  JobSummary Summary() const;

 private:
  void Travel(double distance, const Value& feed) {
    travel_ += distance;
    if (distance == 0) return;  // a move that goes nowhere takes no time at any feed
    if (!feed || !(*feed > 0))
      timeKnown_ = false;
    else
      minutes_ += distance / static_cast<double>(*feed);
  }
  void CheckTarget(int axis, Number target) const;

  // A move to a place that is no plain number: from here on the head's
  // position, and so the travel and the time, are unknown.
  void Unknown() { known_ = false; }

  // Doubles are plenty for an estimate and keep the walk cheap.
  std::array<double, 3> position_{0, 0, 0};
  double travel_ = 0;
  double minutes_ = 0;
  int parts_ = 0;
  bool known_ = true;
  bool timeKnown_ = true;
  WorkArea area_;
  bool limited_ = false;
  std::string place_;
};

}  // namespace tav
