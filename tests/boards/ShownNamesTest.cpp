// SPDX-License-Identifier: GPL-3.0-or-later
// The names the reader shows for what it recognised: each enumerator has its
// own, so a value missing from a name table shows up here.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "boards/ColumnRoles.h"
#include "boards/FieldSplitting.h"
#include "boards/LengthUnits.h"
#include "boards/TextDecoding.h"

namespace tav {
namespace {

// The names of the first `count` enumerators of Enum.
template <typename Enum, typename Name>
std::set<std::string> NamesOf(std::size_t count, Name name) {
  std::set<std::string> names;
  for (std::size_t i = 0; i < count; ++i) names.emplace(name(static_cast<Enum>(i)));
  return names;
}

using Names = std::set<std::string>;

TEST(ShownNames, EveryEnumeratorHasItsOwnName) {
  EXPECT_EQ(NamesOf<TextEncoding>(5, EncodingName),
            (Names{"Windows-1252", "UTF-8", "UTF-8 mit BOM", "UTF-16 LE", "UTF-16 BE"}));
  EXPECT_EQ(NamesOf<Delimiter>(4, DelimiterName),
            (Names{"Tabulator", "Semikolon", "Komma", "Leerzeichen"}));
  // A file without a unit is read in mm.
  EXPECT_EQ(UnitName(LengthUnit::kUnspecified), "mm");
  EXPECT_EQ(NamesOf<LengthUnit>(4, UnitName), (Names{"mm", "mil", "inch"}));
  EXPECT_EQ(NamesOf<ColumnRole>(kColumnRoleCount, RoleName),
            (Names{"Bauteilname", "X", "Y", "Drehung", "Seite", "Wert", "Footprint"}));
}

}  // namespace
}  // namespace tav
