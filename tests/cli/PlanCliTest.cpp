// SPDX-License-Identifier: GPL-3.0-or-later
// `tav plan`, machine files and --set, run as a separate process.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "ProcessRunner.h"
#include "boards/PickPlaceImport.h"
#include "plan/PassPlan.h"
#include "plan/PassPrograms.h"
#include "plan/SetupSheet.h"
#include "project/MachineProfile.h"
#include "support/TempFolder.h"

namespace tav {
namespace {

namespace fs = std::filesystem;
using test::ProcessResult;
using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

const std::string kBoard = TAV_SOURCE_DIR "/examples/sensor-node-40.csv";
const std::string kMachine = TAV_SOURCE_DIR "/examples/werkstatt.tavm";
const std::string kSmall = TAV_SOURCE_DIR "/tests/data/cli/small.csv";

ProcessResult Tav(const std::vector<std::string>& args) {
  return test::RunProcess(TAV_CLI_PATH, args);
}

TEST(TavPlan, ExampleBoardGivesThreePassesAndASheet) {
  TempFolder folder;
  const std::string out = folder / "job";  // created by the command
  const ProcessResult r = Tav({"plan", "--pnp", kBoard, "--machine", kMachine, "-o", out});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(TempFolder::EntriesOf(out),
            (std::vector<std::string>{"durchgang-1.nc", "durchgang-2.nc", "durchgang-3.nc",
                                      "einrichtung.txt"}));

  // Each program is what the generator makes of that pass of the imported board.
  ComponentTree tree;
  PickPlaceImport(kBoard, tree);
  const PassPlan plan = PassPlan::Make(tree);
  EXPECT_EQ(plan.ComponentCount(), 40);
  EXPECT_EQ(plan.KindCount(), 11);
  MachineSettings settings;
  LoadMachineProfile(kMachine, settings);
  EXPECT_EQ(settings.Feeder(4)->y, "80.0");
  const std::vector<std::string> programs = GeneratePassPrograms(tree, settings, plan);
  for (int pass = 1; pass <= 3; ++pass)
    EXPECT_TRUE(ReadBytes(out + "/" + PassProgramFileName(pass)) == programs[pass - 1]) << pass;
  EXPECT_EQ(ReadBytes(out + "/einrichtung.txt"), SetupSheet(plan));
  EXPECT_NE(
      ReadBytes(out + "/einrichtung.txt").find("40 Bauteile in 11 Bauteilarten, 3 Durchg\xE4nge"),
      std::string::npos);
}

TEST(TavPlan, AFolderInTheWayChangesNothing) {
  TempFolder folder;
  WriteBytes(folder / "durchgang-1.nc", "old program");
  WriteBytes(folder / "durchgang-7.nc", "older plan");
  fs::create_directory(folder / "durchgang-2.nc");
  const ProcessResult r = Tav({"plan", "--pnp", kBoard, "-o", folder.path().string()});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("durchgang-2.nc\" kann nicht erstellt werden"), std::string::npos) << r.err;
  EXPECT_EQ(folder.Entries(),
            (std::vector<std::string>{"durchgang-1.nc", "durchgang-2.nc", "durchgang-7.nc"}));
  EXPECT_EQ(ReadBytes(folder / "durchgang-1.nc"), "old program");
  EXPECT_EQ(ReadBytes(folder / "durchgang-7.nc"), "older plan");
}

TEST(TavPlan, ReplacesAnEarlierPlanAndItsSurplusPrograms) {
  TempFolder folder;
  WriteBytes(folder / "durchgang-1.nc", "old program");
  WriteBytes(folder / "durchgang-4.nc", "old pass 4");
  WriteBytes(folder / "durchgang-04.nc", "not one of ours");
  WriteBytes(folder / "notes.txt", "kept");
  const ProcessResult r = Tav({"plan", "--pnp", kSmall, "-o", folder.path().string()});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(folder.Entries(), (std::vector<std::string>{"durchgang-04.nc", "durchgang-1.nc",
                                                        "einrichtung.txt", "notes.txt"}));
  EXPECT_NE(ReadBytes(folder / "durchgang-1.nc"), "old program");
}

TEST(TavPlan, NothingIncludedIsAnErrorWithoutFiles) {
  TempFolder folder;
  const std::string project = folder / "leer.tav";
  WriteBytes(project, "[Bibliothek]\r\nElemente=0\r\n");
  const std::string out = folder / "job";
  const ProcessResult r = Tav({"plan", "--project", project, "-o", out});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err,
            "Kein Bauteil ist eingeschlossen; es gibt keine Durchg\xC3\xA4nge zu planen, keine "
            "Datei wurde geschrieben.\n");
  EXPECT_FALSE(fs::exists(out));
}

