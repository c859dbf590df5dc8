// SPDX-License-Identifier: GPL-3.0-or-later
#include "gcode/JobEstimate.h"

#include <cmath>

#include "core/Error.h"
#include "core/Messages.h"

namespace tav {
namespace msg {
inline constexpr const char* kOutsideTravel =
    "%s: das Ziel %s %s liegt au\xDF"
    "erhalb des Verfahrbereichs (%s).";
inline constexpr const char* kBelowLowestZ = "%s: das Ziel Z %s liegt unter der tiefsten Z (%s).";
}  // namespace msg
namespace {

std::string Duration(Number minutes) {
  const long long seconds = std::llround(static_cast<double>(minutes * 60));
  const long long h = seconds / 3600;
  const long long m = seconds / 60 % 60;
  const long long s = seconds % 60;
  const auto twoDigits = [](long long v) { return (v < 10 ? "0" : "") + IntegerToText(v); };
  if (h > 0) return IntegerToText(h) + " h " + twoDigits(m) + " min " + twoDigits(s) + " s";
  if (m > 0) return IntegerToText(m) + " min " + twoDigits(s) + " s";
  return IntegerToText(s) + " s";
}

}  // namespace

std::string JobSummaryText(const JobSummary& summary) {
  std::string text = FormatMessage(msg::kSummaryParts, {IntegerToText(summary.parts)});
  text += '\n';
  // Tenths of a millimetre are as exact as an estimate gets.
  const std::string travel = summary.travelMm
                                 ? NumberToText(std::round(*summary.travelMm * 10) / 10) + " mm"
                                 : std::string(msg::kSummaryUnknown);
  text += FormatMessage(msg::kSummaryTravel, {travel});
  text += '\n';
  const bool timeKnown = summary.minutes && std::isfinite(*summary.minutes) &&
                         *summary.minutes < 1e12L;  // beyond any real job
  text += FormatMessage(msg::kSummaryTime,
                        {timeKnown ? Duration(*summary.minutes) : msg::kSummaryUnknown});
  if (!summary.turnedParts.empty()) {
    constexpr std::size_t kNamed = 20;
    text += "\nanders gedreht als sein Feeder: ";
    const std::size_t count = summary.turnedParts.size();
    for (std::size_t i = 0; i < count && i < kNamed; ++i) {
      if (i > 0) text += ", ";
      text += summary.turnedParts[i];
    }
    if (count > kNamed) text += " und " + std::to_string(count - kNamed) + " weitere";
  }
  return text;
}

void JobEstimate::CheckTarget(int axis, Number target) const {
  if (axis == kZ) {
    if (area_.zMin && target < *area_.zMin)
      throw Error(FormatMessage(msg::kBelowLowestZ, {place_, NumberToText(target, 15, 0, '.'),
                                                     NumberToText(*area_.zMin, 15, 0, '.')}));
    return;
  }
  const std::optional<Number>& low = axis == kX ? area_.xMin : area_.yMin;
  const std::optional<Number>& high = axis == kX ? area_.xMax : area_.yMax;
  if ((!low || target >= *low) && (!high || target <= *high)) return;
  const std::string letter(1, axis == kX ? 'X' : 'Y');
  std::string range = letter;
  if (low) range += " von " + NumberToText(*low, 15, 0, '.');
  if (high) range += " bis " + NumberToText(*high, 15, 0, '.');
  throw Error(FormatMessage(msg::kOutsideTravel,
                            {place_, letter, NumberToText(target, 15, 0, '.'), range}));
}

void JobEstimate::MoveXY(const Value& x, const Value& y, const Value& feed) {
  if (limited_) {
    if (x) CheckTarget(kX, *x);
    if (y) CheckTarget(kY, *y);
  }
  if (!known_) return;
  if (!x || !y) return Unknown();
  const double dx = static_cast<double>(*x) - position_[kX];
  const double dy = static_cast<double>(*y) - position_[kY];
  position_[kX] = static_cast<double>(*x);
  position_[kY] = static_cast<double>(*y);
  Travel(std::sqrt(dx * dx + dy * dy), feed);
}

void JobEstimate::Dwell(Number seconds) { minutes_ += static_cast<double>(seconds) / 60; }

JobSummary JobEstimate::Summary() const {
  JobSummary summary;
  summary.parts = parts_;
  if (known_) summary.travelMm = travel_;
  if (known_ && timeKnown_) summary.minutes = minutes_;
  return summary;
}

}  // namespace tav
