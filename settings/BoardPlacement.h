// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/ComponentBlock.h"
#include "core/ComponentSide.h"
#include "settings/MachineSettings.h"

namespace tav {

// The board side the job places: unset ("–": nothing mirrored, nothing
// checked), the top side or the bottom side.
enum class BoardSide { kUnset, kTop, kBottom };

// The side texts of the field "Seite" and the axis items of "Drehachse".
inline constexpr std::string_view kTopSideText = "Oberseite";
inline constexpr std::string_view kBottomSideText = "Unterseite";
inline constexpr std::string_view kNoAxisText = "keine";

// A point in mm.
struct Point2 {
  double x = 0;
  double y = 0;
};

// One component as the machine sees it: its position texts as the program
// writes them (numbers with "."), their values when the board is moved, and
// its turn where its rotation is a number.
struct PlacedComponent {
  std::string x;
  std::string y;
  std::optional<Point2> position;
  std::optional<double> turn;
};

// Where the board lies on the bed and how its parts must be turned, read once
// from the settings. A design position (x, y) goes to the machine like this:
// on the bottom side x becomes −x (the board is flipped about its Y axis),
// then the point is turned by "Drehung" counter-clockwise about the design's
// origin, then "Nullpunkt" is added. A part's turn is its rotation (on the
// bottom side 180 − rotation) plus "Drehung" minus its feeder's "Winkel",
// normalised to (−180, 180].
class BoardPlacement final {
 public:
  // Throws Error naming the field when "Nullpunkt X/Y", "Drehung" or a feeder's
  // "Winkel" is no number, or "Seite" or "Drehachse" holds an unknown text.
  explicit BoardPlacement(const MachineSettings& settings);

  // Nothing moves: position texts are copied as they stand.
  bool Identity() const noexcept { return identity_; }
  // Any placement setting differs from its default, so part turns matter:
  // the generator lists turned parts and the planner splits kinds by angle.
  bool TurnsMatter() const noexcept { return turnsMatter_; }
  BoardSide Side() const noexcept { return side_; }
  // The rotation axis letter, or 0 without an axis.
  char Axis() const noexcept { return axis_; }
  double Rotation() const noexcept { return rotation_; }

  Point2 Place(Point2 design) const noexcept;
  // The design point as the board lies before turning and shifting: mirrored
  // on the bottom side.
  Point2 Mirrored(Point2 design) const noexcept;
  // The turn of a part of design rotation `rotation` taken from feeder
  // `feeder` (1 to 4; any other number counts with Winkel 0).
  double Turn(double rotation, int feeder) const noexcept;
  // The feeder angle (0 to less than 360) under which a part of design
  // rotation `rotation` needs no turn, rounded to 0.01°.
  double NeededAngle(double rotation) const noexcept;

  // Throws Error naming the part when its side does not match the job's side.
  void CheckSide(const ComponentBlock& component) const;
  // Position texts and turn of a component (the turn only `withTurn`; the
  // position values only when the board is moved, so copying stays cheap).
  // Throws Error naming the part when the board is moved and a position is
  // no number.
  PlacedComponent PlaceComponent(const ComponentBlock& component, bool withTurn = true) const;

 private:
  double originX_ = 0;
  double originY_ = 0;
  double rotation_ = 0;
  double cos_ = 1;
  double sin_ = 0;
  double angles_[4] = {0, 0, 0, 0};
  BoardSide side_ = BoardSide::kUnset;
  char axis_ = 0;
  bool identity_ = true;
  bool turnsMatter_ = false;
};

// A number read with the user's separator or, failing that, with ".".
std::optional<double> ReadPlacementNumber(std::string_view text);
// mm rounded to 0.001 with ".", trailing zeros dropped ("12.5", "-3", "0").
std::string MillimetreText(double mm);
// Degrees normalised to (−180, 180] after rounding to 0.01, with ".", trailing
// zeros dropped ("-90", "180", "12.35").
std::string TurnText(double degrees);
double NormalisedTurn(double degrees) noexcept;
// Degrees rounded to 0.01 with ".", trailing zeros dropped, not normalised.
std::string DegreesText(double degrees);

}  // namespace tav
