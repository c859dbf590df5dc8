// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PlanTestSupport.h"
#include "core/BulkEditCommands.h"
#include "core/NotFitted.h"
#include "gcode/GCodeGenerator.h"
#include "plan/PassPlan.h"
#include "plan/PassPrograms.h"
#include "plan/SetupSheet.h"

namespace tav {
namespace {

TreeNode* AddTurned(ComponentTree& tree, const std::string& designator, const std::string& value,
                    const std::string& rotation) {
  TreeNode* top = test::AddPart(tree, designator, value, "0603");
  tree.SetText(top->Child(3), "Rotation: " + rotation);
  return top;
}

// R1 and R3 at 0°, R2 at 90°, R4 at 270° (the same as -90°).
void AddTurnedResistors(ComponentTree& tree) {
  AddTurned(tree, "R1", "10k", "0");
  AddTurned(tree, "R2", "10k", "90");
  AddTurned(tree, "R3", "10k", "0");
  AddTurned(tree, "R4", "10k", "-90");
}

std::vector<std::string> KindsWithAngles(const PassPlan& plan) {
  std::vector<std::string> kinds;
  for (const PartKind& kind : plan.Kinds()) {
    std::string text = kind.value;
    for (const std::string& d : kind.designators) text += " " + d;
    if (kind.angle) text += " @" + std::to_string(static_cast<int>(*kind.angle));
    kinds.push_back(text);
  }
  return kinds;
}

TEST(AnglePlan, WithoutAxisKindsAreSplitByTheAngleTheirPartsNeed) {
  ComponentTree tree;
  AddTurnedResistors(tree);
  // Defaults: turns do not matter yet, the kind stays whole.
  EXPECT_EQ(KindsWithAngles(PassPlan::Make(tree)), std::vector<std::string>{"10k R1 R2 R3 R4"});

  MachineSettings settings;
  settings.boardSide = "Oberseite";
  settings.boardRotation = "90";  // the board itself lies turned
  const PassPlan plan = PassPlan::Make(tree, settings);
  EXPECT_EQ(KindsWithAngles(plan),
            (std::vector<std::string>{"10k R1 R3 @90", "10k R2 @180", "10k R4 @0"}));
  const std::string sheet = SetupSheet(plan);
  EXPECT_NE(sheet.find("Winkel 90\xB0: Band so einlegen"), std::string::npos) << sheet;
  EXPECT_NE(sheet.find("Winkel 0\xB0: Band so einlegen"), std::string::npos);

  // Applying the pass sets each feeder's angle, so no part is turned any more.
  plan.ApplyPassAngles(settings, 1);
  EXPECT_EQ(settings.angles, (std::array<std::string, 4>{"90", "180", "0", "0"}));
  std::string program;
  plan.ApplyPass(tree, 1);
  EXPECT_TRUE(GCodeGenerator::Generate(tree, settings, program).turnedParts.empty());

  // With a rotation axis the machine turns the parts: kinds as before.
  settings.rotationAxis = "A";
  ComponentTree again;
  AddTurnedResistors(again);
  EXPECT_EQ(KindsWithAngles(PassPlan::Make(again, settings)),
            std::vector<std::string>{"10k R1 R2 R3 R4"});
}

TEST(AnglePlan, PassProgramsUseTheAnglesOfTheirPass) {
  ComponentTree tree;
  AddTurnedResistors(tree);
  MachineSettings settings;
  settings.boardSide = "Oberseite";
  const PassPlan plan = PassPlan::Make(tree, settings);
  ASSERT_EQ(plan.PassCount(), 1);
  std::string program;
  const std::string pass = GeneratePassProgram(tree, settings, plan, 1);
  EXPECT_EQ(pass.find("gedreht"), std::string::npos);
  MachineSettings withAngles = settings;
  plan.ApplyPassAngles(withAngles, 1);
  EXPECT_EQ(pass, GCodeGenerator::Generate(tree, withAngles));
}

TEST(NotFitted, MarkedPartsAreLeftOutOfPlansAndCanBeExcluded) {
  for (const char* word : {"NC", "dnp", " DNF ", "nf", "Np", "n.b.",
                           "Nicht best\xDC"
                           "ckt",
                           "do not place", "NO FIT"})
    EXPECT_TRUE(IsNotFitted(word)) << word;
  for (const char* word : {"", "NC7SZ04", "10k", "n.b", "DNP!", "no"})
    EXPECT_FALSE(IsNotFitted(word)) << word;

  ComponentTree tree;
  test::AddPart(tree, "R1", "10k", "0603");
  test::AddPart(tree, "R2", "DNP", "0603");
  test::AddPart(tree, "R3", "nc", "0603");
  test::AddPart(tree, "R4", "DNP", "0603", /*included=*/false);
  const PassPlan plan = PassPlan::Make(tree);
  EXPECT_EQ(plan.ComponentCount(), 1);
  EXPECT_EQ(plan.NotFitted(), (std::vector<std::string>{"R2", "R3"}));
  EXPECT_EQ(plan.ExcludedCount(), 1);
  EXPECT_NE(SetupSheet(plan).find("nicht best\xFC"
                                  "ckt: 2 Bauteile:\r\n            R2, R3"),
            std::string::npos)
      << SetupSheet(plan);

  ExcludeNotFitted(tree);
  EXPECT_EQ(tree.TopLevel(0)->ImageIndex(), icon::kIncluded);
  EXPECT_EQ(tree.TopLevel(1)->ImageIndex(), icon::kExcluded);
  EXPECT_EQ(tree.TopLevel(2)->ImageIndex(), icon::kExcluded);
}

}  // namespace
}  // namespace tav
