// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>

#include "ProjectTestSupport.h"
#include "project/MachineProfile.h"
#include "project/ProjectFile.h"

namespace tav {
namespace {

using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

TEST(PlacementStorage, FirstSaveWritesTheNewKeysWithDefaultsInOrder) {
  TempFolder folder;
  const std::string path = folder / "neu.tav";
  ComponentTree tree;
  test::AddProjectComponent(tree, "R1");
  SaveProject(path, tree, MachineSettings{});
  const std::string bytes = ReadBytes(path);
  EXPECT_NE(bytes.find("F1W=Rechts\r\nF1A=0\r\nF2X="), std::string::npos) << bytes;
  EXPECT_NE(bytes.find("F4W=Rechts\r\nF4A=0\r\n"), std::string::npos);
  const std::size_t coordinates = bytes.find("[Koordinaten]");
  const std::size_t machine = bytes.find(
      "[Maschine]\r\nX_Min=\r\nX_Max=\r\nY_Min=\r\nY_Max=\r\nZ_Min=\r\nDrehachse=keine\r\n");
  const std::size_t board =
      bytes.find("[Platine]\r\nNullpunkt_X=0.00\r\nNullpunkt_Y=0.00\r\nDrehung=0\r\nSeite=\r\n");
  ASSERT_NE(machine, std::string::npos) << bytes;
  ASSERT_NE(board, std::string::npos) << bytes;
  EXPECT_LT(coordinates, machine);
  EXPECT_LT(machine, board);
}

TEST(PlacementStorage, AnglesAndPlacementRoundTripAndOldProjectsGetDefaults) {
  TempFolder folder;
  MachineSettings saved;
  saved.angles = {"90", "180", "270", "-45"};
  saved.rotationAxis = "B";
  saved.originX = "120.5";
  saved.originY = "-80";
  saved.boardRotation = "3.25";
  saved.boardSide = "Unterseite";
  ComponentTree tree;
  test::AddProjectComponent(tree, "R1");
  const std::string project = folder / "job.tav";
  SaveProject(project, tree, saved);
  MachineSettings loaded;
  LoadProject(project, tree, loaded);
  EXPECT_EQ(loaded, saved);

  // A machine file carries the angles and the axis, never the board.
  const std::string machine = folder / "maschine.tavm";
  SaveMachineProfile(machine, saved);
  MachineSettings fromMachine;
  fromMachine.originX = "7";
  LoadMachineProfile(machine, fromMachine);
  EXPECT_EQ(fromMachine.angles, saved.angles);
  EXPECT_EQ(fromMachine.rotationAxis, "B");
  EXPECT_EQ(fromMachine.originX, "7");
  EXPECT_EQ(fromMachine.boardSide, "");
  // ...and ignores a board section when a project is loaded as machine file.
  LoadMachineProfile(project, fromMachine);
  EXPECT_EQ(fromMachine.originX, "7");

  // A project of the previous version: Winkel 0 and the board at the origin,
  // whatever the project open before had.
  const std::string old = folder / "alt.tav";
  SaveProject(old, tree, MachineSettings{});
  std::string bytes = ReadBytes(old);
  for (const char* key : {"F1A=0\r\n", "F2A=0\r\n", "F3A=0\r\n", "F4A=0\r\n"})
    bytes.erase(bytes.find(key), std::string(key).size());
  const std::size_t machineSection = bytes.find("[Maschine]");
  const std::size_t afterBoard = bytes.find('[', bytes.find("[Platine]") + 1);
  bytes.erase(machineSection,
              afterBoard == std::string::npos ? std::string::npos : afterBoard - machineSection);
  WriteBytes(old, bytes);
  LoadProject(old, tree, loaded);
  EXPECT_EQ(loaded, MachineSettings{});
}

}  // namespace
}  // namespace tav
