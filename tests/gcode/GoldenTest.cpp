// The bundled example board with default settings, compared byte for byte with
// the reviewed program in tests/data/gcode. After a deliberate change of the
// output, run this test with TAV_UPDATE_GOLDEN=1 to rewrite the expected file,
// then review the diff before committing it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "core/PickPlaceImport.h"
#include "gcode/GCodeGenerator.h"

namespace tav {
namespace {

const std::string kSource = TAV_SOURCE_DIR;

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

void CompareWithGolden(const std::string& program, const std::string& goldenPath) {
  const char* update = std::getenv("TAV_UPDATE_GOLDEN");
  if (update != nullptr && std::string(update) == "1") {
    std::ofstream(goldenPath, std::ios::binary) << program;
    GTEST_SKIP() << "rewrote " << goldenPath;
  }
  const std::string expected = ReadBytes(goldenPath);
  ASSERT_FALSE(expected.empty()) << "missing golden file " << goldenPath;
  EXPECT_TRUE(program == expected)
      << "differs from " << goldenPath << "; rerun with TAV_UPDATE_GOLDEN=1 and review the diff";
}

TEST(GCodeGolden, ExampleBoardWithDefaultSettings) {
  ComponentTree tree;
  const ImportSummary summary = PickPlaceImport(kSource + "/examples/example-board.csv", tree);
  EXPECT_EQ(summary.componentCount, 36);
  CompareWithGolden(GCodeGenerator::Generate(tree, MachineSettings{}),
                    kSource + "/tests/data/gcode/example-board.nc");
}

}  // namespace
}  // namespace tav
