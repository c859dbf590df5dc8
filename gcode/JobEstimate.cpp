#include "gcode/JobEstimate.h"

#include <cmath>

#include "core/Error.h"
#include "core/Messages.h"

namespace tav {
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
  return text;
}

void JobEstimate::Travel(Number distance, const Value& feed) {
  if (!summary_.travelMm) return;
  *summary_.travelMm += distance;
  if (!summary_.minutes) return;
  if (distance == 0) return;  // a move that goes nowhere takes no time at any feed
  if (!feed || !(*feed > 0)) {
    summary_.minutes.reset();
    return;
  }
  *summary_.minutes += distance / *feed;
}

void JobEstimate::Move(int axis, const Value& target, const Value& feed) {
  Value& from = position_[static_cast<std::size_t>(axis)];
  if (!from || !target) {
    from = target;
    Unknown();
    return;
  }
  const Number distance = std::fabs(*target - *from);
  from = target;
  Travel(distance, feed);
}

void JobEstimate::MoveXY(const Value& x, const Value& y, const Value& feed) {
  Value& fromX = position_[kX];
  Value& fromY = position_[kY];
  if (!fromX || !fromY || !x || !y) {
    fromX = x;
    fromY = y;
    Unknown();
    return;
  }
  const Number distance = std::hypot(*x - *fromX, *y - *fromY);
  fromX = x;
  fromY = y;
  Travel(distance, feed);
}

void JobEstimate::Dwell(Number seconds) {
  if (summary_.minutes) *summary_.minutes += seconds / 60;
}

}  // namespace tav
