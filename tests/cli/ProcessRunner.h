#pragma once

#include <string>
#include <vector>

namespace tav::test {

struct ProcessResult {
  int exitCode = -1;  // -1 when the process did not exit normally
  std::string out;    // standard output, exact bytes
  std::string err;    // standard error, exact bytes
};

// Runs `program` with `args` (no shell involved) and the given environment
// entries ("NAME=value") added to a minimal one with LC_ALL=C, and waits for it.
ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& args,
                         const std::vector<std::string>& environment = {});

}  // namespace tav::test
