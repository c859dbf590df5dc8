// SPDX-License-Identifier: GPL-3.0-or-later
// Runs the built `tav` as a separate process and checks its exact output bytes,
// its messages and its exit status.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "ProcessRunner.h"
#include "support/TempFolder.h"

namespace tav {
namespace {

namespace fs = std::filesystem;
using test::ProcessResult;
using test::ReadBytes;
using test::RunProcess;

const std::string kSource = TAV_SOURCE_DIR;
const std::string kExample = kSource + "/examples/example-board.csv";
const std::string kExampleProgram = kSource + "/tests/data/gcode/example-board.nc";
const std::string kData = kSource + "/tests/data/cli/";

ProcessResult Tav(const std::vector<std::string>& args,
                  const std::vector<std::string>& environment = {}) {
  return RunProcess(TAV_CLI_PATH, args, environment);
}

std::string JoinCrLf(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

const std::string kEmptyProgram =
    JoinCrLf({"(-------------------------------)", "(-- G-Code for Pick and Place --)",
              "(--  Created with TAV V1.0    --)", "(--                           --)",
              "(--  Tavoline                 --)", "(-------------------------------)", "", "%",
              "G21", "G40 G49 G90", "G01 Z+0.00 F2", "", "%"});

class TavCli : public ::testing::Test {
 protected:
  std::string Temp(const std::string& name) const { return folder_ / name; }

  test::TempFolder folder_;
};

TEST_F(TavCli, GCodeToStandardOutputIsTheExactProgram) {
  const ProcessResult r = Tav({"gcode", "--pnp", kExample});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.err, "");
  EXPECT_TRUE(r.out == ReadBytes(kExampleProgram)) << "stdout differs from " << kExampleProgram;
}

TEST_F(TavCli, GCodeToFileWritesExactlyThatPath) {
  const std::string out = Temp("board");  // no extension is added
  const ProcessResult r = Tav({"gcode", "--pnp", kExample, "-o", out});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "");
  EXPECT_TRUE(ReadBytes(out) == ReadBytes(kExampleProgram));
  EXPECT_FALSE(fs::exists(out + ".nc"));
}

TEST_F(TavCli, GCodeWithoutInputIsTheBareProgram) {
  const ProcessResult r = Tav({"gcode"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out, kEmptyProgram);
}

TEST_F(TavCli, FailedImportLeavesNoOutputFile) {
  const std::string out = Temp("out.nc");
  const ProcessResult r = Tav({"gcode", "--pnp", kData + "bad-x.csv", "-o", out});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.out, "");
  // The conversion message in UTF-8 after its place in the file, with the full
  // stop the error display adds.
  EXPECT_EQ(r.err, "Zeile 4, Spalte \"Mid X\": 'abc' ist kein g\xC3\xBCltiger Gleitkommawert.\n");
  EXPECT_FALSE(fs::exists(out));
}

TEST_F(TavCli, FailedRunLeavesAnExistingOutputFileAlone) {
  const std::string out = Temp("out.nc");
  test::WriteBytes(out, "previous program");
  const ProcessResult r = Tav({"gcode", "--pnp", Temp("missing.csv"), "-o", out});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(r.err.starts_with("Datei " + Temp("missing.csv") +
                                " kann nicht ge\xC3\xB6"
                                "ffnet werden. "))
      << r.err;
  EXPECT_TRUE(r.err.ends_with(".\n")) << r.err;
  EXPECT_EQ(ReadBytes(out), "previous program");
  EXPECT_EQ(folder_.EntryCount(), 1) << "a temporary file was left behind";
}

TEST_F(TavCli, UnwritableOutputIsAnError) {
  const std::string out = Temp("no-such-folder/out.nc");
  const ProcessResult r = Tav({"gcode", "-o", out});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(r.err.starts_with("Datei \"" + out + "\" kann nicht erstellt werden. ")) << r.err;
}

TEST_F(TavCli, UtfEightPathsInMessagesStayReadable) {
  const std::string missing = Temp("M\xC3\xBCller.csv");  // as a UTF-8 terminal passes it
  const ProcessResult r = Tav({"gcode", "--pnp", missing});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(r.err.starts_with("Datei " + missing + " kann nicht ge\xC3\xB6")) << r.err;
}

TEST_F(TavCli, DefaultsGenerateUnderACommaSeparator) {
  // The default texts "0.00" are read with "." too, and every number in the
  // program keeps "."; so the program is the same under either separator.
  const std::string small = kData + "small.csv";
  const ProcessResult comma = Tav({"gcode", "--pnp", small, "--decimal-separator", ","});
  EXPECT_EQ(comma.exitCode, 0) << comma.err;
  EXPECT_EQ(comma.out, Tav({"gcode", "--pnp", small, "--decimal-separator", "."}).out);
  EXPECT_NE(comma.out.find("G01 Z+0.00 F2\r\n"), std::string::npos) << comma.out;
}

TEST_F(TavCli, DecimalSeparatorComesFromTheLocale) {
  // Build a German locale into a private folder; skip where the sources are missing.
  const std::string locales = Temp("locales");
  fs::create_directories(locales);
  const ProcessResult made = RunProcess(
      "/usr/bin/localedef", {"-i", "de_DE", "-f", "UTF-8", locales + "/de_DE.UTF-8"}, {});
  if (!fs::exists(locales + "/de_DE.UTF-8")) GTEST_SKIP() << "no de_DE locale: " << made.err;
  const std::vector<std::string> german{"LOCPATH=" + locales, "LC_ALL=de_DE.UTF-8"};
  // The summary is for the user and shows the locale's ","; the program keeps ".".
  const std::string small = kData + "small.csv";
  const ProcessResult r = Tav({"gcode", "--pnp", small, "--summary"}, german);
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, Tav({"gcode", "--pnp", small}).out);
  EXPECT_NE(r.err.find("Verfahrweg: 66,9 mm\n"), std::string::npos) << r.err;
  // The option wins over the locale.
  const ProcessResult dot =
      Tav({"gcode", "--pnp", kExample, "--decimal-separator", ".", "--summary"}, german);
  EXPECT_EQ(dot.exitCode, 0) << dot.err;
  EXPECT_TRUE(dot.out == ReadBytes(kExampleProgram));
  EXPECT_NE(dot.err.find("Verfahrweg: 2773.9 mm\n"), std::string::npos) << dot.err;
}

