// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/PositionPlot.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "core/Error.h"
#include "support/ComponentBlocks.h"
#include "support/ErrorOf.h"

namespace tav {
namespace {

using Pixels = std::vector<std::pair<int, int>>;

TEST(PositionPlotScale, FactorsAndLabels) {
  // 438 pixels over 80 mm + 20 mm margin.
  EXPECT_EQ(static_cast<double>(ScaleQuotient(438, 80)), 4.38);
  EXPECT_EQ(ScaleLabel(ScaleQuotient(438, 80)), "4.38 P/mm");
  // Before any import the maxima are 0, so only the margin counts.
  EXPECT_EQ(static_cast<double>(ScaleQuotient(438, 0)), 21.9);
  EXPECT_EQ(ScaleLabel(ScaleQuotient(438, 0)), "21.9 P/mm");
  EXPECT_EQ(ScaleQuotient(400, 780), 0.5L);
  EXPECT_EQ(ScaleLabel(ScaleQuotient(400, 100)), "3.33 P/mm");
  EXPECT_EQ(ScaleLabel(ScaleQuotient(640, 0)), "32 P/mm");
  // An image area without width.
  EXPECT_EQ(ScaleQuotient(0, 50), 0.0L);
  EXPECT_EQ(ScaleLabel(ScaleQuotient(0, 50)), "0 P/mm");
}

TEST(PositionPlotScale, QuotientIsFormedInExtendedPrecision) {
  // The largest X is a double, the sum with 20 and the division are not.
  const double largest = 0.1;
  EXPECT_EQ(ScaleQuotient(7, largest), 7.0L / (static_cast<long double>(largest) + 20.0L));
}

struct CoordinateRow {
  long double value;
  double factor;
  std::optional<std::int32_t> pixel;
};

class PositionPlotCoordinate : public ::testing::TestWithParam<CoordinateRow> {};

TEST_P(PositionPlotCoordinate, NearestIntegerTiesToEvenPlusOffset) {
  EXPECT_EQ(PlotCoordinate(GetParam().value, GetParam().factor), GetParam().pixel);
}

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, PositionPlotCoordinate, ::testing::Values(
    CoordinateRow{80, 4.38, 360},   // 350.4
    CoordinateRow{0, 4.38, 10},
    CoordinateRow{5, 0.5, 12},      // 2.5 goes to 2
    CoordinateRow{7, 0.5, 14},      // 3.5 goes to 4
    CoordinateRow{-5, 0.5, 8},      // -2.5 goes to -2
    CoordinateRow{2.6L, 1, 13},
    CoordinateRow{-30, 1, -20},
    CoordinateRow{static_cast<long double>(kMax) - 10, 1, kMax},
    CoordinateRow{static_cast<long double>(kMax) - 9, 1, std::nullopt},
    CoordinateRow{static_cast<long double>(kMin), 1, kMin + 10},
    CoordinateRow{static_cast<long double>(kMin) - 1, 1, std::nullopt},
    CoordinateRow{1e300L, 1, std::nullopt},
    CoordinateRow{-1e4000L, 1, std::nullopt}));
// clang-format on

TEST(PositionPlotValue, UnitIsRemovedInAnyCase) {
  EXPECT_EQ(PlotCoordinateValue("12.7MM"), PlotCoordinateValue("12.7"));
  EXPECT_EQ(PlotCoordinateValue("12.7mm"), PlotCoordinateValue("12.7"));
  EXPECT_EQ(PlotCoordinateValue("12.7mM"), PlotCoordinateValue("12.7"));
  EXPECT_EQ(PlotCoordinateValue("1mm2MM"), 12.0L);
  EXPECT_EQ(test::ErrorOf([] { PlotCoordinateValue("abcMm"); }),
            "'abc' ist kein g\xFCltiger Gleitkommawert");
}

// Collects the pixels PlotComponents sets, on a 100 × 50 surface.
struct Plot {
  Pixels pixels;
  int Run(const ComponentTree& tree, double verX = 1, double verY = 1) {
    return PlotComponents(tree, verX, verY, 100, 50,
                          [this](int column, int row) { pixels.emplace_back(column, row); });
  }
};

TEST(PositionPlotComponents, EmptyAndAllExcludedTreesDrawNothing) {
  ComponentTree tree;
  Plot empty;
  EXPECT_EQ(empty.Run(tree), 0);
  EXPECT_TRUE(empty.pixels.empty());

  test::AddComponent(tree, "R1", "1mm", "2mm", "Feeder: 1", false);
  test::AddComponent(tree, "R2", "3mm", "4mm", "Feeder: 1", false);
  Plot excluded;
  EXPECT_EQ(excluded.Run(tree), 0);
  EXPECT_TRUE(excluded.pixels.empty());
}

TEST(PositionPlotComponents, PlotsIncludedComponentsInTreeOrder) {
  ComponentTree tree;
  test::AddComponent(tree, "R1", "0mm", "0mm");
  test::AddComponent(tree, "R2", "5mm", "7MM", "Feeder: 1", false);
  test::AddComponent(tree, "R3", "5", "7");
  test::AddComponent(tree, "R4", "5.0mm", "7.0");  // same pixel as R3, counted again
  Plot plot;
  EXPECT_EQ(plot.Run(tree, 0.5, 2), 3);
  EXPECT_EQ(plot.pixels, (Pixels{{10, 10}, {12, 24}, {12, 24}}));
}

TEST(PositionPlotComponents, PixelsOutsideTheSurfaceAreCountedNotDrawn) {
  ComponentTree tree;
  test::AddComponent(tree, "IN1", "89", "39");     // (99, 49): last column and row
  test::AddComponent(tree, "OUT1", "90", "0");     // column 100 = width
  test::AddComponent(tree, "OUT2", "0", "40");     // row 50 = height
  test::AddComponent(tree, "OUT3", "-11", "0");    // column -1
  test::AddComponent(tree, "OUT4", "0", "-11");    // row -1
  test::AddComponent(tree, "OUT5", "1E300", "0");  // beyond a 32-bit column
  test::AddComponent(tree, "IN2", "-10", "-10");   // (0, 0)
  Plot plot;
  EXPECT_EQ(plot.Run(tree), 7);
  EXPECT_EQ(plot.pixels, (Pixels{{99, 49}, {0, 0}}));
}

TEST(PositionPlotComponents, ErrorNamesTheYTextAndKeepsEarlierPixels) {
  ComponentTree tree;
  test::AddComponent(tree, "R1", "1", "1");
  test::AddComponent(tree, "R2", "xmm", "ymm");
  test::AddComponent(tree, "R3", "2", "2");
  Plot plot;
  EXPECT_EQ(test::ErrorOf([&] { plot.Run(tree); }), "'y' ist kein g\xFCltiger Gleitkommawert");
  EXPECT_EQ(plot.pixels, (Pixels{{11, 11}}));

  // With a good Y the X text is reported.
  tree.SetText(tree.NodeAt(13 + 8), "5");
  Plot again;
  EXPECT_EQ(test::ErrorOf([&] { again.Run(tree); }), "'x' ist kein g\xFCltiger Gleitkommawert");
}

// Appends a component cut short: `attributes` attribute nodes, then
// "Position" holding `values`, and nothing after it.
void AddBrokenBlock(ComponentTree& tree, const std::string& designator, int attributes,
                    std::initializer_list<const char*> values) {
  TreeNode* top = tree.AddChild(nullptr, designator);
  for (int i = 0; i < attributes; ++i) tree.AddChild(top, "attribute");
  TreeNode* position = tree.AddChild(top, "Position");
  for (const char* value : values) tree.AddChild(position, value);
}

TEST(PositionPlotComponents, TruncatedBlockAtTheEndIsAnInvalidIndex) {
  // What a failed import can leave: a top-level node with only seven nodes after it.
  ComponentTree tree;
  test::AddComponent(tree, "R1", "1", "1");
  AddBrokenBlock(tree, "R2", 5, {"3mm"});
  Plot plot;
  EXPECT_EQ(test::ErrorOf([&] { plot.Run(tree); }), "Ung\xFCltiger Index");
  EXPECT_EQ(plot.pixels, (Pixels{{11, 11}}));
}

TEST(PositionPlotComponents, MisshapenBlockIsRejectedInsteadOfPlottingOtherNodes) {
  // R1 lacks its feeder node, so offsets +7 and +8 land on its Y value and on a
  // third value under "Position": both numbers, which would be plotted silently.
  ComponentTree tree;
  test::AddComponent(tree, "R0", "1", "1");
  AddBrokenBlock(tree, "R1", 4, {"1", "2", "3"});
  test::AddComponent(tree, "R2", "2", "2");

  Plot plot;
  const std::string message = test::ErrorOf([&] { plot.Run(tree); });
  EXPECT_NE(message.find("R1"), std::string::npos) << message;
  EXPECT_EQ(plot.pixels, (Pixels{{11, 11}}));
}

}  // namespace
}  // namespace tav
