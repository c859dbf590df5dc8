// SPDX-License-Identifier: GPL-3.0-or-later
#include "plan/PassPlan.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/ComponentBlock.h"
#include "core/EditCommands.h"
#include "core/Messages.h"
#include "gcode/GCodeGenerator.h"
#include "plan/PassPrograms.h"
#include "plan/PlanTestSupport.h"
#include "support/ByteTextLess.h"
#include "support/ErrorOf.h"

namespace tav {
namespace {

using test::AddPart;
using test::ByteTextLess;
using test::ErrorOf;

struct Part {
  std::string designator;
  std::string value;
  std::string footprint;
  bool included = true;
};

// A planned kind as "value/footprint:count" in plan order.
struct GroupingCase {
  std::string name;
  std::vector<Part> parts;
  std::vector<std::string> kinds;
  int passes;
};

std::string Describe(const PartKind& kind) {
  return kind.value + "/" + kind.footprint + ":" + std::to_string(kind.Count());
}

void Build(ComponentTree& tree, const std::vector<Part>& parts) {
  for (const Part& part : parts)
    AddPart(tree, part.designator, part.value, part.footprint, part.included);
}

class Grouping : public ::testing::TestWithParam<GroupingCase> {};

TEST_P(Grouping, OrdersKindsByCountThenFirstAppearance) {
  ComponentTree tree;
  Build(tree, GetParam().parts);
  const PassPlan plan = PassPlan::Make(tree);
  std::vector<std::string> kinds;
  for (const PartKind& kind : plan.Kinds()) kinds.push_back(Describe(kind));
  EXPECT_EQ(kinds, GetParam().kinds);
  EXPECT_EQ(plan.PassCount(), GetParam().passes);
  EXPECT_EQ(plan.Empty(), GetParam().passes == 0);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(PassPlan, Grouping, ::testing::Values(
    GroupingCase{"Empty", {}, {}, 0},
    GroupingCase{"AllExcluded", {{"R1", "10k", "0805", false}}, {}, 0},
    GroupingCase{"SameValueOtherFootprintIsAnotherKind",
        {{"R1", "10k", "0805"}, {"R2", "10k", "0603"}, {"R3", "10k", "0805"}},
        {"10k/0805:2", "10k/0603:1"}, 1},
    GroupingCase{"TiesKeepFirstAppearance",
        {{"C1", "1u", "0402"}, {"R1", "10k", "0805"}, {"R2", "10k", "0805"}, {"C2", "1u", "0402"},
         {"D1", "LED", "0603"}},
        {"1u/0402:2", "10k/0805:2", "LED/0603:1"}, 1},
    GroupingCase{"ExcludedComponentsAreNotCounted",
        {{"R1", "10k", "0805"}, {"C1", "1u", "0402", false}, {"C2", "1u", "0402", false},
         {"C3", "1u", "0402"}},
        {"10k/0805:1", "1u/0402:1"}, 1},
    GroupingCase{"TextsAreComparedByteForByte",
        {{"R1", "10k", "0805"}, {"R2", "10K", "0805"}, {"R3", "10k ", "0805"}},
        {"10k/0805:1", "10K/0805:1", "10k /0805:1"}, 1},
    GroupingCase{"FiveKindsMakeTwoPasses",
        {{"A1", "a", "f"}, {"B1", "b", "f"}, {"B2", "b", "f"}, {"C1", "c", "f"}, {"D1", "d", "f"},
         {"E1", "e", "f"}, {"E2", "e", "f"}, {"E3", "e", "f"}},
        {"e/f:3", "b/f:2", "a/f:1", "c/f:1", "d/f:1"}, 2},
    GroupingCase{"EightKindsFillTwoPasses",
        {{"A1", "a", "f"}, {"B1", "b", "f"}, {"C1", "c", "f"}, {"D1", "d", "f"},
         {"E1", "e", "f"}, {"F1", "f", "f"}, {"G1", "g", "f"}, {"H1", "h", "f"}},
        {"a/f:1", "b/f:1", "c/f:1", "d/f:1", "e/f:1", "f/f:1", "g/f:1", "h/f:1"}, 2}),
    [](const auto& param) { return param.param.name; });
// clang-format on

// A board of six kinds: two passes, the second with two kinds.
std::vector<Part> SixKinds() {
  return {{"C1", "100n", "0402"}, {"R1", "10k", "0603"},     {"C2", "100n", "0402"},
          {"U1", "MCU", "QFN32"}, {"R2", "10k", "0603"},     {"C3", "100n", "0402"},
          {"D1", "LED", "0603"},  {"X1", "off", "0", false}, {"Y1", "16M", "3225"},
          {"R3", "1k", "0603"},   {"R4", "1k", "0603"}};
}

struct State {
  std::string designator;
  int icon;
  std::string feeder;
  bool operator==(const State&) const = default;
};

std::vector<State> StatesOf(const ComponentTree& tree) {
  std::vector<State> states;
  for (int row = 0; row < tree.TopLevelCount(); ++row) {
    const TreeNode* top = tree.TopLevel(row);
    states.push_back({top->Text(), top->ImageIndex(), top->Child(block::kFeederChild)->Text()});
  }
  return states;
}

TEST(PassPlan, ApplyingAPassSetsFeedersAndExcludesTheRest) {
  ComponentTree tree;
  Build(tree, SixKinds());
  const PassPlan plan = PassPlan::Make(tree);
  ASSERT_EQ(plan.PassCount(), 2);
  EXPECT_EQ(plan.ComponentCount(), 10);
  EXPECT_EQ(plan.ExcludedCount(), 1);
  EXPECT_EQ(plan.ComponentCountOfPass(1), 8);  // 100n x3, 10k x2, 1k x2, MCU
  EXPECT_EQ(plan.ComponentCountOfPass(2), 2);  // LED, 16M

  plan.ApplyPass(tree, 1);
  const std::vector<State> pass1{
      {"C1", 0, "Feeder: 1"}, {"R1", 0, "Feeder: 2"}, {"C2", 0, "Feeder: 1"},
      {"U1", 0, "Feeder: 4"}, {"R2", 0, "Feeder: 2"}, {"C3", 0, "Feeder: 1"},
      {"D1", 1, "Feeder: 1"}, {"X1", 1, "Feeder: 1"}, {"Y1", 1, "Feeder: 1"},
      {"R3", 0, "Feeder: 3"}, {"R4", 0, "Feeder: 3"}};
  EXPECT_EQ(StatesOf(tree), pass1);

  plan.ApplyPass(tree, 2);
  const std::vector<State> pass2{
      {"C1", 1, "Feeder: 1"}, {"R1", 1, "Feeder: 2"}, {"C2", 1, "Feeder: 1"},
      {"U1", 1, "Feeder: 4"}, {"R2", 1, "Feeder: 2"}, {"C3", 1, "Feeder: 1"},
      {"D1", 0, "Feeder: 1"}, {"X1", 1, "Feeder: 1"}, {"Y1", 0, "Feeder: 2"},
      {"R3", 1, "Feeder: 3"}, {"R4", 1, "Feeder: 3"}};
  EXPECT_EQ(StatesOf(tree), pass2);

  // The plan keeps the inclusion it was made from: pass 1 again after pass 2,
  // and a component included by hand in between, give pass 1's state.
  IncludeComponent(tree, tree.TopLevel(7));
  plan.ApplyPass(tree, 1);
  std::vector<State> pass1Again = pass1;
  pass1Again[8].feeder = "Feeder: 2";  // an excluded component keeps its last feeder
  EXPECT_EQ(StatesOf(tree), pass1Again);
  for (int row = 0; row < tree.TopLevelCount(); ++row)
    EXPECT_EQ(tree.TopLevel(row)->SelectedIndex(), tree.TopLevel(row)->ImageIndex());
}

TEST(PassPlan, RefusesPassesOutOfRangeAndChangedTrees) {
  ComponentTree tree;
  Build(tree, SixKinds());
  const PassPlan plan = PassPlan::Make(tree);
  const std::vector<State> before = StatesOf(tree);
  EXPECT_EQ(ErrorOf([&] { plan.ApplyPass(tree, 0); }), msg::kInvalidIndex);
  EXPECT_EQ(ErrorOf([&] { plan.ApplyPass(tree, 3); }), msg::kInvalidIndex);
  EXPECT_EQ(ErrorOf([&] { plan.KindsOfPass(3); }), msg::kInvalidIndex);

  SortComponents(tree, ByteTextLess);  // same components, other rows
  const std::vector<State> sorted = StatesOf(tree);
  EXPECT_NE(ErrorOf([&] { plan.ApplyPass(tree, 1); }).find("neu planen"), std::string::npos);
  EXPECT_EQ(StatesOf(tree), sorted);

  ComponentTree other;
  Build(other, SixKinds());
  AddPart(other, "R9", "1k", "0603");
  EXPECT_NE(ErrorOf([&] { plan.ApplyPass(other, 1); }).find("neu planen"), std::string::npos);
  EXPECT_EQ(before.size() + 1, StatesOf(other).size());
}

TEST(PassPlan, RefusesAnIncludedComponentWithoutAttributes) {
  ComponentTree tree;
  AddPart(tree, "R1", "10k", "0805");
  tree.AddChild(nullptr, "stray");
  EXPECT_EQ(ErrorOf([&] { PassPlan::Make(tree); }),
            "Der Eintrag \"stray\" hat nicht den Aufbau eines Bauteils");
  // Excluded, it is never read.
  ExcludeComponent(tree, tree.TopLevel(1));
  EXPECT_EQ(PassPlan::Make(tree).ComponentCount(), 1);
}

TEST(PassPlan, CountsTheSides) {
  ComponentTree tree;
  AddPart(tree, "R1", "10k", "0805", true, "TopLayer");
  AddPart(tree, "R2", "10k", "0805", true, "B.Cu");
  AddPart(tree, "R3", "10k", "0805", true, "Inner1");
  AddPart(tree, "R4", "10k", "0805", false, "Bottom");
  const PassPlan plan = PassPlan::Make(tree);
  EXPECT_EQ(plan.TopSideCount(), 1);
  EXPECT_EQ(plan.BottomSideCount(), 1);
}

// Feeder settings that tell the four feeders apart in the program.
MachineSettings DistinctFeeders() {
  MachineSettings settings;
  for (int feeder = 1; feeder <= 4; ++feeder) {
    settings.Feeder(feeder)->x = std::to_string(feeder * 100);
    settings.Feeder(feeder)->direction = feeder % 2 == 0 ? "Oben" : "Links";
  }
  return settings;
}

TEST(PassPrograms, EachProgramIsTheGeneratorsOutputForItsPass) {
  ComponentTree tree;
  Build(tree, SixKinds());
  const PassPlan plan = PassPlan::Make(tree);
  const MachineSettings settings = DistinctFeeders();
  const std::vector<std::string> programs = GeneratePassPrograms(tree, settings, plan);
  ASSERT_EQ(programs.size(), 2u);

  // The expected trees are built by hand: the pass's components included, on
  // the feeders the grouping test establishes, everything else excluded.
  const std::vector<std::vector<std::pair<std::string, int>>> passes{
      {{"C1", 1}, {"R1", 2}, {"C2", 1}, {"U1", 4}, {"R2", 2}, {"C3", 1}, {"R3", 3}, {"R4", 3}},
      {{"D1", 1}, {"Y1", 2}}};
  for (std::size_t pass = 0; pass < passes.size(); ++pass) {
    ComponentTree expected;
    Build(expected, SixKinds());
    for (int row = 0; row < expected.TopLevelCount(); ++row) {
      TreeNode* top = expected.TopLevel(row);
      ExcludeComponent(expected, top);
      for (const auto& [designator, feeder] : passes[pass]) {
        if (top->Text() != designator) continue;
        IncludeComponent(expected, top);
        AssignFeeder(expected, top, feeder);
      }
    }
    EXPECT_EQ(programs[pass], GCodeGenerator::Generate(expected, settings)) << "pass " << pass + 1;
  }
  // Every planned component is placed exactly once over all passes.
  std::size_t blocks = 0;
  for (const std::string& program : programs)
    for (std::size_t at = program.find("G01 Z-"); at != std::string::npos;
         at = program.find("G01 Z-", at + 1))
      ++blocks;
  EXPECT_EQ(blocks, 3u * 10u);  // three moves down per component

  EXPECT_EQ(PassProgramFileName(1), "durchgang-1.nc");
  EXPECT_EQ(PassProgramFileName(12), "durchgang-12.nc");
}

}  // namespace
}  // namespace tav
