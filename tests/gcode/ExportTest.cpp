// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/Error.h"
#include "gcode/GCodeGenerator.h"
#include "support/ComponentBlocks.h"
#include "support/TempFolder.h"

namespace tav {
namespace {

namespace fs = std::filesystem;

class ExportGCodeTest : public ::testing::Test {
 protected:
  test::TempFolder folder_;
  const fs::path dir_ = folder_.path();
};

TEST_F(ExportGCodeTest, WritesTheTextByteForByteAndReplacesTheFile) {
  const std::string path = (dir_ / "job.nc").string();
  test::WriteBytes(path, "a much longer old program that must disappear");
  // The user's own edits travel along, including a lone LF and high bytes.
  const std::string text = "G21\r\n(Bauteilh\xF6he)\nG90\r\n%";
  ExportGCode(text, path);
  EXPECT_EQ(test::ReadBytes(path), text);
}

TEST_F(ExportGCodeTest, EmptyTextGivesEmptyFile) {
  const std::string path = (dir_ / "empty.nc").string();
  ExportGCode("", path);
  EXPECT_TRUE(fs::exists(path));
  EXPECT_EQ(fs::file_size(path), 0u);
}

TEST_F(ExportGCodeTest, UnwritablePathIsReportedAndNothingIsCreated) {
  const std::string path = (dir_ / "missing-folder" / "job.nc").string();
  try {
    ExportGCode("G21\r\n", path);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_TRUE(e.message().starts_with("Datei \"" + path + "\" kann nicht erstellt werden. "))
        << e.message();
  }
  EXPECT_FALSE(fs::exists(dir_ / "missing-folder"));
}

// A board whose program is several of the pieces a file is written in.
void AddLargeBoard(ComponentTree& tree, int components) {
  for (int i = 0; i < components; ++i)
    test::AddComponent(tree, "R" + std::to_string(i), std::to_string(i) + ".5mm", "2mm");
}

TEST_F(ExportGCodeTest, ProgramFileHoldsTheSameBytesAsTheEditor) {
  ComponentTree tree;
  AddLargeBoard(tree, 5000);
  MachineSettings settings;
  settings.travelFeed = "1500";
  std::string program;
  const JobSummary inEditor = GCodeGenerator::Generate(tree, settings, program);
  ASSERT_GT(program.size(), 3u << 18);
  const std::string path = (dir_ / "job.nc").string();
  test::WriteBytes(path, "old");
  const JobSummary inFile = WriteGCodeFile(tree, settings, path);
  EXPECT_EQ(test::ReadBytes(path), program);
  EXPECT_EQ(inFile.parts, inEditor.parts);
  EXPECT_EQ(inFile.minutes, inEditor.minutes);

  std::string pieces;
  int count = 0;
  GCodeGenerator::Generate(tree, settings, [&](std::string_view piece) {
    pieces.append(piece);
    ++count;
  });
  EXPECT_EQ(pieces, program);
  EXPECT_GT(count, 2);
}

TEST_F(ExportGCodeTest, ProgramFileStaysAsItWasWhenAComponentFails) {
  ComponentTree tree;
  AddLargeBoard(tree, 5000);  // the error comes after pieces were written
  test::AddComponent(tree, "C7", "1", "1", "Feeder: 9");
  const std::string path = (dir_ / "job.nc").string();
  test::WriteBytes(path, "old");
  try {
    WriteGCodeFile(tree, MachineSettings{}, path);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.message(), "Bauteil \"C7\": unbekannte Feeder-Angabe \"Feeder: 9\"");
  }
  EXPECT_EQ(test::ReadBytes(path), "old");
  EXPECT_EQ(folder_.EntryCount(), 1);
}

TEST_F(ExportGCodeTest, ProgramFileInAMissingFolderIsReported) {
  const std::string path = (dir_ / "missing-folder" / "job.nc").string();
  try {
    ComponentTree tree;
    AddLargeBoard(tree, 1);
    WriteGCodeFile(tree, MachineSettings{}, path);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_TRUE(e.message().starts_with("Datei \"" + path + "\" kann nicht erstellt werden. "))
        << e.message();
  }
}

// clang-format off
struct FileNameCase { const char* chosen; const char* written; };
const FileNameCase kFileNameCases[] = {
    {"job",               "job.nc"},
    {"job.txt",           "job.txt"},
    {"job.",              "job."},
    {"/tmp/boards.v2/job", "/tmp/boards.v2/job.nc"},  // a dot in a folder does not count
    {"/tmp/job.NC",       "/tmp/job.NC"},
};
// clang-format on

class GCodeFileNameTest : public ::testing::TestWithParam<FileNameCase> {};

TEST_P(GCodeFileNameTest, AppendsNcOnlyWithoutExtension) {
  EXPECT_EQ(GCodeFileName(GetParam().chosen), GetParam().written);
}

INSTANTIATE_TEST_SUITE_P(Table, GCodeFileNameTest, ::testing::ValuesIn(kFileNameCases));

}  // namespace
}  // namespace tav
