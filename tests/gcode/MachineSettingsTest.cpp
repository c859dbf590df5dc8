// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/MachineSettings.h"

#include <gtest/gtest.h>

namespace tav {
namespace {

TEST(MachineSettingsTest, DefaultsAreTheWindowsInitialTexts) {
  const MachineSettings s;
  EXPECT_EQ(s.maxPartHeight, "0.00");
  EXPECT_EQ(s.travelFeed, "20");
  EXPECT_EQ(s.liftFeed, "2");
  EXPECT_EQ(s.placeFeed, "2");
  EXPECT_EQ(s.valveOnCode, "M1");
  EXPECT_EQ(s.valveDelay, "0.5");
  for (int n = 1; n <= 4; ++n) {
    const FeederSettings& f = *s.Feeder(n);
    EXPECT_EQ(f.x, "0.00");
    EXPECT_EQ(f.y, "0.00");
    EXPECT_EQ(f.z, "0.00");
    EXPECT_EQ(f.offset, "0.00");
    EXPECT_EQ(f.direction, "Rechts");
    EXPECT_EQ(s.angles[static_cast<std::size_t>(n - 1)], "0");
  }
  for (const std::string& field : s.alignmentPockets) EXPECT_EQ(field, "0.00");
}

TEST(MachineSettingsTest, FeederLookupByNumberOneToFour) {
  MachineSettings s;
  for (int n = 1; n <= 4; ++n) {
    ASSERT_NE(s.Feeder(n), nullptr);
    s.Feeder(n)->x = std::to_string(n);
  }
  for (int n = 1; n <= 4; ++n)
    EXPECT_EQ(s.feeders[static_cast<std::size_t>(n - 1)].x, std::to_string(n));
  for (const int n : {-1, 0, 5, 10}) {
    EXPECT_EQ(s.Feeder(n), nullptr) << n;
    EXPECT_EQ(std::as_const(s).Feeder(n), nullptr) << n;
  }
}

TEST(MachineSettingsTest, DirectionTable) {
  // clang-format off
  const struct { const char* text; char axis; char sign; } known[] = {
      {"Rechts", 'X', '-'}, {"Links", 'X', '+'}, {"Oben", 'Y', '+'}, {"Unten", 'Y', '-'}};
  // clang-format on
  for (const auto& row : known) {
    const auto direction = LookupDirection(row.text);
    ASSERT_TRUE(direction) << row.text;
    EXPECT_EQ(direction->axis, row.axis) << row.text;
    EXPECT_EQ(direction->sign, row.sign) << row.text;
  }
  for (const char* text : {"rechts", "RECHTS", " Oben", "Unten ", "", "Right"})
    EXPECT_FALSE(LookupDirection(text)) << '"' << text << '"';
}

}  // namespace
}  // namespace tav