TEST(TavPlan, AGeneratorErrorInAnyPassWritesNothing) {
  // Feeder 3 is first used in pass 1; its direction is not one the generator knows.
  TempFolder folder;
  const std::string out = folder / "job";
  const ProcessResult r = Tav({"plan", "--pnp", kBoard, "--set", "F3W=rechts", "-o", out});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, "Feeder 3: unbekannte Richtung \"rechts\"\n");
  EXPECT_FALSE(fs::exists(out));
}

// Machine file, project and --set: each later source wins for the keys it names.
TEST(TavSettings, MachineFileComesAfterTheProjectAndSetAfterBoth) {
  TempFolder folder;
  const std::string project = folder / "board.tav";
  ASSERT_EQ(
      Tav({"import", kSmall, "-o", project, "--set", "F1X=5", "--set", "SpeedHeben=9"}).exitCode,
      0);
  const std::string machine = folder / "maschine.tavm";
  WriteBytes(machine, "[Feeder]\r\nF1X=7\r\n[Koordinaten]\r\nBauteilMaxZ=1.5\r\n");

  struct Case {
    std::vector<std::string> options;
    std::string feederLine;  // the first line of the first block
    std::string heightLine;  // the header's lift line
  };
  // clang-format off
  const Case cases[] = {
      {{}, "G00 X5 Y0.00 F20", "G01 Z+0.00 F9"},
      {{"--machine", machine}, "G00 X7 Y0.00 F20", "G01 Z+1.5 F9"},
      {{"--set", "F1X=9", "--machine", machine}, "G00 X9 Y0.00 F20", "G01 Z+1.5 F9"},
      {{"--set", "f1x=8", "--set", "F1X=9,5"}, "G00 X9.5 Y0.00 F20", "G01 Z+0.00 F9"},
      {{"--set=BauteilMaxZ=2", "--machine", machine}, "G00 X7 Y0.00 F20", "G01 Z+2 F9"},
  };
  // clang-format on
  for (const Case& c : cases) {
    std::vector<std::string> args{"gcode", "--project", project};
    args.insert(args.end(), c.options.begin(), c.options.end());
    const ProcessResult r = Tav(args);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("\r\n" + c.heightLine + "\r\n\r\n" + c.feederLine + "\r\n"),
              std::string::npos)
        << c.feederLine << "\n"
        << r.out;
  }

  // tav plan takes the same options.
  const ProcessResult planned =
      Tav({"plan", "--project", project, "--machine", machine, "-o", folder / "job"});
  ASSERT_EQ(planned.exitCode, 0) << planned.err;
  EXPECT_NE(ReadBytes(folder / "job/durchgang-1.nc").find("G00 X7 Y0.00 F20"), std::string::npos);
}

TEST(TavSettings, AnUnreadableMachineFileFailsTheCommand) {
  TempFolder folder;
  const std::string out = folder / "out.nc";
  WriteBytes(folder / "leer.tavm", "[Sonstiges]\r\nA=1\r\n");
  const ProcessResult missing = Tav({"gcode", "--machine", folder / "fehlt.tavm", "-o", out});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_NE(missing.err.find("fehlt.tavm kann nicht ge\xC3\xB6"
                             "ffnet werden"),
            std::string::npos)
      << missing.err;
  const ProcessResult empty = Tav({"import", kSmall, "--machine", folder / "leer.tavm", "-o", out});
  EXPECT_EQ(empty.exitCode, 1);
  EXPECT_EQ(empty.err, "Die Datei " + (folder / "leer.tavm") +
                           " enth\xC3\xA4lt keine Maschineneinstellungen.\n");
  EXPECT_EQ(folder.Entries(), (std::vector<std::string>{"leer.tavm"}));
}

// clang-format off
const std::vector<std::vector<std::string>> kUsageErrors = {
    {"gcode", "--set", "F1X"},
    {"gcode", "--set", "=5"},
    {"gcode", "--set", "F5X=1"},
    {"gcode", "--set"},
    {"import", "a.csv", "-o", "p.tav", "--set", "Elemente=3"},
    {"plan", "--pnp", "a.csv", "-o", "d", "--set", "Speed=1"},
    {"gcode", "--machine", "a.tavm", "--machine", "b.tavm"},
    {"plan"},
    {"plan", "-o", "d"},
    {"plan", "--pnp", "a.csv"},
    {"plan", "--pnp", "a.csv", "-o", "d", "extra"},
    {"plan", "--pnp", "a.csv", "-o", "d", "--summary"},
};
// clang-format on

TEST(TavSettings, UsageErrorsExitWithTwo) {
  for (const std::vector<std::string>& args : kUsageErrors)
    test::ExpectUsageError(args, {"Aufruf: tav " + args[0]});
  EXPECT_FALSE(fs::exists("d"));
  const ProcessResult help = Tav({"plan", "--help"});
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_NE(help.out.find("einrichtung.txt"), std::string::npos);
}

}  // namespace
}  // namespace tav
