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

TEST(ShownNames, EveryEnumeratorHasItsOwnName) {
  EXPECT_EQ(EncodingName(TextEncoding::kWindows1252), "Windows-1252");
  EXPECT_EQ(EncodingName(TextEncoding::kUtf8), "UTF-8");
  EXPECT_EQ(EncodingName(TextEncoding::kUtf8WithMark), "UTF-8 mit BOM");
  EXPECT_EQ(EncodingName(TextEncoding::kUtf16Le), "UTF-16 LE");
  EXPECT_EQ(EncodingName(TextEncoding::kUtf16Be), "UTF-16 BE");

  EXPECT_EQ(DelimiterName(Delimiter::kTab), "Tabulator");
  EXPECT_EQ(DelimiterName(Delimiter::kSemicolon), "Semikolon");
  EXPECT_EQ(DelimiterName(Delimiter::kComma), "Komma");
  EXPECT_EQ(DelimiterName(Delimiter::kBlanks), "Leerzeichen");

  EXPECT_EQ(UnitName(LengthUnit::kUnspecified), "mm");
  EXPECT_EQ(UnitName(LengthUnit::kMm), "mm");
  EXPECT_EQ(UnitName(LengthUnit::kMil), "mil");
  EXPECT_EQ(UnitName(LengthUnit::kInch), "inch");

  std::set<std::string> roles;
  for (std::size_t role = 0; role < kColumnRoleCount; ++role)
    roles.emplace(RoleName(static_cast<ColumnRole>(role)));
  EXPECT_EQ(roles, (std::set<std::string>{"Bauteilname", "X", "Y", "Drehung", "Seite", "Wert",
                                          "Footprint"}));
}

}  // namespace
}  // namespace tav
