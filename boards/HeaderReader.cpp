// SPDX-License-Identifier: GPL-3.0-or-later
#include "boards/HeaderReader.h"

#include <cstdint>
#include <string>
#include <utility>

#include "boards/BoardLines.h"
#include "boards/BoardNumbers.h"
#include "boards/KiCadPos.h"
#include "core/Error.h"
#include "core/Messages.h"

namespace tav {
namespace {

bool AllEmpty(const std::vector<std::string_view>& fields) {
  for (const std::string_view field : fields) {
    if (!field.empty()) return false;
  }
  return true;
}

std::string LineNumber(std::size_t index) {
  return IntegerToText(static_cast<std::int64_t>(index) + 1);
}

class RowReader {
 public:
  RowReader(const BoardHeader& header, unsigned& unitsSeen)
      : header_(header), unitsSeen_(unitsSeen) {}

  void Read(const std::vector<std::string_view>& fields, std::size_t line,
            BoardComponent& component) {
    // Assigned, not moved: the component's strings keep their room from row to row.
    component.designator = Take(fields, ColumnRole::kDesignator);
    if (component.designator.empty()) {
      throw Error(
          FormatMessage(msg::kNoDesignator, {LineNumber(line), Of(ColumnRole::kDesignator).name}));
    }
    component.value = Take(fields, ColumnRole::kValue);
    component.footprint = Take(fields, ColumnRole::kFootprint);
    component.side = Take(fields, ColumnRole::kSide);
    component.rotation = Take(fields, ColumnRole::kRotation);
    component.x = Take(fields, ColumnRole::kX);
    component.y = Take(fields, ColumnRole::kY);
    component.xMm = Coordinate(component.x, ColumnRole::kX, line);
    component.yMm = Coordinate(component.y, ColumnRole::kY, line);
  }

 private:
  const Column& Of(ColumnRole role) const noexcept { return header_.columns[role]; }

  std::string_view Take(const std::vector<std::string_view>& fields, ColumnRole role) const {
    const int index = Of(role).index;
    if (index < 0 || static_cast<std::size_t>(index) >= fields.size()) return {};
    return fields[static_cast<std::size_t>(index)];
  }

  // Reads the coordinate in `text` and, unless it is in mm, replaces the text
  // with its value in mm.
  Number Coordinate(std::string& text, ColumnRole role, std::size_t line) {
    const Column& column = Of(role);
    const UnitSuffix suffix = SplitUnitSuffix(text);
    LengthUnit unit = suffix.unit;
    if (unit == LengthUnit::kUnspecified) unit = column.unit;
    if (unit == LengthUnit::kUnspecified) unit = header_.fileUnit;
    if (unit == LengthUnit::kUnspecified) unit = LengthUnit::kMm;
    unitsSeen_ |= 1U << static_cast<unsigned>(unit);
    Number value = 0;
    try {
      value = BoardNumber(suffix.number);
    } catch (const Error& error) {
      throw Error(FormatMessage(msg::kAtColumn, {LineNumber(line), column.name, error.message()}));
    }
    if (unit == LengthUnit::kMm) return value;
    const Number millimetres = ToMillimetres(value, unit);
    text = MillimetreText(millimetres);
    return millimetres;
  }

  const BoardHeader& header_;
  unsigned& unitsSeen_;
};

}  // namespace

std::size_t ReadHeaderRows(LineSource& lines, const BoardHeader& header, unsigned& unitsSeen,
                           const ComponentSink& sink) {
  std::size_t count = 0;
  BoardComponent component;
  std::vector<std::string_view> fields;
  std::string unquoted;
  RowReader reader(header, unitsSeen);
  std::string_view line;
  for (std::size_t i = header.line + 1; lines.Next(line); ++i) {
    if (IsBlankLine(line) || IsCommentLine(line)) continue;
    SplitBoardFieldViews(line, header.delimiter, fields, unquoted);
    // A line without any delimiter ("Total parts: 10", "End of file") is a
    // note, not a row: it cannot hold a designator and two coordinates.
    if (fields.size() < 2 || AllEmpty(fields)) continue;
    reader.Read(fields, i, component);
    sink(component);
    ++count;
  }
  return count;
}

}  // namespace tav