TEST_F(TavCli, SummaryGoesToStandardErrorAfterTheProgram) {
  const std::string out = Temp("board.nc");
  const ProcessResult r = Tav({"gcode", "--pnp", kExample, "-o", out, "--summary"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err,
            "Bauteile platziert: 36\nVerfahrweg: 2773.9 mm\nGesch\xC3\xA4tzte Dauer: 2 h 18 min "
            "42 s\n");
  EXPECT_TRUE(ReadBytes(out) == ReadBytes(kExampleProgram));
  EXPECT_EQ(Tav({"gcode", "--summary=1"}).exitCode, 2);
  EXPECT_EQ(Tav({"gcode", "--summary", "--summary"}).exitCode, 2);
  // Without the option nothing but errors goes to stderr.
  EXPECT_EQ(Tav({"gcode", "--pnp", kExample}).err, "");
}

TEST_F(TavCli, HelpGoesToStandardOutput) {
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{"--help"},
                                             {"-h"},
                                             {"gcode", "--help"},
                                             {"import", "--help"},
                                             {"gcode", "-o", "x", "--help"}}) {
    const ProcessResult r = Tav(args);
    EXPECT_EQ(r.exitCode, 0) << args[0];
    EXPECT_EQ(r.err, "");
    EXPECT_NE(r.out.find("Aufruf: "), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Exit-Status"), std::string::npos) << r.out;
  }
  EXPECT_NE(Tav({"--help"}).out.find("f\xC3\xBCr"), std::string::npos) << "not UTF-8";
  EXPECT_FALSE(fs::exists("x"));
}

