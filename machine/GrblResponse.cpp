// SPDX-License-Identifier: GPL-3.0-or-later
#include "machine/GrblResponse.h"

#include <charconv>

namespace tav::machine {
namespace {

std::optional<int> IntegerOf(std::string_view text) {
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<double> NumberOf(std::string_view text) {
  double value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// "x,y,z[,a...]": the first three values; extra axes are ignored.
std::optional<Position> PositionOf(std::string_view text) {
  double values[3];
  for (double& value : values) {
    const std::size_t comma = text.find(',');
    const std::optional<double> number = NumberOf(text.substr(0, comma));
    if (!number) return std::nullopt;
    value = *number;
    text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
  }
  return Position{values[0], values[1], values[2]};
}

StatusReport StatusOf(std::string_view body) {
  StatusReport report;
  bool first = true;
  while (!body.empty()) {
    const std::size_t bar = body.find('|');
    const std::string_view field = body.substr(0, bar);
    body = bar == std::string_view::npos ? std::string_view() : body.substr(bar + 1);
    const std::size_t colon = field.find(':');
    const std::string_view name = field.substr(0, colon);
    const std::string_view value =
        colon == std::string_view::npos ? std::string_view() : field.substr(colon + 1);
    if (first) {
      first = false;
      report.state = std::string(name);
      if (colon != std::string_view::npos) report.subState = IntegerOf(value).value_or(-1);
    } else if (name == "MPos") {
      report.machine = PositionOf(value);
    } else if (name == "WPos") {
      report.work = PositionOf(value);
    } else if (name == "WCO") {
      report.offset = PositionOf(value);
    } else if (name == "Bf") {
      const std::size_t comma = value.find(',');
      if (comma != std::string_view::npos) {
        report.plannerBlocksFree = IntegerOf(value.substr(0, comma));
        report.receiveBytesFree = IntegerOf(value.substr(comma + 1));
      }
    }
  }
  return report;
}

}  // namespace

GrblResponse ParseGrblResponse(std::string_view line) {
  GrblResponse response;
  if (line == "ok") {
    response.kind = GrblResponse::Kind::kOk;
  } else if (line.starts_with("error:") && IntegerOf(line.substr(6))) {
    response.kind = GrblResponse::Kind::kError;
    response.code = *IntegerOf(line.substr(6));
  } else if (line.starts_with("ALARM:") && IntegerOf(line.substr(6))) {
    response.kind = GrblResponse::Kind::kAlarm;
    response.code = *IntegerOf(line.substr(6));
  } else if (line.size() >= 2 && line.front() == '<' && line.back() == '>') {
    response.kind = GrblResponse::Kind::kStatus;
    response.status = StatusOf(line.substr(1, line.size() - 2));
  } else if (line.starts_with("[MSG:") && line.back() == ']') {
    response.kind = GrblResponse::Kind::kMessage;
    response.text = std::string(line.substr(5, line.size() - 6));
  } else if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
    response.kind = GrblResponse::Kind::kFeedback;
    response.text = std::string(line);
  } else if (line.starts_with("Grbl ")) {
    response.kind = GrblResponse::Kind::kBanner;
    response.text = std::string(line);
  } else {
    response.text = std::string(line);
  }
  return response;
}

}  // namespace tav::machine
