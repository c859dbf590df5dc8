// SPDX-License-Identifier: GPL-3.0-or-later
#include "boards/ColumnRoles.h"

#include "boards/BoardLines.h"

namespace tav {
namespace {

// Lower-case ASCII without blanks, "-" and "_".
std::string Normalized(std::string_view name) {
  std::string out;
  out.reserve(name.size());
  for (const char c : name) {
    if (c == ' ' || c == '\t' || c == '-' || c == '_') continue;
    out.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
  }
  return out;
}

// Removes a unit in brackets from the end of a normalised name.
LengthUnit TakeUnit(std::string& name) {
  if (name.empty() || name.back() != ')') return LengthUnit::kUnspecified;
  const std::size_t open = name.rfind('(');
  if (open == std::string::npos) return LengthUnit::kUnspecified;
  const LengthUnit unit =
      UnitOfWord(std::string_view(name).substr(open + 1, name.size() - open - 2));
  if (unit != LengthUnit::kUnspecified) name.erase(open);
  return unit;
}

// "Ref X" and "Ref Y" are the fallbacks of the X and Y columns.
constexpr std::string_view kRefX = "Ref X";
constexpr std::string_view kRefY = "Ref Y";

struct NameTable {
  std::array<std::vector<std::string_view>, kColumnRoleCount> names = {{
      {"Designator", "Ref", "RefDes", "Reference"},
      {"Mid X", "Center-X", "PosX", "X"},
      {"Mid Y", "Center-Y", "PosY", "Y"},
      {"Rotation", "Rot", "Rotate", "Angle"},
      {"Layer", "Side", "TB"},
      {"Comment", "Val", "Value"},
      {"Footprint", "Package", "Pattern"},
  }};
  std::array<std::vector<std::string>, kColumnRoleCount> normalized;
  NameTable() {
    for (std::size_t role = 0; role < kColumnRoleCount; ++role) {
      for (const std::string_view name : names[role]) normalized[role].push_back(Normalized(name));
    }
  }
};

const NameTable& Names() {
  static const NameTable table;
  return table;
}

bool Matches(const std::vector<std::string>& names, const std::string& name) {
  for (const std::string& candidate : names) {
    if (candidate == name) return true;
  }
  return false;
}

}  // namespace

std::optional<ColumnMap> RecognizeColumns(const std::vector<std::string>& fields) {
  const NameTable& table = Names();
  const std::string refX = Normalized(kRefX);
  const std::string refY = Normalized(kRefY);
  ColumnMap map;
  Column fallbackX;
  Column fallbackY;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    std::string name = Normalized(fields[i]);
    const LengthUnit unit = TakeUnit(name);
    const Column column{static_cast<int>(i), std::string(TrimBlanks(fields[i])), unit};
    if (name == refX && fallbackX.index < 0) fallbackX = column;
    if (name == refY && fallbackY.index < 0) fallbackY = column;
    for (std::size_t role = 0; role < kColumnRoleCount; ++role) {
      if (map.columns[role].index < 0 && Matches(table.normalized[role], name)) {
        map.columns[role] = column;
        break;
      }
    }
  }
  if (map[ColumnRole::kX].index < 0) map[ColumnRole::kX] = fallbackX;
  if (map[ColumnRole::kY].index < 0) map[ColumnRole::kY] = fallbackY;
  if (map[ColumnRole::kDesignator].index < 0 || map[ColumnRole::kX].index < 0 ||
      map[ColumnRole::kY].index < 0)
    return std::nullopt;
  return map;
}

const std::vector<std::string_view>& ColumnNames(ColumnRole role) {
  return Names().names[static_cast<std::size_t>(role)];
}

std::string_view RoleName(ColumnRole role) noexcept {
  // In the order of the roles, as the name table above.
  static constexpr std::array<std::string_view, kColumnRoleCount> kShown{
      "Bauteilname", "X", "Y", "Drehung", "Seite", "Wert", "Footprint"};
  return kShown[static_cast<std::size_t>(role)];
}

}  // namespace tav
