// SPDX-License-Identifier: GPL-3.0-or-later
// `tav show`: one component a line on standard output, the summary on
// standard error, and the same listing under every decimal separator.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ProcessRunner.h"

namespace tav {
namespace {

using test::ProcessResult;

const std::string kBoards = std::string(TAV_SOURCE_DIR) + "/tests/data/boards/";

ProcessResult Tav(const std::vector<std::string>& args) {
  return test::RunProcess(TAV_CLI_PATH, args, {});
}

TEST(TavShow, ListsEveryComponentInMillimetres) {
  // clang-format off
  const struct { const char* file; const char* out; const char* err; } cases[] = {
      {"utf16-be-tab.csv",
       "R1\t1kOhm\tR0402\t2.54\t1.27\t0\tT\n"
       "C1\tM\xC3\xBCller\tC0603\t2.5\t1\t90\tB\n",
       "Aufbau: Kopfzeile in Zeile 1, Trennzeichen Tabulator; Kodierung UTF-16 BE; "
       "Einheiten mm, mil; 2 Bauteile\n"},
      {"kicad-inches.pos",
       "C1\t100nF\tC_0603_1608Metric\t31.75\t-12.7\t90.0000\ttop\n"
       "J2\tUSB_C\tUSB_C_Receptacle\t2.54\t50.8\t270.0000\ttop\n",
       "Aufbau: KiCad .pos (Kopfzeile in Zeile 5, Spalten durch Leerzeichen); "
       "Kodierung Windows-1252; Einheit inch; 2 Bauteile\n"},
      {"legacy.csv",
       "R1\t10k\t0805\t1.5\t2\t90\tTopLayer\n"
       "C1\t100n\t0603\t2.54\t5.08\t0\tBottomLayer\n"
       "U1\tNE555\tSOIC-8\t12.7\t25.4\t270\tTopLayer\n"
       "J1\tlast row\tPAD\t7.5\t-2.5\t180\tTopLayer\n",
       "Aufbau: altes Format (Zeile 2 leer, Felder nach Position); Kodierung Windows-1252; "
       "Einheiten mm, mil, inch; 4 Bauteile\n"},
  };
  // clang-format on
  for (const auto& c : cases) {
    for (const char* separator : {".", ","}) {
      const ProcessResult r = Tav({"show", kBoards + c.file, "--decimal-separator", separator});
      EXPECT_EQ(r.exitCode, 0) << c.file << r.err;
      EXPECT_EQ(r.out, c.out) << c.file;
      EXPECT_EQ(r.err, c.err) << c.file;
    }
  }
}

TEST(TavShow, FailuresAndUsage) {
  const ProcessResult bad =
      Tav({"show", std::string(TAV_SOURCE_DIR) + "/tests/data/cli/bad-x.csv"});
  EXPECT_EQ(bad.exitCode, 1);
  EXPECT_EQ(bad.out, "");
  EXPECT_EQ(bad.err, "Zeile 4, Spalte \"Mid X\": 'abc' ist kein g\xC3\xBCltiger Gleitkommawert.\n");

  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"show"}, {"show", "a.csv", "b.csv"}, {"show", "a.csv", "-o", "x"}}) {
    const ProcessResult r = Tav(args);
    EXPECT_EQ(r.exitCode, 2) << args.size();
    EXPECT_NE(r.err.find("tav show F.csv"), std::string::npos) << r.err;
  }
  const ProcessResult help = Tav({"show", "--help"});
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_NE(help.out.find("Aufruf: tav show F.csv [--decimal-separator C]"), std::string::npos);
  EXPECT_NE(Tav({"--help"}).out.find("  show "), std::string::npos);
}

}  // namespace
}  // namespace tav
