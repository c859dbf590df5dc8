// SPDX-License-Identifier: GPL-3.0-or-later
// The bundled example board with default settings, compared byte for byte with
// the reviewed program in tests/data/gcode. After a deliberate change of the
// output, run this test with TAV_UPDATE_GOLDEN=1 to rewrite the expected file,
// then review the diff before committing it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "boards/PickPlaceImport.h"
#include "core/EditCommands.h"
#include "gcode/GCodeGenerator.h"
#include "support/TempFolder.h"

namespace tav {
namespace {

const std::string kSource = TAV_SOURCE_DIR;

void CompareWithGolden(const std::string& program, const std::string& goldenPath) {
  const char* update = std::getenv("TAV_UPDATE_GOLDEN");
  if (update != nullptr && std::string(update) == "1") {
    test::WriteBytes(goldenPath, program);
    GTEST_SKIP() << "rewrote " << goldenPath;
  }
  const std::string expected = test::ReadBytes(goldenPath);
  ASSERT_FALSE(expected.empty()) << "missing golden file " << goldenPath;
  EXPECT_TRUE(program == expected)
      << "differs from " << goldenPath << "; rerun with TAV_UPDATE_GOLDEN=1 and review the diff";
}

TEST(GCodeGolden, ExampleBoardWithDefaultSettings) {
  ComponentTree tree;
  const ImportSummary summary = PickPlaceImport(kSource + "/examples/example-board.csv", tree);
  EXPECT_EQ(summary.componentCount, 36);
  CompareWithGolden(GCodeGenerator::Generate(tree, MachineSettings{}),
                    kSource + "/tests/data/gcode/example-board.nc");
}

// A job as a user sets it up: every feeder in use, each with its own direction,
// components assigned by package, the contact pads excluded.
TEST(GCodeGolden, ExampleModuleOnFourFeeders) {
  ComponentTree tree;
  PickPlaceImport(kSource + "/examples/example-module-MM.csv", tree);
  MachineSettings settings;
  settings.maxPartHeight = "1.2";
  settings.travelFeed = "3000";
  settings.liftFeed = "500";
  settings.placeFeed = "300";
  const FeederSettings feeders[] = {{"150.00", "20.00", "3.5", "8", "Rechts"},
                                    {"150.00", "40.00", "3.5", "8", "Links"},
                                    {"170.00", "20.00", "4.0", "4", "Oben"},
                                    {"170.00", "40.00", "0.5", "12", "Unten"}};
  for (int n = 1; n <= 4; ++n) *settings.Feeder(n) = feeders[n - 1];
  for (int row = 0; row < tree.TopLevelCount(); ++row) {
    TreeNode* component = tree.TopLevel(row);
    const std::string& package = component->Child(1)->Text();
    if (package == "Footprint: 0603") AssignFeeder(tree, component, 2);
    if (package == "Footprint: LED-0603" || package == "Footprint: SOT-23")
      AssignFeeder(tree, component, 3);
    if (package == "Footprint: DFN-8") AssignFeeder(tree, component, 4);
    if (component->Text() == "J1") ExcludeComponent(tree, component);
  }
  CompareWithGolden(GCodeGenerator::Generate(tree, settings),
                    kSource + "/tests/data/gcode/example-module-MM.nc");
}

}  // namespace
}  // namespace tav
