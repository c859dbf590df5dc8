// SPDX-License-Identifier: GPL-3.0-or-later
// `tav show --project` and `--align`: the machine positions and turns the
// program uses, and the board's placement found from two measured parts.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <numbers>
#include <string>
#include <vector>

#include "ProcessRunner.h"
#include "support/TempFolder.h"

namespace tav {
namespace {

using test::ProcessResult;

const std::string kSmall = std::string(TAV_SOURCE_DIR) + "/tests/data/cli/small.csv";

ProcessResult Tav(const std::vector<std::string>& args) {
  return test::RunProcess(TAV_CLI_PATH, args, {});
}

TEST(TavPlacement, ShowProjectListsMachinePositionsAndTurns) {
  test::TempFolder folder;
  const std::string project = folder / "job.tav";
  ASSERT_EQ(Tav({"import", kSmall, "-o", project, "--set", "Nullpunkt_X=100", "--set", "Drehung=90",
                 "--set", "F2A=90"})
                .exitCode,
            0);
  const ProcessResult r = Tav({"show", "--project", project});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  // (x, y) turned by 90° is (-y, x); the turn is rotation + 90 - Winkel of feeder 1.
  EXPECT_EQ(r.out, "R1\t93\t5\t90\nC1\t103\t12\t180\nU1\t85\t20\t-90\n");

  // With a side chosen the wrong side's part is refused by name, as by the program.
  const std::string bottom = folder / "unten.tav";
  ASSERT_EQ(Tav({"import", kSmall, "-o", bottom, "--set", "Seite=Unterseite"}).exitCode, 0);
  const ProcessResult refused = Tav({"show", "--project", bottom});
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_NE(refused.err.find("R1 liegt auf der Oberseite"), std::string::npos) << refused.err;
  EXPECT_EQ(Tav({"gcode", "--project", bottom}).err, refused.err);
}

// The machine position of a design point on a board turned by 3° about its
// origin, which lies at (57.25, -31.5).
std::string Measured(double x, double y, double stretch = 1) {
  const double a = 3 * std::numbers::pi / 180;
  char text[64];
  std::snprintf(text, sizeof text, "%.4f,%.4f",
                57.25 + stretch * (std::cos(a) * x - std::sin(a) * y),
                -31.5 + stretch * (std::sin(a) * x + std::cos(a) * y));
  return text;
}

TEST(TavPlacement, AlignFindsOriginAndTurnFromTwoMeasuredParts) {
  test::TempFolder folder;
  const std::string out = folder / "job.nc";
  const ProcessResult r =
      Tav({"gcode", "--pnp", kSmall, "-o", out, "--set", "Seite=Oberseite", "--align",
           "R1=" + Measured(5, 7), "--align", "C1=" + Measured(12, -3)});
  // U1 lies on the bottom side: the run fails, after the alignment was found.
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(r.err.starts_with("Nullpunkt X 57.25, Y -31.5, Drehung 3\xC2\xB0;")) << r.err;

  const ProcessResult plan = Tav({"plan", "--pnp", kSmall, "-o", folder / "passes", "--align",
                                  "R1=" + Measured(5, 7), "--align", "U1=" + Measured(20, 15)});
  EXPECT_EQ(plan.exitCode, 0) << plan.err;
  EXPECT_NE(test::ReadBytes(folder / "passes/durchgang-1.nc").find("G00 X61.877 Y-24.248"),
            std::string::npos);

  // A 2 % longer distance: a wrong part or a typo.
  const ProcessResult wrong = Tav({"gcode", "--pnp", kSmall, "--align", "R1=" + Measured(5, 7),
                                   "--align", "U1=" + Measured(20, 15, 1.02)});
  EXPECT_EQ(wrong.exitCode, 1);
  EXPECT_NE(wrong.err.find("falsches Bauteil oder Tippfehler"), std::string::npos) << wrong.err;
  EXPECT_EQ(wrong.out, "");
  EXPECT_NE(
      Tav({"gcode", "--pnp", kSmall, "--align", "X9=1,2", "--align", "R1=3,4"}).err.find("X9"),
      std::string::npos);

  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"gcode", "--align", "R1=1,2"},
           {"gcode", "--align", "R1=1;2", "--align", "C1=3,4"},
           {"gcode", "--align", "R1=1,2", "--align", "C1=3,4", "--align", "U1=5,6"},
           {"show", "--project", "a.tav", "b.csv"}})
    EXPECT_EQ(Tav(args).exitCode, 2) << args[1] << " " << args[2];
}

}  // namespace
}  // namespace tav
