// SPDX-License-Identifier: GPL-3.0-or-later
#include "plan/SetupSheet.h"

#include <gtest/gtest.h>

#include <string>

#include "core/LineList.h"
#include "plan/PlanTestSupport.h"

namespace tav {
namespace {

using test::AddPart;

TEST(SetupSheet, ListsEachPassFeederByFeeder) {
  ComponentTree tree;
  AddPart(tree, "R1", "10k", "0805");
  AddPart(tree, "C1", "", "");  // no value, no footprint
  AddPart(tree, "R2", "10k", "0805");
  AddPart(tree, "X1", "10k", "0805", false);
  for (const char* kind : {"a", "b", "c", "d"}) AddPart(tree, std::string("K") + kind, kind, "f");
  const std::string sheet = SetupSheet(PassPlan::Make(tree));

  const std::string expected =
      "Einrichtung der Feeder\r\n"
      "======================\r\n"
      "\r\n"
      "7 Bauteile in 6 Bauteilarten, 2 Durchg\xE4nge.\r\n"
      "Nicht eingeplant, weil ausgeschlossen: 1 Bauteil.\r\n"
      "\r\n"
      "Durchgang 1 von 2: 5 Bauteile, Programm durchgang-1.nc\r\n"
      "------------------------------------------------------\r\n"
      "  Feeder 1: 10k, 0805, 2 St\xFC"
      "ck\r\n"
      "            R1, R2\r\n"
      "  Feeder 2: (ohne Wert), (ohne Footprint), 1 St\xFC"
      "ck\r\n"
      "            C1\r\n"
      "  Feeder 3: a, f, 1 St\xFC"
      "ck\r\n"
      "            Ka\r\n"
      "  Feeder 4: b, f, 1 St\xFC"
      "ck\r\n"
      "            Kb\r\n"
      "\r\n"
      "Durchgang 2 von 2: 2 Bauteile, Programm durchgang-2.nc\r\n"
      "------------------------------------------------------\r\n"
      "  Feeder 1: c, f, 1 St\xFC"
      "ck\r\n"
      "            Kc\r\n"
      "  Feeder 2: d, f, 1 St\xFC"
      "ck\r\n"
      "            Kd\r\n"
      "  Feeder 3: frei\r\n"
      "  Feeder 4: frei\r\n"
      "\r\n"
      "Summe: 7 Bauteile in 2 Durchg\xE4ngen.\r\n";
  EXPECT_EQ(sheet, expected);
}

TEST(SetupSheet, WrapsLongDesignatorListsAndWarnsAboutBothSides) {
  ComponentTree tree;
  for (int i = 1; i <= 60; ++i) AddPart(tree, "C" + std::to_string(i), "100n", "0402");
  AddPart(tree, "R1", "10k", "0805", true, "Bottom");
  const std::string sheet = SetupSheet(PassPlan::Make(tree), /*namePrograms=*/false);
  EXPECT_EQ(sheet.find("Programm"), std::string::npos);
  EXPECT_NE(sheet.find("Achtung: Bauteile auf Ober- und Unterseite (60 oben, 1 unten)."),
            std::string::npos);

  // Every line ends with CR LF, none is longer than a printed page allows, and
  // each designator appears once.
  EXPECT_TRUE(sheet.ends_with("\r\n"));
  EXPECT_EQ(JoinLines(SplitLines(sheet)), sheet);
  std::string designators;
  for (const std::string& line : SplitLines(sheet)) {
    EXPECT_LE(line.size(), 78u) << line;
    if (line.starts_with("            ")) designators += line.substr(12) + " ";
  }
  EXPECT_NE(designators.find("C59, C60 "), std::string::npos) << designators;
  EXPECT_NE(designators.find("C1, C2,"), std::string::npos);
  EXPECT_EQ(designators.find("C1, C1,"), std::string::npos);
}

TEST(SetupSheet, EmptyPlanSaysSo) {
  ComponentTree tree;
  AddPart(tree, "R1", "10k", "0805", false);
  const std::string sheet = SetupSheet(PassPlan::Make(tree));
  EXPECT_NE(sheet.find("Kein Bauteil ist eingeschlossen"), std::string::npos);
  EXPECT_EQ(sheet.find("Durchgang 1"), std::string::npos);
}

}  // namespace
}  // namespace tav
