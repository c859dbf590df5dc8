#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "core/Error.h"
#include "gcode/GCodeGenerator.h"

namespace tav {
namespace {

namespace fs = std::filesystem;

class ExportGCodeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("tav-export-" +
            std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  static std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }

  fs::path dir_;
};

TEST_F(ExportGCodeTest, WritesTheTextByteForByteAndReplacesTheFile) {
  const std::string path = (dir_ / "job.nc").string();
  std::ofstream(path, std::ios::binary) << "a much longer old program that must disappear";
  // The user's own edits travel along, including a lone LF and high bytes.
  const std::string text = "G21\r\n(Bauteilh\xF6he)\nG90\r\n%";
  ExportGCode(text, path);
  EXPECT_EQ(Read(path), text);
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
