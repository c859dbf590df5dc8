// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/BoardPlacement.h"

#include <cmath>
#include <cstdio>
#include <numbers>

#include "core/DecimalSeparator.h"
#include "core/Error.h"
#include "core/NumberConversion.h"

namespace tav {
namespace {

double SettingNumber(const std::string& text, std::string_view field) {
  if (const std::optional<double> value = ReadPlacementNumber(text)) return *value;
  throw Error(FormatMessage("%s: '%s' ist keine Zahl", {field, text}));
}

// A fixed number of decimals, then trailing zeros and a bare "-0" dropped.
std::string RoundedText(double value, int decimals) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
  std::string text(buffer);
  if (text.find('.') != std::string::npos) {
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
  }
  if (text == "-0") text = "0";
  return text;
}

double RoundTo(double value, double step) { return std::round(value / step) * step; }

}  // namespace

std::optional<double> ReadPlacementNumber(std::string_view text) {
  const char separator = DecimalSeparator();
  std::optional<Number> value = TryTextToNumber(text, separator);
  if (!value && separator != '.') value = TryTextToNumber(text, '.');
  if (!value || !std::isfinite(static_cast<double>(*value))) return std::nullopt;
  return static_cast<double>(*value);
}

std::string MillimetreText(double mm) { return RoundedText(RoundTo(mm, 0.001), 3); }

double NormalisedTurn(double degrees) noexcept {
  double turn = RoundTo(std::fmod(degrees, 360.0), 0.01);
  if (turn <= -180) turn += 360;
  if (turn > 180) turn -= 360;
  return turn;
}

std::string TurnText(double degrees) { return RoundedText(NormalisedTurn(degrees), 2); }

std::string DegreesText(double degrees) { return RoundedText(RoundTo(degrees, 0.01), 2); }

BoardPlacement::BoardPlacement(const MachineSettings& settings) {
  originX_ = SettingNumber(settings.originX, "Nullpunkt X");
  originY_ = SettingNumber(settings.originY, "Nullpunkt Y");
  rotation_ = SettingNumber(settings.boardRotation, "Drehung");
  const double radians = rotation_ * std::numbers::pi / 180;
  cos_ = std::cos(radians);
  sin_ = std::sin(radians);
  // Quarter turns are exact, so a board turned by 90° keeps whole numbers.
  if (std::fmod(rotation_, 90.0) == 0) {
    cos_ = std::round(cos_);
    sin_ = std::round(sin_);
  }
  bool anglesSet = false;
  for (int i = 0; i < 4; ++i) {
    const std::string& text = settings.angles[static_cast<std::size_t>(i)];
    const std::string field = "Feeder " + std::to_string(i + 1) + " Winkel";
    angles_[i] = text.empty() ? 0 : SettingNumber(text, field);
    anglesSet = anglesSet || angles_[i] != 0;
  }
  // "–" is how the window shows the unset side.
  if (settings.boardSide.empty() || settings.boardSide == "\x96" || settings.boardSide == "-")
    side_ = BoardSide::kUnset;
  else if (settings.boardSide == kTopSideText)
    side_ = BoardSide::kTop;
  else if (settings.boardSide == kBottomSideText)
    side_ = BoardSide::kBottom;
  else
    throw Error(FormatMessage("Unbekannte Seite der Platine: \"%s\"", {settings.boardSide}));
  const std::string& axis = settings.rotationAxis;
  if (axis.empty() || axis == kNoAxisText)
    axis_ = 0;
  else if (axis == "A" || axis == "B" || axis == "C")
    axis_ = axis[0];
  else
    throw Error(FormatMessage("Unbekannte Drehachse: \"%s\"", {axis}));
  identity_ = originX_ == 0 && originY_ == 0 && rotation_ == 0 && side_ != BoardSide::kBottom;
  turnsMatter_ = !identity_ || side_ != BoardSide::kUnset || anglesSet || axis_ != 0;
}

Point2 BoardPlacement::Mirrored(Point2 design) const noexcept {
  if (side_ == BoardSide::kBottom) design.x = -design.x;
  return design;
}

Point2 BoardPlacement::Place(Point2 design) const noexcept {
  const Point2 p = Mirrored(design);
  return {originX_ + cos_ * p.x - sin_ * p.y, originY_ + sin_ * p.x + cos_ * p.y};
}

double BoardPlacement::Turn(double rotation, int feeder) const noexcept {
  const double angle = feeder >= 1 && feeder <= 4 ? angles_[feeder - 1] : 0;
  const double onBoard = side_ == BoardSide::kBottom ? 180 - rotation : rotation;
  return NormalisedTurn(onBoard + rotation_ - angle);
}

double BoardPlacement::NeededAngle(double rotation) const noexcept {
  const double angle = Turn(rotation, 0);  // the turn a feeder at 0° would need
  return angle < 0 ? angle + 360 : angle;
}

void BoardPlacement::CheckSide(const ComponentBlock& component) const {
  if (side_ == BoardSide::kUnset) return;
  const ComponentSide side = SideOfLayer(component.side);
  const ComponentSide wanted =
      side_ == BoardSide::kTop ? ComponentSide::kTop : ComponentSide::kBottom;
  if (side == wanted) return;
  const std::string_view placed = side_ == BoardSide::kTop ? kTopSideText : kBottomSideText;
  if (side == ComponentSide::kUnknown)
    throw Error(FormatMessage(
        "Das Bauteil %s liegt auf keiner bekannten Seite (\"%s\"); platziert wird die %s",
        {component.designator, component.side, placed}));
  throw Error(
      FormatMessage("Das Bauteil %s liegt auf der %s; platziert wird die %s",
                    {component.designator,
                     side == ComponentSide::kTop ? kTopSideText : kBottomSideText, placed}));
}

PlacedComponent BoardPlacement::PlaceComponent(const ComponentBlock& component,
                                               bool withTurn) const {
  PlacedComponent placed;
  placed.x = WithoutAnyUnit(component.x);
  placed.y = WithoutAnyUnit(component.y);
  if (!identity_) {
    const std::optional<double> x = ReadPlacementNumber(placed.x);
    const std::optional<double> y = ReadPlacementNumber(placed.y);
    if (x && y) placed.position = Point2{*x, *y};
    if (!placed.position)
      throw Error(FormatMessage("Die Position von %s ist keine Zahl: %s / %s",
                                {component.designator, placed.x, placed.y}));
    placed.position = Place(*placed.position);
    placed.x = MillimetreText(placed.position->x);
    placed.y = MillimetreText(placed.position->y);
  }
  if (!withTurn) return placed;
  const std::string_view rotation = component.rotation;
  if (rotation.find_first_not_of(' ') == std::string_view::npos)
    placed.turn = Turn(0, component.feeder);
  else if (const std::optional<double> r = ReadPlacementNumber(rotation))
    placed.turn = Turn(*r, component.feeder);
  return placed;
}

}  // namespace tav
