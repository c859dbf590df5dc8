// SPDX-License-Identifier: GPL-3.0-or-later
#include "boards/LegacyReader.h"

#include <cstdint>
#include <optional>
#include <string>

#include "boards/BoardLines.h"
#include "boards/BoardNumbers.h"
#include "boards/HeaderDetection.h"
#include "boards/LengthUnits.h"
#include "core/ComponentBlock.h"
#include "core/Error.h"
#include "core/Messages.h"
#include "core/TextOperations.h"

namespace tav {
namespace {

// Fields of a row, counted from 0; fields 4 to 7 and after 10 are not read.
enum Field : std::size_t {
  kDesignator = 0,
  kFootprint = 1,
  kX = 2,
  kY = 3,
  kLayer = 8,
  kRotation = 9,
  kComment = 10,
  kFieldCount = 11
};

constexpr std::size_t kFirstRow = 2;

// The line without double quotes; `buffer` holds the text when there were any.
std::string_view WithoutQuotes(std::string_view line, std::string& buffer) {
  if (line.find('"') == std::string_view::npos) return line;
  buffer.clear();
  for (const char c : line) {
    if (c != '"') buffer.push_back(c);
  }
  return buffer;
}

// Cuts at every ",": no quoting, escaping or trimming.
void SplitAtCommas(std::string_view line, std::vector<std::string_view>& fields) {
  fields.clear();
  std::size_t start = 0;
  while (true) {
    const std::size_t comma = line.find(',', start);
    if (comma == std::string_view::npos) {
      fields.push_back(line.substr(start));
      return;
    }
    fields.push_back(line.substr(start, comma - start));
    start = comma + 1;
  }
}

std::string DecimalText(std::size_t value) {
  return IntegerToText(static_cast<std::int64_t>(value));
}

// Reads one coordinate; a value in mil or inches gets the text of its value in mm.
Number Coordinate(std::string& text, std::size_t line, std::size_t field, const char* axis,
                  unsigned& unitsSeen) {
  const UnitSuffix suffix = SplitUnitSuffix(text);
  const bool converted = suffix.unit == LengthUnit::kMil || suffix.unit == LengthUnit::kInch;
  try {
    if (!converted) {
      unitsSeen |= 1U << static_cast<unsigned>(LengthUnit::kMm);
      return BoardNumber(WithoutFirstUnit(text));
    }
    unitsSeen |= 1U << static_cast<unsigned>(suffix.unit);
    const Number millimetres = ToMillimetres(BoardNumber(suffix.number), suffix.unit);
    text = MillimetreText(millimetres);
    return millimetres;
  } catch (const Error& error) {
    throw Error(FormatMessage(
        msg::kAtField, {DecimalText(line + 1), DecimalText(field + 1), axis, error.message()}));
  }
}

}  // namespace

bool IsLegacyLayout(LineSource& lines) {
  std::string_view line;
  if (!lines.Next(line) || !lines.Next(line)) return false;
  std::string buffer;
  if (!IsBlankLine(WithoutQuotes(line, buffer))) return false;
  std::vector<std::string> scratch;
  std::vector<std::string_view> fields;
  while (lines.Next(line)) {
    if (HeaderOfLine(line, scratch)) return false;
    SplitAtCommas(WithoutQuotes(line, buffer), fields);
    if (fields.size() >= kFieldCount) return true;
  }
  return true;
}

bool IsLegacyLayout(const std::vector<std::string_view>& lines) {
  LineListSource source(lines);
  return IsLegacyLayout(source);
}

std::size_t ReadLegacyRows(LineSource& lines, unsigned& unitsSeen, const ComponentSink& sink) {
  std::size_t count = 0;
  BoardComponent component;
  std::string buffer;
  std::vector<std::string_view> fields;
  // Rows are all read; the error of the bottom-most faulty row is the one
  // reported, as when rows are checked from the last upwards.
  std::optional<Error> fault;
  // A short line is a fault only once a line follows it: a short last line is no row.
  std::optional<std::string> shortLine;
  std::string_view line;
  for (std::size_t i = kFirstRow; lines.Next(line); ++i) {
    if (shortLine) fault.emplace(std::move(*shortLine));
    shortLine.reset();
    SplitAtCommas(WithoutQuotes(line, buffer), fields);
    if (fields.size() < kFieldCount) {
      shortLine =
          fields.size() == 1
              ? FormatMessage(msg::kTooFewFieldsOne, {DecimalText(i + 1)})
              : FormatMessage(msg::kTooFewFields, {DecimalText(i + 1), DecimalText(fields.size())});
      continue;
    }
    component.designator = fields[kDesignator];
    component.footprint = fields[kFootprint];
    component.side = fields[kLayer];
    component.rotation = fields[kRotation];
    component.value = fields[kComment];
    component.x = fields[kX];
    component.y = fields[kY];
    try {
      component.xMm = Coordinate(component.x, i, kX, "X", unitsSeen);
      component.yMm = Coordinate(component.y, i, kY, "Y", unitsSeen);
    } catch (const Error& error) {
      fault = error;
      continue;
    }
    if (fault) continue;
    sink(component);
    ++count;
  }
  if (fault) throw *fault;
  return count;
}

}  // namespace tav
