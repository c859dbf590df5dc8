// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/MachineProfile.h"

#include <gtest/gtest.h>

#include <string>

#include "ProjectTestSupport.h"
#include "core/FileAccess.h"
#include "core/SystemErrorText.h"
#include "project/IniDocument.h"
#include "project/ProjectFile.h"
#include "project/SettingKeys.h"
#include "project/StoredSettings.h"

namespace tav {
namespace {

using test::ErrorOf;
using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

// Settings where every stored field holds a text of its own, so a field read
// under the wrong key shows.
MachineSettings EveryFieldDistinct() {
  MachineSettings settings;
  int n = 0;
  for (const StoredSetting& setting : StoredSettings())
    setting.Of(settings) = std::string(setting.key) + "=" + std::to_string(++n) + " x";
  return settings;
}

TEST(MachineProfile, RoundTripsEveryStoredSetting) {
  TempFolder folder;
  const std::string path = folder / "maschine.tavm";
  const MachineSettings saved = EveryFieldDistinct();
  SaveMachineProfile(path, saved);

  // The file holds each key of the table in its section, and nothing else.
  const std::string bytes = ReadBytes(path);
  const IniDocument file(bytes);
  std::size_t keys = 0;
  for (const char* section : {"Feeder", "Geschwindigkeiten", "G-Code", "Koordinaten", "Maschine"})
    keys += file.ReadSection(section).size();
  std::size_t machineKeys = 0;
  for (const StoredSetting& setting : StoredSettings()) machineKeys += !setting.projectOnly;
  EXPECT_EQ(keys, machineKeys);
  EXPECT_FALSE(file.HasSection("components"));
  // The board's placement belongs to the job, not to the machine.
  EXPECT_FALSE(file.HasSection("Platine"));
  EXPECT_TRUE(bytes.starts_with("[Feeder]\r\nF1X=F1X=1 x\r\n")) << bytes;

  MachineSettings loaded;
  LoadMachineProfile(path, loaded);
  for (const StoredSetting& setting : StoredSettings())
    EXPECT_EQ(setting.Of(loaded),
              setting.projectOnly ? setting.Of(MachineSettings{}) : setting.Of(saved))
        << setting.key;
}

TEST(MachineProfile, SavingIntoAProjectKeepsItsComponents) {
  TempFolder folder;
  const std::string path = folder / "board.tav";
  ComponentTree tree;
  test::AddProjectComponent(tree, "R1");
  SaveProject(path, tree, MachineSettings{});
  const MachineSettings machine = EveryFieldDistinct();
  SaveMachineProfile(path, machine);

  ComponentTree loadedTree;
  MachineSettings loaded;
  LoadProject(path, loadedTree, loaded);
  EXPECT_EQ(loadedTree.Count(), 13);
  // The project's own board placement stays; everything else is the machine's.
  MachineSettings expected = machine;
  for (const StoredSetting& setting : StoredSettings())
    if (setting.projectOnly) setting.Of(expected) = setting.Of(MachineSettings{});
  EXPECT_EQ(loaded, expected);
  // And a project serves as a machine file.
  MachineSettings fromProject;
  LoadMachineProfile(path, fromProject);
  EXPECT_EQ(fromProject, expected);
}

TEST(MachineProfile, LoadSetsOnlyTheKeysTheFileHolds) {
  TempFolder folder;
  const std::string path = folder / "teil.tavm";
  WriteBytes(path, "[feeder]\r\nf2x=12,5\r\n[Geschwindigkeiten]\r\nSpeedFahren=\r\nFoo=1\r\n");
  MachineSettings settings;
  settings.liftFeed = "7";
  LoadMachineProfile(path, settings);
  MachineSettings expected;
  expected.liftFeed = "7";
  expected.Feeder(2)->x = "12,5";
  expected.travelFeed = "";  // an empty value empties the field, as in a project
  EXPECT_EQ(settings, expected);
}

TEST(MachineProfile, FailedLoadChangesNothing) {
  TempFolder folder;
  const MachineSettings before = EveryFieldDistinct();
  struct Case {
    std::string name;
    std::string bytes;  // empty: no file at all
  };
  // clang-format off
  const Case cases[] = {
      {"missing.tavm", ""},
      {"empty.tavm", "\r\n"},
      {"other.tavm", "[Werkzeug]\r\nF1X=1\r\n[Feeder]\r\nF9X=1\r\n"},
      {"board.csv", "\"Designator\",\"Footprint\"\r\n\"R1\",\"0805\"\r\n"},
  };
  // clang-format on
  for (const Case& c : cases) {
    const std::string path = folder / c.name;
    if (!c.bytes.empty()) WriteBytes(path, c.bytes);
    MachineSettings settings = before;
    const std::string message = ErrorOf([&] { LoadMachineProfile(path, settings); });
    if (c.bytes.empty())
      EXPECT_TRUE(message.starts_with("Datei " + path +
                                      " kann nicht ge\xF6"
                                      "ffnet werden. "))
          << message;
    else
      EXPECT_EQ(message, "Die Datei " + path + " enth\xE4lt keine Maschineneinstellungen");
    EXPECT_EQ(settings, before) << c.name;
  }
}

TEST(MachineProfile, FailedSaveLeavesTheFile) {
  TempFolder folder;
  const std::string path = folder / "maschine.tavm";
  WriteBytes(path, "[Feeder]\r\nF1X=1\r\n");
  SetWriteFailureForTesting(10, ENOSPC);
  const std::string message = ErrorOf([&] { SaveMachineProfile(path, EveryFieldDistinct()); });
  SetWriteFailureForTesting(-1, 0);
  EXPECT_EQ(message, "In " + path + " kann nicht geschrieben werden");
  EXPECT_EQ(ReadBytes(path), "[Feeder]\r\nF1X=1\r\n");
  EXPECT_EQ(MachineProfileFileName("werkstatt"), "werkstatt.tavm");
  EXPECT_EQ(MachineProfileFileName("werkstatt.ini"), "werkstatt.ini");
}

TEST(SettingKeys, FindsEveryKeyInAnyCase) {
  for (const StoredSetting& setting : StoredSettings()) {
    EXPECT_EQ(FindStoredSetting(setting.key), &setting);
    std::string lower(setting.key);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_EQ(FindStoredSetting(lower), &setting) << lower;
  }
  for (const char* unknown : {"", "F5X", "F1", "Speed", "Elemente", "Node0", "BauteilMaxZ "})
    EXPECT_EQ(FindStoredSetting(unknown), nullptr) << unknown;
}

}  // namespace
}  // namespace tav
