// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer entry point; TAV_FUZZ_TARGET names the target this binary runs.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz/FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const tav::fuzz::FuzzTarget* const target = tav::fuzz::FindFuzzTarget(TAV_FUZZ_TARGET);
  if (target == nullptr) {
    std::fprintf(stderr, "unknown fuzz target %s\n", TAV_FUZZ_TARGET);
    std::abort();
  }
  const std::string problem =
      tav::fuzz::RunFuzzTarget(*target, {reinterpret_cast<const char*>(data), size});
  if (!problem.empty()) {
    // Aborting makes libFuzzer keep the input as a crash.
    std::fprintf(stderr, "%s: %s\n", TAV_FUZZ_TARGET, problem.c_str());
    std::abort();
  }
  return 0;
}
