// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "faults/FaultSupport.h"

// The two ways the program saves a file, driven alike by the fault tests.
namespace tav::faults {

// Version 0 is a small original; versions 1 and 2 are large and differ.
inline constexpr int kVersions = 3;

struct Saver {
  const char* name;
  const char* fileName;
  void (*save)(const std::string& path, int version);
  // True when the file at `path` holds exactly `version`, complete.
  bool (*holds)(const std::string& path, int version);
  // The message a failed save gives for `path`; with `exactMessage` false the
  // real message goes on with the system's reason.
  std::string (*message)(const std::string& path);
  bool exactMessage;
};

// SaveProject, the G-code export and the pass programs' file set.
Saver ProjectSaver();
Saver ProgramSaver();
Saver FileSetSaver();

// Test names and failure messages show the saver by name.
inline void PrintTo(const Saver& saver, std::ostream* out) { *out << saver.name; }
inline std::string SaverName(const ::testing::TestParamInfo<Saver>& info) {
  return info.param.name;
}

// A test run once per saver, with a fresh folder and the path of the saver's file in it.
class SaverTest : public ::testing::TestWithParam<Saver> {
 protected:
  const Saver& saver = GetParam();
  TempFolder folder;
  const std::string path = folder / saver.fileName;
};

// Checks a failure message against what the saver promises for `path`.
void ExpectMessage(const Saver& saver, const std::string& path, const std::string& actual);

}  // namespace tav::faults