TEST_F(TavCli, VersionIsTheProjectsVersion) {
  const ProcessResult r = Tav({"--version"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out, "tav " TAV_VERSION "\n");
  EXPECT_EQ(r.err, "");
  EXPECT_NE(Tav({"--help"}).out.find("tav --version"), std::string::npos);
}

// clang-format off
const std::vector<std::vector<std::string>> kUsageErrors = {
    {},
    {"frobnicate"},
    {"--frobnicate"},
    {"gcode", "--frobnicate"},
    {"gcode", "--pnp"},
    {"gcode", "-o"},
    {"gcode", "extra.csv"},
    {"gcode", "--decimal-separator", ",,"},
    {"gcode", "--decimal-separator", ""},
    {"gcode", "--decimal-separator", "5"},
    {"gcode", "--decimal-separator", "-"},
    {"gcode", "-o", "a.nc", "-o", "b.nc"},
    {"import"},
    {"import", "board.csv"},
    {"import", "-o", "p.tav"},
    {"import", "a.csv", "b.csv", "-o", "p.tav"},
    {"import", "a.csv", "-o", "p.tav", "--pnp", "b.csv"},
    {"--version", "extra"},
};
// clang-format on

TEST_F(TavCli, UsageErrorsExitWithTwoAndAHint) {
  for (const std::vector<std::string>& args : kUsageErrors)
    test::ExpectUsageError(args, {"Aufruf: ", "--help"});
  EXPECT_FALSE(fs::exists("a.nc"));
  EXPECT_FALSE(fs::exists("p.tav"));
}

TEST_F(TavCli, OptionsTakeAnEqualsSign) {
  const ProcessResult r = Tav({"gcode", "--pnp=" + kExample, "--decimal-separator=."});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_TRUE(r.out == ReadBytes(kExampleProgram));
}

// The following need the project file support.

TEST_F(TavCli, GCodeFromAProjectUsesItsTreeAndSettings) {
  const ProcessResult r =
      Tav({"gcode", "--project", kData + "comma-settings.tav", "--decimal-separator", ","});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  const std::string expected =
      kEmptyProgram.substr(0, kEmptyProgram.find("G01 Z+")) +
      // Numbers typed with "," are written with ".", which controllers read.
      JoinCrLf({"G01 Z+1.5 F500", "",  // D1 is excluded
                "G00 X100.5 Y50 F3000", "G01 Z-1.75 F400", "G00 Y53 F2.", "G01 Z+1.75 F500",
                "G00 X100.5 Y50 F3000", "G01 Z-1.5 F400", "G01 Z+1.5 F500",
                "G00 X30.5 Y40.25 F3000", "G01 Z-1.5 F400", "G01 Z+1.5 F500", "", "%"});
  EXPECT_EQ(r.out, expected);
}

TEST_F(TavCli, PickAndPlaceReplacesTheProjectsComponents) {
  const ProcessResult r = Tav({"gcode", "--project", kData + "comma-settings.tav", "--pnp",
                               kData + "small.csv", "--decimal-separator", ","});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  // All three imported components, on feeder 1 with the project's settings.
  EXPECT_NE(r.out.find("G00 X5 Y7 F3000\r\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("G00 X12 Y-3 F3000\r\n"), std::string::npos);
  EXPECT_NE(r.out.find("G00 X20 Y15 F3000\r\n"), std::string::npos);
  EXPECT_EQ(r.out.find("X30.5"), std::string::npos);
}

TEST_F(TavCli, GeneratorErrorNamesTheDirection) {
  const std::string out = Temp("out.nc");
  const ProcessResult r = Tav({"gcode", "--project", kData + "bad-direction.tav", "-o", out});
  EXPECT_EQ(r.exitCode, 1);
  // The message ends with a quote, which gets no full stop.
  EXPECT_EQ(r.err, "Feeder 1: unbekannte Richtung \"rechts\"\n");
  EXPECT_FALSE(fs::exists(out));
}

TEST_F(TavCli, ImportWritesAProjectThatGivesTheSameProgram) {
  const std::string project = Temp("board.tav");
  // "--" ends the options, so a file name may start with "-".
  const ProcessResult imported = Tav({"import", "-o", project, "--", kExample});
  EXPECT_EQ(imported.exitCode, 0) << imported.err;
  EXPECT_EQ(imported.out, "");
  const ProcessResult r = Tav({"gcode", "--project", project});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_TRUE(r.out == ReadBytes(kExampleProgram));
}

TEST_F(TavCli, ImportTakesTheSettingsOfTheBaseProject) {
  const std::string project = Temp("small.tav");
  const ProcessResult imported = Tav({"import", kData + "small.csv", "-o", project, "--project",
                                      kData + "comma-settings.tav", "--decimal-separator", ","});
  EXPECT_EQ(imported.exitCode, 0) << imported.err;
  const ProcessResult fromProject =
      Tav({"gcode", "--project", project, "--decimal-separator", ","});
  const ProcessResult direct = Tav({"gcode", "--project", kData + "comma-settings.tav", "--pnp",
                                    kData + "small.csv", "--decimal-separator", ","});
  EXPECT_EQ(fromProject.exitCode, 0) << fromProject.err;
  EXPECT_EQ(fromProject.out, direct.out);
}

TEST_F(TavCli, FailedImportLeavesTheProjectUnchanged) {
  const std::string project = Temp("board.tav");
  ASSERT_EQ(Tav({"import", kData + "small.csv", "-o", project}).exitCode, 0);
  const std::string before = ReadBytes(project);
  const ProcessResult r = Tav({"import", kData + "bad-x.csv", "-o", project});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, "Zeile 4, Spalte \"Mid X\": 'abc' ist kein g\xC3\xBCltiger Gleitkommawert.\n");
  EXPECT_EQ(ReadBytes(project), before);
  const ProcessResult fresh = Tav({"import", kData + "bad-x.csv", "-o", Temp("new.tav")});
  EXPECT_EQ(fresh.exitCode, 1);
  EXPECT_FALSE(fs::exists(Temp("new.tav")));
}

}  // namespace
}  // namespace tav
