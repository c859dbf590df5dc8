// SPDX-License-Identifier: GPL-3.0-or-later
#include "faults/Savers.h"

#include <gtest/gtest.h>

#include "core/Error.h"
#include "core/FileSet.h"
#include "core/Messages.h"
#include "faults/FaultSupport.h"
#include "gcode/GCodeGenerator.h"
#include "project/ProjectFile.h"

namespace tav::faults {
namespace {

const ComponentTree& ProjectTree(int version) {
  static ComponentTree trees[kVersions];
  static bool built = false;
  if (!built) {
    AddComponents(trees[0], 2, "ALT");
    AddComponents(trees[1], 3000, "A");
    AddComponents(trees[2], 3000, "B");
    built = true;
  }
  return trees[version];
}

MachineSettings ProjectSettings(int version) {
  MachineSettings settings;
  settings.travelFeed = std::to_string(20 + version);
  return settings;
}

void SaveProjectVersion(const std::string& path, int version) {
  SaveProject(path, ProjectTree(version), ProjectSettings(version));
}

bool SameTree(const ComponentTree& a, const ComponentTree& b) {
  if (a.Count() != b.Count()) return false;
  for (int i = 0; i < a.Count(); ++i) {
    const TreeNode* x = a.NodeAt(i);
    const TreeNode* y = b.NodeAt(i);
    if (x->Text() != y->Text() || x->Level() != y->Level() || x->ImageIndex() != y->ImageIndex())
      return false;
  }
  return true;
}

bool HoldsProject(const std::string& path, int version) {
  ComponentTree tree;
  MachineSettings settings;
  try {
    LoadProject(path, tree, settings);
  } catch (const Error&) {
    return false;
  }
  return SameTree(tree, ProjectTree(version)) && settings == ProjectSettings(version);
}

std::string ProjectMessage(const std::string& path) {
  return FormatMessage(msg::kCannotWrite, {path});
}

const std::string& Program(int version) {
  static std::string programs[kVersions];
  if (programs[0].empty()) {
    programs[0] = "G21\r\nG00 X1 Y2 F20\r\n%\r\n";
    for (int i = 0; i < 200000; ++i) {
      programs[1] += "G00 X" + std::to_string(i) + " Y1 F20\r\n";
      programs[2] += "G01 Z-" + std::to_string(i) + " F2\r\n";
    }
  }
  return programs[version];
}

void SaveProgram(const std::string& path, int version) { ExportGCode(Program(version), path); }

void SaveProgramInSet(const std::string& path, int version) {
  CommitFileSet({{path, Program(version)}}, {});
}

bool HoldsProgram(const std::string& path, int version) {
  return ReadBytes(path) == Program(version);
}

std::string ProgramMessage(const std::string& path) {
  return "Datei \"" + path + "\" kann nicht erstellt werden. ";
}

}  // namespace

Saver ProjectSaver() {
  return {"project", "job.tav", SaveProjectVersion, HoldsProject, ProjectMessage, true};
}

Saver ProgramSaver() {
  return {"gcode", "job.nc", SaveProgram, HoldsProgram, ProgramMessage, false};
}

Saver FileSetSaver() {
  return {"fileset", "durchgang-1.nc", SaveProgramInSet, HoldsProgram, ProgramMessage, false};
}

void ExpectMessage(const Saver& saver, const std::string& path, const std::string& actual) {
  const std::string expected = saver.message(path);
  if (saver.exactMessage) {
    EXPECT_EQ(actual, expected);
  } else {
    EXPECT_TRUE(actual.starts_with(expected) && actual.size() > expected.size())
        << "message: " << actual;
  }
}

}  // namespace tav::faults
