// SPDX-License-Identifier: GPL-3.0-or-later
// Runs a generated program through LinuxCNC's own interpreter (rs274 from the
// Debian package linuxcnc-uspace) and compares the machine actions it reports
// with the moves, valve switching and dwells the program is meant to make.
// Skipped where rs274 is not installed.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "core/DecimalSeparator.h"
#include "gcode/GCodeGenerator.h"
#include "support/ComponentBlocks.h"
#include "support/TempFolder.h"

namespace tav {
namespace {

std::string FindOnPath(const std::string& program) {
  const char* path = std::getenv("PATH");
  std::stringstream folders(path != nullptr ? path : "");
  std::string folder;
  while (std::getline(folders, folder, ':')) {
    const std::filesystem::path candidate = std::filesystem::path(folder) / program;
    std::error_code error;
    if (std::filesystem::is_regular_file(candidate, error)) return candidate.string();
  }
  return {};
}

struct Interpreted {
  int status = -1;
  std::vector<std::string> actions;  // canonical calls, without line numbers
  std::string messages;
};

// rs274 -g reads the whole program in batch mode and writes one canonical
// call a line ("   12 N..... STRAIGHT_FEED(...)"); errors go to its stdout.
Interpreted RunInterpreter(const std::string& rs274, const std::string& program) {
  const test::TempFolder folder;
  const std::string input = folder / "job.ngc";
  const std::string output = folder / "canon.txt";
  const std::string messages = folder / "messages.txt";
  test::WriteBytes(input, program);
  // rs274 keeps its parameter file in the working folder and truncates and
  // maps "$HOME/.tool.mmap"; each run gets its own folder as both, so two
  // runs at once cannot truncate the other's mapping (a SIGBUS).
  const std::string here = folder.path().string();
  const std::string command = "cd '" + here + "' && HOME='" + here + "' '" + rs274 + "' -g '" +
                              input + "' '" + output + "' </dev/null >'" + messages + "' 2>&1";
  Interpreted result;
  const int status = std::system(command.c_str());
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.messages = test::ReadBytes(messages);
  std::stringstream lines(test::ReadBytes(output));
  std::string line;
  while (std::getline(lines, line)) {
    const std::size_t at = line.find("N..... ");
    if (at != std::string::npos) result.actions.push_back(line.substr(at + 7));
  }
  return result;
}

// The actions the test compares: moves, valve output, dwells, program end.
std::vector<std::string> MachineActions(const std::vector<std::string>& actions) {
  std::vector<std::string> kept;
  for (const std::string& a : actions) {
    for (const char* kind : {"STRAIGHT_FEED(", "STRAIGHT_TRAVERSE(", "SET_AUX_OUTPUT_BIT(",
                             "CLEAR_AUX_OUTPUT_BIT(", "DWELL(", "PROGRAM_END("}) {
      if (a.starts_with(kind)) kept.push_back(a);
    }
  }
  return kept;
}

// Builds the expected canonical calls while following the head.
class ExpectedActions {
 public:
  void Feed(double x, double y, double z) { Move("STRAIGHT_FEED", x, y, z); }
  void Traverse(double x, double y, double z) { Move("STRAIGHT_TRAVERSE", x, y, z); }
  void FeedZ(double z) { Feed(x_, y_, z); }
  void Add(const std::string& action) { actions_.push_back(action); }
  double X() const { return x_; }
  double Y() const { return y_; }
  double Z() const { return z_; }
  const std::vector<std::string>& Actions() const { return actions_; }

 private:
  void Move(const char* kind, double x, double y, double z) {
    char text[200];
    std::snprintf(text, sizeof text, "%s(%.4f, %.4f, %.4f, 0.0000, 0.0000, 0.0000)", kind, x, y, z);
    actions_.emplace_back(text);
    x_ = x;
    y_ = y;
    z_ = z;
  }
  double x_ = 0, y_ = 0, z_ = 0;
  std::vector<std::string> actions_;
};

class LinuxCnc : public ::testing::Test {
 protected:
  void SetUp() override {
    rs274_ = FindOnPath("rs274");
    if (rs274_.empty()) GTEST_SKIP() << "rs274 (Debian package linuxcnc-uspace) is not installed";
  }
  void TearDown() override { SetDecimalSeparator('.'); }

