// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "boards/LengthUnits.h"

namespace tav {

// What a column of a board file holds.
enum class ColumnRole { kDesignator, kX, kY, kRotation, kSide, kValue, kFootprint };
inline constexpr std::size_t kColumnRoleCount = 7;

struct Column {
  int index = -1;    // field position, -1 when the file has no such column
  std::string name;  // as written in the header, for messages
  LengthUnit unit = LengthUnit::kUnspecified;  // from a trailing "(mm)", "(mil)", "(in)"
};

// The columns of a header, by role.
struct ColumnMap {
  std::array<Column, kColumnRoleCount> columns;
  const Column& operator[](ColumnRole role) const noexcept {
    return columns[static_cast<std::size_t>(role)];
  }
  Column& operator[](ColumnRole role) noexcept { return columns[static_cast<std::size_t>(role)]; }
};

// Recognises a header's fields. Names match without regard to case, blanks,
// "-" and "_"; a trailing "(mm)", "(mil)" or "(in)" is the column's unit and
// not part of the name. The first matching column in file order wins; "Ref X"
// and "Ref Y" count only when no other X or Y column exists. Gives nothing
// unless a designator, an X and a Y column are all named.
std::optional<ColumnMap> RecognizeColumns(const std::vector<std::string>& fields);

// The names recognised for a role, as a user would write them.
const std::vector<std::string_view>& ColumnNames(ColumnRole role);

// German name of a role ("Bauteilname", "X", "Y", "Drehung", ...).
std::string_view RoleName(ColumnRole role) noexcept;

}  // namespace tav
