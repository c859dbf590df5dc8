// SPDX-License-Identifier: GPL-3.0-or-later
// `tav gcode` and `tav plan` refuse settings no machine runs safely, naming
// the field, its key and where its value came from, and write nothing.
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
using test::TempFolder;
using test::WriteBytes;

const std::string kSource = TAV_SOURCE_DIR;
const std::string kMachine = kSource + "/examples/werkstatt.tavm";
const std::string kSmall = kSource + "/tests/data/cli/small.csv";
const std::string kCommaProject = kSource + "/tests/data/cli/comma-settings.tav";

ProcessResult Tav(const std::vector<std::string>& args) {
  return test::RunProcess(TAV_CLI_PATH, args, {});
}

struct RefusalCase {
  std::vector<std::string> options;
  std::string message;  // UTF-8, as the terminal shows it
};

TEST(TavSafety, RefusesBadValuesNamingFieldKeyAndSourceWithoutWriting) {
  TempFolder folder;
  const std::string machine = folder / "maschine.tavm";
  WriteBytes(machine, "[Feeder]\r\nF1Z=abc\r\n");
  const std::string project = folder / "bad.tav";
  std::string text = ReadBytes(kCommaProject);
  text.replace(text.find("##30.5mm"), 8, "##30.5 x");
  WriteBytes(project, text);
  // clang-format off
  const RefusalCase cases[] = {
      {{"--pnp", kSmall, "--machine", kMachine, "--set", "F1Z=-5,2"},
       "Feeder 1, H\xC3\xB6he Z (F1Z aus --set): \"-5,2\" ist keine zul\xC3\xA4ssige H\xC3\xB6he (Zahl ab 0)."},
      {{"--pnp", kSmall, "--machine", machine},
       "Feeder 1, H\xC3\xB6he Z (F1Z aus maschine.tavm): 'abc' ist kein g\xC3\xBCltiger Gleitkommawert."},
      {{"--pnp", kSmall, "--set", "SpeedFahren=0"},
       "Geschwindigkeit fahren (SpeedFahren aus --set): \"0\" ist keine zul\xC3\xA4ssige "
       "Geschwindigkeit (Zahl \xC3\xBC" "ber 0)."},
      {{"--project", project},
       "R7: '30.5 x' ist kein g\xC3\xBCltiger Gleitkommawert."},
      {{"--project", project, "--set", "BauteilMaxZ=-1"},
       "Maximale Bauteilh\xC3\xB6he (BauteilMaxZ aus --set): \"-1\" ist keine zul\xC3\xA4ssige "
       "H\xC3\xB6he (Zahl ab 0)."},
  };
  // clang-format on
  for (const RefusalCase& c : cases) {
    for (const char* command : {"gcode", "plan"}) {
      const std::string out = folder / "out";
      std::vector<std::string> args{command, "-o", out};
      args.insert(args.end(), c.options.begin(), c.options.end());
      const ProcessResult r = Tav(args);
      EXPECT_EQ(r.exitCode, 1) << command;
      EXPECT_EQ(r.err, c.message + "\n") << command;
      EXPECT_FALSE(fs::exists(out)) << command;
    }
  }
}

TEST(TavSafety, ProjectReadsTheSameUnderEverySeparator) {
  const ProcessResult comma =
      Tav({"gcode", "--project", kCommaProject, "--decimal-separator", ","});
  const ProcessResult dot = Tav({"gcode", "--project", kCommaProject, "--decimal-separator", "."});
  ASSERT_EQ(dot.exitCode, 0) << dot.err;
  EXPECT_EQ(comma.out, dot.out);
  EXPECT_EQ(dot.out.find(','), std::string::npos);
}

TEST(TavSafety, MachineFileSavedUnderGermanReadsTheSameEverywhere) {
  TempFolder folder;
  const std::string german = folder / "deutsch.tavm";
  std::string text = ReadBytes(kMachine);
  for (std::size_t at = text.find(".0"); at != std::string::npos; at = text.find(".0", at))
    text[at] = ',';
  WriteBytes(german, text);
  ASSERT_NE(text.find("BauteilMaxZ=2,0"), std::string::npos);
  const ProcessResult dot = Tav({"gcode", "--pnp", kSmall, "--machine", kMachine});
  ASSERT_EQ(dot.exitCode, 0) << dot.err;
  for (const char* separator : {".", ","}) {
    const ProcessResult r =
        Tav({"gcode", "--pnp", kSmall, "--machine", german, "--decimal-separator", separator});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, dot.out) << separator;
  }
}

TEST(TavSafety, BundledMachineAdvancesTheTapeBesideEachFeeder) {
  const ProcessResult r = Tav({"gcode", "--pnp", kSmall, "--machine", kMachine});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  // Feeder 1 at X 150 with offset 4 to the right: the needle moves 4 mm.
  EXPECT_NE(r.out.find("G01 Z-3.2 F200\r\nG00 X146 F2.\r\nG01 Z+3.2 F300\r\n"), std::string::npos)
      << r.out;
  EXPECT_EQ(r.out.find("X-4.0"), std::string::npos);
}

TEST(TavSafety, FilesThatAreNoProjectsAreNamed) {
  TempFolder folder;
  const std::string empty = folder / "leer.tav";
  WriteBytes(empty, "");
  const std::string picture = folder / "x.png";
  WriteBytes(picture, std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16));
  const std::string missing = folder / "gibtsnicht.tav";
  const std::string settingsOnly = folder / "nur.tav";
  WriteBytes(settingsOnly,
             "[Geschwindigkeiten]\r\nSpeedFahren=30\r\n[Bibliothek]\r\nElemente=0\r\n");
  EXPECT_EQ(Tav({"gcode", "--project", empty}).err,
            "Datei \"" + empty + "\" ist keine Projektdatei.\n");
  EXPECT_EQ(Tav({"gcode", "--project", picture}).err,
            "Datei \"" + picture + "\" ist keine Projektdatei.\n");
  EXPECT_EQ(Tav({"gcode", "--project", kSmall}).err,
            "Datei \"" + kSmall + "\" ist keine Projektdatei.\n");
  const ProcessResult gone = Tav({"gcode", "--project", missing});
  EXPECT_EQ(gone.exitCode, 1);
  EXPECT_EQ(gone.err, "Datei \"" + missing + "\" nicht gefunden.\n");
  const ProcessResult ok = Tav({"gcode", "--project", settingsOnly});
  EXPECT_EQ(ok.exitCode, 0) << ok.err;
}

}  // namespace
}  // namespace tav
