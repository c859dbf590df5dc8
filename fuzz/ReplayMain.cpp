// SPDX-License-Identifier: GPL-3.0-or-later
// Runs a fuzz target over files without libFuzzer, in any build:
//   tav_fuzz_replay TARGET FILE|FOLDER...
// Reports every input that breaks the target's property; exit code 1 if any.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz/FuzzTargets.h"

namespace fs = std::filesystem;

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s TARGET FILE|FOLDER...\ntargets:", argv[0]);
    for (const auto& target : tav::fuzz::FuzzTargets())
      std::fprintf(stderr, " %.*s", static_cast<int>(target.name.size()), target.name.data());
    std::fprintf(stderr, "\n");
    return 2;
  }
  const tav::fuzz::FuzzTarget* target = tav::fuzz::FindFuzzTarget(argv[1]);
  if (target == nullptr) {
    std::fprintf(stderr, "unknown target %s\n", argv[1]);
    return 2;
  }
  std::vector<fs::path> files;
  for (int i = 2; i < argc; ++i) {
    if (fs::is_directory(argv[i])) {
      for (const auto& entry : fs::directory_iterator(argv[i]))
        if (entry.is_regular_file()) files.push_back(entry.path());
    } else {
      files.emplace_back(argv[i]);
    }
  }
  int failures = 0;
  for (const fs::path& file : files) {
    std::ifstream stream(file, std::ios::binary);
    if (!stream) {
      std::fprintf(stderr, "%s: cannot read\n", file.c_str());
      ++failures;
      continue;
    }
    const std::string input{std::istreambuf_iterator<char>(stream), {}};
    const std::string problem = tav::fuzz::RunFuzzTarget(*target, input);
    if (!problem.empty()) {
      std::fprintf(stderr, "%s: %s\n", file.c_str(), problem.c_str());
      ++failures;
    }
  }
  std::printf("%zu inputs, %d failing\n", files.size(), failures);
  return failures == 0 ? 0 : 1;
}