  std::string rs274_;
};

// Each variant of the program: valve switched or not, comments or not, dry run or not.
struct Variant {
  bool valve, comments, dryRun;
};

class LinuxCncVariants : public LinuxCnc, public ::testing::WithParamInterface<Variant> {};

TEST_P(LinuxCncVariants, ReadsTheProgramUneditedWithTheMovesItIsMeantToMake) {
  const Variant v = GetParam();
  // A German user: numbers typed with ",", defaults still with ".".
  SetDecimalSeparator(',');
  MachineSettings settings;
  settings.maxPartHeight = "3";
  settings.travelFeed = "3000";
  settings.liftFeed = "500";
  settings.placeFeed = "400";
  *settings.Feeder(1) = {.x = "100,5", .y = "50", .z = "1,5", .offset = "2"};
  *settings.Feeder(2) = {.x = "10", .y = "80.25", .offset = "3,5", .direction = "Oben"};
  settings.valveOnCode = "M64 P0";
  settings.valveOffCode = "M65 P0";
  settings.valveDelay = "0,25";
  settings.switchValve = v.valve ? "1" : "0";
  settings.controller = "LinuxCNC";
  settings.comments = v.comments ? "1" : "0";
  settings.dryRun = v.dryRun ? "1" : "0";

  ComponentTree tree;
  test::AddComponent(tree, "R1", "5mm", "7mm", "Feeder: 1");
  test::AddComponent(tree, "C(1)", "12,5MM", "-3mm", "Feeder: 2");
  test::AddComponent(tree, "X9", "1", "1", "Feeder: 1", /*included=*/false);
  test::AddComponent(tree, "U1", "20", "15", "Feeder: 1");
  const std::string program = GCodeGenerator::Generate(tree, settings);

  const Interpreted run = RunInterpreter(rs274_, program);
  ASSERT_EQ(run.status, 0) << run.messages << program;

  struct Part {
    double feederX, feederY, depth;
    char axis;
    double advance, x, y;  // the tape advance's target beside the feeder
  };
  const Part parts[] = {{100.5, 50, 4.5, 'X', 98.5, 5, 7},
                        {10, 80.25, 3, 'Y', 83.75, 12.5, -3},
                        {100.5, 50, 4.5, 'X', 98.5, 20, 15}};
  // A dry run keeps Z at the travel height and the valve off.
  const double down = v.dryRun ? 3 : -3;
  const bool valve = v.valve && !v.dryRun;
  ExpectedActions expected;
  expected.Feed(0, 0, 3);  // the opening lift
  for (const Part& p : parts) {
    expected.Traverse(p.feederX, p.feederY, expected.Z());
    expected.FeedZ(v.dryRun ? 3 : -p.depth);
    if (p.axis == 'X')
      expected.Traverse(p.advance, expected.Y(), expected.Z());
    else
      expected.Traverse(expected.X(), p.advance, expected.Z());
    expected.FeedZ(p.depth);
    expected.Traverse(p.feederX, p.feederY, expected.Z());
    expected.FeedZ(down);
    if (valve) {
      expected.Add("SET_AUX_OUTPUT_BIT(0)");  // valve on at the pick
      expected.Add("DWELL(0.2500)");
    }
    expected.FeedZ(3);
    expected.Traverse(p.x, p.y, expected.Z());
    expected.FeedZ(down);
    if (valve) {
      expected.Add("CLEAR_AUX_OUTPUT_BIT(0)");  // valve off at the place
      expected.Add("DWELL(0.2500)");
    }
    expected.FeedZ(3);
  }
  expected.Add("PROGRAM_END()");
  EXPECT_EQ(MachineActions(run.actions), expected.Actions());

  // The part comments reach the interpreter as comments, parentheses replaced.
  const bool commented = std::find(run.actions.begin(), run.actions.end(),
                                   "COMMENT(\"C[1] 10k 0805\")") != run.actions.end();
  EXPECT_EQ(commented, v.comments);
}

std::vector<Variant> AllVariants() {
  std::vector<Variant> all;
  for (const bool valve : {false, true})
    for (const bool comments : {false, true})
      for (const bool dryRun : {false, true}) all.push_back({valve, comments, dryRun});
  return all;
}

std::string VariantName(const ::testing::TestParamInfo<Variant>& param) {
  const Variant& v = param.param;
  return std::string(v.valve ? "Valve" : "NoValve") + (v.comments ? "Comments" : "NoComments") +
         (v.dryRun ? "DryRun" : "Normal");
}

INSTANTIATE_TEST_SUITE_P(All, LinuxCncVariants, ::testing::ValuesIn(AllVariants()), VariantName);

TEST_F(LinuxCnc, RefusesTheStandardFramingWhichTheOptionExistsFor) {
  // The "%" after the comment box is what LinuxCNC rejects; a check that
  // the interpreter run above would notice a framing fault.
  ComponentTree tree;
  test::AddComponent(tree, "R1", "5mm", "7mm");
  const Interpreted run = RunInterpreter(rs274_, GCodeGenerator::Generate(tree, MachineSettings{}));
  EXPECT_NE(run.status, 0);
  EXPECT_NE(run.messages.find("'%'"), std::string::npos) << run.messages;
}

TEST_F(LinuxCnc, TurnsTheRotationAxisBetweenPickAndPlaceAndBack) {
  MachineSettings settings;
  settings.controller = "LinuxCNC";
  settings.rotationAxis = "A";
  settings.originX = "100";
  settings.originY = "50";
  settings.boardRotation = "90";
  ComponentTree tree;
  test::BlockTexts r1;
  r1.rotation = "Rotation: 180";
  test::AddBlock(tree, "R1", r1);
  test::BlockTexts r2;
  r2.rotation = "Rotation: -45";
  r2.x = "-10";
  r2.y = "-20";
  test::AddBlock(tree, "R2", r2);
  const std::string program = GCodeGenerator::Generate(tree, settings);
  const Interpreted run = RunInterpreter(rs274_, program);
  ASSERT_EQ(run.status, 0) << run.messages << program;

  // The A column of every move at which it changes, and where the parts land.
  std::vector<std::string> turns;
  std::vector<std::string> places;
  std::string lastA = "0.0000";
  for (const std::string& action : MachineActions(run.actions)) {
    double x, y, z, a, b, c;
    if (std::sscanf(action.c_str(), "STRAIGHT_TRAVERSE(%lf, %lf, %lf, %lf, %lf, %lf)", &x, &y, &z,
                    &a, &b, &c) != 6)
      continue;
    char text[64];
    std::snprintf(text, sizeof text, "%.4f", a);
    if (text != lastA) turns.emplace_back(text);
    lastA = text;
    if (a != 0) {
      std::snprintf(text, sizeof text, "%.3f %.3f", x, y);
      places.emplace_back(text);
    }
  }
  // 180 + 90 = 270, that is -90; -45 + 90 = 45.
  EXPECT_EQ(turns, (std::vector<std::string>{"-90.0000", "0.0000", "45.0000", "0.0000"}));
  // (10.16, 5.08) turned by 90° to (-5.08, 10.16), plus (100, 50); (-10, -20) to (20, -10).
  EXPECT_EQ(places, (std::vector<std::string>{"0.000 0.000", "94.920 60.160", "0.000 0.000",
                                              "120.000 40.000"}));
}

}  // namespace
}  // namespace tav
