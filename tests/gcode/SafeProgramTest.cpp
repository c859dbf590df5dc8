// SPDX-License-Identifier: GPL-3.0-or-later
// Programs that cannot hurt the machine: the tape advance beside the feeder,
// settings refused before a line is written, numbers typed with "." or ",",
// the dry run, the machine's travel and text that GRBL cannot take for a
// real-time command.
#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <filesystem>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "boards/PickPlaceImport.h"
#include "core/DecimalSeparator.h"
#include "gcode/GCodeGenerator.h"
#include "gcode/GrblText.h"
#include "gcode/ProgramCheck.h"
#include "support/ComponentBlocks.h"
#include "support/ErrorOf.h"
#include "support/TempFolder.h"

namespace tav {
namespace {

using Lines = std::vector<std::string>;

Lines LinesOf(const std::string& program) {
  Lines lines;
  std::stringstream in(program);
  std::string line;
  while (std::getline(in, line)) lines.push_back(line.substr(0, line.size() - 1));
  return lines;
}

// The bundled machine: four feeders at X 150, offset 4 to the right.
MachineSettings Workshop() {
  MachineSettings s;
  for (int n = 1; n <= 4; ++n)
    *s.Feeder(n) = {"150.0", IntegerToText(20 * n) + ".0", "1.2", "4.0", "Rechts"};
  s.liftFeed = "300";
  s.placeFeed = "200";
  s.travelFeed = "3000";
  s.maxPartHeight = "2.0";
  return s;
}

// The line after the comment box and header of a one-component program.
std::string TapeLine(const MachineSettings& settings, int feeder = 1) {
  ComponentTree tree;
  test::AddComponent(tree, "R1", "10", "10", FeederText(feeder));
  return LinesOf(GCodeGenerator::Generate(tree, settings))[14];
}

struct AdvanceCase {
  const char* direction;
  const char* x;
  const char* y;
  const char* offset;
  const char* line;
};

class TapeAdvanceLine : public ::testing::TestWithParam<AdvanceCase> {};

TEST_P(TapeAdvanceLine, GoesBesideTheFeederByItsOffset) {
  const AdvanceCase& c = GetParam();
  MachineSettings settings;
  *settings.Feeder(1) = {c.x, c.y, "0", c.offset, c.direction};
  EXPECT_EQ(TapeLine(settings), c.line);
}

const AdvanceCase kAdvanceCases[] = {
    {"Rechts", "150.0", "20", "4.0", "G00 X146 F2."},
    {"Links", "150.0", "20", "4.0", "G00 X154 F2."},
    {"Oben", "150", "20.5", "4", "G00 Y24.5 F2."},
    {"Unten", "150", "20.5", "4", "G00 Y16.5 F2."},
    {"Rechts", "-10", "0", "2,5", "G00 X-12.5 F2."},  // "," read as well
    {"Rechts", "150,5", "0", "0.1", "G00 X150.4 F2."},
    // A feeder at 0 on the direction's axis keeps the line as it always was.
    {"Rechts", "0.00", "20", "0.00", "G00 X-0.00 F2."},
    {"Links", "-0", "20", "4.0", "G00 X+4.0 F2."},
    {"Oben", "150", "0.00", "3,5", "G00 Y+3.5 F2."},
};
INSTANTIATE_TEST_SUITE_P(Table, TapeAdvanceLine, ::testing::ValuesIn(kAdvanceCases));

TEST(SafeProgram, EstimateTimesRapidsAtTheTravelFeed) {
  const MachineSettings settings = Workshop();
  ComponentTree tree;
  for (int i = 0; i < 24; ++i) test::AddComponent(tree, "R" + IntegerToText(i), "50", "50");
  std::string program;
  const JobSummary summary = GCodeGenerator::Generate(tree, settings, program);
  // Lift 2; then per part XY: to the feeder (the first from 0,0), 4 sideways
  // and 4 back, to the part.
  const double toFeeder = std::hypot(150.0, 20.0);
  const double feederToPart = std::hypot(100.0, 30.0);
  const double xy = toFeeder + 23 * feederToPart + 24 * (8 + feederToPart);
  // Z per part: down 5.2 and up 6.4 at the feeder, down 5.2 and up 4 for the
  // pick, down 4 and up 4 for the place.
  const double z = 2 + 24 * 28.8;
  EXPECT_NEAR(static_cast<double>(*summary.travelMm), xy + z, 1e-6);
  const double zMinutes = (2 + 24 * 14.4) / 300 + 24 * 14.4 / 200;
  EXPECT_NEAR(static_cast<double>(*summary.minutes), xy / 3000 + zMinutes, 1e-9);
}

// --- Refusals --------------------------------------------------------------------

struct Refusal {
  const char* what;
  std::function<void(MachineSettings&, ComponentTree&)> change;
  const char* message;
};

void AddTwoParts(ComponentTree& tree) {
  test::AddComponent(tree, "R1", "10mm", "5mm", "Feeder: 1");
  test::AddComponent(tree, "C7", "12", "7", "Feeder: 2");
  test::AddComponent(tree, "X9", "abc", "7", "Feeder: 3", /*included=*/false);
}

class Refused : public ::testing::TestWithParam<Refusal> {};

TEST_P(Refused, NamesTheFieldAndWritesNothing) {
  MachineSettings settings;
  ComponentTree tree;
  AddTwoParts(tree);
  GetParam().change(settings, tree);
  std::string editor = "previous program\r\n";
  EXPECT_EQ(test::ErrorOf([&] { GCodeGenerator::Generate(tree, settings, editor); }),
            GetParam().message);
  EXPECT_EQ(editor, "previous program\r\n");

  const test::TempFolder folder;
  const std::string path = folder / "job.nc";
  EXPECT_EQ(test::ErrorOf([&] { WriteGCodeFile(tree, settings, path); }), GetParam().message);
  EXPECT_FALSE(std::filesystem::exists(path));
}

const Refusal kRefusals[] = {
    {"height not a number", [](MachineSettings& s, ComponentTree&) { s.maxPartHeight = "abc"; },
     "Maximale Bauteilh\xF6he: 'abc' ist kein g\xFCltiger Gleitkommawert"},
    {"negative height", [](MachineSettings& s, ComponentTree&) { s.maxPartHeight = "-5,2"; },
     "Maximale Bauteilh\xF6he: \"-5,2\" ist keine zul\xE4ssige H\xF6he (Zahl ab 0)."},
    {"signed zero", [](MachineSettings& s, ComponentTree&) { s.Feeder(2)->z = "-0"; },
     "Feeder 2, H\xF6he Z: \"-0\" ist keine zul\xE4ssige H\xF6he (Zahl ab 0)."},
    {"plus sign", [](MachineSettings& s, ComponentTree&) { s.Feeder(1)->z = "+7"; },
     "Feeder 1, H\xF6he Z: \"+7\" ist keine zul\xE4ssige H\xF6he (Zahl ab 0)."},
    {"signed offset", [](MachineSettings& s, ComponentTree&) { s.Feeder(1)->offset = "-5,2"; },
     "Feeder 1, Versatz: \"-5,2\" ist kein zul\xE4ssiger Versatz (Zahl ab 0)."},
    {"feeder X", [](MachineSettings& s, ComponentTree&) { s.Feeder(1)->x = "abc"; },
     "Feeder 1, Position X: 'abc' ist kein g\xFCltiger Gleitkommawert"},
    {"zero feed", [](MachineSettings& s, ComponentTree&) { s.liftFeed = "0"; },
     "Geschwindigkeit heben: \"0\" ist keine zul\xE4ssige Geschwindigkeit (Zahl \xFC"
     "ber 0)."},
    {"feed word", [](MachineSettings& s, ComponentTree&) { s.travelFeed = "schnell"; },
     "Geschwindigkeit fahren: 'schnell' ist kein g\xFCltiger Gleitkommawert"},
    {"GRBL expression",
     [](MachineSettings& s, ComponentTree&) {
       s.controller = "GRBL";
       s.placeFeed = "#1";
     },
     "Geschwindigkeit setzen: '#1' ist kein g\xFCltiger Gleitkommawert"},
    {"component X",
     [](MachineSettings&, ComponentTree& t) { test::AddComponent(t, "U3", "1x", "2"); },
     "U3: '1x' ist kein g\xFCltiger Gleitkommawert"},
    {"travel limit", [](MachineSettings& s, ComponentTree&) { s.workYMax = "viel"; },
     "Maschine, Verfahrbereich Y bis: 'viel' ist kein g\xFCltiger Gleitkommawert"},
    // Several faults: the first in the window's order.
    {"window order",
     [](MachineSettings& s, ComponentTree& t) {
       test::AddComponent(t, "U3", "1x", "2");
       s.Feeder(2)->offset = "-1";
       s.Feeder(1)->y = "?";
       s.placeFeed = "-2";
     },
     "Geschwindigkeit setzen: \"-2\" ist keine zul\xE4ssige Geschwindigkeit (Zahl \xFC"
     "ber 0)."},
    {"feeders before components",
     [](MachineSettings& s, ComponentTree& t) {
       test::AddComponent(t, "U3", "1x", "2");
       s.Feeder(2)->offset = "-1";
     },
     "Feeder 2, Versatz: \"-1\" ist kein zul\xE4ssiger Versatz (Zahl ab 0)."},
    {"work area",
     [](MachineSettings& s, ComponentTree&) {
       s.workXMin = "0";
       s.workXMax = "11,5";
     },
     "C7: das Ziel X 12 liegt au\xDF"
     "erhalb des Verfahrbereichs (X von 0 bis 11.5)."},
    {"lowest Z",
     [](MachineSettings& s, ComponentTree&) {
       s.maxPartHeight = "1";
       s.Feeder(2)->z = "2";
       s.workZMin = "-2.5";
     },
     "Feeder 2 (C7): das Ziel Z -3 liegt unter der tiefsten Z (-2.5)."},
};
std::string RefusalName(const ::testing::TestParamInfo<Refusal>& param) {
  std::string name = param.param.what;
  for (char& c : name)
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  return name;
}

INSTANTIATE_TEST_SUITE_P(Table, Refused, ::testing::ValuesIn(kRefusals), RefusalName);

TEST(SafeProgram, UnusedFeedersAndExpressionFeedsAreNotRefused) {
  MachineSettings settings;
  settings.Feeder(4)->z = "-3";   // no component uses feeder 4
  settings.liftFeed = "#<lift>";  // LinuxCNC reads parameters
  settings.placeFeed = "[#1*2]";
  settings.workXMax = "10.16";  // a target on the limit is inside
  settings.workZMin = "0";
  ComponentTree tree;
  test::AddComponent(tree, "R1", "10.16mm", "5.08mm");
  const Lines lines = LinesOf(GCodeGenerator::Generate(tree, settings));
  EXPECT_EQ(lines[19], "G00 X10.16 Y5.08 F20");
}

TEST(SafeProgram, FieldNoteFollowsTheLabel) {
  MachineSettings settings;
  settings.Feeder(1)->z = "abc";
  ComponentTree tree;
  test::AddComponent(tree, "R1", "1", "2");
  const std::string message = test::ErrorOf([&] {
    CheckProgram(tree, settings, [&](const std::string& field) {
      return &field == &settings.Feeder(1)->z ? " (F1Z aus --set)" : "";
    });
  });
  EXPECT_EQ(message,
            "Feeder 1, H\xF6he Z (F1Z aus --set): 'abc' ist kein g\xFCltiger Gleitkommawert");
}

// --- Numbers in any locale ----------------------------------------------------------

TEST(SafeProgram, CommaAndDotGiveTheSameProgramUnderEverySeparator) {
  MachineSettings dots = Workshop();
  dots.Feeder(2)->offset = "2.5";
  MachineSettings commas = dots;
  for (FeederSettings& f : commas.feeders) {
    for (std::string* text : {&f.x, &f.y, &f.z, &f.offset}) (*text)[text->find('.')] = ',';
  }
  commas.maxPartHeight = "2,0";
  commas.valveDelay = "0,5";
  ComponentTree tree;
  test::AddComponent(tree, "R1", "10.5mm", "3");
  test::AddComponent(tree, "R2", "10,5mm", "3", "Feeder: 2");
  std::string expected;
  for (const char separator : {'.', ','}) {
    SetDecimalSeparator(separator);
    for (const MachineSettings* s : {&dots, &commas}) {
      const std::string program = GCodeGenerator::Generate(tree, *s);
      if (expected.empty()) expected = program;
      EXPECT_EQ(program, expected) << separator;
    }
  }
  SetDecimalSeparator('.');
  EXPECT_EQ(expected.find(','), std::string::npos);
}

// --- Dry run -------------------------------------------------------------------------

TEST(SafeProgram, DryRunKeepsZAtTravelHeightAndTheSamePath) {
  MachineSettings settings = Workshop();
  settings.switchValve = "1";
  settings.valveOnCode = "M8";
  settings.valveOffCode = "M9";
  ComponentTree tree;
  test::AddComponent(tree, "R1", "30", "40");
  test::AddComponent(tree, "R2", "31", "41", "Feeder: 3");
  const Lines normal = LinesOf(GCodeGenerator::Generate(tree, settings));
  settings.dryRun = "1";
  const Lines dry = LinesOf(GCodeGenerator::Generate(tree, settings));

  EXPECT_EQ(dry[6], "(Trockenlauf: Z bleibt auf Fahrhoehe, Ventil bleibt aus)");
  Lines normalXY, dryXY;
  for (const std::string& line : normal)
    if (line.starts_with("G00")) normalXY.push_back(line);
  for (const std::string& line : dry) {
    if (line.starts_with("G00")) dryXY.push_back(line);
    EXPECT_NE(line, "M8");
    EXPECT_FALSE(line.starts_with("G04"));
    EXPECT_FALSE(line.starts_with("G01 Z-")) << line;
  }
  EXPECT_EQ(dryXY, normalXY);
}

// --- GRBL -------------------------------------------------------------------------------

TEST(SafeProgram, GrblTextHasNoRealtimeByte) {
  std::string out;
  AppendGrblSafeText(out,
                     "U7 ~ 10\xB5"
                     "F!? \x96 a\xA0"
                     "b\x18\xE4\xDF\xB1\x84");
  EXPECT_EQ(out, "U7 - 10uF._ - a b aess+-_");
  for (const char c : out) EXPECT_FALSE(IsGrblRealtimeByte(static_cast<unsigned char>(c)));
}

TEST(SafeProgram, EveryTestBoardGivesAGrblProgramWithoutRealtimeBytes) {
  MachineSettings settings;
  settings.controller = "GRBL";
  settings.comments = "1";
  int boards = 0;
  for (const auto& entry :
       std::filesystem::directory_iterator(std::string(TAV_SOURCE_DIR) + "/tests/data/boards")) {
    const std::string path = entry.path().string();
    if (!path.ends_with(".csv") && !path.ends_with(".pos")) continue;
    ComponentTree tree;
    PickPlaceImport(path, tree);
    const std::string program = GCodeGenerator::Generate(tree, settings);
    for (std::size_t i = 0; i < program.size(); ++i) {
      const auto byte = static_cast<unsigned char>(program[i]);
      if (byte == '\r' || byte == '\n') continue;
      ASSERT_FALSE(IsGrblRealtimeByte(byte)) << path << " byte " << int(byte) << " at " << i;
    }
    ++boards;
  }
  EXPECT_GE(boards, 10);
}

struct ValveCodeCase {
  const char* code;
  bool grbl;
};

class GrblValveCode : public ::testing::TestWithParam<ValveCodeCase> {};

TEST_P(GrblValveCode, OnlyTheCodesGrblCarriesOut) {
  EXPECT_EQ(IsGrblValveCode(GetParam().code), GetParam().grbl) << GetParam().code;
}

const ValveCodeCase kValveCodes[] = {
    {"M8", true},      {"m09", true},  {" M7 ", true}, {"M3 S1000", true},
    {"M64 P0", false}, {"M10", false}, {"M6", false},  {"M8 S1", false},
    {"M", false},      {"G4", false},  {"M5!", false}, {"M3 S", false},
};
INSTANTIATE_TEST_SUITE_P(Table, GrblValveCode, ::testing::ValuesIn(kValveCodes));

TEST(SafeProgram, GrblRefusesValveCodesItDoesNotHave) {
  MachineSettings settings;
  settings.controller = "GRBL";
  settings.switchValve = "1";
  settings.valveOnCode = "M64 P0";
  settings.valveOffCode = "M9";
  EXPECT_EQ(test::ErrorOf([&] { GCodeGenerator::Generate(ComponentTree(), settings); }),
            "Der Ventil-Befehl \"M64 P0\" ist keiner, den GRBL 1.1 ausf\xFChrt (erlaubt: M3, M4, "
            "M5, M7, M8, M9; M7 nur, wo GRBL mit ihm gebaut wurde).");
  settings.controller = "LinuxCNC";
  EXPECT_NO_THROW(GCodeGenerator::Generate(ComponentTree(), settings));
}

}  // namespace
}  // namespace tav
