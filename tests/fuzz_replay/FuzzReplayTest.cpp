// SPDX-License-Identifier: GPL-3.0-or-later
// Replays the committed seed corpus and every input that once broke a fuzz
// target through the same target code, so a fixed fault stays fixed.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/DecimalSeparator.h"
#include "fuzz/FuzzTargets.h"

#include "fuzz_replay/ReplayInputs.h"

namespace tav::fuzz {
namespace {

namespace fs = std::filesystem;

class FuzzReplay : public ::testing::TestWithParam<FuzzTarget> {};

TEST_P(FuzzReplay, EveryCommittedInputKeepsTheProperty) {
  const FuzzTarget& target = GetParam();
  const std::vector<fs::path> files = InputsOf(target.name);
  // Each target has a seed corpus; an empty list means the folder moved.
  ASSERT_FALSE(files.empty()) << "no inputs for " << target.name;
  for (const fs::path& file : files) {
    std::ifstream stream(file, std::ios::binary);
    ASSERT_TRUE(stream) << file;
    const std::string input{std::istreambuf_iterator<char>(stream), {}};
    EXPECT_EQ(RunFuzzTarget(target, input), "") << file;
    EXPECT_EQ(DecimalSeparator(), '.') << file << " left another decimal separator behind";
  }
}

INSTANTIATE_TEST_SUITE_P(AllTargets, FuzzReplay,
                         ::testing::ValuesIn(FuzzTargets().begin(), FuzzTargets().end()),
                         [](const ::testing::TestParamInfo<FuzzTarget>& row) {
                           return std::string(row.param.name);
                         });

}  // namespace
}  // namespace tav::fuzz
