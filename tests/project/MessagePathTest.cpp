// SPDX-License-Identifier: GPL-3.0-or-later
// A path in a message is Windows-1252 like the rest of the message, whichever
// file operation fails: a project at «Plätze.tav» (UTF-8 on disk) is named
// "Pl\xE4tze.tav", never with the UTF-8 bytes "Pl\xC3\xA4tze".
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "ProjectTestSupport.h"
#include "boards/PickPlaceImport.h"
#include "core/LineList.h"
#include "gcode/GCodeGenerator.h"
#include "project/ProjectFile.h"

namespace tav {
namespace {

struct Case {
  const char* name;
  // Runs the failing operation on the UTF-8 path it is given.
  std::function<void(const std::string& path)> run;
  const char* utf8Name;
  // The message, with "@" in place of the folder (ASCII).
  std::string message;
};

TEST(MessagePath, Utf8NamesAppearInWindows1252) {
  test::TempFolder folder;
  const std::string base = folder.path().string();
  // Folders where files are expected: a project, a program and an input file.
  for (const char* name : {"Pl\xC3\xA4tze.tav", "Pl\xC3\xA4tze.nc", "Pl\xC3\xA4tze.csv"})
    std::filesystem::create_directory(folder / name);

  ComponentTree tree;
  test::AddProjectComponent(tree, "R1");
  MachineSettings settings;
  const Case cases[] = {
      {"LoadProject", [&](const std::string& path) { LoadProject(path, tree, settings); },
       "Pl\xC3\xA4tze.tav",
       "Datei @/Pl\xE4tze.tav kann nicht ge\xF6"
       "ffnet werden. Der Pfad ist ein Verzeichnis"},
      {"SaveProject", [&](const std::string& path) { SaveProject(path, tree, settings); },
       "Pl\xC3\xA4tze.tav", "In @/Pl\xE4tze.tav kann nicht geschrieben werden"},
      {"SaveProjectInMissingFolder",
       [&](const std::string& path) { SaveProject(path, tree, settings); },
       "M\xC3\xBCll/Pl\xC3\xA4tze.tav", "In @/M\xFCll/Pl\xE4tze.tav kann nicht geschrieben werden"},
      {"ExportGCode", [](const std::string& path) { ExportGCode("%\r\n", path); },
       "Pl\xC3\xA4tze.nc",
       "Datei \"@/Pl\xE4tze.nc\" kann nicht erstellt werden. Der Pfad ist ein Verzeichnis"},
      {"LoadLines", [](const std::string& path) { LoadLines(path); }, "Pl\xC3\xA4tze.csv",
       "Datei @/Pl\xE4tze.csv kann nicht ge\xF6"
       "ffnet werden. Der Pfad ist ein Verzeichnis"},
      {"ImportMissingFile",
       [](const std::string& path) {
         ComponentTree imported;
         PickPlaceImport(path, imported);
       },
       "\xC3\x9C"
       "bersicht.csv",
       "Datei @/\xDC"
       "bersicht.csv kann nicht ge\xF6"
       "ffnet werden. Das System kann die angegebene Datei nicht finden"},
  };
  for (const Case& row : cases) {
    SCOPED_TRACE(row.name);
    std::string expected = row.message;
    expected.replace(expected.find('@'), 1, base);
    EXPECT_EQ(test::ErrorOf([&] { row.run(folder / row.utf8Name); }), expected);
  }
}

}  // namespace
}  // namespace tav
